#include <geoproj/export/geojson_writer.h>

#include <cstdio>
#include <cstdlib>

namespace geoproj {
namespace {

bool NumberOf(const ExportValue& value, double* out) {
  if (value.kind() != ExportValue::Kind::kNumber) return false;
  char* end = nullptr;
  *out = std::strtod(value.text().c_str(), &end);
  return end && *end == '\0';
}

}  // namespace

std::string GeoJsonWriter::Quote(const std::string& utf8) {
  std::string out = "\"";
  for (unsigned char c : utf8) {
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (c < 0x20) {
          char escaped[8];
          std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
          out += escaped;
        } else {
          out += static_cast<char>(c);
        }
    }
  }
  return out + "\"";
}

std::string GeoJsonWriter::Geometry(const ExportTable& table, const std::vector<ExportValue>& row,
                                    const CoordinateTransform& transform) {
  double x = 0.0, y = 0.0, lon = 0.0, lat = 0.0;
  if (table.xColumn < 0 || table.yColumn < 0 || !NumberOf(row[table.xColumn], &x) ||
      !NumberOf(row[table.yColumn], &y))
    return "null";
  // A borehole not yet placed keeps its position at 0, 0: no place on any map.
  if ((x == 0.0 && y == 0.0) || !transform.Transform(x, y, &lon, &lat)) return "null";
  return "{\"type\":\"Point\",\"coordinates\":[" +
         ExportValue::Number(lon, kDegreeDecimals).text() + "," +
         ExportValue::Number(lat, kDegreeDecimals).text() + "]}";
}

std::string GeoJsonWriter::Properties(const ExportTable& table, const std::vector<ExportValue>& row) {
  std::string out = "{";
  for (std::size_t i = 0; i < row.size(); ++i) {
    if (i) out += ",";
    out += Quote(table.columns[i]) + ":";
    switch (row[i].kind()) {
      case ExportValue::Kind::kEmpty: out += "null"; break;
      case ExportValue::Kind::kNumber: out += row[i].text(); break;
      case ExportValue::Kind::kText: out += Quote(row[i].text()); break;
    }
  }
  return out + "}";
}

std::string GeoJsonWriter::Write(const ExportTable& table, const CoordinateTransform& transform,
                                 int* unplaced) {
  int without = 0;
  std::string out = "{\"type\":\"FeatureCollection\",\"features\":[";
  for (std::size_t r = 0; r < table.rows.size(); ++r) {
    const std::string geometry = Geometry(table, table.rows[r], transform);
    if (geometry == "null") ++without;
    out += r ? ",\n" : "\n";
    out += "{\"type\":\"Feature\",\"geometry\":" + geometry +
           ",\"properties\":" + Properties(table, table.rows[r]) + "}";
  }
  out += "\n]}\n";
  if (unplaced) *unplaced = without;
  return out;
}

}  // namespace geoproj
