// show DIR ID [--json]: one borehole read from its files.
#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "tool/tool_boreholes.h"
#include "tool/tool_project.h"

namespace geoproj::tooltest {
namespace {

using Json = nlohmann::json;

// Every penetration method once, with DOS letters in the comment and an interpretation of the
// oldest form (the word and the level alone).
std::string AllMethodsSnd() {
  return CrLf({"1000.000000", "2000.000000", "12.500000", "150.250000", "3.000000",
               "0.000000 45 78.000000", "L\x94s lera, \x86" "ker", "", "", "",
               "*", "97", "40 0", "*", "99", "GUID 0f0e0d0c-0b0a-4908-8706-050403020100",
               "*", "21 01.06.2022", "1.000000 91 0 0 1 0 GB2 GUID 10000000-0000-4000-8000-000000000021",
               DreieLine(0.2, 0, "25", "LE"), DreieLine(0.4, -12, "SL", ""),
               "*", "24 02.06.2022", "1.000000 92 0 0 1 0 DPSH GUID 10000000-0000-4000-8000-000000000024",
               DataLine("  1.000 14 55", 22, "GR"),
               "*", "25 03.06.2022", "1.000000 93 0 0 1 0 GM75 GUID 10000000-0000-4000-8000-000000000025",
               DataLine("  2.000   850    12 SL", 29, "B1"), DataLine("  2.200   900    14 XX", 29, ""),
               "*", "26 04.06.2022", "1.000000 94 0 2 1 0 HB1 GUID 10000000-0000-4000-8000-000000000026",
               DataLine("  3.000   20  ", 22, "F"),
               "*", "23 05.06.2022", "1.000000 90 0 0 0 0 GB2 GUID 10000000-0000-4000-8000-000000000023",
               DataLine("  4.000    8  ", 15, "R1"),
               "*", "22 06.06.2022", "1.000000 90 0 0 1 0 x GUID 10000000-0000-4000-8000-000000000022",
               DataLine("  5.000    6  ", 22, "SA"),
               "*", "35 07.06.2022", "1.000000 90 0 0 1 0 x GUID 10000000-0000-4000-8000-000000000035",
               DataLine("    6.000    12.000  40.500", 30, "tx"),
               "*"});
}

class ToolShowTest : public ToolTest {
 protected:
  void SetUp() override {
    ToolTest::SetUp();
    if (IsSkipped()) return;
    project_.write("BH7.SND", AllMethodsSnd());
    project_.write("BH7.TLK", CrLf({"lera", "12.5", "", "*"}));
  }
};

TEST_F(ToolShowTest, JsonHoldsTheHeaderEveryBlockAndTheInterpretation) {
  // No database is needed to read a borehole.
  const Json b = Ok({"show", project_.path(), "bh7", "--json"}).Json();
  EXPECT_EQ(b["id"], "BH7");
  EXPECT_EQ(b["x"], 1000.0);
  EXPECT_EQ(b["z"], 12.5);
  EXPECT_EQ(b["sek"], 150.25);
  EXPECT_EQ(b["avst"], 3.0);
  EXPECT_EQ(b["start_depth"], 0.0);
  EXPECT_EQ(b["direction"], 45);
  EXPECT_EQ(b["inclination"], 78.0);
  EXPECT_EQ(b["comments"], Json::array({"L\xC3\xB6s lera, \xC3\xA5ker", "", "", ""}));
  EXPECT_EQ(b["origin"], "GUID");
  EXPECT_EQ(b["guid"], "0f0e0d0c-0b0a-4908-8706-050403020100");
  const std::regex date("[0-9]{2}\\.[0-9]{2}\\.[0-9]{4}");
  EXPECT_TRUE(std::regex_match(b["created"].get<std::string>(), date)) << b["created"];
  EXPECT_TRUE(std::regex_match(b["modified"].get<std::string>(), date)) << b["modified"];
  ASSERT_EQ(b["bits"].size(), 7u);
  EXPECT_EQ(b["bits"][5], 0x3F);  // every sounding kind that has a bit of its own
  EXPECT_EQ(b["bits"][6], 0x40);  // inclined

  const Json& m = b["methods"];
  ASSERT_EQ(m.size(), 7u);
  const struct {
    int code;
    const char* name;
    const char* date;
    int stop;
    const char* system;
  } blocks[] = {{21, "Dreie", "01.06.2022", 91, "SGF"},     {24, "Ram", "02.06.2022", 92, "SGF"},
                {25, "Total", "03.06.2022", 93, "SGF"},     {26, "Fjell", "04.06.2022", 94, "SGF"},
                {23, "Dreietrykk", "05.06.2022", 90, "BVF"}, {22, "Enkel", "06.06.2022", 90, "SGF"},
                {35, "DPT", "07.06.2022", 90, "SGF"}};
  for (std::size_t i = 0; i < 7; ++i) {
    EXPECT_EQ(m[i]["code"], blocks[i].code) << i;
    EXPECT_EQ(m[i]["name"], blocks[i].name) << i;
    EXPECT_EQ(m[i]["date"], blocks[i].date) << i;
    EXPECT_EQ(m[i]["stop_code"], blocks[i].stop) << i;
    EXPECT_EQ(m[i]["code_system"], blocks[i].system) << i;
    EXPECT_EQ(m[i]["guid"], Printf("10000000-0000-4000-8000-0000000000%d", blocks[i].code)) << i;
  }
  EXPECT_EQ(m[0]["start_depth"], 0.0);
  EXPECT_TRUE(m[6]["start_depth"].is_null()) << "DPT keeps no start depth";

  // Records under their field names; symbols of the code table as text.
  EXPECT_EQ(m[0]["records"], Json::parse(R"([
      {"weight": "25", "depth": 0.2, "value": 0, "text": "LE", "symbol": "\u00b3"},
      {"weight": "SL", "depth": 0.4, "value": -12, "text": "", "symbol": ""}])"));
  EXPECT_EQ(m[1]["records"], Json::parse(R"([
      {"depth": 1.0, "value2": 55, "value1": 14, "text": "GR", "symbol": "o"}])"));
  EXPECT_EQ(m[2]["records"], Json::parse(R"([
      {"mode": "SL", "depth": 2.0, "value1": 850, "value3": 0, "value2": 12, "text": "B1", "symbol": "B1"},
      {"mode": "TR", "depth": 2.2, "value1": 900, "value3": 0, "value2": 14, "text": "", "symbol": ""}])"));
  EXPECT_EQ(m[3]["records"], Json::parse(R"([
      {"depth": 3.0, "value": 20, "text": "F", "symbol": "."}])"));
  EXPECT_EQ(m[4]["records"], Json::parse(R"([
      {"depth": 4.0, "value": 8, "text": "R1", "symbol": "R1"}])"));
  EXPECT_EQ(m[5]["records"], Json::parse(R"([
      {"depth": 5.0, "value": 6, "text": "SA", "symbol": ":"}])"));
  EXPECT_EQ(m[6]["records"], Json::parse(R"([
      {"value1": 6.0, "value2": 12.0, "value3": 40.5, "text": "tx"}])"));

  EXPECT_EQ(b["interpretation"], Json::parse(R"({"gvy": 0.0, "layers": [
      {"namn": "lera", "niva": 12.5, "index": 11, "nivakod": 0, "nivakalla": 0,
       "kommentar": "", "nivatext": "", "varden": [0.0, 0.0, 0.0, 0.0, 0.0, 0.0]}]})"));
}

TEST_F(ToolShowTest, JsonKeysFollowTheContractOrder) {
  const std::string out = Ok({"show", project_.path(), "BH7", "--json"}).out;
  std::size_t at = 0;
  for (const char* key : {"\"id\"", "\"x\"", "\"y\"", "\"z\"", "\"sek\"", "\"avst\"",
                          "\"start_depth\"", "\"direction\"", "\"inclination\"", "\"comments\"",
                          "\"origin\"", "\"guid\"", "\"created\"", "\"modified\"", "\"bits\"",
                          "\"methods\"", "\"interpretation\""}) {
    const std::size_t next = out.find(key, at);
    ASSERT_NE(next, std::string::npos) << key;
    at = next;
  }
}

TEST_F(ToolShowTest, SummaryNamesEveryBlockWithItsDepthRange) {
  const std::string text = Ok({"show", project_.path(), "BH7"}).out;
  for (const char* expected :
       {"Borehole BH7", "L\xC3\xB6s lera, \xC3\xA5ker", "inclination 78.0", "Methods: 7",
        "21  Dreie", "0.20 - 0.40 m", "2 records", "25  Total", "2.00 - 2.20 m",
        "35  DPT", "6.00 - 6.00 m", "Interpretation: 1 layer", "lera", "12.50"})
    EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;
}

TEST_F(ToolShowTest, UnknownBoreholeIsReported) {
  ToolResult r = Run({"show", project_.path(), "BH8", "--json"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("no borehole BH8"), std::string::npos) << r.err;
  EXPECT_TRUE(r.out.empty());
}

TEST_F(ToolShowTest, StatusTextsGoToStandardErrorUnlessQuiet) {
  // A section of a method without a class here: the reader says so and reads on.
  project_.write("BH5.SND", CrLf({"0.000000", "0.000000", "0.000000", "0.000000", "0.000000",
                                  "0.000000 0 90.000000", "*", "77 01.06.2022", "whatever", "*",
                                  "21 01.06.2022", "1.000000 90 0 0 1 0 x", DreieLine(0.2, 4, "100", ""),
                                  "*"}));
  ToolResult loud = Ok({"show", project_.path(), "BH5", "--json"});
  EXPECT_NE(loud.err.find("Status: Ok\xC3\xA4nd metodkod (77) f\xC3\xB6r Id: BH5"), std::string::npos)
      << loud.err;
  EXPECT_EQ(loud.Json()["methods"].size(), 1u);
  ToolResult quiet = Ok({"-q", "show", project_.path(), "BH5", "--json"});
  EXPECT_EQ(quiet.err, "");
  EXPECT_EQ(quiet.out, loud.out);
}

TEST_F(ToolShowTest, InstallationSettingsChooseTheCodeTable) {
  // The rock mark "F" is no code of the weight sounding in the built-in table; an installation
  // can allow it through its code file, or allow every code.
  project_.write("BH9.SND", CrLf({"0.000000", "0.000000", "0.000000", "0.000000", "0.000000",
                                  "0.000000 0 90.000000", "*", "97", "40 0", "*", "99",
                                  "GUID 0f0e0d0c-0b0a-4908-8706-050403020199", "*", "21 01.06.2022",
                                  "1.000000 90 0 0 1 0 x GUID 10000000-0000-4000-8000-000000000099",
                                  DreieLine(0.2, 4, "100", "F"), "*"}));
  TempDir own_codes, standard, everything;
  for (const TempDir* dir : {&own_codes, &standard})
    dir->write("Borvi.ini", CrLf({"[BORVPAR]", dir == &standard ? "MTRLKOD=STANDARD"
                                                                 : "MTRLKOD=EGEN"}));
  own_codes.write("Kodfil.dat", CrLf({"Berg F 0 1 0 0 0 1 1 0 0 0", "*"}));
  const struct {
    const char* what;
    std::vector<std::string> args;
    std::map<std::string, std::string> env;
    const char* symbol;
  } cases[] = {
      {"built-in table", {}, {}, ""},
      {"STANDARD", {"--install-dir", standard.path()}, {}, ""},
      {"code file", {"--install-dir", own_codes.path()}, {}, "."},
      {"code file from the environment", {}, {{"GEOPROJ_HOME", own_codes.path()}}, "."},
      {"no setting means all codes", {"--install-dir", everything.path()}, {}, "."},
  };
  for (const auto& c : cases) {
    std::vector<std::string> args = c.args;
    args.insert(args.end(), {"show", project_.path(), "BH9", "--json"});
    ToolResult r = Run(args, c.env);
    ASSERT_EQ(r.status, 0) << c.what << "\n" << r.err;
    EXPECT_EQ(r.Json()["methods"][0]["records"][0]["symbol"], c.symbol) << c.what;
  }
}

}  // namespace
}  // namespace geoproj::tooltest
