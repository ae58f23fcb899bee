// Saving the whole list, and catching up with the file after another process wrote it.
#include <geoproj/database/borvi_dbs.h>

#include <cfloat>
#include <string>
#include <unordered_map>
#include <unordered_set>

#include <geoproj/database/dbs_format.h>
#include <geoproj/foundation/messages.h>
#include <geoproj/foundation/text_helpers.h>

#include "database/dbs_extents.h"
#include "database/dbs_io.h"
#include "database/dbs_texts.h"

namespace {

constexpr unsigned kWarn = geoproj::kMbOk | geoproj::kMbIconExclamation;

std::string IdKey(const bhdbstype& r) { return geoproj::dbs::IdText(r); }

void ResetStatistics(dbshuvtype* h) {
  h->antbh = h->antavp = h->antlin = h->anthell = h->antmil = h->antgvr = h->antvb = 0;
  // The list is written without holes, so nothing is left to pack.
  h->antdel = 0;
  h->endpos = geoproj::kDbsFirstRecord;
  h->sekmin = h->xmin = h->ymin = h->zmin = DBL_MAX;
  h->sekmax = h->xmax = h->ymax = h->zmax = DBL_MIN;
}

}  // namespace

int CBorviDbs::SaveDbs(const std::string& name, int create) { return SaveDbs(name.c_str(), create); }

int CBorviDbs::SaveDbs(const char* name, int create) {
  if (m_readonly) return -3;
  if (name)
    m_dbsPath = name;
  else
    UseProjectDatabase();
  Dbs_rw(create == 1 ? kDbsCreate : kDbsOpen);
  if (!m_dbsFile) {
    geoproj::ShowMessageF(kWarn, nullptr, "Kan ikke opne database : %s", m_dbsPath.c_str());
    return -1;
  }
  try {
    if (!m_justCreated) {
      dbshuvtype on_disk{};
      if (!geoproj::dbs::ReadHeader(m_dbsFile, &on_disk) || on_disk.uppdnr != m_huv.uppdnr) {
        geoproj::ShowMessageF(kWarn, geoproj::dbs::kTitleRead,
                              "Fel vid uppdatering av databasen (uppdnr=%d/%d)", on_disk.uppdnr,
                              m_huv.uppdnr);
        Dbs_rw(kDbsClose);
        return -1;
      }
      ++m_huv.uppdnr;
    }
    const long old_length = geoproj::dbs::FileLength(m_dbsFile);
    ResetStatistics(&m_huv);
    for (node* n = m_forst; n; n = n->next) {
      n->rec.filpos = 0;
      WriteCurrent(&n->rec);
    }
    RecomputeExtents();
    // Records the file held beyond the new end would read as a broken file next time.
    if (old_length > m_huv.endpos)
      geoproj::dbs::WriteZerosAt(m_dbsFile, m_huv.endpos, old_length - m_huv.endpos);
    geoproj::dbs::WriteHeader(m_dbsFile, m_huv);
  } catch (...) {
    Dbs_rw(kDbsClose);
    throw;
  }
  Dbs_rw(kDbsClose);
  return 0;
}

// Reconciles the list with the open file. The record being written is the current one: it
// stays protected, and the object leaves with the file's header so that its next write lands
// after the other writer's records instead of over them.
int CBorviDbs::DbsSync(std::FILE* file) {
  bhdbstype* keep = Get_aktel();
  Set_mark();
  CBorviDbs disk(m_proj);
  if (disk.Init(0, 1, nullptr, file) != 0) return -1;

  std::unordered_map<std::string, const bhdbstype*> by_id;
  std::unordered_map<std::int32_t, const bhdbstype*> by_pos;
  for (node* n = disk.m_forst; n; n = n->next) {
    by_id.emplace(IdKey(n->rec), &n->rec);
    by_pos.emplace(n->rec.filpos, &n->rec);
  }

  // Records gone from the file are dropped, unless never written (they cannot have been
  // deleted by anybody else) or being written now.
  for (int rc = Home(); rc == 0;) {
    bhdbstype* r = pael;
    auto found = by_id.find(IdKey(*r));
    if (found != by_id.end()) {
      // Another user may have moved or changed it; only the record being written keeps ours.
      if (r == keep)
        r->filpos = found->second->filpos;
      else
        *r = *found->second;
    } else if (r != keep && r->filpos != 0) {
      const bool last = m_akt == m_sist;
      list0<bhdbstype>::Delete();
      if (last) break;
      continue;
    }
    rc = (*this)++ ? 0 : -1;
  }

  std::unordered_set<std::string> listed;
  for (node* n = m_forst; n; n = n->next) listed.insert(IdKey(n->rec));

  if (keep && !by_id.count(IdKey(*keep)) && keep->filpos != 0) {
    auto at = by_pos.find(keep->filpos);
    // Only a record whose name this list does not know can be the kept record renamed.
    if (at == by_pos.end() || listed.count(IdKey(*at->second))) {
      keep->filpos = 0;
    } else {
      const std::string old_id = IdKey(*keep), new_id = IdKey(*at->second);
      const int answer = geoproj::ShowMessageF(
          geoproj::kMbYesNo | geoproj::kMbIconExclamation, geoproj::dbs::kTitleCheck,
          "Hittar inte Id %s!\nDet tycks vara omd\xF6pt till %s.\nSka Id \xE4ndras fr\xE5n %s till %s?",
          old_id.c_str(), new_id.c_str(), old_id.c_str(), new_id.c_str());
      if (answer == geoproj::kIdYes) {
        geoproj::CopyField(keep->id, new_id);
        listed.insert(new_id);
      } else {
        // Keeping the old name: written as a record of its own, not over the renamed one.
        keep->filpos = 0;
      }
    }
  }

  m_huv = disk.m_huv;

  for (node* n = disk.m_forst; n; n = n->next)
    if (listed.insert(IdKey(n->rec)).second) list0<bhdbstype>::Ny(1, &n->rec);
  // Records took the other writer's contents: the kept extents no longer describe them.
  m_extents->Invalidate();

  if (keep) {
    Set_aktel(keep);
    Set_mark();
    Goto_mark();
  } else {
    Home();
  }
  return 0;
}
