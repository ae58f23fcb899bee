#include <geoproj/platform/dir_sort.h>

#include <cstring>

#include <geoproj/foundation/text_helpers.h>
#include <geoproj/platform/files.h>

namespace {

// Wildcard match of upper-cased texts. On a mismatch after a "*", the star takes one more
// character, so the work stays bounded by the product of the two lengths.
bool Glob(const char* p, const char* s) {
  const char* star = nullptr;
  const char* resume = nullptr;
  while (*s) {
    if (*p == '*') {
      star = p++;
      resume = s;
    } else if (*p == '?' || *p == *s) {
      ++p;
      ++s;
    } else if (star) {
      p = star + 1;
      s = ++resume;
    } else {
      return false;
    }
  }
  while (*p == '*') ++p;
  return *p == '\0';
}

std::string Upper(const char* text) {
  std::string s(text ? text : "");
  geoproj::UpperId(s);
  return s;
}

}  // namespace

bool CDirSort::Matches(const char* pattern, const char* name) {
  const std::string p = Upper(pattern);
  const std::string n = Upper(name);
  if (Glob(p.c_str(), n.c_str())) return true;
  // "NAME.*" also stands for NAME itself.
  const bool anyExtension = p.size() >= 2 && p.compare(p.size() - 2, 2, ".*") == 0;
  return anyExtension && n.find('.') == std::string::npos &&
         Glob(p.substr(0, p.size() - 2).c_str(), n.c_str());
}

void CDirSort::Clear() {
  while (Home() == 0) Delete();
}

int CDirSort::Init(const char* pattern, int /*flags*/) {
  Clear();
  std::string dir, namePattern;
  geoproj::SplitPath(pattern, &dir, &namePattern);
  if (dir.empty() && pattern && std::strpbrk(pattern, "/\\")) dir = std::string(1, geoproj::kPathSep);
  m_dir = dir.empty() ? "." : geoproj::ResolvePath(dir);
  if (!geoproj::DirectoryExists(m_dir)) return -1;
  // The listing tells which entries are files; only those it leaves open are looked at.
  for (const geoproj::DirectoryEntry& entry : geoproj::ListDirectoryEntries(m_dir)) {
    if (!Matches(namePattern.c_str(), entry.name.c_str())) continue;
    if (!geoproj::IsRegularEntry(m_dir, entry)) continue;
    dirsorttype rec{};
    geoproj::CopyField(rec.name, entry.name);
    geoproj::CopyField(rec.key, Upper(rec.name));
    Ny(1, &rec);
  }
  int count = 0;
  Where(&count);
  if (count > 1) Sortera(0);
  Home();
  return count;
}

int CDirSort::Sortval(int /*key*/) {
  int order = std::strncmp(pael->key, markel->key, sizeof pael->key);
  if (order == 0) order = std::strncmp(pael->name, markel->name, sizeof pael->name);
  return order > 0 ? 1 : 0;
}
