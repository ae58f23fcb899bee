// ProjLibrary: the coordinate transformation library, loaded the first time an export needs it.
//
// Linking it into the tool loaded it and the forty libraries it depends on at every start of
// every command, which cost ten times the CPU time of saving a small borehole; only the map
// export transforms coordinates.
#pragma once

#include <string>

#include <proj.h>

namespace geoproj {

class ProjLibrary {
 public:
  // The library, loaded on the first call (thread-safe); null when it cannot be loaded, with
  // the reason in LoadError().
  static const ProjLibrary* Get();
  static const std::string& LoadError();

  decltype(&proj_context_create) context_create = nullptr;
  decltype(&proj_context_destroy) context_destroy = nullptr;
  decltype(&proj_log_level) log_level = nullptr;
  decltype(&proj_create_crs_to_crs) create_crs_to_crs = nullptr;
  decltype(&proj_context_errno) context_errno = nullptr;
  decltype(&proj_context_errno_string) context_errno_string = nullptr;
  decltype(&proj_normalize_for_visualization) normalize_for_visualization = nullptr;
  decltype(&proj_destroy) destroy = nullptr;
  decltype(&proj_trans) trans = nullptr;

 private:
  struct Loaded {
    const ProjLibrary* library = nullptr;
    std::string error;
  };
  ProjLibrary() = default;
  static Loaded& Loading();
  bool Load(std::string& error);
};

}  // namespace geoproj
