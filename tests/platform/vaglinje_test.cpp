#include <geoproj/platform/vaglinje.h>

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>

namespace {

struct Point {
  double x, y, sek;
};

void Build(CVaglinje& line, std::initializer_list<Point> points) {
  for (const Point& p : points) {
    kovltype k{p.x, p.y, 0.0, p.sek};
    line.Ny(1, &k);
  }
}

struct Case {
  double x, y;
  int rc;  // Vagstv's answer
  double sek, avst;
  int outside;  // PktIomr's answer
};

void Check(CVaglinje& line, const Case& c) {
  double sek = -1e9, avst = -1e9;
  EXPECT_EQ(c.rc, line.Vagstv(c.x, c.y, &sek, &avst)) << c.x << "," << c.y;
  EXPECT_NEAR(c.sek, sek, 1e-9) << c.x << "," << c.y;
  EXPECT_NEAR(c.avst, avst, 1e-9) << c.x << "," << c.y;
  double s2 = -1e9, a2 = -1e9;
  EXPECT_EQ(c.outside, line.PktIomr(c.x, c.y, &s2, &a2)) << c.x << "," << c.y;
  EXPECT_EQ(sek, s2);
  EXPECT_EQ(avst, a2);
  EXPECT_EQ(c.outside, line.PktIomr(c.x, c.y)) << c.x << "," << c.y;
}

TEST(Vaglinje, StraightLine) {
  CVaglinje line;
  Build(line, {{0, 0, 1000}, {40, 0, 1040}, {100, 0, 1100}});
  line.SetHalvbredd(20.0);
  const Case cases[] = {
      {50, 0, 0, 1050, 0, 0},          // on the line
      {40, 0, 0, 1040, 0, 0},          // on a point
      {50, 10, 0, 1050, 10, 0},        // left
      {50, -10, 0, 1050, -10, 0},      // right
      {70, 20, 0, 1070, 20, 0},        // on the corridor's edge
      {70, -20.5, 0, 1070, -20.5, 1},  // just beyond it
      {0, 5, 0, 1000, 5, 0},           // on the perpendicular at the start
      {100, -5, 0, 1100, -5, 0},       // on the perpendicular at the end
      {-10, 5, 1, 990, 5, 1},          // before the start
      {110, -3, 1, 1110, -3, 1},       // after the end
  };
  for (const Case& c : cases) Check(line, c);
}

TEST(Vaglinje, LShapedLineTurningLeft) {
  CVaglinje line;
  // The second leg's stations run at half the geometric rate: they are interpolated, not
  // measured.
  Build(line, {{0, 0, 1000}, {100, 0, 1100}, {100, 100, 1150}});
  line.SetHalvbredd(12.0);
  const double diag = std::sqrt(200.0);
  const Case cases[] = {
      {50, 10, 0, 1050, 10, 0},
      {90, 10, 0, 1090, 10, 0},        // inside corner, equally near both legs: the first
      {95, 20, 0, 1110, 5, 0},         // inside corner, nearer the second leg
      {110, 50, 0, 1125, -10, 0},      // right of the second leg
      {100, -10, 0, 1100, -10, 0},     // right, on the perpendicular at the corner
      {110, 0, 0, 1100, -10, 0},       // beyond the corner, in line with the first leg
      {110, -10, 0, 1100, -diag, 1},   // outside the bend: distance to the corner
      {-5, 0, 1, 995, 0, 1},           // before the start
      {105, 105, 1, 1152.5, -5, 1},    // after the end
      {100, 110, 1, 1155, 0, 1},
  };
  for (const Case& c : cases) Check(line, c);
}

TEST(Vaglinje, RightTurnMirrorsTheSides) {
  CVaglinje line;
  Build(line, {{0, 0, 0}, {100, 0, 100}, {100, -100, 200}});
  const Case cases[] = {
      {110, 10, 0, 100, std::sqrt(200.0), 0},  // outside the bend, now on the left
      {90, -10, 0, 90, -10, 0},                // inside corner, first leg
      {50, 10, 0, 50, 10, 0},
  };
  for (const Case& c : cases) Check(line, c);
}

TEST(Vaglinje, FewerThanTwoPointsGiveNothing) {
  for (int points = 0; points < 2; ++points) {
    CVaglinje line;
    if (points) Build(line, {{0, 0, 0}});
    double sek = 7, avst = 8;
    EXPECT_EQ(-1, line.Vagstv(0, 0, &sek, &avst));
    EXPECT_EQ(1, line.PktIomr(0, 0, &sek, &avst));
    EXPECT_EQ(7, sek);
    EXPECT_EQ(8, avst);
  }
}

TEST(Vaglinje, RepeatedPointDoesNotBreakTheLine) {
  CVaglinje line;
  Build(line, {{0, 0, 0}, {50, 0, 50}, {50, 0, 50}, {100, 0, 100}});
  const Case cases[] = {
      {50, 3, 0, 50, 3, 0},
      {75, -4, 0, 75, -4, 0},
      {25, 4, 0, 25, 4, 0},
  };
  for (const Case& c : cases) Check(line, c);
}

TEST(Vaglinje, QueriesLeaveTheCursorAlone) {
  CVaglinje line;
  Build(line, {{0, 0, 0}, {10, 0, 10}, {20, 0, 20}});
  line.Home();
  line++;
  double sek = 0, avst = 0;
  line.Vagstv(15, 1, &sek, &avst);
  line.PktIomr(15, 1);
  int count = 0;
  EXPECT_EQ(2, line.Where(&count));
  EXPECT_EQ(10.0, line.Get_aktel()->x);
  EXPECT_EQ(50.0, line.Halvbredd());
}

}  // namespace
