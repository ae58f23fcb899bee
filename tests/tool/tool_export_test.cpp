// info, export and plot on a copy of the demo project and on small projects of their own.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
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

class ToolExportTest : public ToolTest {
 protected:
  void CopyDemo() {
    fs::copy(kSourceDir / "examples" / "demo-project", project_.path(),
             fs::copy_options::recursive | fs::copy_options::overwrite_existing);
  }
  // The boreholes of the demo: one sounding file each.
  static int DemoBoreholes() {
    int n = 0;
    for (const auto& entry : fs::directory_iterator(kSourceDir / "examples" / "demo-project"))
      if (entry.path().extension() == ".SND") ++n;
    return n;
  }
  void SaveDemo() {
    CopyDemo();
    Ok({"init", project_.path()});
    std::vector<std::string> args = {"-q", "save", project_.path(), "--all"};
    Ok(args);
  }
};

TEST_F(ToolExportTest, InfoTellsTheProjectInformationAndTheDatabase) {
  CopyDemo();
  const Json before = Ok({"info", project_.path(), "--json"}).Json();
  for (const char* key : {"company", "document", "texts", "lat_min", "lat_max", "lon_min",
                          "lon_max", "centre_lat", "centre_lon", "coord_index", "height_index",
                          "coord_text", "height_text", "transformation", "line_dir", "avp_file",
                          "database"})
    EXPECT_TRUE(before.contains(key)) << key;
  EXPECT_EQ(before["company"], "Geoteknik Demo AB");
  EXPECT_EQ(before["texts"].size(), 3u);
  EXPECT_EQ(before["texts"][0], "V\xC3\xA4g 42, etapp 2: markunders\xC3\xB6kning");
  EXPECT_EQ(before["coord_index"], 5);
  EXPECT_EQ(before["coord_epsg"], 3011);
  EXPECT_EQ(before["height_index"], 0);
  EXPECT_EQ(before["transformation"].size(), 3u);
  EXPECT_DOUBLE_EQ(before["centre_lat"].get<double>(), 59.371045);
  EXPECT_TRUE(before["database"].is_null());
  EXPECT_EQ(fs::path(before["line_dir"].get<std::string>()),
            fs::absolute(fs::path(project_.path()) / "DBF").lexically_normal());
  EXPECT_TRUE(fs::path(before["avp_file"].get<std::string>()).is_absolute());

  Ok({"init", project_.path()});
  Ok({"-q", "save", project_.path(), "--all"});
  const Json after = Ok({"info", project_.path(), "--json"}).Json();
  ASSERT_TRUE(after["database"].is_object());
  EXPECT_EQ(after["database"]["counts"]["boreholes"], DemoBoreholes());
  EXPECT_EQ(after["database"]["coordinates"], "LOK");
  EXPECT_GT(after["database"]["extents"]["x_max"].get<double>(), 6583000.0);

  const ToolResult text = Ok({"info", project_.path()});
  EXPECT_NE(text.out.find("EPSG:3011 SWEREF 99 18 00"), std::string::npos) << text.out;
}

TEST_F(ToolExportTest, InfoCreatesAMissingFileAndNeverRewritesOne) {
  const Json fresh = Ok({"info", project_.path(), "--json"}).Json();
  EXPECT_TRUE(project_.exists("Info.prj"));
  EXPECT_EQ(project_.read("Info.prj"), "");
  EXPECT_EQ(fresh["coord_index"], -1);
  EXPECT_EQ(fresh["company"], "");

  // Bytes the writer would put otherwise: LF line ends, short numbers, no centre line.
  const std::string own = "F\x86ltbolaget\nx\n\n\n\n1 2 3 4 7\n";
  project_.write("Info.prj", own);
  const Json read = Ok({"info", project_.path(), "--json"}).Json();
  EXPECT_EQ(read["company"], "F\xC3\xA5ltbolaget");
  EXPECT_EQ(read["coord_index"], 7);
  EXPECT_EQ(read["height_index"], -1);
  EXPECT_DOUBLE_EQ(read["centre_lon"].get<double>(), 3.5);
  EXPECT_EQ(project_.read("Info.prj"), own);
}

// Python reads the map export; the demo borehole BH9 lies where cs2cs puts it.
TEST_F(ToolExportTest, GeoJsonOfTheDemoReadsInPython) {
  SaveDemo();
  const std::string out = (fs::path(project_.path()) / "map.geojson").string();
  Ok({"export", project_.path(), "--format", "geojson", "-o", out});
  const char script[] =
      "import json, sys\n"
      "doc = json.load(open(sys.argv[1], encoding='utf-8'))\n"
      "f = {x['properties']['id']: x for x in doc['features']}\n"
      "print(json.dumps([len(doc['features']), f['BH9']['geometry']['coordinates'],\n"
      "                  f['BH9']['properties']['methods'], f['BH9']['properties']['date_first'],\n"
      "                  f['BH2']['properties']['stop']]))\n";
  project_.write("read.py", script);
  const ToolResult r = RunProgram("python3", {project_.file("read.py"), out});
  if (r.status == -1) GTEST_SKIP() << "python3 is not available";
  ASSERT_EQ(r.status, 0) << r.err;
  const Json got = Json::parse(r.out);
  EXPECT_EQ(got[0].get<std::size_t>(), Ok({"list", project_.path(), "--json"}).Json().size());
  // cs2cs -d 10 EPSG:3011 EPSG:4326 on 6583980.45 153978.85: 59.3708248917 18.0699810668.
  EXPECT_NEAR(got[1][0].get<double>(), 18.0699810668, 2e-7);
  EXPECT_NEAR(got[1][1].get<double>(), 59.3708248917, 1e-7);
  EXPECT_EQ(got[2], "interpretation;Dreie;Total");
  EXPECT_EQ(got[3], "20.04.2021");
  EXPECT_EQ(got[4], 93);
}

TEST_F(ToolExportTest, LocalSystemWithoutEpsgIsRefused) {
  SaveDemo();
  // The project information names no system; the database says "LOK".
  project_.write("Info.prj", "Bolaget\r\n\r\n\r\n\r\n\r\n0 0 0 0 -1 -1\r\n");
  const ToolResult refused = Run({"export", project_.path(), "--format", "geojson"});
  EXPECT_EQ(refused.status, 1);
  EXPECT_NE(refused.err.find("local system (LOK)"), std::string::npos) << refused.err;
  EXPECT_NE(refused.err.find("--epsg"), std::string::npos) << refused.err;
  EXPECT_TRUE(refused.out.empty());
  // CSV needs no system, and --epsg names one.
  Ok({"export", project_.path(), "--format", "csv"});
  const Json named = Ok({"export", project_.path(), "--format", "geojson", "--epsg", "3011"}).Json();
  EXPECT_EQ(named["features"].size(), Ok({"list", project_.path(), "--json"}).Json().size());
  const ToolResult unknown = Run({"export", project_.path(), "--format", "geojson", "--epsg", "999999"});
  EXPECT_EQ(unknown.status, 1);
  EXPECT_NE(unknown.err.find("EPSG:999999"), std::string::npos) << unknown.err;
}

TEST_F(ToolExportTest, SoundingsCsvHasARowPerDataRecord) {
  CopyDemo();
  const ToolResult r = Ok({"export", project_.path(), "--format", "csv", "--what", "soundings"});
  ASSERT_EQ(r.out.rfind("id,method,date,x,y,depth,", 0), 0u) << r.out.substr(0, 200);
  // BH2 holds one total sounding; its file has a line per record between the block's header
  // and the closing "*".
  const std::string snd = project_.read("BH2.SND");
  const std::size_t header = snd.find("GUID", snd.find("\r\n25 "));
  const std::size_t records = std::count(snd.begin() + static_cast<long>(header), snd.end(), '\n') - 2;
  std::size_t rows = 0, pos = 0;
  while ((pos = r.out.find("\r\nBH2,Total,", pos)) != std::string::npos) ++rows, ++pos;
  EXPECT_EQ(rows, records);
  EXPECT_NE(r.out.find("\r\nBH2,Total,13.04.2021,6583877.300,153812.600,0.2,"), std::string::npos);
  EXPECT_EQ(r.out.substr(r.out.size() - 2), "\r\n");
  // The core drilling and water loss blocks of KB1, under their own field names.
  EXPECT_NE(r.out.find("\r\nKB1,Core drilling,"), std::string::npos);
  EXPECT_NE(r.out.find("\r\nKB1,Water loss,"), std::string::npos);
  EXPECT_NE(r.out.find(",kvarde,"), std::string::npos);
}

TEST_F(ToolExportTest, PlotDrawsEveryBlockOfABorehole) {
  CopyDemo();
  const std::string out = (fs::path(project_.path()) / "BH9.svg").string();
  Ok({"plot", project_.path(), "bh9", "-o", out});
  const std::string svg = project_.read("BH9.svg");
  ASSERT_EQ(svg.rfind("<?xml", 0), 0u);
  EXPECT_NE(svg.find("viewBox=\"0 0 "), std::string::npos);
  EXPECT_NE(svg.find(">BH9</text>"), std::string::npos);
  EXPECT_NE(svg.find("data-method=\"Dreie\""), std::string::npos);
  EXPECT_NE(svg.find("data-method=\"Total\""), std::string::npos);
  EXPECT_NE(svg.find("class=\"layer\""), std::string::npos);
  EXPECT_NE(svg.find("Stop code 93"), std::string::npos);
  const ToolResult to_stdout = Ok({"plot", project_.path(), "BH9"});
  EXPECT_EQ(to_stdout.out, svg);
}

TEST_F(ToolExportTest, WrongUseAndMissingBoreholes) {
  CopyDemo();
  EXPECT_EQ(Run({"export", project_.path(), "--format", "xml"}).status, 2);
  EXPECT_EQ(Run({"export", project_.path()}).status, 2);
  EXPECT_EQ(Run({"export", project_.path(), "--format", "csv", "--epsg", "0"}).status, 2);
  EXPECT_EQ(Run({"export", project_.path(), "--format", "csv", "--what", "all"}).status, 2);
  EXPECT_EQ(Run({"plot", project_.path(), "A/B"}).status, 2);
  const ToolResult missing = Run({"plot", project_.path(), "NOSUCH"});
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.err.find("no borehole NOSUCH"), std::string::npos);
  // Records come from the database, which this copy does not have yet.
  const ToolResult no_database = Run({"export", project_.path(), "--format", "csv"});
  EXPECT_EQ(no_database.status, 1);
  EXPECT_NE(no_database.err.find("geoproj save"), std::string::npos) << no_database.err;
  EXPECT_EQ(Run({"info", (fs::path(project_.path()) / "missing").string()}).status, 1);
}

}  // namespace
}  // namespace geoproj::tooltest
