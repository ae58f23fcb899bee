#include <geoproj/platform/proj_path.h>

#include <geoproj/foundation/text_helpers.h>
#include <geoproj/platform/files.h>
#include <geoproj/platform/path_text.h>

const char* const CProjPath::BorvDbsNamn = "Solumbra.dbs";
const char* const CProjPath::BorvDbkNamn = "Solumbra.dbk";
const char* const CProjPath::BorvParNamn = "BORVPAR";
const char* const CProjPath::BorvDbfKat = "DBF";
const char* const CProjPath::KvarDbkNamn = "KVARTOLI.SDBK";
const char* const CProjPath::KvarDbfKat = "KVARTOLI";
const char* const CProjPath::Gvrref = "GVRREF.DAT";
const char* const CProjPath::PktListNamn = "PUNKTLISTA.TXT";

int CProjPath::SetPath(const char* dir) {
  if (!dir || !*dir) return -1;
  m_projKat = geoproj::StripTrailingSeparators(dir);
  m_borrKat = m_projKat;
  std::string parent;
  geoproj::SplitPath(m_projKat.c_str(), &parent, &m_namn);
  m_pktFil = geoproj::JoinPath(m_projKat, PktListNamn);
  return 0;
}

void CProjPath::SetBorrhalKat(const char* dir) {
  m_borrKat = geoproj::StripTrailingSeparators(dir ? dir : "");
}
