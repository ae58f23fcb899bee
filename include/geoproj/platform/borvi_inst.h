// CBorviInst: reads installation settings for one project on behalf of the library. It holds
// the settings object and the project path it was initialised with; it owns neither.
//
// Lookups:
//   ReadKey(section, key)       the setting key of section (the code-table choice is
//                               ReadKey(CProjPath::BorvParNamn, "MTRLKOD")); empty when missing
//   ReadKey(section, key, def)  the same with def for a missing setting
//   ReadSetting(key, def)       an installation setting by key alone: section
//                               CProjPath::BorvParNamn first, then section "SYSTEM"; def when
//                               neither holds it
// Without settings (not initialised, or initialised with none) every setting is missing.
#pragma once

#include <string>

class CBorvIni;
class CProjPath;

class CBorviInst {
 public:
  static const char* const SystemSektion;  // "SYSTEM"

  CBorviInst() = default;
  virtual ~CBorviInst() = default;

  // Takes the settings and the project path. 0, or -1 when settings is null.
  int Init(CBorvIni* settings, CProjPath* path);

  std::string ReadKey(const char* section, const char* key) const;
  std::string ReadKey(const char* section, const char* key, const char* def) const;
  std::string ReadSetting(const char* key, const char* def) const;

  CBorvIni* Settings() const { return m_settings; }
  CProjPath* Path() const { return m_path; }

 private:
  CBorvIni* m_settings = nullptr;
  CProjPath* m_path = nullptr;
};
