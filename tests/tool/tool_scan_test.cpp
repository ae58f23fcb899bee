// The evaluation commands on a copy of the bundled demo project: scan's counts, metres and
// lists, the road-alignment corridor, bad command lines, and the report as a document a word
// processor reads.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "tool/tool_project.h"

namespace geoproj::tooltest {
namespace {

namespace fs = std::filesystem;
using Json = nlohmann::json;

#ifdef GEOPROJ_SOURCE_DIR
const fs::path kSourceDir = GEOPROJ_SOURCE_DIR;
#else
const fs::path kSourceDir;
#endif

// The demo's blocks lie in April and May 2021, but for BH14's sounding of September 2019.
const std::vector<std::string> kPeriod = {"--from", "01.04.2021", "--to", "31.05.2021"};

class ToolScanTest : public ToolTest {
 protected:
  void SetUp() override {
    ToolTest::SetUp();
    if (IsSkipped()) return;
    const fs::path demo = kSourceDir / "examples" / "demo-project";
    ASSERT_TRUE(fs::is_directory(demo)) << demo;
    fs::copy(demo, project_.path(), fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    std::vector<std::string> args = {"-q", "save", project_.path()};
    for (const auto& entry : fs::directory_iterator(project_.path()))
      if (entry.path().extension() == ".SND" || entry.path().extension() == ".VB")
        args.push_back(entry.path().stem().string());
    Ok({"-q", "init", project_.path()});
    Ok(args);
  }

  std::vector<std::string> Args(std::vector<std::string> head,
                                const std::vector<std::string>& tail = {}) {
    head.insert(head.end(), kPeriod.begin(), kPeriod.end());
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
  }

  // The database records as `list` gives them, by identifier.
  std::map<std::string, Json> Records() {
    std::map<std::string, Json> by_id;
    for (const Json& r : Ok({"list", project_.path(), "--json"}).Json())
      by_id[r["id"].get<std::string>()] = r;
    return by_id;
  }
};

std::set<std::string> Ids(const Json& rows) {
  std::set<std::string> ids;
  for (const Json& r : rows) ids.insert(r["id"].get<std::string>());
  return ids;
}

TEST_F(ToolScanTest, JsonCountsMetresAndLists) {
  const ToolResult r = Ok(Args({"scan", project_.path()}, {"--json"}));
  const Json j = r.Json();
  const std::vector<std::string> top = {"boreholes", "environmental", "avp", "counts",
                                        "metres",    "total_metres",  "lists"};
  std::vector<std::string> keys;
  for (auto it = j.begin(); it != j.end(); ++it) keys.push_back(it.key());
  EXPECT_EQ(std::set<std::string>(keys.begin(), keys.end()),
            std::set<std::string>(top.begin(), top.end()));
  const std::vector<std::string> methods = {"Dreie", "Dtrykk", "Enkel", "Fjell",
                                            "Ram",   "Total",  "vane",  "CPT"};
  for (const std::string& m : methods) {
    EXPECT_TRUE(j["counts"].contains(m)) << m;
    EXPECT_TRUE(j["metres"].contains(m)) << m;
  }
  EXPECT_TRUE(j["metres"].contains("Tlk"));

  // Every borehole but BH14, whose only sounding lies before the period, and the vane test,
  // which is no borehole.
  int boreholes = 0;
  for (const auto& [id, r] : Records()) boreholes += r["bits"][0].get<int>() & 0x01;
  EXPECT_EQ(j["boreholes"], boreholes - 1);
  EXPECT_EQ(j["environmental"], 1);
  EXPECT_EQ(j["counts"]["vane"], 1);

  const Json& lists = j["lists"];
  ASSERT_TRUE(lists.contains("Dreie"));
  EXPECT_EQ(Ids(lists["Dreie"]).count("BH14"), 0u);
  EXPECT_EQ(Ids(lists["Dreie"]).count("BH1"), 1u);
  EXPECT_EQ(j["counts"]["Dreie"], lists["Dreie"].size()) << "BH14's block lowered the count";
  double total = 0;
  const std::map<std::string, std::string> list_of = {{"Dreie", "Dreie"}, {"Dtrykk", "DreieTrykk"},
                                                      {"Enkel", "Enkel"}, {"Fjell", "Fjell"},
                                                      {"Ram", "Ram"},     {"Total", "total"},
                                                      {"CPT", "CPT"}};
  for (const auto& [method, list] : list_of) {
    ASSERT_TRUE(lists.contains(list)) << list;
    double sum = 0;
    for (const Json& row : lists[list]) sum += row["length"].get<double>();
    EXPECT_NEAR(sum, j["metres"][method].get<double>(), 1e-6) << method;
    EXPECT_GT(sum, 0) << method;
    total += sum;
  }
  EXPECT_NEAR(total, j["total_metres"].get<double>(), 1e-6);

  // The row's keys in their order, as printed.
  const nlohmann::ordered_json ordered = nlohmann::ordered_json::parse(r.out);
  const nlohmann::ordered_json& first = ordered["lists"]["Dreie"][0];
  const std::vector<std::string> row_keys = {"kind",  "id",   "date1", "date2", "created",
                                             "modified", "sek", "avst", "x",     "y",
                                             "z",     "length", "stop", "texts", "count",
                                             "method", "number", "extra"};
  std::vector<std::string> got;
  for (auto it = first.begin(); it != first.end(); ++it) got.push_back(it.key());
  EXPECT_EQ(got, row_keys);
  Json bh1;
  for (const Json& row : lists["Dreie"])
    if (row["id"] == "BH1") bh1 = row;
  ASSERT_FALSE(bh1.is_null());
  EXPECT_EQ(bh1["date1"], "12.04.2021");
  EXPECT_EQ(bh1["texts"].size(), 6u);
  EXPECT_DOUBLE_EQ(bh1["x"].get<double>(), 6583852.965);
  EXPECT_DOUBLE_EQ(bh1["sek"].get<double>(), 1210.0);

  ASSERT_TRUE(lists.contains("Tlk"));
  EXPECT_GE(lists["Tlk"].size(), 5u);
  double depths = 0;
  for (const Json& row : lists["Tlk"]) {
    ASSERT_EQ(row["texts"].size(), 6u);
    const std::string text = row["texts"][4];
    depths += text.empty() ? 0.0 : std::atof(text.c_str());
  }
  EXPECT_NEAR(depths, j["metres"]["Tlk"].get<double>(), 0.01);
}

TEST_F(ToolScanTest, ReadableTable) {
  const std::string out = Ok(Args({"scan", project_.path()})).out;
  for (const char* word : {"period 01.04.2021 to 31.05.2021", "Dreie", "Dtrykk", "CPT", "Tlk", "total"})
    EXPECT_NE(out.find(word), std::string::npos) << word << "\n" << out;
}

TEST_F(ToolScanTest, RoadAlignmentKeepsTheCorridor) {
  // A line past BH1 (6583852.965, 153799.865), 40 m long, with a corridor of 5 m.
  project_.write("line.txt", "6583832.965 153797.865 0 500\r\n6583872.965 153797.865 0 540\r\n");
  const Json j = Ok(Args({"scan", project_.path()},
                         {"--alignment", project_.file("line.txt"), "--half-width", "5", "--json"}))
                     .Json();
  EXPECT_EQ(j["boreholes"], 1);
  ASSERT_EQ(j["lists"]["Dreie"].size(), 1u);
  const Json& row = j["lists"]["Dreie"][0];
  EXPECT_EQ(row["id"], "BH1");
  EXPECT_NEAR(row["sek"].get<double>(), 520.0, 1e-6);
  EXPECT_NEAR(std::abs(row["avst"].get<double>()), 2.0, 1e-6);
}

TEST_F(ToolScanTest, CptDatedByItsFile) {
  const std::string year = std::to_string(1900 + [] {
    const std::time_t now = std::time(nullptr);
    return std::localtime(&now)->tm_year;
  }());
  const std::vector<std::string> period = {"--from", "01.01." + year, "--to", "31.12." + year};
  std::vector<std::string> args = {"scan", project_.path(), "--json"};
  args.insert(args.end(), period.begin(), period.end());
  const Json by_block = Ok(args).Json();
  EXPECT_FALSE(by_block["lists"].contains("CPT")) << "the test of May 2021 lies before this year";
  args.push_back("--cpt-file-date");
  const Json by_file = Ok(args).Json();
  ASSERT_TRUE(by_file["lists"].contains("CPT"));
  ASSERT_EQ(by_file["lists"]["CPT"].size(), 1u);
  const Json& row = by_file["lists"]["CPT"][0];
  EXPECT_EQ(row["id"], "BH21");
  EXPECT_EQ(row["date1"], row["created"]);
  EXPECT_EQ(by_file["counts"]["CPT"], 1);
  EXPECT_FALSE(by_file["lists"].contains("Dreie"));
}

TEST_F(ToolScanTest, BadCommandLines) {
  struct Case {
    std::vector<std::string> args;
    int status;
    const char* says;
  };
  project_.write("one.txt", "0 0 0 0\r\n");
  const Case cases[] = {
      {{"scan", project_.path(), "--from", "1.13.2021", "--to", "31.05.2021"}, 2, "DD.MM.YYYY"},
      {{"scan", project_.path(), "--from", "01.04.2021", "--to", "31.02.2021"}, 2, "DD.MM.YYYY"},
      {{"scan", project_.path(), "--from", "01.04.2021"}, 2, "--to"},
      {{"report", project_.path(), "--from", "April", "--to", "31.05.2021"}, 2, "DD.MM.YYYY"},
      {Args({"scan", project_.path()}, {"--alignment", project_.file("none.txt")}), 1, "none.txt"},
      {Args({"scan", project_.path()}, {"--alignment", project_.file("one.txt")}), 1, "two or more"},
      {Args({"scan", project_.path() + "/nowhere"}), 1, "nowhere"},
  };
  for (const Case& c : cases) {
    const ToolResult r = Run(c.args);
    EXPECT_EQ(r.status, c.status) << c.args[2];
    EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
  }
}

TEST_F(ToolScanTest, ProgressOnATerminal) {
  const ToolResult r = RunToolWithTerminalErrors(Args({"scan", project_.path()}));
  ASSERT_EQ(r.status, 0) << r.err;
  const std::size_t records = Ok({"list", project_.path(), "--json"}).Json().size();
  EXPECT_TRUE(std::regex_search(
      r.err, std::regex("\\r\\[#+\\] " + std::to_string(records) + "/" + std::to_string(records))))
      << r.err;
  const ToolResult quiet = RunToolWithTerminalErrors(Args({"-q", "scan", project_.path()}));
  EXPECT_EQ(quiet.err.find('['), std::string::npos) << quiet.err;
}

TEST(ToolScanNoDatabase, SaysHowToMakeOne) {
  if (!kHaveTool) GTEST_SKIP();
  TempDir dir;
  dir.write("B1.SND", "1\r\n2\r\n3\r\n");
  const ToolResult r = RunTool({"scan", dir.path(), "--from", "01.01.2021", "--to", "31.12.2021"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("no database"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("geoproj init"), std::string::npos) << r.err;
}

TEST_F(ToolScanTest, ReportIsOneDocumentWithATablePerList) {
  const std::string rtf_path = project_.file("out.rtf");
  Ok(Args({"report", project_.path()}, {"-o", rtf_path}));
  const std::string rtf = project_.read("out.rtf");
  ASSERT_EQ(rtf.rfind("{\\rtf1\\ansi\\ansicpg1252", 0), 0u) << rtf.substr(0, 80);
  EXPECT_NE(rtf.find("{\\f3"), std::string::npos);
  ASSERT_GE(rtf.size(), 3u);
  EXPECT_EQ(rtf.substr(rtf.size() - 3), "}\r\n");
  // Braces balance: the tables close every group they open.
  int depth = 0;
  for (std::size_t i = 0; i < rtf.size(); ++i) {
    if (rtf[i] == '\\') { ++i; continue; }
    depth += rtf[i] == '{' ? 1 : rtf[i] == '}' ? -1 : 0;
    ASSERT_GE(depth, 0) << "at " << i;
  }
  EXPECT_EQ(depth, 0);
  const Json j = Ok(Args({"scan", project_.path()}, {"--json"})).Json();
  std::size_t headings = 0;
  for (std::size_t at = 0; (at = rtf.find("{\\b \\par Hull\\tab ", at)) != std::string::npos; ++at)
    ++headings;
  EXPECT_EQ(headings, j["lists"].size());
  EXPECT_NE(rtf.find("Utf\xF8rt"), std::string::npos) << "headings in code page 1252";
  EXPECT_NE(rtf.find("BH1\\tab "), std::string::npos);
  // The same document on standard output.
  EXPECT_EQ(Ok(Args({"report", project_.path()})).out.size() + std::count(rtf.begin(), rtf.end(), '\r'),
            rtf.size());
}

// Converts the report as a word processor would and finds its tables in the text of the result.
// Slow: registered on its own, labelled so that it can be left out.
TEST_F(ToolScanTest, ReportDocumentReadsInAWordProcessor) {
  if (std::system("command -v libreoffice >/dev/null 2>&1 && command -v pdftotext >/dev/null 2>&1") != 0)
    GTEST_SKIP() << "libreoffice or pdftotext is not installed";
  const std::string rtf = project_.file("report.rtf");
  Ok(Args({"report", project_.path()}, {"-o", rtf}));
  const std::string profile = "file://" + project_.file("lo-profile");
  const ToolResult convert = RunProgram(
      "libreoffice", {"-env:UserInstallation=" + profile, "--headless", "--convert-to", "pdf",
                      "--outdir", project_.path(), rtf});
  ASSERT_EQ(convert.status, 0) << convert.out << convert.err;
  ASSERT_TRUE(project_.exists("report.pdf")) << convert.out << convert.err;
  const ToolResult text = RunProgram("pdftotext", {project_.file("report.pdf"), "-"});
  ASSERT_EQ(text.status, 0) << text.err;
  for (const char* expected : {"Utf\xC3\xB8rt", "Boret dybde", "Stoppkode", "Dybde totalt",
                               "BH1", "BH21", "12.04.2021",
                               "Utv\xC3\xA4rdering 01.04.2021 - 31.05.2021"})
    EXPECT_NE(text.out.find(expected), std::string::npos) << expected << "\n" << text.out;
}

}  // namespace
}  // namespace geoproj::tooltest
