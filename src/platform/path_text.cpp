#include <geoproj/platform/path_text.h>

namespace geoproj {
namespace {

bool IsSeparator(char c) { return c == '/' || c == '\\'; }

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

}  // namespace

std::string StripTrailingSeparators(std::string dir) {
  while (dir.size() > 1 && IsSeparator(dir.back())) dir.pop_back();
  return dir;
}

bool IsAbsolutePath(const std::string& path) {
  if (path.empty()) return false;
  if (IsSeparator(path[0])) return true;
  return path.size() >= 2 && IsAsciiLetter(path[0]) && path[1] == ':';
}

}  // namespace geoproj
