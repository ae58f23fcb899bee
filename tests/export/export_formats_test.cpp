// The two export formats read back the way their users read them: CSV by RFC 4180 with "."
// decimals under any locale, GeoJSON by Python's json module and, when installed, GDAL.
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <string>

#include <nlohmann/json.hpp>

#include <geoproj/export/coordinate_transform.h>
#include <geoproj/export/csv_writer.h>
#include <geoproj/export/export_table.h>
#include <geoproj/export/geojson_writer.h>

#include "support/temp_dir.h"
#include "tool/tool_runner.h"

namespace {

using geoproj::ExportTable;
using geoproj::ExportValue;

ExportTable PointTable() {
  ExportTable t;
  t.columns = {"id", "x", "y", "z", "note"};
  t.xColumn = 1;
  t.yColumn = 2;
  t.rows.push_back({ExportValue::Text("BH1"), ExportValue::Number(6583852.965, 3),
                    ExportValue::Number(153799.865, 3), ExportValue::Float(14.2f),
                    ExportValue::Text("V\xE4g \"42\", s\xF6""dra\r\nsidan")});
  t.rows.push_back({ExportValue::Text("NOPOS"), ExportValue::Number(0, 3), ExportValue::Number(0, 3),
                    ExportValue(), ExportValue::Text("tab\there")});
  t.rows.push_back({ExportValue::Text("FAR"), ExportValue::Number(1e300, 3),
                    ExportValue::Number(1e300, 3), ExportValue::Integer(-7), ExportValue()});
  return t;
}

TEST(ExportValue, NumbersAreWrittenWithPointDecimals) {
  EXPECT_EQ(ExportValue::Number(1.5, 3).text(), "1.500");
  EXPECT_EQ(ExportValue::Number(-0.0001, 3).text(), "0.000");
  EXPECT_EQ(ExportValue::Float(1.2f).text(), "1.2");
  EXPECT_EQ(ExportValue::Integer(-12).text(), "-12");
  EXPECT_EQ(ExportValue::Number(NAN, 3).kind(), ExportValue::Kind::kEmpty);
  EXPECT_EQ(ExportValue::Float(INFINITY).kind(), ExportValue::Kind::kEmpty);
  EXPECT_EQ(ExportValue::Text("\xE5").text(), "\xC3\xA5");
}

TEST(CsvWriter, QuotesWhatRfc4180Quotes) {
  const std::string csv = geoproj::CsvWriter::Write(PointTable());
  EXPECT_EQ(csv,
            "id,x,y,z,note\r\n"
            "BH1,6583852.965,153799.865,14.2,\"V\xC3\xA4g \"\"42\"\", s\xC3\xB6""dra\r\nsidan\"\r\n"
            "NOPOS,0.000,0.000,,tab\there\r\n"
            "FAR," + ExportValue::Number(1e300, 3).text() + "," +
                ExportValue::Number(1e300, 3).text() + ",-7,\r\n");
}

// A locale that writes decimal commas, when the machine has one.
bool UseCommaLocale() {
  for (const char* name : {"sv_SE.UTF-8", "de_DE.UTF-8", "nb_NO.UTF-8", "fr_FR.UTF-8", "sv_SE.utf8"})
    if (std::setlocale(LC_ALL, name)) return true;
  return false;
}

TEST(CsvWriter, PointDecimalsUnderACommaLocale) {
  if (!UseCommaLocale()) GTEST_SKIP() << "no locale with decimal commas is installed";
  char probe[16];
  std::snprintf(probe, sizeof probe, "%.1f", 1.5);
  const std::string csv = geoproj::CsvWriter::Write(PointTable());
  std::setlocale(LC_ALL, "C");
  ASSERT_STREQ(probe, "1,5") << "the locale does write commas";
  EXPECT_NE(csv.find("BH1,6583852.965,153799.865,14.2,"), std::string::npos) << csv;
}

// Python's json reads the collection; the test compares the points it finds.
const char kGeoJsonReader[] = R"(
import json, sys
doc = json.load(open(sys.argv[1], encoding='utf-8'))
assert doc['type'] == 'FeatureCollection'
out = []
for f in doc['features']:
    assert f['type'] == 'Feature'
    g = f['geometry']
    out.append([f['properties']['id'], None if g is None else g['coordinates'], f['properties']['note'], f['properties']['z']])
print(json.dumps(out))
)";

TEST(GeoJsonWriter, PythonReadsThePointsInLongitudeLatitude) {
  geoproj::CoordinateTransform t(3011);
  int unplaced = 0;
  const std::string geojson = geoproj::GeoJsonWriter::Write(PointTable(), t, &unplaced);
  EXPECT_EQ(unplaced, 2);
  geoproj::test::TempDir dir;
  dir.write("points.geojson", geojson);
  dir.write("read.py", kGeoJsonReader);
  const auto r = geoproj::tooltest::RunProgram("python3", {dir.file("read.py"), dir.file("points.geojson")});
  if (r.status == -1) GTEST_SKIP() << "python3 is not available";
  ASSERT_EQ(r.status, 0) << r.err << geojson;
  const nlohmann::json features = nlohmann::json::parse(r.out);
  ASSERT_EQ(features.size(), 3u);
  EXPECT_EQ(features[0][0], "BH1");
  // cs2cs: 59.3696821691 18.0668307833 (latitude first); GeoJSON has longitude first.
  EXPECT_NEAR(features[0][1][0].get<double>(), 18.0668307833, 1e-8);
  EXPECT_NEAR(features[0][1][1].get<double>(), 59.3696821691, 1e-8);
  EXPECT_EQ(features[0][2], "V\xC3\xA4g \"42\", s\xC3\xB6""dra\r\nsidan");
  EXPECT_DOUBLE_EQ(features[0][3].get<double>(), 14.2);
  EXPECT_TRUE(features[1][1].is_null()) << "a borehole at 0, 0 is not yet placed";
  EXPECT_EQ(features[1][2], "tab\there");
  EXPECT_TRUE(features[1][3].is_null());
  EXPECT_TRUE(features[2][1].is_null()) << "a position beyond the system has no place";
}

TEST(GeoJsonWriter, OgrinfoOpensTheFile) {
  geoproj::CoordinateTransform t(3011);
  geoproj::test::TempDir dir;
  dir.write("points.geojson", geoproj::GeoJsonWriter::Write(PointTable(), t));
  const auto r = geoproj::tooltest::RunProgram("ogrinfo", {"-ro", "-al", "-so", dir.file("points.geojson")});
  if (r.status == -1) GTEST_SKIP() << "ogrinfo (Debian gdal-bin) is not installed";
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("Feature Count: 3"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("Point"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("WGS 84"), std::string::npos) << r.out;
}

TEST(GeoJsonWriter, QuoteEscapesEveryControlCharacter) {
  EXPECT_EQ(geoproj::GeoJsonWriter::Quote(std::string("a\"\\\n\x01\x1f", 6)),
            "\"a\\\"\\\\\\n\\u0001\\u001f\"");
}

}  // namespace
