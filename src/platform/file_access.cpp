#include <geoproj/platform/file_access.h>

#include <geoproj/platform/files.h>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace geoproj {

bool HasReadWriteAccess(const std::string& path) {
  if (!FileExists(path)) return false;
  const std::string resolved = ResolvePath(path);
#ifdef _WIN32
  return ::_access(resolved.c_str(), 6) == 0;
#else
  return ::access(resolved.c_str(), R_OK | W_OK) == 0;
#endif
}

}  // namespace geoproj
