// Writing records and the header, deleting, the bounding box and the lookups of the line
// database.
#include <geoproj/lines/kvar_bv_dbs.h>

#include <algorithm>
#include <cfloat>
#include <cstdint>
#include <cstring>

#include <geoproj/foundation/messages.h>
#include <geoproj/foundation/text_helpers.h>
#include <geoproj/platform/files.h>
#include <geoproj/platform/proj_path.h>

#include "database/leading_number.h"
#include "lines/kvar_format.h"
#include "lines/kvar_io.h"
#include "lines/kvar_texts.h"

namespace {

using geoproj::lines::kTitleUpdate;

constexpr long kRecord = static_cast<long>(geoproj::lines::kKvarRecordSize);

bool SameCounters(const kvarhuvtype& a, const kvarhuvtype& b) {
  return a.antal == b.antal && a.antdel == b.antdel && a.endpos == b.endpos &&
         std::memcmp(a.anttyp, b.anttyp, sizeof a.anttyp) == 0;
}

// Counters of a damaged header may stand at any value; they wrap instead of overflowing.
std::int32_t Stepped(std::int32_t count, int step) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(count) + static_cast<std::uint32_t>(step));
}

}  // namespace

void CKvarBvDbs::WriteHeader() {
  geoproj::lines::WriteHeader(m_dbsFile, m_huv);
  m_seenOnDisk = m_huv;
}

void CKvarBvDbs::MarkProgramWrote() {
  const std::string marker = ProjectFile(geoproj::lines::kProgMarker);
  if (!geoproj::FileExists(marker)) geoproj::WriteFileBytes(marker, "");
}

void CKvarBvDbs::CountRecord(const sadbstype& rec, int step) {
  m_huv.antal = Stepped(m_huv.antal, step);
  if (rec.typ >= 1 && rec.typ <= 9) m_huv.anttyp[rec.typ - 1] = Stepped(m_huv.anttyp[rec.typ - 1], step);
}

// Takes the lock and opens the file for writing; the header's counters are then brought up to
// what the file says.
int CKvarBvDbs::OpenForUpdate() {
  if (m_readonly) {
    geoproj::ShowMessageF(geoproj::kMbOk, kTitleUpdate,
                          "Kan ej \xF6ppna databas : %s\nBeh\xF6righet: Read only !",
                          m_dbsPath.c_str());
    return -3;
  }
  if (Dbs_rw(kDbsOpen) != 0 || !m_dbsFile) {
    geoproj::ShowMessageF(geoproj::kMbOk, kTitleUpdate, geoproj::lines::kCannotOpen,
                          m_dbsPath.c_str());
    return -3;
  }
  TakeOverOthersWrites();
  return 0;
}

// Another writer that added or deleted records since this object last read or wrote the header
// left its counters and data end in the file; new records of this object go after its records
// instead of over them, and its objects stay inside the bounding box.
void CKvarBvDbs::TakeOverOthersWrites() {
  kvarhuvtype disk;
  if (!geoproj::lines::ReadHeader(m_dbsFile, &disk) || SameCounters(disk, m_seenOnDisk)) return;
  m_huv.antal = disk.antal;
  m_huv.antdel = disk.antdel;
  if (geoproj::lines::SaneDataEnd(disk.endpos, geoproj::lines::FileLength(m_dbsFile)))
    m_huv.endpos = disk.endpos;
  std::memcpy(m_huv.anttyp, disk.anttyp, sizeof m_huv.anttyp);
  m_huv.xmin = std::min(m_huv.xmin, disk.xmin);
  m_huv.ymin = std::min(m_huv.ymin, disk.ymin);
  m_huv.zmin = std::min(m_huv.zmin, disk.zmin);
  m_huv.xmax = std::max(m_huv.xmax, disk.xmax);
  m_huv.ymax = std::max(m_huv.ymax, disk.ymax);
  m_huv.zmax = std::max(m_huv.zmax, disk.zmax);
  m_seenOnDisk = disk;
}

// Widens the header's bounding box by the record; true when it changed.
bool CKvarBvDbs::WidenBox(const sadbstype& r) {
  if (r.typ == 6 || (r.typ == 1 && r.x == 0.0 && r.y == 0.0)) return false;
  const kvarhuvtype before = m_huv;
  if (m_antal < 2) {
    m_huv.xmin = r.x;
    m_huv.ymin = r.y;
    m_huv.zmin = r.z;
    m_huv.xmax = r.x + r.dx;
    m_huv.ymax = r.y + r.dy;
    m_huv.zmax = r.z + r.dz;
  } else {
    m_huv.xmin = std::min(m_huv.xmin, r.x);
    m_huv.ymin = std::min(m_huv.ymin, r.y);
    m_huv.zmin = std::min(m_huv.zmin, r.z);
    m_huv.xmax = std::max(m_huv.xmax, r.x + r.dx);
    m_huv.ymax = std::max(m_huv.ymax, r.y + r.dy);
    m_huv.zmax = std::max(m_huv.zmax, r.z + r.dz);
  }
  return before.xmin != m_huv.xmin || before.ymin != m_huv.ymin || before.zmin != m_huv.zmin ||
         before.xmax != m_huv.xmax || before.ymax != m_huv.ymax || before.zmax != m_huv.zmax;
}

// A record not yet in the file takes the data end.
void CKvarBvDbs::WriteCurrent(sadbstype* rec, bool* changed) {
  if (rec->filpos == 0) {
    rec->filpos = m_huv.endpos;
    m_huv.endpos += static_cast<std::int32_t>(kRecord);
    CountRecord(*rec, +1);
    *changed = true;
  }
  geoproj::lines::WriteRecordAt(m_dbsFile, rec->filpos, *rec);
}

int CKvarBvDbs::Uppdat(int mode) {
  const bool with_record = mode == 0 || mode == 1 || mode == 3;
  sadbstype* rec = with_record ? Get_aktel() : nullptr;
  if (with_record && !rec) return -1;
  if (mode == 3) {
    WidenBox(*rec);
    return 0;
  }
  if (const int rc = OpenForUpdate(); rc != 0) return rc;
  try {
    bool changed = mode == 1 || mode == 2;
    if (rec && WidenBox(*rec)) changed = true;
    if (rec) WriteCurrent(rec, &changed);
    if (changed) WriteHeader();
  } catch (...) {
    Dbs_rw(kDbsClose);
    throw;
  }
  MarkProgramWrote();
  return Dbs_rw(kDbsClose);
}

// The deleted record in the file and the counters, under one holding of the lock. Nothing is
// changed when the file cannot be written.
int CKvarBvDbs::WriteDeletion(sadbstype* rec) {
  if (const int rc = OpenForUpdate(); rc != 0) return rc;
  try {
    sadbstype gone = *rec;
    std::memset(gone.id, 0, sizeof gone.id);
    if (gone.filpos == m_huv.endpos - kRecord)
      m_huv.endpos -= static_cast<std::int32_t>(kRecord);
    else
      m_huv.antdel = Stepped(m_huv.antdel, 1);
    CountRecord(gone, -1);
    gone.typ = 0;
    geoproj::lines::WriteRecordAt(m_dbsFile, gone.filpos, gone);
    WriteHeader();
    *rec = gone;
  } catch (...) {
    Dbs_rw(kDbsClose);
    throw;
  }
  MarkProgramWrote();
  return Dbs_rw(kDbsClose);
}

int CKvarBvDbs::Delete() {
  sadbstype* rec = Get_aktel();
  if (!rec) return -1;
  if (rec->filpos != 0) {
    if (const int rc = WriteDeletion(rec); rc != 0) return rc;
  }
  return list0<sadbstype>::Delete();
}

// The object's own file goes only once its record is deleted: a line whose record could not be
// deleted keeps its points. The file is removed where the line and outcrop objects write it
// and in the line-file folder of the line program.
int CKvarBvDbs::DeleteId() {
  sadbstype* rec = Get_aktel();
  if (!rec || (rec->typ != kTypLinje && rec->typ != kTypHall)) return 0;
  const sadbstype object = *rec;
  if (rec->filpos != 0) {
    if (const int rc = WriteDeletion(rec); rc != 0) return rc;
  }
  RemoveObjectFile(object);
  return list0<sadbstype>::Delete();
}

void CKvarBvDbs::RemoveObjectFile(const sadbstype& rec) {
  if (!m_proj) return;
  const std::string name = geoproj::FieldText(rec.fil);
  if (name.empty()) return;
  const char* ext = rec.typ == kTypLinje ? "lje" : "lad";
  const char sep[2] = {geoproj::kPathSep, '\0'};
  for (const char* folder : {CProjPath::KvarDbfKat, CProjPath::BorvDbfKat})
    geoproj::RemoveFile(geoproj::Format("%s%s%s%s%s.%s", m_proj->m_projKat.c_str(), sep, folder,
                                        sep, name.c_str(), ext));
}

int CKvarBvDbs::Findid(int type, char* id) {
  if (type > 8 || !id) return -1;
  geoproj::UpperId(id);
  int pos = 1;
  for (node* n = m_forst; n; n = n->next, ++pos) {
    if ((type == 0 || n->rec.typ == type) && geoproj::FieldText(n->rec.id) == id) {
      m_akt = n;
      m_pos = pos;
      pael = &n->rec;
      return 0;
    }
  }
  return -1;
}

int CKvarBvDbs::Findobj(int type, long offset) {
  if (type > 8) return -1;
  int pos = 1;
  for (node* n = m_forst; n; n = n->next, ++pos) {
    if ((type == 0 || n->rec.typ == type) && n->rec.filpos == offset) {
      m_akt = n;
      m_pos = pos;
      pael = &n->rec;
      return 0;
    }
  }
  return -1;
}

int CKvarBvDbs::FindNuel(unsigned long address) {
  Set_mark();
  int pos = 1;
  for (node* n = m_forst; n; n = n->next, ++pos) {
    if (reinterpret_cast<std::uintptr_t>(&n->rec) == static_cast<std::uintptr_t>(address)) {
      m_akt = n;
      m_pos = pos;
      pael = &n->rec;
      return 0;
    }
  }
  Goto_mark();
  return -1;
}

int CKvarBvDbs::XYZ() {
  m_huv.xmin = m_huv.ymin = m_huv.zmin = DBL_MAX;
  m_huv.xmax = m_huv.ymax = m_huv.zmax = -DBL_MAX;
  Set_mark();
  if (Home() == 0) {
    do Uppdat(3);
    while (operator++(0));
  }
  Goto_mark();
  if (m_huv.xmax < m_huv.xmin) {
    m_huv.xmin = m_huv.xmax = m_huv.ymin = m_huv.ymax = m_huv.zmin = m_huv.zmax = 0.0;
  } else if (m_huv.zmax < m_huv.zmin) {
    m_huv.zmin = m_huv.zmax = 0.0;
  }
  Uppdat(2);
  return 0;
}

namespace {

long IdNumber(const char* id) {
  char text[sizeof(sadbstype::id)];
  geoproj::CopyField(text, id);
  geoproj::UpperId(text);
  return geoproj::LeadingNumber(text, geoproj::kNoLeadingNumber);
}

}  // namespace

int CKvarBvDbs::Sortval(int key) {
  if ((key != 1 && key != -1) || !pael || !markel) return 0;
  const long a = IdNumber(pael->id);
  const long b = IdNumber(markel->id);
  if (key == -1) return b >= a ? 1 : 0;
  if (a != b) return a > b ? 1 : 0;
  std::string ta = geoproj::FieldText(pael->id), tb = geoproj::FieldText(markel->id);
  geoproj::UpperId(ta);
  geoproj::UpperId(tb);
  return ta > tb ? 1 : 0;
}
