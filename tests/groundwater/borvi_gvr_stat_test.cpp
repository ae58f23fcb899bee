// Readings in time: statistics over periods, look-ups by date, level shifts.
#include <geoproj/groundwater/borvi_gvr.h>
#include <geoproj/platform/date_time.h>

#include <gtest/gtest.h>

#include <stdexcept>

#include "groundwater/gvr_fixture.h"

namespace geoproj::test {
namespace {

struct Reading {
  int y, m, d;
  float level;
  const char* flag;
  const char* status;
  const char* time;
};

void Fill(CBorviGvr& gvr, std::initializer_list<Reading> readings) {
  for (const Reading& r : readings) {
    rortype rec{};
    rec.ar = r.y;
    rec.man = r.m;
    rec.dag = r.d;
    rec.niva = r.level;
    CopyField(rec.flagga, r.flag);
    CopyField(rec.status, r.status);
    CopyField(rec.tid, r.time);
    gvr.Ny(1, &rec);
  }
}

OleDateTime Day(int y, int m, int d, int h = 0, int min = 0) { return MakeOleDateTime(y, m, d, h, min); }

TEST(GvrStat, PipeSkipsStatusWordsNoValuesAndOtherFlags) {
  CBorviGvr gvr(1, nullptr, nullptr);
  Fill(gvr, {{2020, 1, 1, 2.0f, "J", "", ""},
             {2020, 2, 1, 3.0f, "J", "TORR", ""},
             {2020, 3, 1, 9.0f, "X", "", ""},
             {2020, 4, 1, -990.0f, "J", "", ""},
             {2020, 5, 1, 7.0f, "J", "FL\xD6" "DAR", ""},
             {2020, 6, 1, 8.0f, "J", "HINDER", ""},
             {2020, 7, 1, 4.0f, "J", "SPOLAT", ""}});
  double min = -1, max = -1, mean = -1;
  EXPECT_EQ(gvr.MinMaxMedel(&min, &max, &mean, nullptr, nullptr), 2);
  EXPECT_DOUBLE_EQ(min, 2.0);
  EXPECT_DOUBLE_EQ(max, 4.0);
  EXPECT_DOUBLE_EQ(mean, 3.0);
}

TEST(GvrStat, SettlementGivesSettlementsAndTheLastAsMean) {
  CBorviGvr gvr(1, nullptr, nullptr);
  gvr.dubbmod = 1;
  Fill(gvr, {{2020, 1, 1, 10.00f, "J", "", ""},
             {2020, 2, 1, 9.98f, "J", "", ""},
             {2020, 2, 15, 9.00f, "J", "OS\xC4KER", ""},
             {2020, 3, 1, 9.95f, "J", "", ""}});
  double min = 0, max = 0, mean = 0;
  EXPECT_EQ(gvr.MinMaxMedel(&min, &max, &mean, nullptr, nullptr), 3);
  EXPECT_NEAR(min, -0.05, 1e-6);
  EXPECT_NEAR(max, 0.0, 1e-6);
  EXPECT_NEAR(mean, -0.05, 1e-6);
}

TEST(GvrStat, PeriodsAreInclusiveToTheHalfSecond) {
  CBorviGvr gvr(1, nullptr, nullptr);
  gvr.tidflagga = 1;
  Fill(gvr, {{2020, 1, 1, 1.0f, "J", "", "12:00"},
             {2020, 1, 2, 2.0f, "J", "", "12:00"},
             {2020, 1, 3, 3.0f, "J", "", "12:00"},
             {2020, 1, 4, 4.0f, "J", "", "12:00"}});
  const double halfSecond = 0.49 / 86400.0;
  const struct {
    OleDateTime from, to;
    int count;
    double min, max, mean;
  } cases[] = {
      {Day(2020, 1, 2, 12), Day(2020, 1, 3, 12), 2, 2.0, 3.0, 2.5},
      {{Day(2020, 1, 2, 12).dt + halfSecond, true}, {Day(2020, 1, 3, 12).dt - halfSecond, true}, 2, 2.0, 3.0, 2.5},
      {Day(2020, 1, 2, 12, 1), Day(2020, 1, 3, 11, 59), 0, 0, 0, 0},
      {Day(2019, 1, 1), Day(2030, 1, 1), 4, 1.0, 4.0, 2.5},
      {Day(2020, 1, 4, 12), Day(2020, 1, 4, 12), 1, 4.0, 4.0, 4.0},
  };
  for (const auto& c : cases) {
    double min = -7, max = -7, mean = -7;
    const int count = gvr.MinMaxMedel(&min, &max, &mean, &c.from, &c.to);
    EXPECT_EQ(count, c.count);
    if (count == 0) continue;
    EXPECT_DOUBLE_EQ(min, c.min);
    EXPECT_DOUBLE_EQ(max, c.max);
    EXPECT_DOUBLE_EQ(mean, c.mean);
  }
  double min = 0, max = 0, mean = 0;
  const OleDateTime from = Day(2020, 1, 1);
  EXPECT_EQ(gvr.MinMaxMedel(&min, &max, &mean, &from, nullptr), 0);
}

TEST(GvrStat, EmptyListGivesZeros) {
  CBorviGvr gvr(1, nullptr, nullptr);
  double min = 5, max = 5, mean = 5;
  EXPECT_EQ(gvr.MinMaxMedel(&min, &max, &mean, nullptr, nullptr), 0);
  EXPECT_EQ(min, 0.0);
  EXPECT_EQ(max, 0.0);
  EXPECT_EQ(mean, 0.0);
}

TEST(GvrStat, SortsByDateThenTimeBeforeWriting) {
  TempDir dir;
  CBorviGvr gvr(1, nullptr, nullptr);
  CopyField(gvr.typ, "GD");
  gvr.tidflagga = 1;
  Fill(gvr, {{2021, 1, 1, 1.0f, "J", "", "08:00"},
             {2020, 5, 3, 2.0f, "J", "", "14:00"},
             {2020, 5, 3, 3.0f, "J", "", ""},
             {2020, 5, 3, 4.0f, "J", "", "09:00"}});
  CStdioFileMem out;
  out.SetFilePath(dir.file("S.GVR"));
  ASSERT_EQ(gvr.Uppdat(&out, "S"), 0);
  const std::string bytes = dir.read("S.GVR");
  const std::size_t a = bytes.find(OnDisk(PipeReading(2020, 5, 3, 3.0, "J", "", "", "")));
  const std::size_t b = bytes.find(OnDisk(PipeReading(2020, 5, 3, 4.0, "J", "", "", "09:00")));
  const std::size_t c = bytes.find(OnDisk(PipeReading(2020, 5, 3, 2.0, "J", "", "", "14:00")));
  const std::size_t d = bytes.find(OnDisk(PipeReading(2021, 1, 1, 1.0, "J", "", "", "08:00")));
  ASSERT_NE(d, std::string::npos);
  EXPECT_LT(a, b);
  EXPECT_LT(b, c);
  EXPECT_LT(c, d);
}

TEST(GvrFind, DatumMatchesDateAndTimeIgnoringCase) {
  CBorviGvr gvr(1, nullptr, nullptr);
  Fill(gvr, {{2020, 5, 3, 1.0f, "J", "", "08:15"}, {2020, 5, 4, 2.0f, "J", "", ""}, {2020, 5, 5, 3.0f, "J", "", "00:00"}});
  EXPECT_EQ(gvr.FindDatum(Day(2020, 5, 3, 8, 15)), 1);
  EXPECT_FLOAT_EQ(gvr.Get_aktel()->niva, 1.0f);
  EXPECT_EQ(gvr.FindDatum(Day(2020, 5, 3, 8, 16)), 0);
  EXPECT_EQ(gvr.FindDatum(Day(2020, 5, 4, 17, 0)), 1);  // no time: the date alone
  EXPECT_FLOAT_EQ(gvr.Get_aktel()->niva, 2.0f);
  EXPECT_EQ(gvr.FindDatum(OleDateTime{}), 0);
  EXPECT_EQ(gvr.FindDatum(TimeFromLocal({2020, 5, 5, 0, 0, 0})), 1);
  EXPECT_FLOAT_EQ(gvr.Get_aktel()->niva, 3.0f);
}

TEST(GvrFind, DrawingPointByMonthLevelAndStatus) {
  CBorviGvr gvr(1, nullptr, nullptr);
  Fill(gvr, {{2020, 5, 3, 1.0f, "J", "", ""}, {2020, 5, 9, 1.0f, "X", "TORR", ""}, {2020, 5, 20, 1.0f, "X", "", ""}});
  rortype r{};
  r.ar = 2020;
  r.man = 5;
  r.dag = 1;
  r.niva = 1.0005f;
  EXPECT_EQ(gvr.FindRitX(&r), 1);
  EXPECT_EQ(gvr.Get_aktel()->dag, 20);
  r.niva = 1.002f;
  EXPECT_EQ(gvr.FindRitX(&r), 0);
}

TEST(GvrTime, OleTimeAndCalendarTime) {
  CBorviGvr gvr(1, nullptr, nullptr);
  Fill(gvr, {{2020, 5, 3, 1.0f, "J", "", "08:15"}, {1899, 5, 3, 1.0f, "J", "", ""}, {2020, 13, 3, 1.0f, "J", "", ""}});
  gvr.tidflagga = 1;
  gvr.Home();
  OleDateTime t;
  gvr.GetOleTime(&t);
  EXPECT_TRUE(t.valid);
  EXPECT_DOUBLE_EQ(t.dt, Day(2020, 5, 3, 8, 15).dt);
  std::time_t calendar = 0;
  gvr.GetTime(&calendar);
  EXPECT_EQ(calendar, TimeFromLocal({2020, 5, 3, 8, 15, 0}));
  gvr.tidflagga = 0;
  gvr.GetOleTime(&t);
  EXPECT_DOUBLE_EQ(t.dt, Day(2020, 5, 3).dt);
  gvr++;
  EXPECT_THROW(gvr.GetTime(&calendar), std::out_of_range);
  gvr++;
  gvr.GetOleTime(&t);
  EXPECT_FALSE(t.valid);
  EXPECT_THROW(gvr.GetTime(&calendar), std::out_of_range);
}

TEST(GvrLevels, AddDZMovesLevelsButNotNoValueMarkers) {
  CBorviGvr gvr(1, nullptr, nullptr);
  gvr.varde1 = 8.0f;
  gvr.varde2 = 4.0f;
  Fill(gvr, {{2020, 5, 3, 1.0f, "J", "", ""}, {2020, 5, 4, -999.0f, "J", "", ""}});
  gvr.AddDZ(100.0);
  EXPECT_FLOAT_EQ(gvr.varde1, 108.0f);
  EXPECT_FLOAT_EQ(gvr.varde2, 104.0f);
  gvr.Home();
  EXPECT_FLOAT_EQ(gvr.Get_aktel()->niva, 101.0f);
  gvr++;
  EXPECT_FLOAT_EQ(gvr.Get_aktel()->niva, -999.0f);
}

TEST(GvrTables, StatusWordsAndKinds) {
  EXPECT_EQ(CBorviGvr::m_antsymb, 9);
  EXPECT_STREQ(CBorviGvr::m_symbol[1], "FL\xD6" "DAR");
  EXPECT_STREQ(CBorviGvr::m_kort[8], "FR");
  EXPECT_STREQ(CBorviGvr::m_dubsymbol[2], "OS\xC4KER");
  EXPECT_STREQ(CBorviGvr::m_typer[0], "R\xD6");
  EXPECT_EQ(CBorviGvr::m_anttyper, 8);
}

}  // namespace
}  // namespace geoproj::test

namespace geoproj::test {
namespace {

// The mean written for a settlement point is the last settlement from the earliest reading,
// whatever order the host added the readings in.
TEST(GvrStat, SettlementMeanIsTakenInDateOrder) {
  TempDir dir;
  CBorviGvr gvr(1, nullptr, nullptr);
  CopyField(gvr.typ, "MP");
  gvr.dubbmod = 1;
  Fill(gvr, {{2020, 3, 1, 9.95f, "J", "", ""}, {2020, 1, 1, 10.0f, "J", "", ""}, {2020, 2, 1, 9.98f, "J", "", ""}});
  CStdioFileMem out;
  out.SetFilePath(dir.file("S.GVR"));
  ASSERT_EQ(gvr.Uppdat(&out, "S"), 0);
  EXPECT_NEAR(gvr.medelniva, -0.05f, 1e-5);
}

}  // namespace
}  // namespace geoproj::test
