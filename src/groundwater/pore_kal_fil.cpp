// CPoreKalFil: the pore-pressure calibration table.
#include "geoproj/groundwater/pore_kal_fil.h"

#include <cstdio>
#include <string>
#include <vector>

#include "foundation/read_check.h"
#include "geoproj/foundation/messages.h"
#include "geoproj/foundation/stdio_file_mem.h"
#include "geoproj/platform/borv_ini.h"
#include "geoproj/platform/files.h"
#include "geoproj/platform/proj_path.h"

const char* const CPoreKalFil::Filnamn = "Poretryk.kal";

namespace {

// The places looked in, in order: the project directory, then the settings' two directories.
std::vector<std::string> Candidates(const CProjPath* path, const CBorvIni* ini) {
  std::vector<std::string> dirs;
  if (path) dirs.push_back(path->m_projKat);
  if (ini) {
    dirs.push_back(ini->KalibKat1());
    dirs.push_back(ini->KalibKat2());
  }
  std::vector<std::string> files;
  // An unset directory is no directory: the bare name would be looked for wherever we run.
  for (const std::string& dir : dirs)
    if (!dir.empty()) files.push_back(geoproj::JoinPath(dir, CPoreKalFil::Filnamn));
  return files;
}

}  // namespace

int CPoreKalFil::Init(CProjPath* path, CBorvIni* ini) {
  m_droppedContent = 0;
  for (const std::string& name : Candidates(path, ini)) {
    if (!geoproj::FileExists(name)) continue;
    CStdioFileMem file;
    if (!file.Open(name, CStdioFileMem::modeRead)) {
      geoproj::ShowMessageF(geoproj::kMbOk | geoproj::kMbIconExclamation,
                            "L\xE4sning av Solumbra - Poretryk.kal",
                            "Kan inte \xF6ppna -filen\n%s\nAvbryter l\xE4sning!", name.c_str());
      return -1;
    }
    std::string line;
    while (file.ReadString(line) && !(line.size() && line[0] == '*')) {
      porest entry{};
      const int read = std::sscanf(line.c_str(), "%d%*s%lf%lf%lf", &entry.givare, &entry.konst[0],
                                   &entry.konst[1], &entry.konst[2]);
      if (read >= 4) Ny(1, &entry);
      geoproj::CheckReadLine(file, line, read >= 4 || geoproj::CountWords(line) == 0,
                             "calibration line does not hold a sensor, a word and three numbers");
    }
    geoproj::ReportLinesLeft(file);
    m_droppedContent = file.GetDroppedCount();
    file.Close();
    return -1;
  }
  return -1;
}

int CPoreKalFil::Find(int givare) {
  if (Home() != 0) return -1;
  do {
    if (pael->givare == givare) return 0;
  } while ((*this)++);
  return -1;
}
