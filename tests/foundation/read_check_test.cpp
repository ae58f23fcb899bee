// The checks every line read goes through: garbage bytes anywhere in a line, and whether a scan
// took every word it could.
#include "foundation/read_check.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

bool GarbageByteByByte(const std::string& line) {
  for (char ch : line) {
    const unsigned char c = static_cast<unsigned char>(ch);
    if ((c < 0x20 && c != '\t') || c == 0x7F) return true;
  }
  return false;
}

TEST(ReadCheckTest, GarbageFoundAtEveryPositionAndNeverInText) {
  // A line of cp1252 text and tabs holds none; one bad byte anywhere, in the word-wise part or
  // the tail, makes it garbage.
  const std::string clean = "  0.020\t 101    10 \xC5\xC4\xD6 LE \xFF\x80~ ";
  EXPECT_FALSE(geoproj::HoldsBinaryGarbage(clean));
  for (unsigned char bad : {0x00, 0x01, 0x0A, 0x0D, 0x1F, 0x7F})
    for (std::size_t at = 0; at <= clean.size(); ++at) {
      std::string line = clean;
      line.insert(at, 1, static_cast<char>(bad));
      EXPECT_TRUE(geoproj::HoldsBinaryGarbage(line)) << int(bad) << " at " << at;
    }
  std::mt19937 random(7);
  for (int i = 0; i < 100000; ++i) {
    std::string line(random() % 40, ' ');
    for (char& c : line) c = static_cast<char>(random() % 4 ? 0x20 + random() % 0xE0 : random());
    ASSERT_EQ(geoproj::HoldsBinaryGarbage(line), GarbageByteByByte(line)) << line;
  }
}

TEST(ReadCheckTest, ScanTookAllCountsTheWordsOfTheNumbersPart) {
  struct Case {
    const char* text;
    int read, required, most;
    bool tookAll;
  } cases[] = {
      {"  0.020   101    10", 3, 3, 3, true},
      {"  0.020   101    10", 2, 2, 3, false},  // a word left unread
      {"  0.020   101", 2, 3, 3, false},        // fewer than required
      {"  0.020   101    10  x", 3, 3, 3, true},  // words beyond the most are text
      {"", -1, 0, 3, true},
  };
  for (const Case& c : cases)
    EXPECT_EQ(geoproj::ScanTookAll(c.text, c.read, c.required, c.most), c.tookAll) << c.text;
}

}  // namespace
