// The quick printf and scanf must give exactly what the C library gives, for the record-line
// shapes they take and for everything they hand back.
#include "foundation/quick_print.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <string>

#include <geoproj/foundation/text_helpers.h>

namespace {

std::string CFormat(const char* format, double d, long l, const char* s) {
  char buffer[1024];
  std::snprintf(buffer, sizeof buffer, format, d, l, s);
  return buffer;
}

TEST(QuickFormatTest, RecordShapesMatchTheCLibrary) {
  const char* formats[] = {"%7.3f %4ld %s", "%9.3lf %5ld|%-6s|", "%f %ld %.2s", "%.0f%3ld%10s",
                           "%-9.1f%-4ld%s%%", "%.2f %ld %s", "%10.4f %ld %s", "%.5f %ld %s"};
  // Exact ties (0.0625, 0.125, 2.5) round half to even, as printf does.
  const double values[] = {0.0, -0.0, 0.0005, -0.0005, 0.0015, 1.0005, 2.5, -2.5, 12.3456,
                           0.0625, -0.1875, 0.125, 0.375, 3.5, 1e13 + 0.5, 99999999999999.99,
                           99999.9995, 1e15, -1e-9, 123456789.125, 1e300, 5e-324,
                           std::numeric_limits<double>::max()};
  const long longs[] = {0, -1, 7, 12345, -99999, std::numeric_limits<long>::min()};
  for (const char* format : formats)
    for (double d : values)
      for (long l : longs)
        EXPECT_EQ(geoproj::Format(format, d, l, "SL"), CFormat(format, d, l, "SL"))
            << format << " " << d << " " << l;
}

TEST(QuickFormatTest, RandomDepthsAndFloatsMatch) {
  std::mt19937_64 random(20261210);
  std::uniform_real_distribution<double> depth(-100.0, 100.0);
  std::uniform_int_distribution<int> decimals(0, 5);
  for (int i = 0; i < 200000; ++i) {
    // Record depths are floats widened to double; values near a rounding boundary included.
    const double d = static_cast<double>(static_cast<float>(depth(random)));
    const double boundary = std::round(d * 1000.0) / 1000.0 + 0.0005;
    const std::string format = "%9." + std::to_string(decimals(random)) + "f %4ld";
    for (double v : {d, boundary, d * 1e9}) {
      const std::string quick = geoproj::Format(format.c_str(), v, static_cast<long>(i));
      ASSERT_EQ(quick, CFormat(format.c_str(), v, i, "")) << format << " " << v;
    }
  }
}

TEST(QuickFormatTest, WhatItDoesNotTakeIsTheCLibrarys) {
  const double inf = std::numeric_limits<double>::infinity();
  EXPECT_EQ(geoproj::Format("%7.3f|%07.2f|%+d|%x|%5.2d", inf, 3.14159, 5, 255, 7),
            "    inf|0003.14|+5|ff|   07");
  EXPECT_EQ(geoproj::Format("%7.3f", std::nan("")), "    nan");
  EXPECT_EQ(geoproj::Format("%c%-3c|%s", 'a', 'b', "x"), "ab  |x");
}

template <typename T>
bool SameBits(T a, T b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

// Scans text with both and compares the count and every field.
void ExpectSameScan(const char* text) {
  float f1 = -7, f2 = -7;
  long l1 = -7, l2 = -7, m1 = -7, m2 = -7;
  int n1 = -7, n2 = -7;
  const int quick = geoproj::ScanLine(text, "%f%ld%ld%n", &f1, &l1, &m1, &n1);
  const int c = std::sscanf(text, "%f%ld%ld%n", &f2, &l2, &m2, &n2);
  EXPECT_EQ(quick, c) << "'" << text << "'";
  EXPECT_TRUE(SameBits(f1, f2)) << text << ": " << f1 << " " << f2;
  EXPECT_EQ(l1, l2) << text;
  EXPECT_EQ(m1, m2) << text;
  EXPECT_EQ(n1, n2) << text;
  double d1 = -7, d2 = -7;
  int i1 = -7, i2 = -7;
  EXPECT_EQ(geoproj::ScanLine(text, " %lf %d", &d1, &i1), std::sscanf(text, " %lf %d", &d2, &i2))
      << text;
  EXPECT_TRUE(SameBits(d1, d2)) << text << ": " << d1 << " " << d2;
  EXPECT_EQ(i1, i2) << text;
}

TEST(ScanLineTest, CountsAndValuesMatchTheCLibrary) {
  const char* texts[] = {
      "  1.250   12    3  SL", "1.250 12", "1.250", "", "   ", "\t-0.000 -5 6", "-.5 7 8",
      "5. 7 8x", "12abc 4", "1.5.3 4", "1-2-3", "abc", "+1.5 +3 +4", "1e3 4 5", "1.5E-2 4 5",
      "0x1A 3 4", "inf 1 2", "nan 1 2", "- 4", "-x", ".", "1.0 99999999999999999999 1",
      "0.1000000000000000055511151231257827 1 2", "340282346638528859811704183484516925440.0 1 1",
      "1.0e999 1 1", "0.00000000000000000000000000000000000000000000001 1 1", "3 4 5 6 7",
      "  7.125\r\n", "1.0 2 3.5", "1.0 -0 -", "12345678901234567890.5 1 2", "1 2147483647",
      "1 -2147483648", "1 2147483648 3", "1 -2147483649 3", "1 999999999999999999 -999999999999999999",
      "1 9223372036854775807 -9223372036854775808", "1 0000000000000000000007 -0"};
  for (const char* text : texts) ExpectSameScan(text);
}

TEST(ScanLineTest, RandomRecordLinesMatch) {
  std::mt19937 random(42);
  std::uniform_int_distribution<int> pick(0, 15);
  const char alphabet[] = "0123456789 .-+eE";
  for (int i = 0; i < 50000; ++i) {
    std::string text;
    const int length = 1 + i % 24;
    for (int k = 0; k < length; ++k) text.push_back(alphabet[pick(random)]);
    ExpectSameScan(text.c_str());
  }
}

}  // namespace

namespace {

// Depths as files hold them: up to nine digits with the point anywhere, so the numbers read by
// one division (up to seven digits and ten decimals) and those read the long way both occur,
// each next to its neighbours across the limits.
TEST(ScanLineTest, ShortDecimalsReadAsTheCLibraryReadsThem) {
  const char* edges[] = {"16777215", "16777216", "1677721.5", "0.1677721", "0.0000000001",
                         "0.00000000001", "-0.0000000001", "-0.", "0.", "9999999", "99999999",
                         "0.3", "-0.7", "8388608.5", "8388607.5"};
  for (const char* text : edges) ExpectSameScan(text);
  std::mt19937_64 random(7);
  for (int i = 0; i < 100000; ++i) {
    std::string digits = std::to_string(random() % 1000000000ULL);
    const std::size_t point = random() % (digits.size() + 1);
    std::string text = (random() % 4 == 0 ? "-" : "") + digits.substr(0, point) + "." +
                       digits.substr(point) + " 12";
    ExpectSameScan(text.c_str());
  }
}

}  // namespace
