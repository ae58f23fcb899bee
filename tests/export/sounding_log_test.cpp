// A borehole read from its files as the log and the soundings export see it: the records under
// their field names, the flushing and hammering ranges, the layers in depths, the table rows,
// and the SVG log checked the way a reader of it would (parsed, ticks and a plotted point).
#include <geoproj/export/sounding_log.h>

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <nlohmann/json.hpp>

#include <geoproj/export/csv_writer.h>
#include <geoproj/export/method_kind.h>
#include <geoproj/export/sounding_table.h>
#include <geoproj/export/svg_log.h>
#include <geoproj/sounding/borvi_snd.h>

#include "sounding/snd_fixture.h"
#include "tool/tool_runner.h"

namespace {

using geoproj::SoundingBlock;
using geoproj::SoundingLog;
using geoproj::test::Crlf;
using geoproj::test::Row;

std::string Header(double z) {
  return "6583852.965000\n153799.865000\n" + std::to_string(z) +
         "\n9999999.900000\n0.000000\n0.000000 0 90.000000\n\n\n\n\n*\n97\n40 0\n" +
         geoproj::test::CanonicalGuidSection();
}

// A total sounding in the current format: value3 is the flushing, D1 and D2 bound hammering.
std::string TotalBlock() {
  return "*\n25 14.04.2021\n1.000000 93 0 4 1 0 GB2 GUID " + geoproj::test::BlockGuid(25) + "\n" +
         Row("  0.200  1000    10     0", 29, "LE") + Row("  0.400  1100    12     0", 29, "") +
         Row("  0.600  1200    14    30", 29, "") + Row("  0.800  1300    16    40", 29, "") +
         Row("  1.000  1400    18     0", 29, "D1") + Row("  1.200  1500    20     0", 29, "") +
         Row("  1.400  1600    22     0", 29, "D2") + Row("  1.600  1700    24     0", 29, "");
}

// The older form: hammering is the mode "SL".
std::string OldTotalBlock() {
  return "*\n25 15.04.2021\n1.000000 90 0 0 1 0 GB2 GUID " + geoproj::test::BlockGuid(25) + "\n" +
         Row("  0.200   500    10 TR", 29, "") + Row("  0.400   600    10 SL", 29, "") +
         Row("  0.600   700    10 SL", 29, "") + Row("  0.800   800    10 TR", 29, "");
}

std::string DreieBlock() {
  return "*\n21 12.04.2021\n1.000000 90 0 0 1 0 GB2 GUID " + geoproj::test::BlockGuid(21) + "\n" +
         Row("  0.200    0 5", 22, "") + Row("  0.400   12 25", 22, "SA") +
         Row("  0.600   -3 SL", 22, "");
}

// A cone penetration test: cone resistance, sleeve friction and pore pressure per depth.
std::string CptBlock() {
  return "*\n7 03.05.2021\n1.000000 92 0 0 1 0 CPT15 GUID " + geoproj::test::BlockGuid(7) + "\n" +
         Row("  0.100   8553     77    142  ", 30, "FY") + Row("  0.200   5767     52    228  ", 30, "") +
         Row("  0.300   9795     88     27  ", 30, "");
}

const char kLayers[] =
    "fyllning 13 2 2\r\n  18.0000 \r\n  0.00   0.00   0.00   0.00   0.00   0.00\r\n"
    "lera 11 2 2\r\n  17.5000 \r\n  0.00   0.00   0.00   0.00   0.00   0.00\r\n"
    "*\r\n";

class SoundingLogTest : public ::testing::Test {
 protected:
  SoundingLogTest() { path.SetPath(dir.path().c_str()); }

  SoundingLog Read(const std::string& snd, const std::string& tlk = "") {
    dir.write("BH1.SND", Crlf(snd + "*\n"));
    if (!tlk.empty()) dir.write("BH1.TLK", tlk);
    CBorviSnd borehole(&path, nullptr);
    EXPECT_EQ(borehole.Init("BH1", nullptr), 0);
    EXPECT_EQ(borehole.m_droppedContent, 0);
    return SoundingLog::Read(borehole);
  }

  geoproj::test::TempDir dir;
  CProjPath path;
};

TEST_F(SoundingLogTest, RecordsKeepTheirFieldsAndRanges) {
  const SoundingLog log = Read(Header(18.0) + TotalBlock());
  EXPECT_EQ(log.id, "BH1");
  EXPECT_DOUBLE_EQ(log.x, 6583852.965);
  EXPECT_DOUBLE_EQ(log.z, 18.0);
  EXPECT_EQ(log.stop, 93);
  ASSERT_EQ(log.blocks.size(), 1u);
  const SoundingBlock& block = log.blocks[0];
  EXPECT_EQ(block.kind->code, 25);
  EXPECT_EQ(block.date, "14.04.2021");
  ASSERT_EQ(block.records.size(), 8u);
  EXPECT_DOUBLE_EQ(block.Depth(2), 0.6);
  EXPECT_EQ(block.Number(2, "value1"), 1200);
  EXPECT_EQ(block.Number(3, "value3"), 40);
  EXPECT_EQ(block.records[0][block.kind->FieldIndex("text")].text(), "LE");
  EXPECT_TRUE(std::isnan(block.Number(0, "no such field")));
  // Flushing where value3 is above 0; hammering from D1 to D2; each record covers the step
  // down to its own depth.
  ASSERT_EQ(block.flushing.size(), 1u);
  EXPECT_DOUBLE_EQ(block.flushing[0].top, 0.4);
  EXPECT_DOUBLE_EQ(block.flushing[0].bottom, 0.8);
  ASSERT_EQ(block.hammering.size(), 1u);
  EXPECT_DOUBLE_EQ(block.hammering[0].top, 0.8);
  EXPECT_DOUBLE_EQ(block.hammering[0].bottom, 1.4);
}

TEST_F(SoundingLogTest, ConePenetrationTestPlotsInThreePanels) {
  const SoundingLog log = Read(Header(18.0) + CptBlock());
  ASSERT_EQ(log.blocks.size(), 1u);
  const SoundingBlock& block = log.blocks[0];
  EXPECT_EQ(block.kind->code, 7);
  EXPECT_EQ(block.stop, 92);
  EXPECT_EQ(block.date, "03.05.2021");
  ASSERT_EQ(block.records.size(), 3u);
  EXPECT_EQ(block.Number(1, "cone_resistance"), 5767);
  EXPECT_EQ(block.Number(1, "sleeve_friction"), 52);
  EXPECT_EQ(block.Number(2, "pore_pressure"), 27);
  EXPECT_EQ(block.records[0][block.kind->FieldIndex("code")].text(), "FY");
  ASSERT_EQ(block.kind->panels.size(), 3u);
  const std::string svg = geoproj::SvgLog::Write(log);
  for (const char* field : {"cone_resistance", "sleeve_friction", "pore_pressure"})
    EXPECT_NE(svg.find("data-field=\"" + std::string(field) + "\""), std::string::npos) << field;
}

TEST_F(SoundingLogTest, OldTotalFormatHammersInModeSl) {
  const SoundingLog log = Read(Header(18.0) + OldTotalBlock());
  ASSERT_EQ(log.blocks.size(), 1u);
  const SoundingBlock& block = log.blocks[0];
  EXPECT_TRUE(block.flushing.empty());
  ASSERT_EQ(block.hammering.size(), 1u);
  EXPECT_DOUBLE_EQ(block.hammering[0].top, 0.2);
  EXPECT_DOUBLE_EQ(block.hammering[0].bottom, 0.6);
}

TEST_F(SoundingLogTest, LayersAndGroundwaterBecomeDepths) {
  const std::string tlk = std::string("gvy\r\n  16.5000\r\n\r\n") + kLayers;
  const SoundingLog log = Read(Header(18.0) + DreieBlock(), tlk);
  ASSERT_EQ(log.layers.size(), 2u);
  EXPECT_NEAR(log.layers[0].top, 0.0, 1e-6);
  EXPECT_NEAR(log.layers[1].top, 0.5, 1e-6);
  EXPECT_NEAR(log.groundwater, 1.5, 1e-6);
  EXPECT_NEAR(log.MaxDepth(), 1.5, 1e-6);
}

TEST_F(SoundingLogTest, SoundingsTablePutsEveryFieldInItsColumn) {
  geoproj::SoundingTable soundings;
  soundings.Add(Read(Header(18.0) + DreieBlock() + TotalBlock()));
  const geoproj::ExportTable& t = soundings.table();
  ASSERT_EQ(t.rows.size(), 3u + 8u);
  // The blocks in the order the sounding file writes them: weight sounding first.
  const auto& dreie = t.rows[1];
  EXPECT_EQ(dreie[t.ColumnIndex("method")].text(), "Dreie");
  EXPECT_EQ(dreie[t.ColumnIndex("depth")].text(), "0.4");
  EXPECT_EQ(dreie[t.ColumnIndex("value")].text(), "12");
  EXPECT_EQ(dreie[t.ColumnIndex("weight")].text(), "25");
  EXPECT_EQ(dreie[t.ColumnIndex("value1")].kind(), geoproj::ExportValue::Kind::kEmpty);
  EXPECT_EQ(t.rows[2][t.ColumnIndex("weight")].text(), "SL");
  const auto& total = t.rows[5];
  EXPECT_EQ(total[t.ColumnIndex("method")].text(), "Total");
  EXPECT_EQ(total[t.ColumnIndex("date")].text(), "14.04.2021");
  EXPECT_EQ(total[t.ColumnIndex("depth")].text(), "0.6");
  EXPECT_EQ(total[t.ColumnIndex("value3")].text(), "30");
  EXPECT_EQ(total[t.ColumnIndex("x")].text(), "6583852.965");
  EXPECT_EQ(total[t.ColumnIndex("value")].kind(), geoproj::ExportValue::Kind::kEmpty);
  // Every column of every kind, once.
  for (const geoproj::MethodKind& kind : geoproj::MethodKind::All())
    for (const char* field : kind.fields) EXPECT_GE(t.ColumnIndex(field), 0) << field;
  EXPECT_EQ(geoproj::CsvWriter::Write(t).substr(0, 28), "id,method,date,x,y,depth,val");
}

// Python reads the drawing as XML and hands back its ticks and traces.
const char kSvgReader[] = R"(
import json, sys, xml.etree.ElementTree as ET
ns = {'s': 'http://www.w3.org/2000/svg'}
root = ET.parse(sys.argv[1]).getroot()
out = {'viewBox': root.get('viewBox'),
       'depth': [[float(t.get('data-depth')), float(t.get('y'))] for t in root.iter('{http://www.w3.org/2000/svg}text') if t.get('class') == 'depth-tick'],
       'value': [[float(t.get('data-value')), float(t.get('x'))] for t in root.iter('{http://www.w3.org/2000/svg}text') if t.get('class') == 'value-tick' and t.get('data-value') is not None],
       'traces': [[p.get('data-method'), [[float(v) for v in xy.split(',')] for xy in p.get('points').split()]] for p in root.iter('{http://www.w3.org/2000/svg}polyline')],
       'texts': [t.text for t in root.iter('{http://www.w3.org/2000/svg}text')],
       'flushing': len([r for r in root.iter('{http://www.w3.org/2000/svg}rect') if r.get('class') == 'flushing'])}
print(json.dumps(out))
)";

// Where a value lies on a scale given by its ticks (value, position).
double Place(const nlohmann::json& ticks, double value) {
  const double v0 = ticks[0][0], p0 = ticks[0][1], v1 = ticks[1][0], p1 = ticks[1][1];
  return p0 + (value - v0) / (v1 - v0) * (p1 - p0);
}

TEST_F(SoundingLogTest, SvgLogParsesWithTicksAndPlottedPoints) {
  const std::string tlk = std::string("gvy\r\n  16.5000\r\n\r\n") + kLayers;
  SoundingLog log = Read(Header(18.0) + TotalBlock(), tlk);
  log.id = "BH<1>&\xE5";  // markup and a letter beyond ASCII in the title
  const std::string svg = geoproj::SvgLog::Write(log);
  dir.write("log.svg", svg);
  dir.write("read.py", kSvgReader);
  const geoproj::tooltest::ToolResult r =
      geoproj::tooltest::RunProgram("python3", {dir.file("read.py"), dir.file("log.svg")});
  if (r.status == -1) GTEST_SKIP() << "python3 is not available";
  ASSERT_EQ(r.status, 0) << r.err;
  const nlohmann::json parsed = nlohmann::json::parse(r.out);
  EXPECT_TRUE(parsed["viewBox"].get<std::string>().rfind("0 0 ", 0) == 0);
  const nlohmann::json& depth = parsed["depth"];
  ASSERT_GE(depth.size(), 4u);
  EXPECT_EQ(depth[0][0], 0.0);
  EXPECT_LT(depth[0][1].get<double>(), depth[1][1].get<double>()) << "depth grows downward";
  EXPECT_GE(depth.back()[0].get<double>(), 1.6) << "the scale reaches the deepest record";
  ASSERT_EQ(parsed["traces"].size(), 1u);
  EXPECT_EQ(parsed["traces"][0][0], "Total");
  const nlohmann::json& points = parsed["traces"][0][1];
  ASSERT_EQ(points.size(), 8u);
  // The record at 0.6 m with a push force of 1200, where the scales put it (labels stand a few
  // pixels below their depth line).
  const double labelDrop = 4.0;
  EXPECT_NEAR(points[2][1].get<double>(), Place(depth, 0.6) - labelDrop, 0.02);
  EXPECT_NEAR(points[2][0].get<double>(), Place(parsed["value"], 1200), 0.02);
  EXPECT_EQ(parsed["flushing"], 1);
  bool titled = false;
  for (const auto& t : parsed["texts"])
    if (t.is_string() && t.get<std::string>() == "BH<1>&\xC3\xA5") titled = true;
  EXPECT_TRUE(titled) << "the identifier, escaped and in UTF-8, heads the log";
}

// Every sounding file of the fuzz corpus (damaged ones among them) drawn and tabled: the
// drawings are well-formed XML, the tables as wide as their headers.
TEST_F(SoundingLogTest, DamagedSoundingFilesStillDrawAndExport) {
#ifdef GEOPROJ_SOURCE_DIR
  const std::filesystem::path corpus = std::filesystem::path(GEOPROJ_SOURCE_DIR) / "fuzz" / "corpus" / "snd";
#else
  const std::filesystem::path corpus;
#endif
  if (!std::filesystem::is_directory(corpus)) GTEST_SKIP() << "no corpus at " << corpus;
  geoproj::test::StatusLog quiet;
  geoproj::SoundingTable soundings;
  int drawn = 0;
  for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
    std::ifstream in(entry.path(), std::ios::binary);
    dir.write("BH1.SND", std::string(std::istreambuf_iterator<char>(in), {}));
    CBorviSnd borehole(&path, nullptr);
    borehole.Init("BH1", nullptr);
    const SoundingLog log = SoundingLog::Read(borehole);
    soundings.Add(log);
    const std::string svg = geoproj::SvgLog::Write(log);
    ASSERT_EQ(svg.substr(svg.size() - 7), "</svg>\n") << entry.path();
    dir.write("svg" + std::to_string(drawn++) + ".svg", svg);
  }
  for (const auto& row : soundings.table().rows) ASSERT_EQ(row.size(), soundings.table().columns.size());
  dir.write("check.py",
            "import glob, sys, xml.etree.ElementTree as ET\n"
            "files = glob.glob(sys.argv[1] + '/svg*.svg')\n"
            "for f in files: ET.parse(f)\n"
            "print(len(files))\n");
  const auto r = geoproj::tooltest::RunProgram("python3", {dir.file("check.py"), dir.path()});
  if (r.status == -1) GTEST_SKIP() << "python3 is not available";
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(std::stoi(r.out), drawn);
}

TEST(SvgLog, TickStepsAreRound) {
  EXPECT_DOUBLE_EQ(geoproj::SvgLog::TickStep(16.6, 12), 2.0);
  EXPECT_DOUBLE_EQ(geoproj::SvgLog::TickStep(10.0, 10), 1.0);
  EXPECT_DOUBLE_EQ(geoproj::SvgLog::TickStep(1800, 4), 500.0);
  EXPECT_DOUBLE_EQ(geoproj::SvgLog::TickStep(0.7, 12), 0.1);
  EXPECT_DOUBLE_EQ(geoproj::SvgLog::TickStep(0, 4), 1.0);
  EXPECT_DOUBLE_EQ(geoproj::SvgLog::TickStep(NAN, 4), 1.0);
}

TEST(SvgLog, EscapeDropsControlBytesAndQuotesMarkup) {
  EXPECT_EQ(geoproj::SvgLog::Escape(std::string("a\x01<b>\"&'\x7F\xE4", 10)),
            "a&lt;b&gt;&quot;&amp;&apos;\xC3\xA4");
}

}  // namespace
