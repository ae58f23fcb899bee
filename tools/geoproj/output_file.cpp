#include "output_file.h"

#include <cstdio>

#include <geoproj/platform/files.h>
#include <geoproj/platform/safe_file.h>

namespace geoproj::tool {

bool WriteOutput(MessageHost& host, const std::string& path, const std::string& bytes) {
  if (path.empty() || path == "-") {
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size();
    return std::fflush(stdout) == 0 && written;
  }
  try {
    RewriteFile(path, bytes);
  } catch (const FileError& e) {
    host.Error(std::string("cannot write ") + path + ": " + e.what());
    return false;
  }
  return true;
}

}  // namespace geoproj::tool
