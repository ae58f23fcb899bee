#include <geoproj/export/coordinate_transform.h>

#include <cmath>

#include "export/proj_library.h"

namespace geoproj {

// One PROJ context per transformation: PROJ contexts must not be shared between threads, and
// hosts may export from several.
struct CoordinateTransform::Proj {
  const ProjLibrary* library = ProjLibrary::Get();
  PJ_CONTEXT* context = nullptr;
  PJ* transform = nullptr;
  ~Proj() {
    if (transform) library->destroy(transform);
    if (context) library->context_destroy(context);
  }
};

CoordinateTransform::CoordinateTransform(int epsg) : epsg_(epsg), proj_(std::make_unique<Proj>()) {
  if (epsg <= 0) {
    error_ = "EPSG code " + std::to_string(epsg) + " names no coordinate system";
    return;
  }
  const ProjLibrary* proj = proj_->library;
  if (!proj) {
    error_ = ProjLibrary::LoadError();
    return;
  }
  proj_->context = proj->context_create();
  // PROJ's own messages go nowhere; the reason comes back through Error().
  proj->log_level(proj_->context, PJ_LOG_NONE);
  const std::string source = "EPSG:" + std::to_string(epsg);
  PJ* raw = proj->create_crs_to_crs(proj_->context, source.c_str(), "EPSG:4326", nullptr);
  if (!raw) {
    error_ = source + " is not a coordinate system PROJ knows (" +
             proj->context_errno_string(proj_->context, proj->context_errno(proj_->context)) +
             ")";
    return;
  }
  // Easting and northing in, longitude and latitude out, whatever axis order the EPSG
  // definitions give.
  proj_->transform = proj->normalize_for_visualization(proj_->context, raw);
  proj->destroy(raw);
  if (!proj_->transform) error_ = source + " cannot be transformed to WGS 84";
}

CoordinateTransform::~CoordinateTransform() = default;

bool CoordinateTransform::Ok() const { return proj_->transform != nullptr; }

bool CoordinateTransform::Transform(double northing, double easting, double* lon, double* lat) const {
  if (!Ok() || !std::isfinite(northing) || !std::isfinite(easting)) return false;
  PJ_COORD in{};
  in.v[0] = easting;
  in.v[1] = northing;
  PJ_COORD out = proj_->library->trans(proj_->transform, PJ_FWD, in);
  if (!std::isfinite(out.xy.x) || !std::isfinite(out.xy.y) || std::abs(out.xy.y) > 90.0)
    return false;
  *lon = out.xy.x;
  *lat = out.xy.y;
  return true;
}

}  // namespace geoproj
