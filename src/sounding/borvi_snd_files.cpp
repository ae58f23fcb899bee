// CBorviSnd: the names of a borehole's seven files.
#include <string>

#include "geoproj/foundation/text_helpers.h"
#include "geoproj/platform/files.h"
#include "geoproj/platform/proj_path.h"
#include "geoproj/sounding/borvi_snd.h"

namespace {

// Extensions of the separate files, in the order of the file members after ID.SND.
const char* const kExtensions[6] = {"TLK", "PRV", "GVR", "MTN", "MIL", "VB"};
const char* const kTemporaryNames[7] = {"SND.TMP", "TLK.TMP", "PRV.TMP", "GVR.TMP",
                                        "MTN.TMP", "MIL.TMP", "VB.TMP"};

std::size_t NameStart(const std::string& path) {
  std::size_t cut = path.find_last_of("/\\");
  return cut == std::string::npos ? 0 : cut + 1;
}

// Upper-cases the file name only: the directories above it keep their case, since only
// project file names are case-insensitive.
std::string UpperName(const std::string& path) {
  std::size_t start = NameStart(path);
  std::string name = path.substr(start);
  geoproj::UpperId(name);
  return path.substr(0, start) + name;
}

}  // namespace

CStdioFileMem* CBorviSnd::Files(int index) {
  CStdioFileMem* files[7] = {&sndfil, &tlkfil, &prvfil, &gvrfil, &mtnfil, &milfil, &vbfil};
  return (index >= 0 && index < 7) ? files[index] : nullptr;
}

int CBorviSnd::SetFilePath(const char* idText, const char* path) {
  const std::string dir = projpath ? projpath->m_borrKat : std::string();
  std::string name = (path && *path)
                         ? std::string(path)
                         : geoproj::JoinPath(dir, std::string(idText ? idText : "") + ".SND");
  name = UpperName(name);
  if (name.find(".SND", NameStart(name)) == std::string::npos) name += ".SND";
  sndfil.SetFilePath(name);
  const std::string stem = name.substr(0, name.size() - 3);
  for (int i = 0; i < 6; ++i) Files(i + 1)->SetFilePath(stem + kExtensions[i]);
  if (tmpnamn == 1) {
    for (int i = 0; i < 7; ++i) Files(i)->SetFilePath(geoproj::JoinPath(dir, kTemporaryNames[i]));
  }
  return 0;
}

int CBorviSnd::DeleteFil(int code) {
  SetFilePath(id, nullptr);
  CStdioFileMem* file = code == 60 ? &tlkfil : code == 45 ? &milfil : code == 40 ? &prvfil : nullptr;
  if (file && geoproj::FileExists(file->GetFilePath())) geoproj::RemoveFile(file->GetFilePath());
  return 1;
}
