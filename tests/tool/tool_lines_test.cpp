// lines DIR [--json]: the line database as it stands, never packed or rewritten.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include <geoproj/lines/hellar_bv.h>
#include <geoproj/lines/linje_bv_data.h>

#include "lines/kvar_test_util.h"
#include "tool/tool_project.h"

namespace geoproj::tooltest {
namespace {

using ToolLinesTest = ToolTest;
using kvartest::Obj;

const std::vector<Obj> kObjects = {
    {5, "L1", "L1", 100.0, 200.0, 10.0, 50.0, 60.0, 2.0},
    {2, "H\xC4", "HA", 90.0, 250.0, 5.0, 5.0, 5.0, 0.0},
};

TEST_F(ToolLinesTest, JsonHoldsEveryFieldOfEveryRecordAndTheFileStaysAsItWas) {
  // A deleted record a writable opening would pack out.
  std::string header = kvartest::HeaderBytes(kObjects, 1);
  const std::string file = kvartest::FileBytes(
      header, {kvartest::RecordBytes(kObjects[0]), std::string(kvartest::kRec, '\0'),
               kvartest::RecordBytes(kObjects[1])});
  project_.write("KVARTOLI.SDBS", file);
  const ToolResult r = Ok({"lines", project_.path(), "--json"});
  const nlohmann::json j = r.Json();
  ASSERT_EQ(j.size(), 2u);
  const nlohmann::json expected = {
      {"type", 5},  {"id", "L1"},   {"file", "L1"},          {"x", 100.0},
      {"y", 200.0}, {"z", 10.0},    {"dx", 50.0},            {"dy", 60.0},
      {"dz", 2.0},  {"flags", 64},  {"object", 7},           {"object_values", {1.25, -2.5, 3.75}},
      {"link_type", -1}, {"link_id", "LINKED"}, {"filpos", 600}};
  EXPECT_EQ(j[0], expected);
  EXPECT_EQ(j[1]["id"], "H\xC3\x84");  // UTF-8 on the way out
  EXPECT_EQ(j[1]["filpos"], 848);
  // The keys in the order of the record.
  std::size_t at = 0;
  for (const char* key : {"type", "id", "file", "x", "y", "z", "dx", "dy", "dz", "flags", "object",
                          "object_values", "link_type", "link_id", "filpos"}) {
    const std::size_t next = r.out.find("\"" + std::string(key) + "\"", at);
    ASSERT_NE(next, std::string::npos) << key;
    at = next;
  }
  EXPECT_EQ(project_.read("KVARTOLI.SDBS"), file);
  EXPECT_FALSE(project_.exists("KVARTOLI.SDBK"));
  EXPECT_FALSE(project_.exists("TMPPROG.PB$"));
}

TEST_F(ToolLinesTest, TableNamesTheKinds) {
  project_.write("KVARTOLI.SDBS", kvartest::FileOf(kObjects));
  const ToolResult r = Ok({"lines", project_.path()});
  EXPECT_NE(r.out.find("line     L1"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("outcrop  H\xC3\x84"), std::string::npos) << r.out;
}

TEST_F(ToolLinesTest, MissingShortOrRefusedDatabaseFails) {
  const std::string db = project_.file("KVARTOLI.SDBS");
  struct Case {
    std::string bytes;  // empty: no file
    std::string message;
  };
  const std::string old = kvartest::FileBytes(kvartest::HeaderBytes(kObjects, 0, "0.9", 0.0), {});
  for (const Case& c : {Case{"", "Kan ej \xC3\xB6ppna databas: " + db},
                        Case{"short", "Fel vid l\xC3\xA4sning av databas : " + db},
                        Case{old, "Felaktig version: 0.9\nNu g\xC3\xA4ller version: 1.5"}}) {
    if (c.bytes.empty())
      std::remove(db.c_str());
    else
      project_.write("KVARTOLI.SDBS", c.bytes);
    const ToolResult r = Run({"lines", project_.path(), "--json"});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.out.empty()) << r.out;
    EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    EXPECT_FALSE(project_.exists("KVARTOLI.SDBK"));
  }
}

TEST_F(ToolLinesTest, DamageIsToldOnStandardError) {
  const std::string whole = kvartest::FileOf(kObjects);
  project_.write("KVARTOLI.SDBS", whole.substr(0, whole.size() - 10));
  const ToolResult r = Ok({"lines", project_.path(), "--json"});
  EXPECT_EQ(r.Json().size(), 1u);
  EXPECT_NE(r.err.find("is damaged"), std::string::npos) << r.err;
}

// The folder info names for line files is where the line and outcrop objects read and write them.
TEST_F(ToolLinesTest, InfoNamesTheFolderTheObjectsUse) {
  namespace fs = std::filesystem;
  const nlohmann::json info = Ok({"info", project_.path(), "--json"}).Json();
  CProjPath path;
  path.SetPath(project_.path().c_str());
  CLinjeBvData line(&path, "L1", 0);
  CHellarBv outcrop(&path, "H1");
  const fs::path dir = fs::path(info["line_dir"].get<std::string>());
  EXPECT_EQ(fs::absolute(line.GetFilePath()).lexically_normal(), dir / "L1.LJE");
  EXPECT_EQ(fs::absolute(outcrop.GetFilePath()).lexically_normal(), dir / "H1.LAD");
}

}  // namespace
}  // namespace geoproj::tooltest
