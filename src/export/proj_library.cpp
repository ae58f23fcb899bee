#include "export/proj_library.h"

#include <dlfcn.h>

namespace geoproj {
namespace {

#ifndef GEOPROJ_PROJ_SONAME
#define GEOPROJ_PROJ_SONAME "libproj.so"
#endif

// The library the export was built against first; the development link name serves when the
// installed version differs.
constexpr const char* kNames[] = {GEOPROJ_PROJ_SONAME, "libproj.so"};

template <class Function>
bool Resolve(void* handle, const char* name, Function& function, std::string& error) {
  function = reinterpret_cast<Function>(dlsym(handle, name));
  if (!function && error.empty()) error = std::string("the PROJ library lacks ") + name;
  return function != nullptr;
}

}  // namespace

bool ProjLibrary::Load(std::string& error) {
  void* handle = nullptr;
  for (const char* name : kNames) {
    if (*name == '\0') continue;
    handle = dlopen(name, RTLD_NOW | RTLD_LOCAL);
    if (handle) break;
  }
  if (!handle) {
    const char* why = dlerror();
    error = std::string("the PROJ library cannot be loaded (") + (why ? why : kNames[0]) + ")";
    return false;
  }
  // Kept loaded for the life of the process: transformations may live until its end.
  bool all = Resolve(handle, "proj_context_create", context_create, error);
  all &= Resolve(handle, "proj_context_destroy", context_destroy, error);
  all &= Resolve(handle, "proj_log_level", log_level, error);
  all &= Resolve(handle, "proj_create_crs_to_crs", create_crs_to_crs, error);
  all &= Resolve(handle, "proj_context_errno", context_errno, error);
  all &= Resolve(handle, "proj_context_errno_string", context_errno_string, error);
  all &= Resolve(handle, "proj_normalize_for_visualization", normalize_for_visualization, error);
  all &= Resolve(handle, "proj_destroy", destroy, error);
  all &= Resolve(handle, "proj_trans", trans, error);
  return all;
}

const ProjLibrary* ProjLibrary::Get() { return Loading().library; }

const std::string& ProjLibrary::LoadError() { return Loading().error; }

ProjLibrary::Loaded& ProjLibrary::Loading() {
  static Loaded loaded = [] {
    static ProjLibrary library;
    Loaded l;
    if (library.Load(l.error)) l.library = &library;
    return l;
  }();
  return loaded;
}

}  // namespace geoproj
