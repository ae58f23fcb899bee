// A record line built field by field must be the bytes the block's printf format gives.
#include <geoproj/foundation/record_line.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <random>
#include <string>

namespace {

std::string CFormat(const char* format, double d, long l) {
  char buffer[1024];
  std::snprintf(buffer, sizeof buffer, format, d, l);
  return buffer;
}

TEST(RecordLineTest, FieldsMatchTheirPrintfConversions) {
  const double inf = std::numeric_limits<double>::infinity();
  const double values[] = {0.0, -0.0, 0.0005, -0.0005, 2.5, 12.3456, 0.0625, 99999.9995, 1e15,
                           -1e-9, 1e300, std::numeric_limits<double>::max(), inf, -inf,
                           std::nan("")};
  const long longs[] = {0, -1, 12345, -99999, std::numeric_limits<long>::min()};
  for (double d : values)
    for (long l : longs) {
      geoproj::RecordLine line;
      geoproj::RecordLine measured{geoproj::RecordLine::Measure{}};
      for (geoproj::RecordLine* l2 : {&line, &measured})
        l2->Fixed(d, 7, 3).Blank().Integer(l, 4).Blank().Text("SL").Fixed(d, 0, 0).Integer(l);
      EXPECT_EQ(line.View(), CFormat("%7.3f %4ld SL", d, l) + CFormat("%.0f%ld", d, l)) << d;
      EXPECT_EQ(measured.Size(), line.Size()) << d;
    }
}

// Depths around the values where a number stops fitting its column (99999.9995 in "%9.3f" is
// "100000.000", -9999.9995 is "-10000.000"), so the measured width is checked where it changes.
TEST(RecordLineTest, RandomDepthsMatchAndTheBufferServesLineAfterLine) {
  std::mt19937_64 random(20261210);
  std::uniform_real_distribution<double> depth(-100000.0, 100000.0);
  geoproj::RecordLine line;
  geoproj::RecordLine measured{geoproj::RecordLine::Measure{}};
  for (int i = 0; i < 200000; ++i) {
    const double d = static_cast<double>(static_cast<float>(depth(random)));
    const double boundary = std::round(d * 1000.0) / 1000.0 + 0.0005;
    const double edge = (d < 0 ? -9999.9995 : 99999.9995) + (d - std::trunc(d)) * 1e-6;
    for (double v : {d, boundary, edge}) {
      line.Clear();
      measured.Clear();
      line.Fixed(v, 9, 3).Blank().Integer(i, 5);
      measured.Fixed(v, 9, 3).Blank().Integer(i, 5);
      ASSERT_EQ(line.View(), CFormat("%9.3f %5ld", v, i)) << v;
      ASSERT_EQ(measured.Size(), line.Size()) << v;
    }
  }
}

TEST(RecordLineTest, LongLinesGrowAndPaddingStopsAtTheColumn) {
  geoproj::RecordLine line;
  std::string expected;
  for (int i = 0; i < 50; ++i) {
    line.Integer(i, 20).PadTo(line.Size() + 3).Text("x");
    expected += CFormat("%20.0f", i, 0) + "   x";
  }
  EXPECT_EQ(line.View(), expected);
  line.Clear();
  line.Text("ab").PadTo(1);
  EXPECT_EQ(line.View(), "ab");
}

}  // namespace
