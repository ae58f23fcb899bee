#include <geoproj/platform/date_time.h>

#include <gtest/gtest.h>

#include <ctime>
#include <limits>

#include "support/temp_dir.h"

namespace geoproj {
namespace {

TEST(OleDate, KnownValues) {
  const struct {
    DateTime t;
    double ole;
  } cases[] = {
      {{1899, 12, 30, 0, 0, 0}, 0.0},
      {{1900, 1, 1, 0, 0, 0}, 2.0},
      {{2019, 3, 15, 0, 0, 0}, 43539.0},
      {{1899, 12, 29, 6, 0, 0}, -1.25},
      {{1899, 12, 30, 12, 0, 0}, 0.5},
      {{2000, 2, 29, 18, 0, 0}, 36585.75},
      {{1800, 1, 1, 0, 0, 0}, -36522.0},
  };
  for (const auto& c : cases) {
    EXPECT_DOUBLE_EQ(ToOleDate(c.t), c.ole) << c.ole;
    DateTime back;
    ASSERT_TRUE(FromOleDate(c.ole, &back));
    EXPECT_EQ(FormatDate(back), FormatDate(c.t)) << c.ole;
    EXPECT_EQ(back.hour, c.t.hour) << c.ole;
    EXPECT_EQ(back.minute, c.t.minute) << c.ole;
  }
}

TEST(OleDate, RoundsToTheSecondAcrossMidnight) {
  DateTime t;
  ASSERT_TRUE(FromOleDate(43539.0 + 86399.9 / 86400.0, &t));
  EXPECT_EQ(FormatDate(t), "16.03.2019");
  EXPECT_EQ(t.hour, 0);
  ASSERT_TRUE(FromOleDate(43539.0 + (13 * 3600 + 14 * 60 + 15) / 86400.0, &t));
  EXPECT_EQ(t.hour, 13);
  EXPECT_EQ(t.minute, 14);
  EXPECT_EQ(t.second, 15);
  EXPECT_FALSE(FromOleDate(1e12, &t));
  EXPECT_FALSE(FromOleDate(std::numeric_limits<double>::quiet_NaN(), &t));
}

TEST(DateTimeCheck, ValidDates) {
  EXPECT_TRUE(IsValidDateTime({2024, 2, 29, 0, 0, 0}));
  EXPECT_FALSE(IsValidDateTime({2023, 2, 29, 0, 0, 0}));
  EXPECT_FALSE(IsValidDateTime({2023, 13, 1, 0, 0, 0}));
  EXPECT_FALSE(IsValidDateTime({2023, 1, 1, 24, 0, 0}));
}

TEST(CalendarTime, LocalConversionsRoundTrip) {
  DateTime t{2021, 6, 1, 12, 30, 5};
  EXPECT_EQ(FormatDate(LocalFromTime(TimeFromLocal(t))), "01.06.2021");
  EXPECT_EQ(LocalFromTime(TimeFromLocal(t)).second, 5);
}

TEST(FileTimes, AreTodayForANewFile) {
  test::TempDir dir;
  dir.write("a", "x");
  DateTime created, modified;
  ASSERT_TRUE(FileTimes(dir.file("A"), &created, &modified));
  EXPECT_EQ(FormatDate(modified), FormatDate(LocalNow()));
  EXPECT_EQ(FormatDate(created), FormatDate(LocalNow()));
  EXPECT_FALSE(FileTimes(dir.file("none"), &created, &modified));
}

}  // namespace
}  // namespace geoproj
