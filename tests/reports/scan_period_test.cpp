// The period texts of an evaluation are read as "%d%*c%d%*c%d" reads them: the scan's own
// reading must take exactly the texts the C library takes, with the same numbers.
#include "reports/scan_period.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace geoproj {
namespace {

TEST(ScanPeriod, ReadsDaysAsTheFormatDoes) {
  const char* texts[] = {"15.03.2019", "1.3.2019",   "15-03-2019",    "15/03/2019", "15 03 2019",
                         "15  03 2019", "15.\n03.2019", "15.03.2019abc", "-1.-2.-3",  "+1.+2.+3",
                         " 15 . 03 . 2019", "15..2019", "15.3",       "15.3.",      "15.3.x",
                         "x15.03.2019", "15.03.", "15", "2019-05-03", ".15.03.2019", "\t7,8,2020"};
  for (const char* text : texts) {
    int day = 0, month = 0, year = 0;
    const bool expected = std::sscanf(text, "%d%*c%d%*c%d", &day, &month, &year) == 3;
    ScanPeriod period;
    EXPECT_EQ(period.Set(text, ""), expected) << text;
    if (!expected) continue;
    char same[48], before[48], after[48];
    std::snprintf(same, sizeof same, "%d.%d.%d", day, month, year);
    std::snprintf(before, sizeof before, "%d.%d.%d", day - 1, month, year);
    std::snprintf(after, sizeof after, "%d.%d.%d", day, month, year + 1);
    ASSERT_TRUE(period.Set(text, text)) << text;
    EXPECT_TRUE(period.Contains(same)) << text;
    EXPECT_FALSE(period.Contains(before)) << text;
    EXPECT_FALSE(period.Contains(after)) << text;
  }
}

TEST(ScanPeriod, ComparesYearThenMonthThenDay) {
  ScanPeriod period;
  ASSERT_TRUE(period.Set("30.11.2019", "02.01.2020"));
  struct Case {
    const char* date;
    bool inside;
  };
  const Case cases[] = {{"30.11.2019", true}, {"29.11.2019", false}, {"01.12.2019", true},
                        {"31.12.2019", true}, {"02.01.2020", true},  {"03.01.2020", false},
                        {"01.01.2019", false}, {"15.06.2020", false}, {"", false},
                        {"-", false}};
  for (const Case& c : cases) EXPECT_EQ(period.Contains(c.date), c.inside) << c.date;
}

}  // namespace
}  // namespace geoproj
