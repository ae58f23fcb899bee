// CMatReferensLista and CMatReferensData: the reference file and its statistics.
#include "geoproj/groundwater/mat_referens_lista.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "foundation/read_check.h"
#include "geoproj/foundation/stdio_file_mem.h"
#include "geoproj/foundation/text_helpers.h"
#include "geoproj/groundwater/mat_referens_data.h"
#include "geoproj/platform/borv_ini.h"
#include "geoproj/platform/files.h"
#include "geoproj/platform/proj_path.h"

namespace {

bool StartsReference(const std::string& line) { return !line.empty() && line[0] == '*'; }

}  // namespace

CMatReferensLista::CMatReferensLista(CBorvIni* settings) : ini(settings) {}

CMatReferensLista::~CMatReferensLista() {
  if (Home() != 0) return;
  do {
    delete pael->data;
  } while ((*this)++);
}

// Each reference: a "*" line, its name, its number, its coordinates, then its values up to
// the next "*" line.
int CMatReferensLista::Init() {
  m_droppedContent = 0;
  if (!ini || ini->InstallDir().empty()) return 0;
  const std::string path = geoproj::JoinPath(ini->InstallDir(), CProjPath::Gvrref);
  CStdioFileMem file;
  if (!geoproj::FileExists(path) || !file.Open(path, CStdioFileMem::modeRead)) return 0;
  std::string line;
  bool more = file.ReadString(line) != 0;
  if (more && !StartsReference(line)) {
    file.ReportDropped("reference file does not begin with a \"*\" line; nothing read");
    more = false;
  }
  while (more) {
    matreflisttype ref{};
    if (file.ReadString(line)) {
      geoproj::DosToWin(line);
      geoproj::CheckReadLine(file, line);
      geoproj::CopyField(ref.namn, line);
    }
    if (file.ReadString(line)) {
      const int read = std::sscanf(line.c_str(), "%d", &ref.nummer);
      geoproj::CheckReadLine(file, line, geoproj::ScanTookAll(line, read, 0, 1), "number does not parse");
    }
    if (file.ReadString(line)) {
      const int read = std::sscanf(line.c_str(), "%lf%lf", &ref.koord1, &ref.koord2);
      geoproj::CheckReadLine(file, line, geoproj::ScanTookAll(line, read, 0, 2),
                             "coordinates do not parse");
    }
    Ny(1, &ref);
    matreflisttype* current = pael;
    more = false;
    while (file.ReadString(line)) {
      if (StartsReference(line)) {
        more = true;
        break;
      }
      // An empty line holds no value: one of 0 would count in the statistics.
      if (geoproj::CountWords(line) == 0 && !geoproj::HoldsBinaryGarbage(line)) continue;
      geoproj::CheckReadLine(file, line, ReadValue(line, current), "value line does not parse");
    }
  }
  m_droppedContent = file.GetDroppedCount();
  file.Close();
  return 0;
}

// Appended whatever was read; false when a word where a number belongs ended the scan.
bool CMatReferensLista::ReadValue(const std::string& raw, matreflisttype* ref) {
  std::string line = raw;
  geoproj::DosToWin(line);
  matreftype value{};
  std::vector<char> text(line.size() + 1, '\0');
  float extra1 = 0.0f, extra2 = 0.0f;
  const int read = std::sscanf(line.c_str(), "%d%d%d%f%s%f%f", &value.ar, &value.man, &value.dag,
                               &value.varde, text.data(), &extra1, &extra2);
  geoproj::CopyField(value.text, text.data());
  if (read == 7) {
    value.extra1 = extra1;
    value.extra2 = extra2;
  }
  value.datum = geoproj::MakeOleDateTime(value.ar, value.man, value.dag);
  if (!ref->data) ref->data = new CMatReferensData;
  ref->data->Ny(1, &value);
  return geoproj::ScanTookAll(line, read, 0, 7);
}

matreflisttype* CMatReferensLista::Find(const char* namn) {
  if (Home() != 0) return nullptr;
  std::string wanted = namn ? namn : "";
  geoproj::UpperId(wanted);
  do {
    std::string name = geoproj::FieldText(pael->namn);
    geoproj::UpperId(name);
    if (name == wanted) return pael;
  } while ((*this)++);
  return nullptr;
}

int CMatReferensData::MinMaxMedel(double* min, double* max, double* mean,
                                  const geoproj::OleDateTime* from, const geoproj::OleDateTime* to) {
  if (Home() != 0) {
    *min = *max = *mean = 0.0;
    return 0;
  }
  const auto notAfterTo = [&](const matreftype& v) {
    return !to || (to->valid && v.datum.valid && geoproj::CompareOleDate(v.datum.dt, to->dt) <= 0);
  };
  if (from) {
    const auto inPeriod = [&](const matreftype& v) {
      return from->valid && v.datum.valid && geoproj::CompareOleDate(v.datum.dt, from->dt) >= 0 &&
             notAfterTo(v);
    };
    while (!inPeriod(*pael))
      if (!(*this)++) return 0;
  }
  *min = *max = *mean = pael->varde;
  int count = 1;
  while ((*this)++) {
    if (!notAfterTo(*pael)) continue;
    *min = std::min<double>(*min, pael->varde);
    *max = std::max<double>(*max, pael->varde);
    *mean += pael->varde;
    ++count;
  }
  *mean /= count;
  return count;
}
