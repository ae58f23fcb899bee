// CoordinateTransform: positions of a project's coordinate system (by EPSG code) as WGS 84
// longitude and latitude, through PROJ.
//
// The projects keep x as the northing and y as the easting (the Nordic surveying order), so
// Transform takes them in that order; the result is in GeoJSON's order, longitude first.
#pragma once

#include <memory>
#include <string>

namespace geoproj {

class CoordinateTransform {
 public:
  // Builds the transformation from EPSG:epsg to WGS 84. When PROJ does not know the code (or
  // it names no system that can be transformed) Ok() is false and Error() tells why.
  explicit CoordinateTransform(int epsg);
  ~CoordinateTransform();
  CoordinateTransform(const CoordinateTransform&) = delete;
  CoordinateTransform& operator=(const CoordinateTransform&) = delete;

  bool Ok() const;
  const std::string& Error() const { return error_; }
  int epsg() const { return epsg_; }

  // False when the point cannot be transformed (outside the system's area of use, not finite).
  bool Transform(double northing, double easting, double* lon, double* lat) const;

 private:
  struct Proj;
  int epsg_;
  std::unique_ptr<Proj> proj_;
  std::string error_;
};

}  // namespace geoproj
