#include "project/document_path.h"

#include <algorithm>
#include <cctype>
#include <vector>

#include <geoproj/platform/files.h>
#include <geoproj/platform/path_text.h>

namespace geoproj {
namespace {

bool IsSeparator(char c) { return c == '/' || c == '\\'; }

// A name written on the other platform: its separators as this one's.
std::string WithOwnSeparators(std::string name) {
  std::replace_if(name.begin(), name.end(), IsSeparator, kPathSep);
  return name;
}

struct SplitPath {
  std::string root;  // "C:", a run of separators as "/" each, or empty for a relative path
  std::vector<std::string> parts;
};

SplitPath Split(const std::string& path) {
  SplitPath out;
  std::size_t i = 0;
  if (path.size() >= 2 && path[1] == ':') {
    out.root = path.substr(0, 2);
    out.root[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(out.root[0])));
    i = 2;
  }
  for (; i < path.size() && IsSeparator(path[i]); ++i) out.root += '/';
  std::string part;
  for (; i <= path.size(); ++i) {
    if (i == path.size() || IsSeparator(path[i])) {
      if (!part.empty() && part != ".") out.parts.push_back(part);
      part.clear();
    } else {
      part += path[i];
    }
  }
  return out;
}

}  // namespace

int ResolveDocumentName(const std::string& name, const std::string& projDir, std::string* full) {
  if (name.empty()) return -1;
  if (FileExists(name)) {
    *full = name;
    return 0;
  }
  if (name.size() >= 2 && name[0] == '\\' && name[1] == '\\') return -1;
  if (IsAbsolutePath(name)) return -1;
  for (const std::string& candidate :
       {JoinPath(projDir, name), JoinPath(projDir, WithOwnSeparators(name))}) {
    if (FileExists(candidate)) {
      *full = candidate;
      return 0;
    }
  }
  return -1;
}

std::string RelativeToDirectory(const std::string& dir, const std::string& file) {
  if (!IsAbsolutePath(dir) || !IsAbsolutePath(file)) return file;
  const SplitPath from = Split(dir), to = Split(file);
  if (from.root != to.root || to.parts.empty()) return file;
  std::size_t common = 0;
  while (common < from.parts.size() && common + 1 < to.parts.size() &&
         from.parts[common] == to.parts[common])
    ++common;
  std::string out;
  for (std::size_t i = common; i < from.parts.size(); ++i) out += std::string("..") + kPathSep;
  for (std::size_t i = common; i < to.parts.size(); ++i) {
    out += to.parts[i];
    if (i + 1 < to.parts.size()) out += kPathSep;
  }
  return out;
}

}  // namespace geoproj
