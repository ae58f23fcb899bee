// The bundled demo project: the tour of `make demo` on a copy, and the generator that wrote it.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
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

// Every file of the directory and its folders (the line files), by path inside it.
std::map<std::string, std::string> ReadDirectory(const fs::path& dir) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(dir)) {
    if (!entry.is_regular_file()) continue;
    std::ifstream in(entry.path(), std::ios::binary);
    files[fs::relative(entry.path(), dir).string()] =
        std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  return files;
}

class ToolDemoTest : public ToolTest {
 protected:
  void SetUp() override {
    ToolTest::SetUp();
    if (IsSkipped()) return;
    demo_ = kSourceDir / "examples" / "demo-project";
    ASSERT_TRUE(fs::is_directory(demo_)) << demo_;
    fs::copy(demo_, project_.path(),
             fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    for (const auto& entry : fs::directory_iterator(project_.path()))
      if (entry.path().extension() == ".SND" || entry.path().extension() == ".VB")
        ids_.push_back(entry.path().stem().string());
    std::sort(ids_.begin(), ids_.end());
  }

  void SaveAll() {
    std::vector<std::string> args = {"-q", "save", project_.path()};
    args.insert(args.end(), ids_.begin(), ids_.end());
    Ok(args);
  }

  fs::path demo_;
  std::vector<std::string> ids_;
};

TEST_F(ToolDemoTest, TourBuildsTheDatabaseFromEveryBorehole) {
  ASSERT_EQ(ids_.size(), 25u);
  Ok({"init", project_.path()});
  SaveAll();
  const Json records = Ok({"list", project_.path(), "--json"}).Json();
  ASSERT_EQ(records.size(), ids_.size());
  std::map<std::string, Json> by_id;
  for (const Json& r : records) by_id[r["id"].get<std::string>()] = r;
  for (const std::string& id : ids_) {
    ASSERT_TRUE(by_id.count(id)) << id;
    const bool vane = id == "VB1";
    EXPECT_EQ(by_id[id]["kind"], vane ? "VB" : "BH") << id;
    EXPECT_EQ(by_id[id]["bits"][0].get<int>() & 0x01, vane ? 0 : 1) << id;
  }
  // What the generator put into the boreholes shows in their records.
  const struct {
    const char* id;
    int stop;
    int byte;
    int mask;
  } facts[] = {
      {"BH1", 90, 5, 0x01},  {"BH2", 93, 5, 0x10},  {"BH3", 94, 5, 0x10},
      {"BH4", 91, 5, 0x08},  {"BH5", 92, 5, 0x02},  {"BH6", 90, 5, 0x04},
      {"BH7", 94, 5, 0x20},  {"BH8", 90, 0, 0x10},  {"BH9", 93, 6, 0x40},
      {"BH1", 90, 3, 0x80},  {"BH16", 92, 3, 0x80}, {"BH3", 94, 2, 0x80},
      {"BH21", 92, 4, 0x01}, {"BH22", 90, 1, 0x02}, {"BH22", 90, 1, 0x40},
      {"KB1", 93, 5, 0x80},  {"KB1", 93, 4, 0x20},  {"MIL1", 90, 4, 0x40},
      {"MIL1", 90, 1, 0x40}, {"VB1", 90, 1, 0x80},
  };
  for (const auto& f : facts) {
    EXPECT_EQ(by_id[f.id]["stopp"], f.stop) << f.id;
    EXPECT_NE(by_id[f.id]["bits"][f.byte].get<int>() & f.mask, 0) << f.id << " byte " << f.byte;
  }
  EXPECT_EQ(by_id["BH1"]["bits"][6], 0) << "vertical";

  // The rock mark of BH2's total sounding gave the old-form rock layer its codes.
  const Json bh2 = Ok({"show", project_.path(), "BH2", "--json"}).Json();
  const Json& layers = bh2["interpretation"]["layers"];
  ASSERT_FALSE(layers.empty());
  EXPECT_EQ(layers.back()["namn"], "berg");
  EXPECT_NE(layers.back()["nivakod"], 0);
  EXPECT_NE(layers.back()["nivakalla"], 0);

  // The core drilling's rock level went into the interpretation it made.
  const Json kb1 = Ok({"show", project_.path(), "KB1", "--json"}).Json();
  ASSERT_FALSE(kb1["interpretation"].is_null());
  EXPECT_FLOAT_EQ(kb1["interpretation"]["layers"].back()["niva"].get<float>(), -14.35f);
  EXPECT_FALSE(locked());
}

// The cone penetration test and the samples, read from the saved files.
TEST_F(ToolDemoTest, TestAndSamplesShowInTheirCurrentForm) {
  Ok({"init", project_.path()});
  SaveAll();
  const Json bh21 = Ok({"show", project_.path(), "BH21", "--json"}).Json();
  ASSERT_EQ(bh21["methods"].size(), 1u);
  const Json& cpt = bh21["methods"][0];
  EXPECT_EQ(cpt["name"], "CPT");
  EXPECT_EQ(cpt["date"], "03.05.2021");
  EXPECT_EQ(cpt["records"].size(), 120u);
  EXPECT_EQ(cpt["records"][0]["kod"], "FY");
  EXPECT_EQ(cpt["settings"][0]["nyckel"], "MA");
  EXPECT_TRUE(bh21["samples"].is_null());
  const Json bh22 = Ok({"show", project_.path(), "BH22", "--json"}).Json();
  const Json& samples = bh22["samples"];
  ASSERT_FALSE(samples.is_null());
  EXPECT_EQ(samples["datum"], "04.05.2021");
  std::vector<std::pair<std::string, double>> order;
  for (const Json& r : samples["records"])
    order.emplace_back(r["metod"].get<std::string>(), r["djup"].get<double>());
  // The older generation's depths moved up 0.1 m where the method changed, and the shallower
  // sample of a method went before the deeper one.
  const std::vector<std::pair<std::string, double>> expected = {
      {"PG", 3.0}, {"PG", 5.0}, {"SP", 1.1}, {"SP", 1.4}};
  EXPECT_EQ(order, expected);
  EXPECT_EQ(samples["records"][0]["analyser"], -(0x001 | 0x080));
}

TEST_F(ToolDemoTest, SavingASavedProjectAgainChangesNoFile) {
  Ok({"init", project_.path()});
  SaveAll();
  std::map<std::string, std::string> first = ReadDirectory(project_.path());
  SaveAll();
  std::map<std::string, std::string> second = ReadDirectory(project_.path());
  // Only the database header's update number moves on.
  first.erase(kDatabaseName);
  second.erase(kDatabaseName);
  EXPECT_EQ(first, second);
}

// The pipes, the settlement point and the measurement points are boreholes of their own.
TEST_F(ToolDemoTest, PipesAndMeasurementPointsSaveAsTheirKindAndGiveStatistics) {
  Ok({"init", project_.path()});
  Ok({"save", project_.path(), "--all"});
  std::map<std::string, std::string> first = ReadDirectory(project_.path());
  const Json records = Ok({"list", project_.path(), "--json"}).Json();
  std::map<std::string, std::string> kinds;
  for (const Json& r : records) kinds[r["id"].get<std::string>()] = r["kind"].get<std::string>();
  const std::map<std::string, std::string> expected = {
      {"GW1", "GVR"}, {"GW2", "GVR"}, {"GW3", "GVR"}, {"GW4", "GVR"},
      {"SP1", "DUB"}, {"HS1", "MTN"}, {"IN1", "MTN"}};
  for (const auto& [id, kind] : expected) EXPECT_EQ(kinds[id], kind) << id;
  EXPECT_FALSE(project_.exists("GW1.SND"));
  // The older pipe was read as a pipe and is written in the current form.
  const std::string gw4 = project_.read("GW4.GVR");
  EXPECT_NE(gw4.find("\r\nGD 0 0 GUID "), std::string::npos);
  EXPECT_NE(gw4.find("\xD6PPEN"), std::string::npos);
  EXPECT_NE(gw4.find(" 2019 10 2 17.799999 J"), std::string::npos);
  const Json all = Ok({"stats", project_.path(), "GW1", "--json"}).Json();
  EXPECT_EQ(all["count"], 23);
  const Json year = Ok({"stats", project_.path(), "GW1", "--from", "01.01.2021", "--to", "31.12.2021",
                        "--json"}).Json();
  EXPECT_EQ(year["count"], 12);
  const Json hose = Ok({"stats", project_.path(), "HS1", "--json"}).Json();
  EXPECT_EQ(hose["count"], 1);
  Ok({"save", project_.path(), "--all"});
  std::map<std::string, std::string> second = ReadDirectory(project_.path());
  first.erase(kDatabaseName);
  second.erase(kDatabaseName);
  EXPECT_EQ(first, second);
}

TEST_F(ToolDemoTest, GeneratorWritesTheCommittedFiles) {
  TempDir out;
  ToolResult r = RunProgram("python3", {(kSourceDir / "examples" / "generate_demo.py").string(),
                                        out.path()});
  if (r.status == -1) GTEST_SKIP() << "python3 is not available";
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(ReadDirectory(out.path()), ReadDirectory(demo_));
}

}  // namespace
}  // namespace geoproj::tooltest
