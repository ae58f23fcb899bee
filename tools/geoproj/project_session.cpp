#include "project_session.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <set>

#include <geoproj/foundation/text_helpers.h>
#include <geoproj/platform/files.h>
#include <geoproj/platform/safe_file.h>
#include <geoproj/sounding/borvi_snd.h>

#include "exit_codes.h"

namespace geoproj::tool {
namespace {

// The extensions of a borehole's files, as the sounding file names them.
constexpr const char* kBoreholeExtensions[] = {".SND", ".TLK", ".PRV", ".GVR",
                                               ".MTN", ".MIL", ".VB"};

// The files that make a borehole of their own (the others belong to one).
constexpr const char* kOwnFileExtensions[] = {".SND", ".VB", ".GVR", ".MTN"};

// The longest identifier the database holds.
constexpr std::size_t kMaxIdLength = 8;

bool IsUtf8(const std::string& s) {
  for (std::size_t i = 0; i < s.size();) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    const int more = c < 0x80 ? 0 : (c >> 5) == 0x6 ? 1 : (c >> 4) == 0xE ? 2 : (c >> 3) == 0x1E ? 3 : -1;
    if (more < 0 || (more > 0 && i + static_cast<std::size_t>(more) >= s.size())) return false;
    for (int k = 1; k <= more; ++k)
      if ((static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]) & 0xC0) != 0x80) return false;
    i += static_cast<std::size_t>(more) + 1;
  }
  return true;
}

// The five byte values the code page leaves undefined.
bool IsCp1252(const std::string& s) {
  for (unsigned char c : s)
    if (c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D) return false;
  return true;
}

// The identifier a file name stem spells, in the code page; empty when it spells none.
std::string IdOfStem(const std::string& stem) {
  std::string id = IsUtf8(stem) ? Utf8ToCp1252(stem) : IsCp1252(stem) ? stem : std::string();
  if (id.empty() || id.size() > kMaxIdLength) return std::string();
  UpperId(id);
  return id;
}

// B2 before B10: runs of digits compare by their value.
bool IdBefore(const std::string& a, const std::string& b) {
  std::size_t i = 0, j = 0;
  while (i < a.size() && j < b.size()) {
    const bool da = std::isdigit(static_cast<unsigned char>(a[i])) != 0;
    const bool db = std::isdigit(static_cast<unsigned char>(b[j])) != 0;
    if (da && db) {
      std::size_t ei = i, ej = j;
      while (ei < a.size() && std::isdigit(static_cast<unsigned char>(a[ei]))) ++ei;
      while (ej < b.size() && std::isdigit(static_cast<unsigned char>(b[ej]))) ++ej;
      const std::string na = a.substr(i, ei - i), nb = b.substr(j, ej - j);
      const std::size_t za = na.find_first_not_of('0'), zb = nb.find_first_not_of('0');
      const std::string va = za == std::string::npos ? "" : na.substr(za);
      const std::string vb = zb == std::string::npos ? "" : nb.substr(zb);
      if (va.size() != vb.size()) return va.size() < vb.size();
      if (va != vb) return va < vb;
      i = ei, j = ej;
    } else {
      if (a[i] != b[j]) return static_cast<unsigned char>(a[i]) < static_cast<unsigned char>(b[j]);
      ++i, ++j;
    }
  }
  return a.size() - i < b.size() - j || (a.size() - i == b.size() - j && a < b);
}

// The stem of a name with one of the extensions (any case), or false.
bool StemWith(const std::string& name, const char* const (&extensions)[4], std::string* stem) {
  for (const char* ext : extensions) {
    const std::size_t n = std::strlen(ext);
    if (name.size() > n && EqualsNoCase(name.substr(name.size() - n), ext)) {
      *stem = name.substr(0, name.size() - n);
      return true;
    }
  }
  return false;
}

}  // namespace

int ProjectSession::Open(const std::string& dir) {
  if (dir.empty() || !DirectoryExists(dir)) {
    host().Error("no such project directory: " + dir);
    return kExitFailure;
  }
  const std::string install = context_.options.InstallDir();
  if (!install.empty()) {
    if (!DirectoryExists(install)) {
      host().Error("no such installation directory: " + install);
      return kExitFailure;
    }
    settings_ = std::make_unique<CBorvIni>(install.c_str());
  }
  path_.SetPath(ResolvePath(dir).c_str());
  return kExitDone;
}

std::unique_ptr<CBorviSnd> ProjectSession::NewSounding(CBorviDbs* dbs) {
  if (settings_) return std::make_unique<CBorviSnd>(&path_, dbs, settings_.get());
  return std::make_unique<CBorviSnd>(&path_, dbs);
}

int ProjectSession::ParseId(const std::string& utf8, std::string* id) {
  *id = Utf8ToCp1252(utf8);
  bool usable = !id->empty() && id->size() <= kMaxIdLength;
  for (unsigned char c : *id)
    if (c < 0x20 || c == '/' || c == '\\' || c == '*' || c == '?') usable = false;
  if (!usable) {
    host().Error("not a borehole identifier (1 to 8 characters, no separators): '" + utf8 + "'");
    return kExitUsage;
  }
  // The database and the file names know a borehole by its upper-cased identifier.
  UpperId(*id);
  return kExitDone;
}

std::vector<std::string> ProjectSession::BoreholeIds(std::vector<std::string>* unusable) const {
  std::vector<std::string> ids;
  std::set<std::string> seen;
  for (const std::string& name : ListDirectory(path_.m_borrKat)) {
    std::string stem;
    if (IsRewriteJournalName(name) || !StemWith(name, kOwnFileExtensions, &stem)) continue;
    const std::string id = IdOfStem(stem);
    if (id.empty())
      unusable->push_back(name);
    else if (seen.insert(id).second)
      ids.push_back(id);
  }
  std::sort(ids.begin(), ids.end(), IdBefore);
  std::sort(unusable->begin(), unusable->end());
  return ids;
}

bool ProjectSession::HasFiles(const std::string& id) const {
  std::string name = id;
  UpperId(name);
  for (const char* ext : kBoreholeExtensions)
    if (FileExists(JoinPath(path_.m_borrKat, name + ext))) return true;
  return false;
}

}  // namespace geoproj::tool
