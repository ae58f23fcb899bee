// save DIR ID...: files rewritten, database records recomputed.
#include <gtest/gtest.h>

#include <random>
#include <regex>
#include <string>

#include "tool/tool_boreholes.h"
#include "tool/tool_project.h"

namespace geoproj::tooltest {
namespace {

using Json = nlohmann::json;

class ToolSaveTest : public ToolTest {
 protected:
  void SetUp() override {
    ToolTest::SetUp();
    if (IsSkipped()) return;
    project_.write("BH1.SND", Bh1Snd());
    project_.write("BH1.TLK", Bh1Tlk());
    project_.write("BH2.SND", Bh2Snd());
    Ok({"init", project_.path()});
  }
};

TEST_F(ToolSaveTest, RewritesFilesUnchangedAndComputesRecords) {
  ToolResult r = Ok({"save", project_.path(), "BH1", "bh2"});
  EXPECT_EQ(r.out, "saved BH1\nsaved BH2\n");
  EXPECT_FALSE(locked());

  EXPECT_EQ(project_.read("BH1.SND"), Bh1Snd());
  EXPECT_EQ(project_.read("BH1.TLK"), Bh1Tlk());
  EXPECT_EQ(project_.read("BH2.SND"), Bh2Snd());
  // The rock mark of the total sounding became the rock layer of a new interpretation.
  EXPECT_EQ(project_.read("BH2.TLK"), Bh2RockTlk());

  const std::string db = database();
  ASSERT_EQ(db.size(), kFirstRecord + 2 * kRecordSize);
  EXPECT_EQ(ReadLe<std::int16_t>(db, 216), 2);  // boreholes
  EXPECT_EQ(ReadLe<std::int32_t>(db, 324), static_cast<std::int32_t>(db.size()));

  const DiskRecord bh1 = RecordAt(db, kFirstRecord);
  EXPECT_EQ(bh1.id, "BH1");
  // Borehole, interpretation with layers, own-sounding code, weight sounding.
  const unsigned char bh1_bits[7] = {0x01, 0x00, 0x80, 0x80, 0x00, 0x01, 0x00};
  EXPECT_EQ(0, std::memcmp(bh1.bits, bh1_bits, 7));
  EXPECT_EQ(bh1.x, 6583120.5);
  EXPECT_EQ(bh1.y, 152840.25);
  EXPECT_EQ(bh1.z, 18.42);
  EXPECT_EQ(bh1.sek, 1210.0);
  EXPECT_EQ(bh1.avst, -6.5);
  EXPECT_EQ(bh1.djup, 1.0f);
  EXPECT_EQ(bh1.stopp, 90);

  const DiskRecord bh2 = RecordAt(db, kFirstRecord + kRecordSize);
  EXPECT_EQ(bh2.id, "BH2");
  const unsigned char bh2_bits[7] = {0x01, 0x00, 0x80, 0x00, 0x00, 0x10, 0x00};
  EXPECT_EQ(0, std::memcmp(bh2.bits, bh2_bits, 7));
  EXPECT_EQ(bh2.sek, 9999999.9);
  EXPECT_EQ(bh2.djup, 17.4f);
  EXPECT_EQ(bh2.stopp, 93);
}

TEST_F(ToolSaveTest, SavingAgainChangesNothing) {
  Ok({"save", project_.path(), "BH1", "BH2"});
  const std::string db = database();
  const std::string tlk = project_.read("BH2.TLK");
  Ok({"save", project_.path(), "BH2", "BH1"});
  EXPECT_EQ(project_.read("BH2.TLK"), tlk);
  EXPECT_EQ(project_.read("BH2.SND"), Bh2Snd());
  const std::string again = database();
  ASSERT_EQ(again.size(), db.size());
  // Same records in the same places; only the header's update number moved on.
  EXPECT_EQ(again.substr(kFirstRecord), db.substr(kFirstRecord));
  EXPECT_GT(ReadLe<std::int32_t>(again, 300), ReadLe<std::int32_t>(db, 300));
}

TEST_F(ToolSaveTest, BringsOlderFilesToTheCurrentForm) {
  // DOS letters in a comment, a year-first block date, a block without GUID and the GUID
  // section of a borehole taken over under another name.
  project_.write("BH3.SND",
                 CrLf({"100.000000", "200.000000", "5.000000", "9999999.900000", "0.000000",
                       "0.000000 0 90.000000", "Bj\x9Brn \xED" "deg\x86rd, \x92r\x9B", "", "", "",
                       "*", "97", "40 0", "*", "99",
                       "BORR7 11111111-2222-4333-8444-555555555555", "*", "21 2019-09-30",
                       "0.000000 90 0 0 1 0 ", DreieLine(0.2, 5, "100", "LE"), "*"}));
  Ok({"save", project_.path(), "BH3"});
  const std::string saved = project_.read("BH3.SND");
  const std::string guid = "[0-9a-f]{8}-[0-9a-f]{4}-4[0-9a-f]{3}-[89ab][0-9a-f]{3}-[0-9a-f]{12}";
  const std::regex form(
      "100\\.000000\r\n200\\.000000\r\n5\\.000000\r\n9999999\\.900000\r\n0\\.000000\r\n"
      "0\\.000000 0 90\\.000000\r\n"
      "Bj\xF8rn \xD8" "deg\xE5rd, \xC6r\xF8\r\n\r\n\r\n\r\n"
      "\\*\r\n97\r\n40 0\r\n\\*\r\n99\r\nGUID (" + guid + ")\r\n"
      "\\*\r\n21 30\\.09\\.2019\r\n0\\.000000 90 0 0 1 0  GUID " + guid + "\r\n" +
      DreieLine(0.2, 5, "100", "LE") + "\r\n\\*\r\n");
  std::smatch match;
  ASSERT_TRUE(std::regex_match(saved, match, form)) << saved;
  EXPECT_NE(match[1].str(), "11111111-2222-4333-8444-555555555555");
}

TEST_F(ToolSaveTest, ReportsUnknownBoreholesAndSavesTheOthers) {
  ToolResult r = Run({"save", project_.path(), "BH1", "NOPE", "BH2"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "saved BH1\nsaved BH2\n");
  EXPECT_NE(r.err.find("no borehole NOPE"), std::string::npos) << r.err;
  EXPECT_EQ(database().size(), kFirstRecord + 2 * kRecordSize);
  EXPECT_FALSE(locked());
}

// Sections another program wrote with codes this version does not know are written back as
// they were, after the known blocks: saving loses nothing.
TEST_F(ToolSaveTest, KeepsSectionsOfUnknownCodes) {
  const std::string with_unknown = Bh2Snd() + "77 12.03.2021\r\nnot ours \x94\r\n*\r\n";
  project_.write("BH3.SND", with_unknown);
  ToolResult r = Run({"save", project_.path(), "BH3"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.err.find("Ok\xC3\xA4nd metodkod (77)"), std::string::npos) << r.err;
  EXPECT_EQ(project_.read("BH3.SND"), with_unknown);
  EXPECT_FALSE(locked());
}

// A cone penetration test with its settings block and its presentation file beside ID.SND.
TEST_F(ToolSaveTest, WritesATestWithItsSettingsAndPresentation) {
  std::string bh2 = Bh2Snd();
  bh2.resize(bh2.size() - 3);  // its closing "*" line
  const std::string with_cpt =
      bh2 +
      CrLf({"*", "7 12.03.2021",
            "1.000000 91 0 0 1 0 CPT1 GUID 30000000-0000-4000-8000-000000000007",
            "  0.500    120     35      7  SA",
            "  1.000   1500     42    -12" + std::string(28, ' ') + "1     1.5   0.250    -2.0",
            "*", "107 ", "MA                        0.845", "*"});
  const std::string presentation =
      CrLf({"10.0000 2.0000 GUID 30000000-0000-4000-8000-000000000017", "0.1000 0.0500",
            "0.8000 0.2000", "12.0000 2.0000", "1.0000 0.5000", "8.0000 1.0000",
            "1.0000 0.2000 0.0800 0.0000", "*", "0.50 20.0 0.125", "*"});
  project_.write("BH3.SND", with_cpt);
  project_.write("BH3.cpt", presentation);
  Ok({"save", project_.path(), "BH3"});
  EXPECT_EQ(project_.read("BH3.SND"), with_cpt);
  EXPECT_EQ(project_.read("BH3.cpt"), presentation);
  const Json shown = Ok({"show", project_.path(), "BH3", "--json"}).Json();
  const Json& cpt = shown["methods"].back();
  EXPECT_EQ(cpt["code"], 7);
  EXPECT_EQ(cpt["name"], "CPT");
  const Json& rec = cpt["records"][1];
  EXPECT_EQ(rec["djup"], 1.0);
  EXPECT_EQ(rec["matvarde1"], 1500);
  EXPECT_EQ(rec["matvarde2"], 42);
  EXPECT_EQ(rec["matvarde3"], -12);
  EXPECT_EQ(rec["extra"], 1);
  EXPECT_EQ(rec["extra1"], 1.5);
  EXPECT_EQ(rec["extra2"], 0.25);
  EXPECT_EQ(rec["extra3"], -2.0);
  EXPECT_EQ(rec["kod"], "");
  EXPECT_EQ(cpt["records"][0]["kod"], "SA");
  EXPECT_EQ(cpt["records"][0]["kortkod"], ":");
  EXPECT_TRUE(shown["samples"].is_null());
}

// Random bytes, never a line end or a "*" when they stand in for one line.
std::string Garbage(std::size_t count, bool one_line) {
  std::mt19937 random(4242);
  std::string bytes;
  while (bytes.size() < count) {
    const char c = static_cast<char>(random() % 256);
    if (!one_line || (c != '\n' && c != '*')) bytes += c;
  }
  return bytes;
}

// Damage seen in the field: a borehole file overwritten with random bytes, and 40 garbage bytes
// in place of a data line. Writing either back would lose what the reading could not take, so
// save leaves the borehole alone unless forced; show shows what was read and says what is not.
TEST_F(ToolSaveTest, RefusesABoreholeReadWithLossesUnlessForced) {
  std::string in_block = Bh2Snd();
  const std::size_t line = in_block.find("\r\n 14.800") + 2;
  in_block.replace(line, in_block.find("\r\n", line) - line, Garbage(40, true));
  const struct {
    const char* what;
    std::string snd;
    const char* dropped;
  } cases[] = {
      {"random bytes", Garbage(3000, false), "place(s) in its files could not be read"},
      {"garbage in a block", in_block, "BH3: 1 place(s) in its files could not be read"},
  };
  for (const auto& c : cases) {
    project_.write("BH3.SND", Bh2Snd());
    Ok({"save", project_.path(), "BH3"});
    project_.write("BH3.SND", c.snd);
    const std::string db = database();

    ToolResult shown = Run({"show", project_.path(), "BH3"});
    EXPECT_EQ(shown.status, 0) << c.what;
    EXPECT_NE(shown.err.find(c.dropped), std::string::npos) << c.what << "\n" << shown.err;

    ToolResult refused = Run({"save", project_.path(), "BH3"});
    EXPECT_EQ(refused.status, 1) << c.what;
    EXPECT_EQ(refused.out, "") << c.what;
    EXPECT_NE(refused.err.find("BH3.SND, line "), std::string::npos) << c.what << refused.err;
    EXPECT_NE(refused.err.find("borehole BH3: "), std::string::npos) << c.what << refused.err;
    EXPECT_NE(refused.err.find(c.dropped), std::string::npos) << c.what << refused.err;
    EXPECT_NE(refused.err.find("--force"), std::string::npos) << c.what << refused.err;
    EXPECT_EQ(project_.read("BH3.SND"), c.snd) << c.what;
    EXPECT_EQ(database(), db) << c.what;
    EXPECT_FALSE(locked()) << c.what;

    ToolResult forced = Run({"save", "--force", project_.path(), "BH3"});
    EXPECT_EQ(forced.status, 0) << c.what << forced.err;
    EXPECT_EQ(forced.out, "saved BH3\n") << c.what;
    EXPECT_NE(project_.read("BH3.SND"), c.snd) << c.what;
    EXPECT_NE(database(), db) << c.what;
  }
}

TEST_F(ToolSaveTest, NeedsAWritableDatabase) {
  TempDir other;
  other.write("BH1.SND", Bh1Snd());
  ToolResult r = Run({"save", other.path(), "BH1"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("Kan ikke opne database"), std::string::npos) << r.err;
  EXPECT_EQ(other.read("BH1.SND"), Bh1Snd());
  EXPECT_FALSE(other.exists(kDatabaseName));
  EXPECT_FALSE(other.exists(kLockName));
}

TEST_F(ToolSaveTest, AHeldLockFailsTheSaveAndStaysInPlace) {
  project_.write(kLockName, "Database busy!");
  ToolResult r = Run({"save", project_.path(), "BH1"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("Kan ikke opne database"), std::string::npos) << r.err;
  EXPECT_EQ(project_.read(kLockName), "Database busy!");
}

// Saving a whole project: every borehole of the directory, whatever the spelling of its
// name, in identifier order, with a summary and, on a terminal only, a progress bar.
class ToolSaveAllTest : public ToolTest {
 protected:
  void SetUp() override {
    ToolTest::SetUp();
    if (IsSkipped()) return;
    for (const char* id : {"B10", "B2", "B1", "\xC3\x98" "2"})  // the last one UTF-8 spelled
      project_.write(std::string(id) + ".SND", Bh1Snd());
    project_.write("B2.TLK", Bh1Tlk());
    Ok({"init", project_.path()});
  }
};

TEST_F(ToolSaveAllTest, SavesEveryBoreholeInIdentifierOrderWithASummary) {
  ToolResult r = Ok({"save", project_.path(), "--all"});
  EXPECT_EQ(r.out, "saved B1\nsaved B2\nsaved B10\nsaved \xC3\x98" "2\n");
  EXPECT_NE(r.err.find("saved 4 of 4 boreholes, 0 refused\n"), std::string::npos) << r.err;
  EXPECT_EQ(r.err.find('\r'), std::string::npos) << "no progress bar off a terminal";
  // The UTF-8 spelled file was rewritten in place, not joined by a code page twin.
  EXPECT_FALSE(project_.exists("\xD8" "2.SND"));
  ToolResult quiet = Ok({"-q", "save", project_.path(), "--all"});
  EXPECT_EQ(quiet.out, "");
  EXPECT_EQ(quiet.err, "saved 4 of 4 boreholes, 0 refused\n");
  // The same borehole by its name in either spelling.
  EXPECT_EQ(Ok({"save", project_.path(), "\xC3\xB8" "2"}).out, "saved \xC3\x98" "2\n");
}

TEST_F(ToolSaveAllTest, ANameThatSpellsNoIdentifierIsReportedAndCounted) {
  project_.write("X\x81.SND", Bh1Snd());
  project_.write("TOOLONGNAME.SND", Bh1Snd());
  ToolResult r = Run({"save", project_.path(), "--all"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("'X\\x81.SND'"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("'TOOLONGNAME.SND'"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("saved 4 of 6 boreholes, 2 refused"), std::string::npos) << r.err;
}

TEST_F(ToolSaveAllTest, TakesEitherIdentifiersOrAll) {
  EXPECT_EQ(Run({"save", project_.path()}).status, 2);
  EXPECT_EQ(Run({"save", project_.path(), "--all", "B1"}).status, 2);
}

TEST_F(ToolSaveAllTest, ShowsAProgressBarOnATerminal) {
  for (int i = 20; i < 30; ++i) project_.write("B" + std::to_string(i) + ".SND", Bh1Snd());
  ToolResult r = RunToolWithTerminalErrors({"save", project_.path(), "--all"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(std::regex_search(r.err, std::regex(R"(\r\[#+\] 14/14 +[0-9]+/s +0:00 left)"))) << r.err;
  EXPECT_NE(r.err.find("saved 14 of 14 boreholes, 0 refused"), std::string::npos);
  ToolResult quiet = RunToolWithTerminalErrors({"-q", "save", project_.path(), "--all"});
  EXPECT_EQ(quiet.err.find('['), std::string::npos) << quiet.err;
}

}  // namespace
}  // namespace geoproj::tooltest
