#include <geoproj/platform/proj_path.h>

#include <geoproj/foundation/text_helpers.h>
#include <geoproj/platform/files.h>

const char* const CProjPath::BorvDbsNamn = "Solumbra.dbs";
const char* const CProjPath::BorvDbkNamn = "Solumbra.dbk";
const char* const CProjPath::BorvParNamn = "BORVPAR";
const char* const CProjPath::BorvDbfKat = "DBF";
const char* const CProjPath::KvarDbkNamn = "KVARTOLI.SDBK";
const char* const CProjPath::KvarDbfKat = "KVARTOLI";
const char* const CProjPath::Gvrref = "GVRREF.DAT";
const char* const CProjPath::PktListNamn = "PUNKTLISTA.TXT";

namespace {

std::string WithoutTrailingSeparator(std::string dir) {
  while (dir.size() > 1 && (dir.back() == '/' || dir.back() == '\\')) dir.pop_back();
  return dir;
}

}  // namespace

int CProjPath::SetPath(const char* dir) {
  if (!dir || !*dir) return -1;
  m_projKat = WithoutTrailingSeparator(dir);
  m_borrKat = m_projKat;
  std::string parent;
  geoproj::SplitPath(m_projKat.c_str(), &parent, &m_namn);
  m_pktFil = geoproj::JoinPath(m_projKat, PktListNamn);
  return 0;
}

void CProjPath::SetBorrhalKat(const char* dir) {
  m_borrKat = WithoutTrailingSeparator(dir ? dir : "");
}
