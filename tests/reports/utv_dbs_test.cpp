// The evaluation scans over real sounding files: which blocks count in a period, from which
// start depth a sounding is measured, the counts the scans lower, the interpretation depths, the
// road-alignment corridor and the extents.
#include <geoproj/reports/utv_dbs.h>

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include <geoproj/platform/date_time.h>
#include <geoproj/platform/vaglinje.h>
#include <geoproj/reports/projekt_metod_lista.h>

#include "reports/scan_fixture.h"

namespace geoproj::test {
namespace {

// How far a sounding is measured: start depth of the file, first steps, last depth.
struct StartCase {
  const char* what;
  double start;
  std::string blocks;
  ScanMetod method;
  double length;
};

class StartDepthTest : public ScanTest, public ::testing::WithParamInterface<StartCase> {};

TEST_P(StartDepthTest, SoundedLengthIsMeasuredFromTheRightDepth) {
  const StartCase& c = GetParam();
  Borehole("B1", SndHeader(100, 200, 10, c.start) + c.blocks + "*\n");
  ASSERT_EQ(Scan(), 0);
  CProjektMetodLista* list = List(c.method);
  ASSERT_EQ(Rows(list), 1) << c.what;
  EXPECT_NEAR(Row(list).langd, c.length, 1e-5) << c.what;
  EXPECT_NEAR(scan.metod[c.method].meter, c.length, 1e-5) << c.what;
  EXPECT_EQ(scan.metod[c.method].antal, 1) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StartDepthTest,
    ::testing::Values(
        StartCase{"start 0, steps 0.5 to 12.0", 0.0,
                  ValueBlock(21, "15.03.2019", 93, {{0.5, 12}, {6.0, 30}, {12.0, 50}}),
                  kScanDreie, 12.0},
        StartCase{"start 2.0, first step 2.4 below it", 2.0,
                  ValueBlock(21, "15.03.2019", 93, {{2.4, 12}, {12.0, 50}}), kScanDreie, 10.0},
        StartCase{"first step above the start depth with resistance: from the surface", 2.0,
                  ValueBlock(21, "15.03.2019", 93, {{1.0, 12}, {12.0, 50}}), kScanDreie, 12.0},
        StartCase{"first step above the start depth without resistance: from the start", 2.0,
                  ValueBlock(21, "15.03.2019", 93, {{1.0, 0}, {12.0, 50}}), kScanDreie, 10.0},
        StartCase{"simple sounding, same rule", 2.0,
                  ValueBlock(22, "15.03.2019", 90, {{1.0, 7}, {5.0, 9}}), kScanEnkel, 5.0},
        StartCase{"rotary pressure, same rule", 2.0,
                  ValueBlock(23, "15.03.2019", 90, {{1.0, 0}, {5.0, 9}}), kScanDtrykk, 3.0},
        StartCase{"rock sounding, same rule", 1.0,
                  ValueBlock(26, "15.03.2019", 90, {{0.5, 40}, {3.0, 40}}), kScanFjell, 3.0},
        StartCase{"ram sounding with a first reading", 2.0, RamBlock("15.03.2019", {{1.0, 12}, {4.0, 14}}),
                  kScanRam, 4.0},
        StartCase{"ram sounding without readings at first", 2.0,
                  RamBlock("15.03.2019", {{1.0, 0}, {4.0, 14}}), kScanRam, 2.0},
        StartCase{"a CPT fixes every method's start: Dreie from 0 whatever its first step", 0.0,
                  ValueBlock(21, "15.03.2019", 93, {{0.5, 0}, {8.0, 30}}) +
                      CptBlock("15.03.2019", {0.5, 4.0}),
                  kScanDreie, 8.0},
        StartCase{"with a CPT a positive start depth holds even over resistance", 1.5,
                  ValueBlock(21, "15.03.2019", 93, {{0.5, 20}, {8.0, 30}}) +
                      CptBlock("15.03.2019", {0.5, 4.0}),
                  kScanDreie, 6.5},
        StartCase{"the CPT itself from the start depth", 1.5, CptBlock("15.03.2019", {0.5, 4.0}),
                  kScanCpt, 2.5},
        StartCase{"a year-first block date is read as the day it names", 0.0,
                  ValueBlock(21, "2019-03-15", 93, {{0.5, 12}, {3.0, 20}}), kScanDreie, 3.0}));

TEST_F(ScanTest, BlockOutsideThePeriodLowersTheCountsAndAddsNoRow) {
  Borehole("B1", SndHeader(100, 200, 10) + ValueBlock(21, "01.01.2020", 93, {{0.5, 1}, {5, 2}}) + "*\n");
  Borehole("B2", SndHeader(110, 210, 11) + ValueBlock(21, "31.12.2019", 93, {{0.5, 1}, {4, 2}}) +
                     ValueBlock(26, "01.01.2019", 93, {{4, 1}, {6, 2}}) + "*\n");
  ASSERT_EQ(utv.MetodScan(&db, &scan), 0);
  EXPECT_EQ(scan.antalbh, 2);
  EXPECT_EQ(scan.metodantal[kScanDreie], 2);
  EXPECT_EQ(scan.metodantal[kScanFjell], 1);
  ASSERT_EQ(utv.SondScan(&db, &scan), 0);
  EXPECT_EQ(scan.metodantal[kScanDreie], 1);
  EXPECT_EQ(scan.metodantal[kScanFjell], 1);
  EXPECT_EQ(scan.antalbh, 1) << "B1 has no block in the period";
  ASSERT_EQ(Rows(List(kScanDreie)), 1);
  EXPECT_STREQ(Row(List(kScanDreie)).id, "B2");
  EXPECT_NEAR(scan.metod[kScanDreie].meter, 4.0, 1e-6);
  EXPECT_NEAR(scan.totmeter, 4.0 + 6.0, 1e-6);
}

TEST_F(ScanTest, BlockWithoutRecordsIsNotCounted) {
  Borehole("B1", SndHeader(100, 200, 10) + ValueBlock(21, "15.03.2019", 93, {}) + "*\n");
  ASSERT_EQ(Scan(), 0);
  EXPECT_EQ(scan.metodantal[kScanDreie], 0);
  EXPECT_EQ(scan.antalbh, 0);
  EXPECT_EQ(List(kScanDreie), nullptr);
}

TEST_F(ScanTest, RowHoldsTheFilesValues) {
  Borehole("B7", SndHeader(6583120.5, 152840.25, 18.42, 0, 1210, -6.5) +
                     ValueBlock(21, "15.03.2019", 93, {{0.2, 3}, {4.5, 9}}) + "*\n");
  ASSERT_EQ(Scan(), 0);
  ASSERT_EQ(Rows(List(kScanDreie)), 1);
  const metlisttype& r = Row(List(kScanDreie));
  EXPECT_STREQ(r.id, "B7");
  EXPECT_DOUBLE_EQ(r.x, 6583120.5);
  EXPECT_DOUBLE_EQ(r.y, 152840.25);
  EXPECT_DOUBLE_EQ(r.z, 18.42);
  EXPECT_DOUBLE_EQ(r.sek, 1210.0);
  EXPECT_DOUBLE_EQ(r.avst, -6.5);
  EXPECT_EQ(r.stopp, 93);
  EXPECT_STREQ(r.datum1, "15.03.2019");
  const std::string today = FormatDate(LocalNow());
  EXPECT_EQ(std::string(r.skapad), today);
  EXPECT_EQ(std::string(r.andrad), today);
  EXPECT_EQ(List(kScanDreie)->m_namn, "Dreie");
  EXPECT_EQ(List(kScanDreie)->m_vaglinje, 0);
}

TEST_F(ScanTest, ListsAreNamedAfterTheirMethods) {
  Borehole("B1", SndHeader(1, 1, 1) + ValueBlock(21, "15.03.2019", 90, {{1, 1}}) +
                     ValueBlock(22, "15.03.2019", 90, {{1, 1}}) +
                     ValueBlock(23, "15.03.2019", 90, {{1, 1}}) +
                     ValueBlock(26, "15.03.2019", 90, {{1, 1}}) + RamBlock("15.03.2019", {{1, 1}}) +
                     CptBlock("15.03.2019", {1.0}) + "*\n");
  ASSERT_EQ(Scan(), 0);
  const std::pair<ScanMetod, const char*> names[] = {
      {kScanDreie, "Dreie"}, {kScanDtrykk, "DreieTrykk"}, {kScanEnkel, "Enkel"},
      {kScanFjell, "Fjell"}, {kScanRam, "Ram"},           {kScanCpt, "CPT"}};
  for (const auto& [m, name] : names) {
    ASSERT_NE(List(m), nullptr) << name;
    EXPECT_EQ(List(m)->m_namn, name);
    EXPECT_EQ(scan.metodantal[m], 1) << name;
  }
  EXPECT_EQ(List(kScanTotal), nullptr);
  EXPECT_EQ(List(kScanVb), nullptr);
}

TEST_F(ScanTest, CptDatedByTheFileCreationWhenAsked) {
  Borehole("B1", SndHeader(1, 1, 1) + CptBlock("15.03.2001", {0.5, 3.0}) + "*\n");
  const DateTime today = LocalNow();
  char from[16], to[16];
  std::snprintf(from, sizeof from, "01.01.%04d", today.year);
  std::snprintf(to, sizeof to, "31.12.%04d", today.year);
  Period(from, to);
  scan.cptdatum = 2;
  ASSERT_EQ(Scan(), 0);
  ASSERT_EQ(Rows(List(kScanCpt)), 1);
  EXPECT_STREQ(Row(List(kScanCpt)).datum1, Row(List(kScanCpt)).skapad);

  DeleteScanLists(&scan);
  scan = metscantype{};
  scan.sondering = 1;
  Period(from, to);
  ASSERT_EQ(Scan(), 0);
  EXPECT_EQ(List(kScanCpt), nullptr) << "dated by its block, the test lies before the period";
  EXPECT_EQ(scan.metodantal[kScanCpt], 0);
}

TEST_F(ScanTest, InterpretationDepths) {
  Borehole("B1", SndHeader(100, 200, 10) + "*\n",
           TlkFile({{"fyllning", 13, 9.0}, {"lera", 11, 4.0}}));
  Borehole("B2", SndHeader(120, 220, 20) + "*\n",
           TlkFile({{"torrskorpa", 33, 19.5}, {"moraen", 35, 15.25}, {"berg", 1, 12.0}}));
  scan.sondering = 0;
  ASSERT_EQ(Scan(), 0);
  CProjektMetodLista* list = scan.tlk.lista;
  ASSERT_EQ(Rows(list), 2);
  EXPECT_EQ(list->m_namn, "Tlk");
  EXPECT_EQ(scan.tlk.antal, 2);
  const metlisttype& b1 = Row(list, 1);
  EXPECT_STREQ(b1.id, "B1");
  const char* b1texts[5] = {"1.000", "", "6.000", "", "6.000"};
  for (int i = 0; i < 5; ++i) EXPECT_STREQ(b1.text[i], b1texts[i]) << "text " << i + 1;
  EXPECT_DOUBLE_EQ(b1.x, 100.0);
  EXPECT_DOUBLE_EQ(b1.y, 200.0);
  const metlisttype& b2 = Row(list, 2);
  const char* b2texts[5] = {"", "0.500", "", "4.750", "8.000"};
  for (int i = 0; i < 5; ++i) EXPECT_STREQ(b2.text[i], b2texts[i]) << "text " << i + 1;
  EXPECT_NEAR(scan.tlk.meter, 6.0 + 8.0, 1e-6);
  EXPECT_EQ(scan.antalbh, 2) << "interpretations alone lower nothing";
  EXPECT_DOUBLE_EQ(scan.zmin, 10.0) << "the rows carry their level into the extents";
  EXPECT_DOUBLE_EQ(scan.zmax, 20.0);
}

TEST_F(ScanTest, InterpretationDecimalsFollowTheSoundingFile) {
  Borehole("B1", SndHeader(100, 200, 10) + "*\n", TlkFile({{"sand", 20, 7.25}}));
  scan.sondering = 0;
  ASSERT_EQ(Scan(), 0);
  ASSERT_EQ(Rows(scan.tlk.lista), 1);
  EXPECT_STREQ(Row(scan.tlk.lista).text[3], "2.750");
  EXPECT_STREQ(Row(scan.tlk.lista).text[4], "2.750");
}

TEST_F(ScanTest, MetodScanCountsByBits) {
  struct Rec {
    const char* id;
    unsigned char b0, b1, b4, b5;
  };
  const Rec recs[] = {
      {"A", 0x01, 0x00, 0x01, 0x3F},  // borehole with every method
      {"B", 0x01, 0x00, 0x40, 0x01},  // borehole with environmental data and Dreie
      {"C", 0x02, 0x00, 0x00, 0x00},  // AVP point
      {"D", 0x00, 0x80, 0x00, 0x00},  // vane test
      {"E", 0x00, 0x00, 0x00, 0x01},  // Dreie bit without the borehole kind: not a method count
  };
  for (const Rec& r : recs) {
    bhdbstype rec{};
    CopyField(rec.id, r.id);
    rec.bit.b[0] = r.b0;
    rec.bit.b[1] = r.b1;
    rec.bit.b[4] = r.b4;
    rec.bit.b[5] = r.b5;
    db.Ny(1, &rec);
  }
  ASSERT_EQ(utv.MetodScan(&db, &scan), 0);
  EXPECT_EQ(scan.antalbh, 2);
  EXPECT_EQ(scan.antalmil, 1);
  EXPECT_EQ(scan.antalavp, 1);
  const int expected[kScanMetoder] = {2, 1, 1, 1, 1, 1, 1, 1};
  for (int m = 0; m < kScanMetoder; ++m) EXPECT_EQ(scan.metodantal[m], expected[m]) << "method " << m;
}

TEST_F(ScanTest, VaneTestDoesNotLowerTheBoreholeCount) {
  Borehole("B1", SndHeader(100, 200, 10) + ValueBlock(21, "15.03.2019", 93, {{1, 1}, {2, 2}}) + "*\n");
  bhdbstype vane{};
  CopyField(vane.id, "VB1");
  SetBit(vane.bit, kBitVane);
  db.Ny(1, &vane);
  ASSERT_EQ(Scan(), 0);
  EXPECT_EQ(scan.antalbh, 1);
  EXPECT_EQ(scan.metodantal[kScanVb], 1);
}

TEST_F(ScanTest, StaleRecordBitsNeverDriveACountBelowZero) {
  Borehole("B1", SndHeader(100, 200, 10) + ValueBlock(21, "01.01.2020", 93, {{1, 1}, {2, 2}}) + "*\n");
  db.Home();
  ClearBit(db.Get_aktel()->bit, kBitDreie);   // written by a program that left the bit out
  SetBit(db.Get_aktel()->bit, kBitEnkel);
  ASSERT_EQ(Scan(), 0);
  EXPECT_EQ(scan.metodantal[kScanDreie], 0);
  EXPECT_EQ(scan.antalbh, 0);
}

TEST_F(ScanTest, RoadAlignmentRestrictsBothScansAndGivesChainage) {
  Borehole("IN", SndHeader(50, 10, 5) + ValueBlock(21, "15.03.2019", 93, {{1, 1}, {3, 2}}) + "*\n",
           TlkFile({{"lera", 11, 2.0}}));
  Borehole("OUT", SndHeader(50, 500, 5) + ValueBlock(21, "15.03.2019", 93, {{1, 1}, {3, 2}}) + "*\n",
           TlkFile({{"lera", 11, 2.0}}));
  CVaglinje line;
  const kovltype points[] = {{0, 0, 0, 1000}, {100, 0, 0, 1100}};
  for (const kovltype& p : points) line.Ny(1, &p);
  line.SetHalvbredd(20);
  scan.vaglinje = &line;
  ASSERT_EQ(Scan(), 0);
  EXPECT_EQ(scan.antalbh, 1);
  EXPECT_EQ(scan.metodantal[kScanDreie], 1);
  ASSERT_EQ(Rows(List(kScanDreie)), 1);
  const metlisttype& r = Row(List(kScanDreie));
  EXPECT_STREQ(r.id, "IN");
  EXPECT_EQ(List(kScanDreie)->m_vaglinje, 1);
  EXPECT_NEAR(r.sek, 1050.0, 1e-9);
  EXPECT_NEAR(std::fabs(r.avst), 10.0, 1e-9);
  ASSERT_EQ(Rows(scan.tlk.lista), 1);
  EXPECT_EQ(scan.tlk.lista->m_vaglinje, 1);
  EXPECT_NEAR(Row(scan.tlk.lista).sek, 1050.0, 1e-9);
  EXPECT_EQ(scan.tlk.antal, 1);
}

TEST_F(ScanTest, ExtentsSpanTheRowsOfEveryList) {
  Borehole("B1", SndHeader(100, 200, 10, 0, 500, -3) +
                     ValueBlock(21, "15.03.2019", 93, {{1, 1}, {3, 2}}) + "*\n");
  Borehole("B2", SndHeader(150, 180, 12, 0, 700, 4) + RamBlock("15.03.2019", {{1, 1}, {3, 2}}) + "*\n");
  scan.ovrig = new CProjektMetodLista("GVR");
  metlisttype pipe{};
  pipe.x = 90;
  pipe.y = 260;
  pipe.z = 9;
  pipe.sek = 450;
  pipe.avst = 8;
  scan.ovrig->Ny(1, &pipe);
  ASSERT_EQ(Scan(), 0);
  EXPECT_DOUBLE_EQ(scan.xmin, 90);
  EXPECT_DOUBLE_EQ(scan.xmax, 150);
  EXPECT_DOUBLE_EQ(scan.ymin, 180);
  EXPECT_DOUBLE_EQ(scan.ymax, 260);
  EXPECT_DOUBLE_EQ(scan.zmin, 9);
  EXPECT_DOUBLE_EQ(scan.zmax, 12);
  EXPECT_DOUBLE_EQ(scan.sekmin, 450);
  EXPECT_DOUBLE_EQ(scan.sekmax, 700);
  EXPECT_DOUBLE_EQ(scan.avstmin, -3);
  EXPECT_DOUBLE_EQ(scan.avstmax, 8);
}

TEST_F(ScanTest, ExtentsStartEmptyWithoutRows) {
  Borehole("B1", SndHeader(100, 200, 10) + ValueBlock(21, "15.03.2020", 93, {{1, 1}}) + "*\n");
  ASSERT_EQ(Scan(), 0);
  EXPECT_EQ(scan.xmin, DBL_MAX);
  EXPECT_EQ(scan.xmax, -DBL_MAX);
}

TEST_F(ScanTest, PeriodTexts) {
  Borehole("B1", SndHeader(100, 200, 10) + ValueBlock(21, "15.03.2019", 93, {{1, 1}, {2, 2}}) + "*\n");
  struct Case {
    const char* from;
    const char* to;
    int result;
    int rows;
  };
  const Case cases[] = {
      {"15.03.2019", "15.03.2019", 0, 1},  // both ends included
      {"16.03.2019", "31.12.2019", 0, 0},
      {"01.01.2018", "14.03.2019", 0, 0},
      {"", "", 0, 1},                      // open at both ends
      {"", "01.01.2019", 0, 0},
      {"01.03.2019", "  ", 0, 1},
      {"1.3.2019", "31.3.2019", 0, 1},     // any one separator between the numbers
      {"March", "31.12.2019", -1, 0},      // not a day: the scan refuses
      {"01.01.2019", "31.12", -1, 0},
  };
  for (const Case& c : cases) {
    DeleteScanLists(&scan);
    scan = metscantype{};
    scan.sondering = 1;
    Period(c.from, c.to);
    EXPECT_EQ(Scan(), c.result) << c.from << " - " << c.to;
    EXPECT_EQ(Rows(List(kScanDreie)), c.rows) << c.from << " - " << c.to;
  }
}

TEST_F(ScanTest, UndatedBlockCountsOnlyInAnOpenPeriod) {
  Borehole("B1", SndHeader(100, 200, 10) + ValueBlock(21, "-", 93, {{1, 1}, {2, 2}}) + "*\n");
  ASSERT_EQ(Scan(), 0);
  EXPECT_EQ(Rows(List(kScanDreie)), 0);
  DeleteScanLists(&scan);
  scan = metscantype{};
  scan.sondering = 1;
  ASSERT_EQ(Scan(), 0);
  EXPECT_EQ(Rows(List(kScanDreie)), 1);
}

TEST_F(ScanTest, NoDatabaseOrAnEmptyOne) {
  EXPECT_EQ(utv.MetodScan(nullptr, &scan), -1);
  EXPECT_EQ(utv.SondScan(nullptr, &scan), -1);
  EXPECT_EQ(utv.MetodScan(&db, &scan), -1);
  EXPECT_EQ(utv.SondScan(&db, &scan), -1);
}

TEST_F(ScanTest, MissingOrDamagedFilesContributeNoRows) {
  bhdbstype rec{};
  CopyField(rec.id, "GONE");
  SetBit(rec.bit, kBitBorehole);
  SetBit(rec.bit, kBitDreie);
  db.Ny(1, &rec);
  dir.write("JUNK.SND", "\x01\x02garbage\r\n*\r\n21 15.03.2019\r\n\xff\xfe\r\n");
  Enter("JUNK");
  db.End();
  SetBit(db.Get_aktel()->bit, kBitBorehole);
  SetBit(db.Get_aktel()->bit, kBitDreie);
  ASSERT_EQ(Scan(), 0);
  EXPECT_EQ(Rows(List(kScanDreie)), 0);
  EXPECT_EQ(scan.antalbh, 0);
  // The damaged file's empty block lowers the count; the record whose files are gone keeps it,
  // as only a block found lowers a method's count.
  EXPECT_EQ(scan.metodantal[kScanDreie], 1);
}

}  // namespace
}  // namespace geoproj::test

namespace geoproj::test {
namespace {

TEST_F(ScanTest, ProgressIsToldAfterEveryRecord) {
  Borehole("B1", SndHeader(100, 200, 10) + ValueBlock(21, "15.03.2019", 93, {{1, 1}, {2, 2}}) + "*\n");
  bhdbstype avp{};
  CopyField(avp.id, "P1");
  SetBit(avp.bit, kBitAvp);
  db.Ny(1, &avp);
  Borehole("B2", SndHeader(100, 200, 10) + "*\n");
  std::vector<std::pair<int, int>> told;
  utv.SetProgress([&told](int done, int total) { told.emplace_back(done, total); });
  ASSERT_EQ(Scan(), 0);
  const std::vector<std::pair<int, int>> expected = {{1, 3}, {2, 3}, {3, 3}};
  EXPECT_EQ(told, expected);
}

}  // namespace
}  // namespace geoproj::test
