// ID.MTN: byte-exact round trips, the statistics of measurements, the status bits.
#include <geoproj/groundwater/borvi_mtn.h>
#include <geoproj/groundwater/mtn_kol.h>
#include <geoproj/platform/vaglinje.h>
#include <geoproj/sounding/borvi_snd.h>

#include <gtest/gtest.h>

#include "groundwater/gvr_fixture.h"

namespace geoproj::test {
namespace {

using MtnFile = GroundwaterTest;

std::string MtnHead(const char* method) {
  return std::string("1000.000000 text ett\n2000.000000 \n12.500000 0.5\n9999999.900000\n0.000000\n"
                     "30 1.250000\nr\xF6r 1\n\nsista\n\n**\n") +
         method + " andra\n*\n";
}

std::string Measurement(const char* header, const char* comment, std::initializer_list<const char*> rows) {
  std::string text = std::string(header) + "\n" + comment + "\n";
  for (const char* row : rows) text += std::string(row) + "\n";
  return text + "*\n";
}

std::string Row(double pos, double value, const char* text) { return Format("%9.2f %10.4f %s", pos, value, text); }

struct ReadMtn {
  ReadMtn(TempDir& dir, const std::string& path) : mtn(1, &snd) {
    CStdioFileMem file;
    file.SetFilePath(path);
    read = mtn.Init(&file, "M1");
    CStdioFileMem out;
    out.SetFilePath(dir.file("OUT.MTN"));
    written = mtn.Uppdat(&out, "M1");
    bytes = dir.read("OUT.MTN");
  }
  CBorviSnd snd;
  CBorviMtn mtn;
  int read = 0, written = 0;
  std::string bytes;
};

TEST_F(MtnFile, CanonicalFilesRoundTripByteForByte) {
  const std::string r1 = Row(0.5, 12.3456, "a"), r2 = Row(1.0, -990.0, ""), r3 = Row(1.5, 0.25, "topp");
  const std::string cases[] = {
      MtnHead("INKL") + Measurement(" 2020 5 3 08:15 J", "f\xF6rsta m\xE4tningen", {r1.c_str(), r2.c_str()}) +
          Measurement(" 2020 6 3 10:00 N", "", {r3.c_str()}) + "*\n" +
          "**\nLINJE\n*\n100.000000 200.000000 3.000000 0.000000\n110.000000 210.000000 3.500000 14.142136\n*\n",
      MtnHead("SLAN") + Measurement(" 2020 5 3 08:15 J", "", {}) + "*\n",
      MtnHead("FL\xD6" "D") + "*\n",
  };
  for (const std::string& lf : cases) {
    ReadMtn rw(dir, Put("M1.MTN", lf));
    EXPECT_EQ(rw.read, 0);
    EXPECT_EQ(rw.written, 0);
    EXPECT_EQ(rw.mtn.m_droppedContent, 0);
    EXPECT_EQ(rw.bytes, OnDisk(lf));
  }
}

// An older file: DOS letters, numbers as typed, rows unpadded, no text after the numbers.
TEST_F(MtnFile, OlderFormIsWrittenInTheCurrentForm) {
  const std::string old = "1000\n2000\n12.5\n9999999.9\n0\n30 1.25\nr\x94r 1\n**\nFL\x99" "D\n*\n"
                          " 2020 5 3 08:15 J\nf\x94rsta\n0.5 12.3456 a\n1 -990\n*\n*\n";
  ReadMtn rw(dir, Put("M1.MTN", old));
  EXPECT_EQ(rw.mtn.m_droppedContent, 0);
  EXPECT_STREQ(rw.mtn.metod, "FL\xD6" "D");
  const std::string expected =
      "1000.000000 \n2000.000000 \n12.500000 \n9999999.900000\n0.000000\n30 1.250000\n"
      "r\xF6r 1\n\n\n\n**\nFL\xD6" "D \n*\n 2020 5 3 08:15 J\nf\xF6rsta\n" +
      Row(0.5, 12.3456, "a") + "\n" + Row(1.0, -990.0, "") + "\n*\n*\n";
  EXPECT_EQ(rw.bytes, OnDisk(expected));
  bhbit bits{};
  rw.mtn.MtnStat(&bits);
  EXPECT_EQ(bits.b[6] & 0x1F, 3);
}

TEST_F(MtnFile, FieldsRead) {
  const std::string r1 = Row(0.5, 12.3456, "a");
  const std::string comment(80, 'k');
  ReadMtn rw(dir, Put("M1.MTN", MtnHead("INKL") + Measurement(" 2020 5 3 08:15 JA", comment.c_str(), {r1.c_str()}) + "*\n"));
  EXPECT_DOUBLE_EQ(rw.snd.hvarde[2], 12.5);
  EXPECT_EQ(rw.mtn.text1, "text ett");
  EXPECT_EQ(rw.mtn.text2, "");
  EXPECT_STREQ(rw.mtn.text3, "0.5");
  EXPECT_DOUBLE_EQ(rw.mtn.nummer3, 0.5);
  EXPECT_EQ(rw.snd.riktning, 30);
  EXPECT_DOUBLE_EQ(rw.mtn.nummer6, 1.25);
  EXPECT_EQ(rw.mtn.kommentar[0], "r\xF6r 1");
  EXPECT_STREQ(rw.mtn.metod, "INKL");
  EXPECT_EQ(rw.mtn.ord2, "andra");
  EXPECT_EQ(rw.mtn.vaglinje, nullptr);
  ASSERT_EQ(rw.mtn.Home(), 0);
  const mtntype& m = *rw.mtn.Get_aktel();
  EXPECT_EQ(m.ar, 2020);
  EXPECT_STREQ(m.tid, "08:15");
  EXPECT_STREQ(m.flagga, "J");
  EXPECT_EQ(std::string(m.kommentar), comment.substr(0, 69));
  ASSERT_EQ(m.kol->Home(), 0);
  EXPECT_DOUBLE_EQ(m.kol->Get_aktel()->pos, 0.5);
  EXPECT_DOUBLE_EQ(m.kol->Get_aktel()->varde, 12.3456);
  EXPECT_STREQ(m.kol->Get_aktel()->text, "a");
  EXPECT_EQ(rw.bytes.find("LINJE"), std::string::npos);
  EXPECT_EQ(rw.mtn.FindColumn(2020, 5, 3, 8, 15), 1);
  EXPECT_EQ(rw.mtn.FindColumn(2020, 5, 3, 8, 16), 0);
}

TEST_F(MtnFile, InclinometerFlagFollowsTheLongName) {
  ReadMtn rw(dir, Put("M1.MTN", MtnHead("Inklinometer") + "*\n"));
  EXPECT_EQ(rw.mtn.inklinometer, 1);
  ReadMtn code(dir, Put("M1.MTN", MtnHead("INKL") + "*\n"));
  EXPECT_EQ(code.mtn.inklinometer, 0);
}

TEST_F(MtnFile, ShortAlignmentLineIsShownAndAdded) {
  ReadMtn rw(dir, Put("M1.MTN", MtnHead("INKL") + "*\n**\nLINJE\n*\n1 2 3\n4 5 6 7\n*\n"));
  EXPECT_TRUE(status.Contains("Fel rad : 1 2 3"));
  ASSERT_NE(rw.mtn.vaglinje, nullptr);
  int points = 0;
  rw.mtn.vaglinje->Where(&points);
  EXPECT_EQ(points, 2);
}

TEST_F(MtnFile, MeasurementWithoutRowListKeepsTheNextOne) {
  CBorviMtn mtn(1, nullptr);
  CopyField(mtn.metod, "PP");
  mtntype m{};
  m.ar = 2020;
  CopyField(m.flagga, "J");
  mtn.Ny(1, &m);  // no row list
  m.ar = 2021;
  mtn.Ny(1, &m);
  mtn.NyKol();
  maetdatatype row{1.5, 2.0, "x"};
  mtn.Get_aktel()->kol->Ny(1, &row);
  CStdioFileMem out;
  out.SetFilePath(dir.file("N.MTN"));
  ASSERT_EQ(mtn.Uppdat(&out, "N"), 0);
  CBorviMtn back(1, nullptr);
  CStdioFileMem in;
  in.SetFilePath(dir.file("N.MTN"));
  back.Init(&in, "N");
  int antal = 0;
  back.Where(&antal);
  ASSERT_EQ(antal, 2);
  back.End();
  EXPECT_EQ(back.Get_aktel()->ar, 2021);
  EXPECT_STREQ(back.Get_aktel()->tid, "00:00");
  int rows = 0;
  back.Get_aktel()->kol->Where(&rows);
  EXPECT_EQ(rows, 1);
}

TEST_F(MtnFile, MissingFileLeavesTheObjectEmpty) {
  CBorviMtn mtn;
  CStdioFileMem file;
  file.SetFilePath(dir.file("NONE.MTN"));
  EXPECT_EQ(mtn.Init(&file, "NONE"), 0);
  int antal = 0;
  mtn.Where(&antal);
  EXPECT_EQ(antal, 0);
}

// Measurements of one value each unless told; the method decides the reference.
void Fill(CBorviMtn& mtn, const char* method,
          std::initializer_list<std::tuple<int, const char*, std::vector<double>>> measurements) {
  CopyField(mtn.metod, method);
  for (const auto& [day, flag, values] : measurements) {
    mtntype m{};
    m.ar = 2020;
    m.man = 1;
    m.dag = day;
    CopyField(m.tid, "12:00");
    CopyField(m.flagga, flag);
    mtn.Ny(1, &m);
    mtn.NyKol();
    for (double v : values) {
      maetdatatype row{v, 0.0, ""};
      mtn.Get_aktel()->kol->Ny(1, &row);
    }
  }
}

TEST(MtnStat, SlanWithoutPeriodIsTheSecondMinusTheFirstInThousandths) {
  CBorviMtn mtn;
  Fill(mtn, "SLAN", {{1, "J", {10.0, 20.0}}, {2, "J", {9.998, 19.9}}, {3, "J", {9.990, 19.5}}});
  double min = 0, max = 0, mean = 0;
  EXPECT_EQ(mtn.MinMaxMedel(&min, &max, &mean, nullptr, nullptr), 1);
  EXPECT_NEAR(min, -2.0, 1e-9);
  EXPECT_NEAR(max, -2.0, 1e-9);
  EXPECT_NEAR(mean, -2.0, 1e-9);
}

TEST(MtnStat, PeriodCountsEveryRowOfCountedMeasurements) {
  CBorviMtn mtn;
  Fill(mtn, "INKL", {{1, "J", {1.0, 2.0}}, {2, "N", {50.0}}, {3, "J", {3.0, -990.0, 4.0}}, {5, "J", {99.0}}});
  const OleDateTime from = MakeOleDateTime(2020, 1, 1, 12), to = MakeOleDateTime(2020, 1, 3, 12);
  double min = 0, max = 0, mean = 0;
  EXPECT_EQ(mtn.MinMaxMedel(&min, &max, &mean, &from, &to), 4);
  EXPECT_DOUBLE_EQ(min, 1.0);
  EXPECT_DOUBLE_EQ(max, 4.0);
  EXPECT_DOUBLE_EQ(mean, 2.5);
  const OleDateTime late = MakeOleDateTime(2020, 1, 10), later = MakeOleDateTime(2020, 1, 11);
  EXPECT_EQ(mtn.MinMaxMedel(&min, &max, &mean, &late, &later), 0);
}

TEST(MtnStat, SlanPeriodSubtractsTheReferenceRowByRow) {
  CBorviMtn mtn;
  Fill(mtn, "SLAN", {{1, "J", {10.0, 20.0}}, {2, "J", {9.999, 19.998}}, {3, "J", {9.997, 19.990}}});
  const OleDateTime from = MakeOleDateTime(2020, 1, 2), to = MakeOleDateTime(2020, 1, 4);
  double min = 0, max = 0, mean = 0;
  EXPECT_EQ(mtn.MinMaxMedel(&min, &max, &mean, &from, &to), 4);
  EXPECT_NEAR(min, -10.0, 1e-6);
  EXPECT_NEAR(max, -1.0, 1e-6);
  EXPECT_NEAR(mean, (-1.0 - 2.0 - 3.0 - 10.0) / 4, 1e-6);
}

TEST(MtnStat, EmptyAndReferenceOnly) {
  CBorviMtn empty;
  double min = 7, max = 7, mean = 7;
  EXPECT_EQ(empty.MinMaxMedel(&min, &max, &mean, nullptr, nullptr), 0);
  EXPECT_EQ(mean, 0.0);
  CBorviMtn only;
  Fill(only, "SLAN", {{1, "J", {10.0}}});
  min = max = mean = 7;
  EXPECT_EQ(only.MinMaxMedel(&min, &max, &mean, nullptr, nullptr), 0);
  EXPECT_EQ(mean, 7.0);
}

TEST(MtnBits, KindAndMethod) {
  const struct {
    const char* method;
    unsigned char byte6;
  } cases[] = {{"INKL", 0xE1}, {"SLAN", 0xE2}, {"FL\xD6" "D", 0xE3}, {"PP", 0xE4}, {"XX", 0xFF}};
  for (const auto& c : cases) {
    CBorviMtn mtn;
    CopyField(mtn.metod, c.method);
    bhbit bits{};
    bits.b[2] = 0xFF;
    bits.b[6] = 0xFF;
    mtn.MtnStat(&bits);
    EXPECT_EQ(bits.b[2], 0xF9);
    EXPECT_EQ(bits.b[6], c.byte6) << c.method;
  }
}

}  // namespace
}  // namespace geoproj::test
