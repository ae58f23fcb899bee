// Small path text operations shared by the stand-in services.
#pragma once

#include <string>

namespace geoproj {

// dir without trailing separators ("/" or "\"); a lone root separator stays.
std::string StripTrailingSeparators(std::string dir);

// Whether path is absolute: it begins with a separator or a drive letter and colon.
bool IsAbsolutePath(const std::string& path);

}  // namespace geoproj
