// Deleting records and boreholes, refreshing selections and the AVP point list.
#include <geoproj/database/borvi_dbs.h>

#include <cstring>
#include <string>
#include <unordered_map>

#include <geoproj/database/dbs_format.h>
#include <geoproj/foundation/stdio_file_mem.h>
#include <geoproj/foundation/text_helpers.h>
#include <geoproj/platform/dir_sort.h>
#include <geoproj/platform/files.h>
#include <geoproj/platform/proj_path.h>

#include "database/dbs_io.h"
#include "database/dbs_texts.h"

int CBorviDbs::Delete(const char* name) {
  if (m_readonly) return -1;
  bhdbstype* cur = Get_aktel();
  if (!cur) return -1;
  if (cur->filpos > 0 && !WriteDeletion(name)) return -1;
  cur->id[0] = '\0';
  return list0<bhdbstype>::Delete();
}

// Clears the current record on disk and books it out of the header. The lock is taken and the
// file caught up with before the header is touched, so that the booking is made on the
// file's own counters; the record keeps its name until then so that the catching up finds it.
// False when the file could not be written; the record then stays in the list.
bool CBorviDbs::WriteDeletion(const char* name) {
  bool opened = false;
  if (OpenForWrite(name, 1, &opened) != 0) return false;
  try {
    bhdbstype* cur = Get_aktel();
    if (cur->filpos >= geoproj::kDbsFirstRecord) {
      cur->id[0] = '\0';
      if (cur->filpos == m_huv.endpos - static_cast<std::int32_t>(geoproj::kDbsRecordSize))
        m_huv.endpos = cur->filpos;
      else
        ++m_huv.antdel;
      UncountRecord(*cur);
      geoproj::dbs::WriteRecordAt(m_dbsFile, cur->filpos, *cur);
    }
    RecomputeExtents();
    EnsureGuid();
    geoproj::dbs::WriteHeader(m_dbsFile, m_huv);
  } catch (...) {
    if (opened) Dbs_rw(kDbsClose);
    throw;
  }
  if (opened) Dbs_rw(kDbsClose);
  return true;
}

int CBorviDbs::DeleteId() {
  const bhdbstype* cur = Get_aktel();
  if (!cur) return -1;
  const bhdbstype copy = *cur;
  if (Delete() != 0 && m_forst) return -1;
  if (geoproj::HasBit(copy.bit, geoproj::kBitAvp)) {
    AvpFilUppdat();
    return 0;
  }
  RemoveBoreholeFiles(copy.id);
  return 0;
}

// Every file named after the borehole, in any letter case and with any extension. An
// identifier that is empty or holds a wildcard or separator would name other files too.
void CBorviDbs::RemoveBoreholeFiles(const char* id) {
  const std::string name = geoproj::dbs::IdText(id);
  if (!m_proj || name.empty() || name.find_first_of("*?/\\") != std::string::npos) return;
  CDirSort files;
  const std::string pattern = geoproj::JoinPath(m_proj->m_borrKat, name + ".*");
  if (files.Init(pattern.c_str(), 0) <= 0) return;
  for (int rc = files.Home(); rc == 0; rc = files++ ? 0 : -1)
    geoproj::RemoveFile(geoproj::JoinPath(files.Dir(), files.Get_aktel()->name));
}

int CBorviDbs::UppdUrval(const char* path) {
  if (!path) return 0;
  CBorviDbs sel(m_proj);
  if (sel.Init(0, 0, path, nullptr) != 0) return 0;
  bool changed = sel.m_huv.guidflag != m_huv.guidflag ||
                 std::memcmp(sel.m_huv.urval, m_huv.urval, sizeof m_huv.urval) != 0 ||
                 std::memcmp(sel.m_huv.guid, m_huv.guid, sizeof m_huv.guid) != 0;
  sel.m_huv.guidflag = m_huv.guidflag;
  std::memcpy(sel.m_huv.urval, m_huv.urval, sizeof m_huv.urval);
  std::memcpy(sel.m_huv.guid, m_huv.guid, sizeof m_huv.guid);

  // The first record of each name, as a search from the first record would find it.
  std::unordered_map<std::string, const bhdbstype*> mine;
  for (node* n = m_forst; n; n = n->next) mine.emplace(geoproj::dbs::IdText(n->rec), &n->rec);

  for (int rc = sel.Home(); rc == 0;) {
    std::string key = geoproj::dbs::IdText(*sel.pael);
    geoproj::UpperId(key);
    auto found = mine.find(key);
    if (found == mine.end()) {
      int before = 0, after = 0;
      sel.Where(&before);
      const bool last = sel.m_akt == sel.m_sist;
      sel.Delete(path);
      sel.Where(&after);
      if (after == before) {  // could not be written: passed over
        rc = sel++ ? 0 : -1;
        continue;
      }
      if (last) break;
      continue;  // the cursor is on the successor
    }
    if (sel.KollaPael(found->second) != 0) {
      const std::int32_t own = sel.pael->filpos;
      *sel.pael = *found->second;
      sel.pael->filpos = own;
      changed = true;
    }
    rc = sel++ ? 0 : -1;
  }
  if (changed) {
    sel.ChangeReadWriteAccess(0);
    sel.SaveDbs(path, 0);
  }
  return 0;
}

int CBorviDbs::AvpFilUppdat() {
  if (!m_proj) return -1;
  CStdioFileMem out;
  out.SetFilePath(m_proj->m_pktFil);
  if (!out.Open(out.GetFilePath(), CStdioFileMem::modeCreate | CStdioFileMem::modeWrite))
    return -1;
  for (node* n = m_forst; n; n = n->next) {
    const bhdbstype& r = n->rec;
    if (!geoproj::HasBit(r.bit, geoproj::kBitAvp)) continue;
    char code[4];
    geoproj::GetKodText(r, code);
    out.WriteString(geoproj::Format("%s %12.3f %12.3f %12.3f %12.3f %12.3f %s\n",
                                    geoproj::dbs::IdText(r).c_str(), r.x, r.y, r.z, r.sek, r.avst,
                                    code));
  }
  out.WriteString("*\n");
  out.Close();
  return 0;
}
