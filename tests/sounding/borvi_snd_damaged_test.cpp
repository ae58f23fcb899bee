// Damaged sounding files: truncated at any byte, overlong lines, binary garbage. Reading never
// overruns a field, and what was read can always be written again.
#include <geoproj/sounding/borvi_dreie.h>
#include <geoproj/sounding/borvi_snd.h>
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <sstream>
#include <vector>

#include "sounding/snd_fixture.h"

namespace geoproj::test {
namespace {

class SndDamagedTest : public SndTest {
 protected:
  // Reads the file as borehole "dmg", checks the fixed fields, and writes it back.
  void ReadAndWrite(const std::string& bytes, const std::string& what) {
    dir.write("DMG.SND", bytes);
    CBorviSnd snd(&proj, nullptr);
    snd.Init("dmg", nullptr);
    EXPECT_LT(strnlen(snd.id, sizeof snd.id), sizeof snd.id) << what;
    EXPECT_LT(strnlen(snd.orgnamn, sizeof snd.orgnamn), sizeof snd.orgnamn) << what;
    EXPECT_LE(strnlen(snd.datum, sizeof snd.datum), 10u) << what;
    if (snd.dreie && snd.dreie->Home() == 0) {
      EXPECT_LT(strnlen(snd.dreie->m_text7, sizeof snd.dreie->m_text7), sizeof snd.dreie->m_text7);
      do {
        const dreietype* rec = snd.dreie->Get_aktel();
        EXPECT_LT(strnlen(rec->text, sizeof rec->text), sizeof rec->text) << what;
        EXPECT_LT(strnlen(rec->vikt, sizeof rec->vikt), sizeof rec->vikt) << what;
      } while ((*snd.dreie)++);
    }
    EXPECT_EQ(snd.Uppdat(nullptr, nullptr), 0) << what;
    // What was written reads again without loss of the blocks.
    CBorviSnd again(&proj, nullptr);
    again.Init("dmg", nullptr);
    EXPECT_EQ(again.dreie != nullptr, snd.dreie != nullptr) << what;
  }
};

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::string Join(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

TEST_F(SndDamagedTest, FileCutAtAnyByte) {
  const std::string full = Crlf(CanonicalSnd());
  for (std::size_t n = 0; n <= full.size(); n += 3) ReadAndWrite(full.substr(0, n), std::to_string(n));
}

TEST_F(SndDamagedTest, FileWithALineMissing) {
  const std::vector<std::string> lines = Lines(CanonicalSnd());
  for (std::size_t i = 0; i < lines.size(); ++i) {
    std::vector<std::string> cut = lines;
    cut.erase(cut.begin() + static_cast<long>(i));
    ReadAndWrite(Join(cut), "without line " + std::to_string(i));
  }
}

// Every line in turn replaced by a very long one, of blanks, digits, letters or a long word
// after a number, so that each field meets text longer than itself.
TEST_F(SndDamagedTest, OverlongLines) {
  const std::vector<std::string> lines = Lines(CanonicalSnd());
  const std::string longs[] = {std::string(70000, 'A'), std::string(70000, '9'),
                               "21 " + std::string(70000, '7'), "GUID " + std::string(70000, 'f'),
                               "1.0 93 0 0 1 0 " + std::string(5000, 'w') + " GUID x",
                               std::string(3000, ' ') + "x"};
  for (std::size_t i = 0; i < lines.size(); ++i) {
    for (const std::string& replacement : longs) {
      std::vector<std::string> changed = lines;
      changed[i] = replacement;
      ReadAndWrite(Join(changed), "line " + std::to_string(i));
    }
  }
}

TEST_F(SndDamagedTest, BinaryGarbage) {
  std::mt19937 random(20240611);
  const std::string alphabet = std::string("*\r\n 0123456789.-GUID") + '\0' + "\x86\x94\xFF";
  for (int round = 0; round < 60; ++round) {
    std::string bytes(random() % 4000, '\0');
    for (char& c : bytes) {
      c = (random() % 3 == 0) ? static_cast<char>(random() % 256)
                              : alphabet[random() % alphabet.size()];
    }
    ReadAndWrite(bytes, "round " + std::to_string(round));
  }
}

TEST_F(SndDamagedTest, GarbageAfterEachCodeLine) {
  for (int code : {21, 22, 23, 24, 25, 26, 35, 97, 98, 99, 7, 107}) {
    std::string bytes = Crlf(CanonicalHeader()) + "*\r\n" + std::to_string(code) + " " +
                        std::string(300, '\x84') + "\r\n" + std::string(1, '\0') + "GUID\r\n" +
                        std::string(200, '\xFF') + "\r\n*\r\n";
    ReadAndWrite(bytes, "code " + std::to_string(code));
  }
}

}  // namespace
}  // namespace geoproj::test
