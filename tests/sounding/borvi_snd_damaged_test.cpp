// Damaged sounding files: truncated at any byte, overlong lines, binary garbage. Reading never
// overruns a field, and what was read can always be written again. Every place whose content a
// reading drops is reported with its file and line and counted; what the formats read by their
// own rules is not.
#include <geoproj/sounding/borvi_dreie.h>
#include <geoproj/sounding/borvi_snd.h>
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
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

// What reading borehole BH from its files in a fresh project dropped: the count on the sounding
// file and the reports shown, with the project directory taken off their file names.
struct Reading {
  int dropped = 0;
  int kept = 0;  // sections of codes the reader does not know, kept as read
  std::vector<std::string> reports;
};

Reading ReadBorehole(const std::string& dirPath) {
  StatusLog status;
  MessageLog messages;
  CProjPath proj;
  proj.SetPath(dirPath.c_str());
  CBorviSnd snd(&proj, nullptr);
  snd.Init("bh", nullptr);
  Reading r{snd.m_droppedContent, static_cast<int>(snd.m_unknownSections.size()), {}};
  const std::string prefix = dirPath + "/";
  for (const std::string& text : status.shown()) {
    if (text.find(", line ") == std::string::npos) continue;
    r.reports.push_back(text.rfind(prefix, 0) == 0 ? text.substr(prefix.size()) : text);
  }
  return r;
}

// snd and tlk are the files' bytes as on disk; an empty one is not written.
Reading ReadFiles(const std::string& snd, const std::string& tlk) {
  TempDir dir;
  if (!snd.empty()) dir.write("BH.SND", snd);
  if (!tlk.empty()) dir.write("BH.TLK", tlk);
  return ReadBorehole(dir.path());
}

// The 1-based number of the first line of text that begins with start.
int LineOf(const std::string& text, const std::string& start) {
  const std::vector<std::string> lines = Lines(text);
  for (std::size_t i = 0; i < lines.size(); ++i)
    if (lines[i].rfind(start, 0) == 0) return static_cast<int>(i) + 1;
  ADD_FAILURE() << "no line begins with " << start;
  return 0;
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  const std::size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

// Random bytes; with inLine, never a line end or a "*", so that they stay one line.
std::string RandomBytes(std::size_t count, bool inLine) {
  std::mt19937 random(31337);
  std::string bytes;
  while (bytes.size() < count) {
    const char c = static_cast<char>(random() % 256);
    if (!inLine || (c != '\n' && c != '*')) bytes += c;
  }
  return bytes;
}

std::string Report(const std::string& file, int line, const std::string& what) {
  return file + ", line " + std::to_string(line) + ": " + what;
}

// An interpretation in the current form: groundwater level and two layers.
const std::string kTlk =
    "gvy\n  16.8500\n\n"
    "lera 11 2 2              l\xF6s\n  17.6000 enl. CPT\n"
    " 12.50   0.00   0.00   0.00   0.00   0.00\n"
    "sand 20 2 2\n   8.2000 \n  0.00   0.00   0.00   0.00   0.00   0.00\n*\n";

struct DroppedCase {
  const char* what;
  std::string snd;  // on disk
  std::string tlk;  // on disk
  std::string first;  // the first report, file name and line
};

TEST(SndDropped, EachPlaceIsReportedWithItsFileAndLineAndCounted) {
  const std::string dreie = SndWith(DreieBlock());
  const std::string total = SndWith(TotalBlock());
  const std::string canonical = Crlf(CanonicalSnd());
  const std::vector<DroppedCase> cases = {
      {"garbage bytes in place of a data line",
       Crlf(Replaced(dreie, Row("  1.200  -12 SL", 22, "KA"), RandomBytes(40, true) + "\n")), "",
       Report("BH.SND", LineOf(dreie, "  1.200  -12"), "binary garbage")},
      {"a block cut off by the end of the file", Crlf(SndWith(DreieBlock(), false)), "",
       Report("BH.SND", LineOf(dreie, "21 "), "block 21 cut off by the end of the file")},
      {"a header coordinate that is not a number",
       Crlf(Replaced(CanonicalSnd(), "1234567.500000", "y=1234567.5")), "",
       Report("BH.SND", 2, "not a number")},
      {"a whole file of random bytes", RandomBytes(3000, false), "",
       Report("BH.SND", 1, "binary garbage")},
      {"a decimal comma in a data line", Crlf(Replaced(total, " 14.200", " 14,200")), "",
       Report("BH.SND", LineOf(total, " 14.200"), "data line does not parse")},
      {"a letter in place of a header value",
       Crlf(Replaced(dreie, "1.000000 93 0 0 1", "1.000000 93 O 0 1")), "",
       Report("BH.SND", LineOf(dreie, "1.000000 93"), "header line does not parse")},
      {"a fifth comment line", Crlf(Replaced(CanonicalSnd(), "*\n97", "femte\n*\n97")), "",
       Report("BH.SND", 11, "line after the four comment lines not read")},
      {"a decimal comma in the values of a layer", canonical,
       Crlf(Replaced(kTlk, " 12.50   0.00", " 12.50   0,00")),
       Report("BH.TLK", LineOf(kTlk, " 12.50"), "values do not parse")},
      {"a layer cut off by the end of the file", canonical,
       Crlf("gvy\n  16.8500\n\nlera 11 2 2\n"),
       Report("BH.TLK", 4, "layer without its level line")},
      {"layers after the end line", canonical, Crlf("*\n" + kTlk),
       Report("BH.TLK", 2, "line after the end line not read")},
  };
  for (const DroppedCase& c : cases) {
    const Reading r = ReadFiles(c.snd, c.tlk);
    ASSERT_FALSE(r.reports.empty()) << c.what;
    EXPECT_EQ(r.reports[0], c.first) << c.what;
    EXPECT_EQ(r.dropped, static_cast<int>(r.reports.size())) << c.what;
    const std::string file = c.first.substr(0, c.first.find(','));
    for (const std::string& report : r.reports)
      EXPECT_EQ(report.rfind(file + ", line ", 0), 0u) << c.what << ": " << report;
  }
}

struct KeptCase {
  const char* what;
  std::string snd;  // LF line ends
  std::string tlk;
  int kept;
};

// Readings the formats give for what they do not find, and for what does not fit, lose nothing
// a file holds.
TEST(SndDropped, WhatTheFormatsReadByTheirOwnRulesIsNotDropped) {
  const std::string header5 = "100.0\n200.0\n5.0\n9999999.9\n0.0\n";
  const std::string guid = "*\n97\n40 0\n*\n99\nGUID " + kBoreholeGuid + "\n";
  const std::vector<KeptCase> cases = {
      {"every block as written", CanonicalSnd(), kTlk, 0},
      {"older layouts: two start values, an old borehole name, header without GUID, format 0",
       header5 + "12.5 3\n*\n99\nBORR7 11111111-2222-4333-8444-555555555555\n"
       "*\n25 2019-09-30\n0 90\n" + Row("  0.500   120     8 SL", 29, "SA") + "*\n",
       "lera\n12.5\n\n", 0},
      {"optional lines missing: start depth, comments, header values, third DPT value, values",
       header5 + guid + "*\n35 09.05.2019\n0 90\n" + Row("    1.000    12.000", 30, "") + "*\n",
       "lera 11 0 0\n 12.5000 \n", 0},
      {"fields longer than their size",
       CanonicalHeader() + "*\n99\nURSPRUNGLIGT-NAMN " + kBoreholeGuid + "\n" +
           "*\n21 03.05.2019\n1 93 0 0 1 0 " + std::string(300, 't') + " GUID " + BlockGuid(21) +
           "\n" + Row("  0.200   25 25", 22, std::string(60, 'k')) + "*\n",
       std::string(40, 'm') + " 11 2 2 " + std::string(60, 'c') + "\n  12.5000 " +
           std::string(60, 'n') + "\n\n*\n",
       0},
      {"a section of an unknown code", SndWith("*\n77 01.01.2020\n1 2 3\nnot read\n"), "", 1},
  };
  for (const KeptCase& c : cases) {
    const Reading r = ReadFiles(Crlf(c.snd), c.tlk.empty() ? "" : Crlf(c.tlk));
    EXPECT_EQ(r.dropped, 0) << c.what;
    for (const std::string& report : r.reports) ADD_FAILURE() << c.what << ": " << report;
    EXPECT_EQ(r.kept, c.kept) << c.what;
  }
}

TEST(SndDropped, TheDemoProjectReadsWhole) {
  const std::filesystem::path demo =
      std::filesystem::path(GEOPROJ_SOURCE_DIR) / "examples" / "demo-project";
  int boreholes = 0;
  for (const auto& entry : std::filesystem::directory_iterator(demo)) {
    if (entry.path().extension() != ".SND") continue;
    ++boreholes;
    TempDir dir;
    std::filesystem::copy_file(entry.path(), dir.file("BH.SND"));
    std::filesystem::path tlk = entry.path();
    if (std::filesystem::exists(tlk.replace_extension(".TLK")))
      std::filesystem::copy_file(tlk, dir.file("BH.TLK"));
    const Reading r = ReadBorehole(dir.path());
    EXPECT_EQ(r.dropped, 0) << entry.path();
    EXPECT_EQ(r.kept, 0) << entry.path();
  }
  EXPECT_GT(boreholes, 0);
}

// The count belongs to the last reading: a borehole read after a damaged one, here one without
// ID.SND, starts from nothing.
TEST_F(SndDamagedTest, TheCountIsThatOfTheLastReading) {
  Put("BH1.SND", Replaced(CanonicalSnd(), "20.000000", "tjugo"));
  Put("BH2.TLK", kTlk);
  CBorviSnd snd(&proj, nullptr);
  snd.Init("bh1", nullptr);
  EXPECT_EQ(snd.m_droppedContent, 1);
  snd.Init("bh2", nullptr);
  EXPECT_EQ(snd.m_droppedContent, 0);
  ASSERT_NE(snd.tlk, nullptr);
}

}  // namespace
}  // namespace geoproj::test
