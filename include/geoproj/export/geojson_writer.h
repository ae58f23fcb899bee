// GeoJsonWriter: an export table as an RFC 7946 FeatureCollection: one Point feature per row at
// the row's position in WGS 84 longitude and latitude, the row's values as its properties. A
// row whose position is missing (or 0, 0) or cannot be transformed gets a null geometry and keeps its
// properties: nothing is left out.
#pragma once

#include <string>

#include "geoproj/export/coordinate_transform.h"
#include "geoproj/export/export_table.h"

namespace geoproj {

class GeoJsonWriter {
 public:
  // Decimals of the degrees written: 1e-8 degrees is about a millimetre.
  static constexpr int kDegreeDecimals = 8;

  // *unplaced receives the number of rows written without a geometry.
  static std::string Write(const ExportTable& table, const CoordinateTransform& transform,
                           int* unplaced = nullptr);
  // A JSON string literal of UTF-8 text.
  static std::string Quote(const std::string& utf8);

 private:
  static std::string Geometry(const ExportTable& table, const std::vector<ExportValue>& row,
                              const CoordinateTransform& transform);
  static std::string Properties(const ExportTable& table, const std::vector<ExportValue>& row);
};

}  // namespace geoproj
