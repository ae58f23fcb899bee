#include <geoproj/export/coordinate_transform.h>

#include <cmath>

#include <proj.h>

namespace geoproj {

// One PROJ context per transformation: PROJ contexts must not be shared between threads, and
// hosts may export from several.
struct CoordinateTransform::Proj {
  PJ_CONTEXT* context = nullptr;
  PJ* transform = nullptr;
  ~Proj() {
    if (transform) proj_destroy(transform);
    if (context) proj_context_destroy(context);
  }
};

CoordinateTransform::CoordinateTransform(int epsg) : epsg_(epsg), proj_(std::make_unique<Proj>()) {
  if (epsg <= 0) {
    error_ = "EPSG code " + std::to_string(epsg) + " names no coordinate system";
    return;
  }
  proj_->context = proj_context_create();
  // PROJ's own messages go nowhere; the reason comes back through Error().
  proj_log_level(proj_->context, PJ_LOG_NONE);
  const std::string source = "EPSG:" + std::to_string(epsg);
  PJ* raw = proj_create_crs_to_crs(proj_->context, source.c_str(), "EPSG:4326", nullptr);
  if (!raw) {
    error_ = source + " is not a coordinate system PROJ knows (" +
             proj_context_errno_string(proj_->context, proj_context_errno(proj_->context)) + ")";
    return;
  }
  // Easting and northing in, longitude and latitude out, whatever axis order the EPSG
  // definitions give.
  proj_->transform = proj_normalize_for_visualization(proj_->context, raw);
  proj_destroy(raw);
  if (!proj_->transform) error_ = source + " cannot be transformed to WGS 84";
}

CoordinateTransform::~CoordinateTransform() = default;

bool CoordinateTransform::Ok() const { return proj_->transform != nullptr; }

bool CoordinateTransform::Transform(double northing, double easting, double* lon, double* lat) const {
  if (!Ok() || !std::isfinite(northing) || !std::isfinite(easting)) return false;
  PJ_COORD in = proj_coord(easting, northing, 0, 0);
  PJ_COORD out = proj_trans(proj_->transform, PJ_FWD, in);
  if (!std::isfinite(out.xy.x) || !std::isfinite(out.xy.y) || std::abs(out.xy.y) > 90.0)
    return false;
  *lon = out.xy.x;
  *lat = out.xy.y;
  return true;
}

}  // namespace geoproj
