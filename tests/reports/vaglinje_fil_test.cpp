// The road alignment file of an evaluation: its points, what it passes over, and the lines it
// reports as dropped.
#include <geoproj/reports/vaglinje_fil.h>

#include <gtest/gtest.h>

#include <string>

#include <geoproj/platform/vaglinje.h>

#include "support/status_log.h"
#include "support/temp_dir.h"

namespace geoproj::test {
namespace {

TEST(VaglinjeFil, ReadsPointsAndReportsWhatIsNoPoint) {
  TempDir dir;
  StatusLog status;
  const std::string path = dir.write(
      "line.txt",
      "**\r\nLINJE\r\n*\r\n0 0 10 1000\r\n\r\n100.5 0 10.5 1100.5\r\nnot a point\r\n"
      "1 2 3\r\nnan 0 0 0\r\n200 0 11 1200 trailing\r\n\x01\x02\r\n*\r\n");
  CVaglinje line;
  int dropped = -1;
  ASSERT_EQ(ReadVaglinjeFil(path, &line, &dropped), 0);
  int points = 0;
  line.Where(&points);
  ASSERT_EQ(points, 3);
  line.End();
  EXPECT_DOUBLE_EQ(line.Get_aktel()->sek, 1200.0);
  EXPECT_EQ(dropped, 4);
  EXPECT_TRUE(status.Contains(path + ", line 7: alignment point does not parse"));
  EXPECT_TRUE(status.Contains(path + ", line 8: alignment point does not parse"));
  EXPECT_TRUE(status.Contains(path + ", line 9: alignment point does not parse"));
  EXPECT_TRUE(status.Contains(path + ", line 11: binary garbage"));
  double sek = 0, avst = 0;
  EXPECT_EQ(line.PktIomr(50, 5, &sek, &avst), 0);
  EXPECT_NEAR(sek, 1050.0, 0.5);
}

TEST(VaglinjeFil, MissingFile) {
  TempDir dir;
  CVaglinje line;
  EXPECT_EQ(ReadVaglinjeFil(dir.file("none.txt"), &line), -1);
  EXPECT_EQ(ReadVaglinjeFil(dir.file("none.txt"), nullptr), -1);
}

}  // namespace
}  // namespace geoproj::test
