#include <geoproj/platform/borvi_inst.h>

#include <geoproj/platform/borv_ini.h>
#include <geoproj/platform/proj_path.h>

const char* const CBorviInst::SystemSektion = "SYSTEM";

int CBorviInst::Init(CBorvIni* settings, CProjPath* path) {
  m_settings = settings;
  m_path = path;
  return settings ? 0 : -1;
}

std::string CBorviInst::ReadKey(const char* section, const char* key) const {
  return m_settings ? m_settings->ReadKey(section, key) : std::string();
}

std::string CBorviInst::ReadKey(const char* section, const char* key, const char* def) const {
  if (m_settings && m_settings->HasKey(section, key)) return m_settings->ReadKey(section, key);
  return def ? def : "";
}

std::string CBorviInst::ReadSetting(const char* key, const char* def) const {
  for (const char* section : {CProjPath::BorvParNamn, SystemSektion}) {
    if (m_settings && m_settings->HasKey(section, key)) return m_settings->ReadKey(section, key);
  }
  return def ? def : "";
}
