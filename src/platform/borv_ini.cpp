#include <geoproj/platform/borv_ini.h>

#include "foundation/read_check.h"
#include <geoproj/foundation/stdio_file_mem.h>
#include <geoproj/foundation/text_helpers.h>
#include <geoproj/foundation/trim_blanks.h>
#include <geoproj/platform/files.h>
#include <geoproj/platform/path_text.h>

const char* const CBorvIni::IniNamn = "Borvi.ini";
const char* const CBorvIni::KatSektion = "KATALOG";

namespace {

std::string Upper(std::string_view text) {
  std::string s(text);
  geoproj::UpperId(s);
  return s;
}

// The name between "[" and "]" of a section line, or false when the line is none.
bool SectionName(std::string_view line, std::string* name) {
  if (line.empty() || line.front() != '[') return false;
  const size_t close = line.find(']');
  if (close == std::string_view::npos) return false;
  *name = Upper(geoproj::TrimBlanks(line.substr(1, close - 1)));
  return true;
}

// The upper-cased key and the value of a "key = value" line; false when it holds none.
bool SettingOf(std::string_view line, std::string* key, std::string* value) {
  const size_t eq = line.find('=');
  if (eq == std::string_view::npos) return false;
  *key = Upper(geoproj::TrimBlanks(line.substr(0, eq)));
  *value = std::string(geoproj::TrimBlanks(line.substr(eq + 1)));
  return !key->empty();
}

}  // namespace

CBorvIni::CBorvIni(const char* installDir)
    : m_installDir(geoproj::StripTrailingSeparators(installDir ? installDir : "")) {
  if (!m_installDir.empty()) Load();
}

CBorvIni::Key CBorvIni::MakeKey(const char* section, const char* key) {
  return {Upper(geoproj::TrimBlanks(section ? section : "")),
          Upper(geoproj::TrimBlanks(key ? key : ""))};
}

// A line that is neither blank, a comment, a section header nor a setting inside a section is
// reported as dropped, as is binary garbage.
void CBorvIni::Load() {
  CStdioFileMem file;
  if (!file.Open(geoproj::JoinPath(m_installDir, IniNamn), CStdioFileMem::modeRead)) return;
  m_loaded = true;
  std::string line, section;
  bool inSection = false;
  while (file.ReadString(line)) {
    const std::string_view text = geoproj::TrimBlanks(line);
    if (text.empty() || text.front() == ';') continue;
    if (SectionName(text, &section)) {
      inSection = true;
      geoproj::CheckReadLine(file, line);
      continue;
    }
    std::string key, value;
    const bool setting = inSection && SettingOf(text, &key, &value);
    geoproj::CheckReadLine(file, line, setting, "neither a section nor a setting");
    if (setting) m_values.emplace(Key{section, key}, value);
  }
  m_droppedContent = file.GetDroppedCount();
  file.Close();
}

std::string CBorvIni::ReadKey(const char* section, const char* key) const {
  const auto it = m_values.find(MakeKey(section, key));
  return it == m_values.end() ? std::string() : it->second;
}

bool CBorvIni::HasKey(const char* section, const char* key) const {
  return m_values.count(MakeKey(section, key)) != 0;
}

std::string CBorvIni::Directory(const char* key, const char* defaultSub) const {
  std::string dir = geoproj::StripTrailingSeparators(ReadKey(KatSektion, key));
  if (dir.empty()) dir = defaultSub;
  if (geoproj::IsAbsolutePath(dir)) return dir;
  return geoproj::JoinPath(m_installDir, dir);
}

std::string CBorvIni::KalibKat1() const { return Directory("KALIBKAT1", "Kalib"); }

std::string CBorvIni::KalibKat2() const { return Directory("KALIBKAT2", "Data"); }
