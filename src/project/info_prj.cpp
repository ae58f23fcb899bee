#include <geoproj/project/info_prj.h>

#include <cstdio>

#include <geoproj/foundation/text_helpers.h>
#include <geoproj/platform/files.h>
#include <geoproj/platform/proj_path.h>
#include <geoproj/platform/transformation.h>

#include "foundation/read_check.h"

const char* const CInfoPrj::FilNamn = "Info.prj";

CInfoPrj::CInfoPrj(CProjPath* path) : projpath(path) {
  if (!projpath) return;
  const std::string name = GetFileName();
  if (!geoproj::FileExists(name)) {
    CreateEmpty();
    return;
  }
  if (!file.Open(name, CStdioFileMem::modeRead)) return;
  Read();
  m_dropped = file.GetDroppedCount();
  file.Close();
}

CInfoPrj::~CInfoPrj() = default;

std::string CInfoPrj::GetFileName() const {
  return projpath ? geoproj::JoinPath(projpath->m_projKat, FilNamn) : std::string();
}

// A project always has the file after it was first looked at; a directory that does not take
// it is no failure of the caller's.
void CInfoPrj::CreateEmpty() {
  try {
    if (file.Open(GetFileName(), CStdioFileMem::modeCreate | CStdioFileMem::modeWrite))
      file.Close();
  } catch (const geoproj::FileError&) {
  }
}

void CInfoPrj::Read() {
  ReadTextLine(&company);
  ReadTextLine(&document);
  for (std::string& line : text) ReadTextLine(&line);
  ReadExtentLine();
  ReadTextLine(&coordText);
  ReadTextLine(&heightText);
  for (std::string& line : transformation) ReadTextLine(&line);
  ReadCentreLine();
  geoproj::ReportLinesLeft(file);
}

void CInfoPrj::ReadTextLine(std::string* field) {
  std::string line;
  if (!file.ReadString(line)) return;
  geoproj::DosToWin(line);
  geoproj::CheckReadLine(file, line);
  *field = line;
}

// The extent and the two system indices; the count of numbers read decides which defaults stay.
void CInfoPrj::ReadExtentLine() {
  std::string line;
  if (!file.ReadString(line)) return;
  geoproj::DosToWin(line);
  double values[4] = {0.0, 0.0, 0.0, 0.0};
  int coord = -1, height = -1;
  const int n = std::sscanf(line.c_str(), "%lf %lf %lf %lf %d %d", &values[0], &values[1],
                            &values[2], &values[3], &coord, &height);
  latMin = values[0];
  latMax = values[1];
  lonMin = values[2];
  lonMax = values[3];
  coordSystem = n >= 5 ? coord : -1;
  heightSystem = n >= 6 ? height : -1;
  geoproj::CheckReadLine(file, line, geoproj::ScanTookAll(line, n, 0, 6),
                         "extent line does not parse");
}

// The reference point; what the line does not hold is the middle of the extent.
void CInfoPrj::ReadCentreLine() {
  centreLat = (latMin + latMax) * 0.5;
  centreLon = (lonMin + lonMax) * 0.5;
  std::string line;
  if (!file.ReadString(line)) return;
  geoproj::DosToWin(line);
  double lat = 0.0, lon = 0.0;
  const int n = std::sscanf(line.c_str(), "%lf %lf", &lat, &lon);
  if (n >= 1) centreLat = lat;
  if (n >= 2) centreLon = lon;
  geoproj::CheckReadLine(file, line, geoproj::ScanTookAll(line, n, 0, 2),
                         "centre line does not parse");
}

int CInfoPrj::Uppdat() {
  if (!projpath) return -1;
  if (!file.Open(GetFileName(), CStdioFileMem::modeCreate | CStdioFileMem::modeWrite)) return -1;
  WriteTextLine(company);
  WriteTextLine(document);
  for (const std::string& line : text) WriteTextLine(line);
  file.WriteString(geoproj::Format("%lf %lf %lf %lf %d %d\n", latMin, latMax, lonMin, lonMax,
                                   coordSystem, heightSystem));
  WriteTextLine(coordText);
  WriteTextLine(heightText);
  for (const std::string& line : transformation) WriteTextLine(line);
  file.WriteString(geoproj::Format("%lf %lf\n", centreLat, centreLon));
  file.Close();
  return 0;
}

// Each field is one line of the file: a line break inside a field edited by a host would push
// every later field onto the wrong line, so the field ends there. A zero byte ends it as well,
// as every text written through the file does.
void CInfoPrj::WriteTextLine(const std::string& field) {
  const std::size_t end = field.find_first_of(std::string("\r\n\0", 3));
  file.WriteString(field.substr(0, end) + "\n");
}

int CInfoPrj::EPGSsystem(int index) {
  if (index < 0 || index > CTransformation::SIZE) return -1;
  return CTransformation::nrSystem[index];
}

int CInfoPrj::EPGSsystemHeight(int index) {
  if (index < 0 || index > CTransformation::SIZEHEIGHT) return -1;
  return CTransformation::nrSystemHeight[index];
}

std::string CInfoPrj::TextSystem(int index) {
  if (index < 0 || index > CTransformation::SIZE) return std::string();
  return CTransformation::defSystem[index];
}
