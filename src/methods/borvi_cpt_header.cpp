// CBorviCptHeader: the settings block of a cone penetration test.
#include "geoproj/methods/borvi_cpt_header.h"

#include <cmath>
#include <algorithm>
#include <cstdio>
#include <string>

#include "foundation/read_check.h"
#include "geoproj/foundation/stdio_file_mem.h"
#include "geoproj/foundation/text_helpers.h"
#include "geoproj/sounding/sond_block.h"

namespace {

// The value starts in column 27, behind the key padded to 25 characters and one blank.
constexpr std::size_t kVardeKolumn = 26;

std::string Upper(const char* text) {
  std::string out = text ? text : "";
  geoproj::UpperId(out);
  return out;
}

// The first word of a line, as "%s" reads it.
std::string FirstWord(const std::string& line, std::size_t* end) {
  const char* blanks = " \t\n\v\f\r";
  const std::size_t start = line.find_first_not_of(blanks);
  if (start == std::string::npos) {
    *end = line.size();
    return std::string();
  }
  std::size_t stop = line.find_first_of(blanks, start);
  if (stop == std::string::npos) stop = line.size();
  *end = stop;
  return line.substr(start, stop - start);
}

// Whether the line holds text that is neither in its key nor in its value column: a value
// written short of its column (by hand) would be lost.
bool TextOutsideColumns(const std::string& line, std::size_t keyEnd) {
  const std::size_t limit = std::min(line.size(), kVardeKolumn);
  return keyEnd < limit && line.find_first_not_of(" \t", keyEnd) < limit;
}

// A key beginning with "*" (read from behind a blank) keeps a blank before it: at the start of
// the line it would end the block. The value stays in its column.
std::string SettingLine(const cptheadertype& entry) {
  std::string key = geoproj::FieldText(entry.nyckel);
  const std::string varde = geoproj::FieldText(entry.varde);
  if (!key.starts_with('*')) return geoproj::Format("%-25s %s\n", key.c_str(), varde.c_str());
  key.resize(std::min<std::size_t>(key.size(), 24));
  return geoproj::Format(" %-24s %s\n", key.c_str(), varde.c_str());
}

}  // namespace

int CBorviCptHeader::Init(CStdioFileMem* file) {
  std::string line;
  while (geoproj::LasSondRad(file, line) == geoproj::SondRadTyp::kData) {
    std::size_t keyEnd = 0;
    const std::string key = FirstWord(line, &keyEnd);
    // A key that begins with a zero byte is lost; its value, written behind an empty key,
    // would be read back as the key of another setting.
    if (!key.empty() && key[0] == '\0') {
      file->ReportDropped("setting without a readable key not kept");
      continue;
    }
    Ny(1, nullptr);
    cptheadertype& entry = *pael;
    geoproj::CopyField(entry.nyckel, key);
    std::string varde = line.size() > kVardeKolumn
                            ? line.substr(kVardeKolumn, sizeof entry.varde - 1)
                            : std::string();
    // The value ends at a stray zero byte, as it is written; its blanks before it are trailing.
    varde.resize(std::min(varde.size(), varde.find('\0')));
    varde.erase(varde.find_last_not_of(' ') + 1);
    geoproj::CopyField(entry.varde, varde);
    geoproj::CheckReadLine(*file, line, !TextOutsideColumns(line, keyEnd),
                           "setting value not in its column");
  }
  return 0;
}

int CBorviCptHeader::Uppdat(CStdioFileMem* file) {
  file->WriteString(geoproj::Format("*\n%d \n", Metod));
  if (Home() < 0) return 0;
  do {
    file->WriteString(SettingLine(*pael));
  } while ((*this)++);
  return 0;
}

int CBorviCptHeader::Find(const char* key) {
  const std::string wanted = Upper(key);
  if (Home() < 0) return -1;
  do {
    if (Upper(geoproj::FieldText(pael->nyckel).c_str()) == wanted) return 0;
  } while ((*this)++);
  return -1;
}

int CBorviCptHeader::FindReverse(const char* key) {
  const std::string wanted = Upper(key);
  if (End() < 0) return -1;
  do {
    if (Upper(geoproj::FieldText(pael->nyckel).c_str()) == wanted) return 0;
  } while ((*this)--);
  return -1;
}

int CBorviCptHeader::SetValue(const char* key, const char* value) {
  if (Find(key) != 0) {
    Ny(1, nullptr);
    geoproj::CopyField(pael->nyckel, key ? key : "");
  }
  geoproj::CopyField(pael->varde, value ? value : "");
  return 0;
}

const char* CBorviCptHeader::ValueText(const char* key) {
  if (Find(key) != 0) return nullptr;
  pael->varde[sizeof pael->varde - 1] = '\0';
  return pael->varde;
}

double CBorviCptHeader::SpetsAreaFaktor() {
  double v = 1.0;
  if (const char* text = ValueText("MA")) std::sscanf(text, "%lf", &v);
  return v;
}

void CBorviCptHeader::SpetsAreaFaktor(double v) {
  if (std::fabs(v - 1.0) > 0.001) SetValue("MA", geoproj::Format("%.3lf", v).c_str());
}

double CBorviCptHeader::MantelAreaFaktor() {
  double v = -0.0;
  if (const char* text = ValueText("MB")) std::sscanf(text, "%lf", &v);
  return v;
}

void CBorviCptHeader::MantelAreaFaktor(double v) {
  if (std::fabs(v) > 0.001) SetValue("MB", geoproj::Format("%.3lf", v).c_str());
}

int CBorviCptHeader::SondNummer() {
  long n = 0;
  if (const char* text = ValueText("HN")) std::sscanf(text, "%ld", &n);
  return static_cast<int>(n);
}

void CBorviCptHeader::SondNummer(int n) {
  if (n != 0) SetValue("HN", geoproj::Format("%ld", static_cast<long>(n)).c_str());
}
