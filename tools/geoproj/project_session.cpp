#include "project_session.h"

#include <geoproj/foundation/text_helpers.h>
#include <geoproj/platform/files.h>
#include <geoproj/sounding/borvi_snd.h>

#include "exit_codes.h"

namespace geoproj::tool {
namespace {

// The extensions of a borehole's files, as the sounding file names them.
constexpr const char* kBoreholeExtensions[] = {".SND", ".TLK", ".PRV", ".GVR",
                                               ".MTN", ".MIL", ".VB"};

// The longest identifier the database holds.
constexpr std::size_t kMaxIdLength = 8;

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

bool ProjectSession::HasFiles(const std::string& id) const {
  std::string name = id;
  UpperId(name);
  for (const char* ext : kBoreholeExtensions)
    if (FileExists(JoinPath(path_.m_borrKat, name + ext))) return true;
  return false;
}

}  // namespace geoproj::tool
