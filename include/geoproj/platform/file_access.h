// Access tests on existing files.
#pragma once

#include <string>

namespace geoproj {

// True when the file (its last component resolved without regard to case) exists and this
// process may both read and write it.
bool HasReadWriteAccess(const std::string& path);

}  // namespace geoproj
