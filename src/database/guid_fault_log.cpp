#include "database/guid_fault_log.h"

#include <cmath>

#include <geoproj/database/borvi_dbs.h>
#include <geoproj/database/dbs_guid.h>
#include <geoproj/database/method_codes.h>
#include <geoproj/foundation/messages.h>
#include <geoproj/foundation/text_helpers.h>
#include <geoproj/platform/files.h>

namespace geoproj::dbs {
namespace {

constexpr int kMaxNumberedLogs = 100;

// The position of the borehole id in db; false when db holds none.
bool PositionOf(const char* id, CBorviDbs& db, double* x, double* y) {
  char key[11] = {};
  CopyField(key, id);
  if (!key[0] || db.Findid(key, -1) != 0) return false;
  *x = db.Get_aktel()->x;
  *y = db.Get_aktel()->y;
  return true;
}

}  // namespace

bool GuidFaultLog::Open() {
  if (tried_) return file_.IsOpen();
  tried_ = true;
  std::string path = JoinPath(dir_, "GUIDFaults.txt");
  for (int n = 1; FileExists(path); ++n) {
    if (n > kMaxNumberedLogs) {
      ShowStatusF("Restore: GUIDFaults.txt to GUIDFaults%d.txt all exist; no log written",
                  kMaxNumberedLogs);
      return false;
    }
    path = JoinPath(dir_, Format("GUIDFaults%d.txt", n));
  }
  if (!file_.Open(path, CStdioFileMem::modeCreate | CStdioFileMem::modeWrite)) return false;
  path_ = path;
  return true;
}

void GuidFaultLog::Duplicate(const guidtype& earlier, const guidtype& later, CBorviDbs& db) {
  if (!Open()) return;
  file_.WriteString(Format("Error duplicate GUID! Id = %s MethodCode = %d %s and Id = %s\n",
                           FieldText(earlier.id).c_str(), earlier.metod,
                           MethodCodeName(later.metod), FieldText(later.id).c_str()));
  Distance(earlier, later, db);
  // The cursive-layer file caches the blocks by their identifiers; it is made again.
  const std::string cache = JoinPath(dir_, "SOLUMBRA.Kursivlag.xml");
  if (FileExists(cache)) RemoveFile(cache);
}

// Without a record for one of the two (the database's own identifier has no borehole) there is
// no distance to tell.
void GuidFaultLog::Distance(const guidtype& earlier, const guidtype& later, CBorviDbs& db) {
  double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  if (!PositionOf(earlier.id, db, &x1, &y1) || !PositionOf(later.id, db, &x2, &y2)) return;
  const std::string a = FieldText(earlier.id), b = FieldText(later.id);
  const double distance = std::hypot(x2 - x1, y2 - y1);
  if (distance >= 0.1)
    file_.WriteString(Format("Distance %.2lf between Id = %s and Id = %s\n", distance, a.c_str(), b.c_str()));
  else
    file_.WriteString(Format("Identical postions Id = %s Id = %s\n", a.c_str(), b.c_str()));
}

std::string GuidFaultLog::Close() {
  if (!file_.IsOpen()) return std::string();
  file_.Close();
  return path_;
}

}  // namespace geoproj::dbs
