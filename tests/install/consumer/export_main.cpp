#include <geoproj/export/coordinate_transform.h>
#include <geoproj/export/csv_writer.h>
#include <geoproj/geoproj.h>

#include <cstdio>

// A program that places a point and writes a table through the installed export library.
int main() {
  geoproj::CoordinateTransform transform(3011);
  double lon = 0, lat = 0;
  if (!transform.Transform(6583852.965, 153799.865, &lon, &lat)) {
    std::printf("transform failed: %s\n", transform.Error().c_str());
    return 1;
  }
  geoproj::ExportTable table;
  table.columns = {"lon", "lat"};
  table.rows.push_back({geoproj::ExportValue::Number(lon, 6), geoproj::ExportValue::Number(lat, 6)});
  std::fputs(geoproj::CsvWriter::Write(table).c_str(), stdout);
  return 0;
}
