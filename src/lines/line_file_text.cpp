#include "lines/line_file_text.h"

#include <geoproj/foundation/text_helpers.h>
#include <geoproj/lines/kvar_bv_dbs.h>
#include <geoproj/platform/files.h>
#include <geoproj/platform/proj_path.h>

namespace geoproj::lines {

std::string ObjectFilePath(const CProjPath* proj, const std::string& name, const char* ext) {
  const char sep[2] = {kPathSep, '\0'};
  const std::string dir = proj ? proj->m_projKat : std::string();
  return Format("%s%s%s%s%s.%s", dir.c_str(), sep, CProjPath::BorvDbfKat, sep, name.c_str(), ext);
}

std::string CurrentId(CKvarBvDbs* db) {
  const sadbstype* rec = db ? db->Get_aktel() : nullptr;
  return rec ? FieldText(rec->id) : std::string();
}

}  // namespace geoproj::lines
