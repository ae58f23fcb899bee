// The code table, the code and weight lookups, and the installation's code file.
#include <cstring>
#include <string>
#include <vector>

#include <geoproj/foundation/text_helpers.h>
#include <geoproj/platform/borv_ini.h>
#include <geoproj/platform/proj_path.h>
#include <geoproj/sounding/borvi_snd.h>
#include <gtest/gtest.h>

#include "support/message_log.h"
#include "support/status_log.h"
#include "support/temp_dir.h"
#include "sounding/code_table_scope.h"

namespace {

// The allowed flags are process-wide; every test gets the built-in table back.
class KodTable : public ::testing::Test {
 protected:
  void SetUp() override { std::memcpy(saved_, CBorviSnd::Akod1, sizeof saved_); }
  void TearDown() override { std::memcpy(CBorviSnd::Akod1, saved_, sizeof saved_); }

  static const kod* Entry(int nummer) {
    for (const kod& k : CBorviSnd::Akod1)
      if (k.nummer == nummer) return &k;
    return nullptr;
  }

 private:
  kod saved_[28];
};

struct Row {
  int nummer;
  const char* bokstav;
  int mtrl;
  const char* symbol;
  int tillaten[10];
};

TEST_F(KodTable, BuiltInTableHoldsTheRowsInTableOrder) {
  const std::vector<Row> rows = {
      {10, "10", 0, "", {1, 1, 1, 1, 1, 1, 1, 1, 1, 1}},
      {11, "11", 0, "\x3E\x35", {1, 1, 1, 1, 1, 1, 1, 1, 1, 1}},
      {30, "FY", 1, "\xB1", {1, 1, 1, 1, 1, 1, 1, 1, 1, 1}},
      {31, "T\xD8", 1, "\xDE", {1, 1, 1, 1, 1, 1, 1, 1, 1, 1}},
      {32, "LE", 1, "\xB3", {1, 1, 1, 1, 1, 1, 1, 1, 1, 1}},
      {33, "SI", 1, "\x2E", {1, 1, 1, 1, 1, 1, 1, 1, 1, 1}},
      {34, "SA", 1, "\x3A", {1, 1, 1, 1, 1, 1, 1, 1, 1, 1}},
      {35, "GR", 1, "\x6F", {1, 1, 1, 1, 1, 1, 1, 1, 1, 1}},
      {36, "MO", 1, "\x94", {1, 1, 1, 1, 1, 1, 1, 1, 1, 1}},
      {37, "TO", 1, "\x7E", {1, 1, 1, 1, 1, 1, 1, 1, 1, 1}},
      {38, "GY", 1, "\x7C", {1, 1, 1, 1, 1, 1, 1, 1, 1, 1}},
      {40, "ST", 0, "\x7F", {1, 1, 1, 1, 1, 1, 1, 1, 1, 1}},
      {41, "B1", 0, "\x42\x31", {0, 0, 0, 0, 0, 1, 1, 0, 0, 0}},
      {42, "B2", 0, "\x42\x32", {0, 0, 0, 0, 0, 1, 1, 0, 0, 0}},
      {43, "F", 0, "\x2E", {0, 0, 0, 0, 0, 1, 1, 0, 0, 0}},
      {60, "60", 0, "\x40", {1, 1, 1, 1, 1, 1, 1, 1, 1, 1}},
      {61, "GV", 0, "\x47\x56", {1, 1, 1, 1, 1, 1, 1, 1, 1, 1}},
      {70, "R1", 0, "\x52\x31", {0, 0, 0, 1, 0, 1, 0, 0, 0, 0}},
      {71, "R2", 0, "\x52\x32", {0, 0, 0, 1, 0, 1, 0, 0, 0, 0}},
      {72, "Y1", 0, "\x59\x31", {0, 0, 0, 0, 0, 1, 0, 0, 0, 0}},
      {73, "Y2", 0, "\x59\x32", {0, 0, 0, 0, 0, 1, 0, 0, 0, 0}},
      {74, "S1", 0, "\x53\x31", {0, 0, 0, 0, 0, 1, 0, 0, 0, 0}},
      {75, "S2", 0, "\x53\x32", {0, 0, 0, 0, 0, 1, 0, 0, 0, 0}},
      {76, "D1", 0, "\x44\x31", {0, 0, 0, 0, 0, 1, 0, 0, 0, 0}},
      {77, "D2", 0, "\x44\x32", {0, 0, 0, 0, 0, 1, 0, 0, 0, 0}},
      {78, "P1", 0, "\x50\x31", {0, 0, 0, 1, 0, 1, 0, 0, 0, 0}},
      {79, "P2", 0, "\x50\x32", {0, 0, 0, 1, 0, 1, 0, 0, 0, 0}},
      {81, "MY", 0, "\xF0", {1, 1, 1, 1, 1, 1, 1, 1, 1, 1}},
  };
  ASSERT_EQ(CBorviSnd::Ikod1, 28);
  ASSERT_EQ(rows.size(), 28u);
  for (int i = 0; i < 28; ++i) {
    const kod& k = CBorviSnd::Akod1[i];
    const Row& r = rows[i];
    SCOPED_TRACE(r.nummer);
    EXPECT_EQ(k.nummer, r.nummer);
    EXPECT_EQ(geoproj::FieldText(k.nummertext), std::to_string(r.nummer));
    EXPECT_EQ(geoproj::FieldText(k.bokstavkod), r.bokstav);
    EXPECT_EQ(k.mtrl, r.mtrl);
    EXPECT_EQ(geoproj::FieldText(k.symbol), r.symbol);
    EXPECT_EQ(std::vector<int>(k.tillaten, k.tillaten + 10),
              std::vector<int>(r.tillaten, r.tillaten + 10));
  }
}

struct Lookup {
  int metod;
  const char* text;
  int pos;
  const char* typ;
  int alla;
  int found;  // code number, 0 for none
  int antal;  // words counted
};

TEST_F(KodTable, FindkodFollowsTableOrderColumnsAndPositions) {
  const std::vector<Lookup> cases = {
      // Table order decides, not word order.
      {21, "ST SA", 0, "", 0, 34, 2},
      // The rock mark is not allowed for weight soundings; the text is upper-cased.
      {21, "F", 0, "", 0, 0, 1},
      {26, "f", 0, "", 0, 43, 1},
      {26, "43", 0, "", 0, 43, 1},
      {21, "F", 0, "", 1, 43, 1},
      {21, "t\xF8", 0, "", 0, 31, 1},
      // The lookup takes the text as it is held: a DOS letter is not converted here.
      {21, "T\xED", 0, "", 0, 0, 1},
      // The cone penetration test uses the first column.
      {7, "MY", 0, "", 0, 81, 1},
      {7, "B1", 0, "", 0, 0, 1},
      {25, "B1", 0, "", 0, 41, 1},
      // Methods outside the ten columns may use no code unless all is set.
      {35, "SA", 0, "", 0, 0, 1},
      {35, "SA", 0, "", 1, 34, 1},
      {13, "SA", 0, "", 0, 0, 1},
      // One word by position; a position past the words finds nothing.
      {21, "KA SA ST", 2, "", 0, 34, 3},
      {21, "KA SA ST", 3, "", 0, 40, 3},
      {21, "KA SA ST", 1, "", 0, 0, 3},
      {21, "KA SA ST", 4, "", 0, 0, 3},
      // Position -1: only the word that names the kind.
      {25, "KA MY", -1, "MY", 0, 81, 2},
      {25, "KA MY", -1, "F", 0, 0, 2},
      {25, "SA 81", -1, "MY", 0, 81, 2},
      {26, "SA F", -1, "F", 0, 43, 2},
      {21, "SA F", -1, "F", 0, 0, 2},
      {25, "SA MY", -1, "", 0, 0, 2},
      {25, "SA MY", -1, "XX", 0, 0, 2},
      // Position -2: soil-type codes only.
      {21, "ST SA", -2, "", 0, 34, 2},
      {21, "ST", -2, "", 0, 0, 1},
      {21, "40 mo", -2, "", 0, 36, 2},
      // Text after "<", ">" or "," is ignored.
      {21, "SA,MY", -1, "MY", 0, 0, 1},
      {21, "SA,MY", 0, "", 0, 34, 1},
      {21, "KA<SA", 0, "", 0, 0, 1},
      {21, "KA>SA", 0, "", 0, 0, 1},
      // Only the first 25 characters and five words count.
      {21, "XXXXXXXXXXXXXXXXXXXXXXX SA", 0, "", 0, 0, 2},
      {21, "XXXXXXXXXXXXXXXXXXXXXX SA", 0, "", 0, 34, 2},
      {21, "A B C D E SA", 0, "", 0, 0, 5},
      {21, "", 0, "", 0, 0, 0},
      {21, "   ", -1, "MY", 0, 0, 0},
  };
  for (const Lookup& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.metod << " '" << c.text << "' pos " << c.pos);
    int antal = -99;
    const kod* k = CBorviSnd::Findkod(c.metod, c.text, c.pos, &antal, c.typ, "SGF", c.alla);
    EXPECT_EQ(k ? k->nummer : 0, c.found);
    EXPECT_EQ(antal, c.antal);
    const kod* sgf = CBorviSnd::FindkodSGF(c.metod, c.text, c.pos, &antal, c.typ, "BVF", c.alla);
    EXPECT_EQ(sgf, k);
  }
}

TEST_F(KodTable, FindkodReturnsTheTableEntryAndToleratesNoCount) {
  const kod* k = CBorviSnd::Findkod(25, "KA MY", -1, nullptr, "MY", "SGF", 0);
  EXPECT_EQ(k, &CBorviSnd::Akod1[27]);
  // A text field filled to its last byte without a terminator is read to 25 characters only.
  char full[26];
  std::memset(full, 'X', sizeof full);
  std::memcpy(full + 22, " SA", 3);
  EXPECT_EQ(CBorviSnd::Findkod(21, full, 0, nullptr, "", "SGF", 0), Entry(34));
}

TEST_F(KodTable, FindkodSeesAChangeOfTheTableAtOnce) {
  // Answers are remembered between lookups; a host or a code file changing the table must
  // still get the table's answer at the next lookup.
  ASSERT_EQ(CBorviSnd::Findkod(21, "SA", 0, nullptr, "", "SGF", 0), Entry(34));
  kod* sa = const_cast<kod*>(Entry(34));
  const int saved = sa->tillaten[1];
  sa->tillaten[1] = 0;
  EXPECT_NE(CBorviSnd::Findkod(21, "SA", 0, nullptr, "", "SGF", 0), Entry(34));
  sa->tillaten[1] = saved;
  EXPECT_EQ(CBorviSnd::Findkod(21, "SA", 0, nullptr, "", "SGF", 0), Entry(34));
}

TEST_F(KodTable, FindkodSeesAChangeMadeBetweenTwoReadsOfABorehole) {
  // A read or write of a borehole checks the table once; the next one must check it again.
  kod* sa = const_cast<kod*>(Entry(34));
  const int saved = sa->tillaten[1];
  {
    const geoproj::CodeTableScope read;
    ASSERT_EQ(CBorviSnd::Findkod(21, "SA", 0, nullptr, "", "SGF", 0), Entry(34));
  }
  sa->tillaten[1] = 0;
  {
    const geoproj::CodeTableScope outer;
    const geoproj::CodeTableScope nested;
    EXPECT_EQ(CBorviSnd::Findkod(21, "SA", 0, nullptr, "", "SGF", 0), nullptr);
  }
  sa->tillaten[1] = saved;
  const geoproj::CodeTableScope next;
  EXPECT_EQ(CBorviSnd::Findkod(21, "SA", 0, nullptr, "", "SGF", 0), Entry(34));
}

TEST_F(KodTable, FindviktGivesTheOneBasedWeightPosition) {
  ASSERT_EQ(CBorviSnd::Ivikt, 9);
  const std::vector<std::pair<const char*, int>> cases = {
      {"5", 1}, {"15", 2}, {"25", 3},  {"50", 4}, {"75", 5},  {"100", 6}, {"SL1", 7},
      {"sl1", 7}, {"SL2", 8}, {"sl", 9}, {"20", 0}, {"", 0}, {"SL ", 0}, {"5 ", 0}};
  for (const auto& [text, pos] : cases) EXPECT_EQ(CBorviSnd::Findvikt(text), pos) << text;
}

TEST_F(KodTable, StoppKodReturnsItsArgument) {
  CBorviSnd snd;
  for (int stopp : {0, 90, 93, 12, -1}) EXPECT_EQ(snd.StoppKod(stopp, "BVF"), stopp);
}

// The code file and the installation's code choice, read when a sounding file is created with
// installation settings.
class KodFile : public KodTable {
 protected:
  void Install(const std::string& choice, const std::string* kodfil) {
    std::string ini = std::string("[") + CProjPath::BorvParNamn + "]\r\n";
    if (!choice.empty()) ini += "MTRLKOD=" + choice + "\r\n";
    dir_.write("Borvi.ini", ini);
    if (kodfil) dir_.write("Kodfil.dat", *kodfil);
  }

  // Creates a sounding file with the settings, which reads the code choice and file. Returns
  // the number of code file lines it could not take.
  int Load() {
    CBorvIni ini(dir_.path().c_str());
    CProjPath path;
    path.SetPath(dir_.path().c_str());
    CBorviSnd snd(&path, nullptr, &ini);
    return snd.m_droppedCodeFile;
  }

  bool Allowed(int nummer, int metod) { return Entry(nummer)->tillaten[metod - 20] == 1; }

  int CountAllowed() {
    int n = 0;
    for (const kod& k : CBorviSnd::Akod1)
      for (int t : k.tillaten) n += t;
    return n;
  }

  std::string KodfilPath() const { return dir_.file("Kodfil.dat"); }

  geoproj::test::TempDir dir_;
};

TEST_F(KodFile, StandardKeepsTheBuiltInFlags) {
  const std::string widen = "X 43 1 1 1 1 1 1 1 1 1 1\n";
  for (const char* choice : {"STANDARD", "standard"}) {
    Install(choice, &widen);
    int before = CountAllowed();
    Load();
    EXPECT_EQ(CountAllowed(), before) << choice;
    EXPECT_FALSE(Allowed(43, 21));
  }
}

TEST_F(KodFile, AllaOrNoChoiceAllowsEveryCodeForEveryMethod) {
  for (const char* choice : {"ALLA", "alla", ""}) {
    Install(choice, nullptr);
    Load();
    EXPECT_EQ(CountAllowed(), 280) << choice;
    EXPECT_EQ(CBorviSnd::Findkod(21, "F", 0, nullptr, "", "SGF", 0), Entry(43)) << choice;
    TearDown();  // back to the built-in flags for the next choice
  }
}

TEST_F(KodFile, CodeFileWidensAndNarrowsCodesByNumberOrLetter) {
  const std::string kodfil =
      "X 43 0 0 0 0 0 1 1 1 0 0\r\n"   // rock mark also for method 27
      "\r\n"                            // empty lines are skipped
      "lera SA 0 0 0 0 0 0 0 0 0 0\r\n"  // soil type switched off everywhere
      "Y B1 1\r\n"                      // only the first flag given; the others stay
      "ENSAM\r\n"                       // one word: skipped
      "*\r\n"                           // ends the file
      "Z 70 1 1 1 1 1 1 1 1 1 1\r\n";
  Install("FIL", &kodfil);
  geoproj::test::MessageLog log;
  Load();
  EXPECT_TRUE(log.shown().empty());
  EXPECT_TRUE(Allowed(43, 27));
  EXPECT_FALSE(Allowed(43, 28));
  for (int metod = 20; metod < 30; ++metod) EXPECT_FALSE(Allowed(34, metod));
  EXPECT_TRUE(Allowed(41, 20));
  EXPECT_TRUE(Allowed(41, 25));
  EXPECT_FALSE(Allowed(41, 21));
  EXPECT_FALSE(Allowed(70, 20));  // after the "*" line
  EXPECT_EQ(CBorviSnd::Findkod(27, "F", 0, nullptr, "", "SGF", 0), Entry(43));
}

TEST_F(KodFile, UnknownCodeIsReportedAndSkipped) {
  const std::string kodfil = "x ZZ 1 1 1 1 1 1 1 1 1 1\nX 43 1 1 1 1 1 1 1 1 1 1\n";
  Install("FIL", &kodfil);
  geoproj::test::MessageLog log;
  Load();
  ASSERT_EQ(log.shown().size(), 1u);
  EXPECT_EQ(log.shown()[0].text, "Fel kod X ZZ i " + KodfilPath());
  EXPECT_TRUE(Allowed(43, 21));
}

// Lines the code file cannot take are told with their line and counted; the flags read before a
// damaged one stay taken. Empty lines and what follows the end line are no content.
TEST_F(KodFile, LinesItCannotTakeAreReportedWithTheirLine) {
  const std::string kodfil =
      "X 43 0 0 0 0 0 1 1 1 0 0\r\n"
      "\r\n"
      "Y SA 0 0 x 0\r\n"
      "ENSAM\r\n"
      "Z ZZ 1\r\n"
      "W B1 1 \x01\r\n"
      "*\r\n"
      "efter slutraden\r\n";
  Install("FIL", &kodfil);
  geoproj::test::StatusLog status;
  geoproj::test::MessageLog messages;
  EXPECT_EQ(Load(), 4);
  const std::string file = KodfilPath();
  EXPECT_EQ(status.shown(), (std::vector<std::string>{
                                file + ", line 3: allowed flags do not parse",
                                file + ", line 4: line without a code",
                                file + ", line 5: code not in the code table",
                                file + ", line 6: binary garbage"}));
  ASSERT_EQ(messages.shown().size(), 1u);
  EXPECT_EQ(messages.shown()[0].text, "Fel kod Z ZZ i " + file);
  EXPECT_TRUE(Allowed(43, 27));
  EXPECT_FALSE(Allowed(34, 20));
  EXPECT_TRUE(Allowed(34, 23));
}

TEST_F(KodFile, MissingCodeFileKeepsTheBuiltInFlags) {
  Install("FIL", nullptr);
  int before = CountAllowed();
  Load();
  EXPECT_EQ(CountAllowed(), before);
}

TEST_F(KodFile, NoSettingsReadsNothing) {
  const std::string widen = "X 43 1 1 1 1 1 1 1 1 1 1\n";
  Install("FIL", &widen);
  CProjPath path;
  path.SetPath(dir_.path().c_str());
  CBorviSnd snd(&path, nullptr);
  EXPECT_FALSE(Allowed(43, 21));
}

}  // namespace
