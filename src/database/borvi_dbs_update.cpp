// Writing records and the header, and looking records up.
#include <geoproj/database/borvi_dbs.h>

#include <cstring>
#include <limits>

#include <geoproj/database/dbs_format.h>
#include <geoproj/foundation/messages.h>
#include <geoproj/foundation/text_helpers.h>
#include <geoproj/platform/uuid.h>

#include "database/dbs_io.h"
#include "database/dbs_texts.h"

namespace {

constexpr unsigned kWarn = geoproj::kMbOk | geoproj::kMbIconExclamation;

bool IsAvp(const bhdbstype& r) { return geoproj::HasBit(r.bit, geoproj::kBitAvp); }

}  // namespace

int CBorviDbs::Ny(int where, const bhdbstype* src) {
  const int rc = list0<bhdbstype>::Ny(where, src);
  if (rc == 0 && !src) pael->sek = m_sek_noll;
  return rc;
}

int CBorviDbs::Uppdat(int typ, const std::string& name, int open) {
  return Uppdat(typ, name.c_str(), open);
}

int CBorviDbs::Uppdat(int typ, const char* name, int open) {
  bool opened = false;
  const int rc = OpenForWrite(name, open, &opened);
  if (rc != 0) return rc;
  try {
    WriteParts(typ, open);
  } catch (...) {
    if (opened) Dbs_rw(kDbsClose);
    throw;
  }
  if (opened) Dbs_rw(kDbsClose);
  return 0;
}

// Takes the lock (open = 1 outside an update) and, when another writer was here since this
// object read the file, catches up with it first. On success the update number is raised.
int CBorviDbs::OpenForWrite(const char* name, int open, bool* opened) {
  *opened = false;
  LocaleCheckAndFix();
  if (open == 1) {
    if (name)
      m_dbsPath = name;
    else
      UseProjectDatabase();
  }
  if (m_readonly) return -3;
  if (open == 1 && !m_inUpdate) *opened = Dbs_rw(kDbsOpen) == 0;
  dbshuvtype on_disk;
  const bool readable = m_dbsFile && (open != 1 || geoproj::dbs::ReadHeader(m_dbsFile, &on_disk));
  if (!readable) {
    geoproj::ShowMessageF(kWarn, geoproj::dbs::kTitleUpdate, "Kan ikke opne database : %s",
                          m_dbsPath.c_str());
    if (*opened) Dbs_rw(kDbsClose);
    *opened = false;
    return -3;
  }
  if (open != 1) return 0;
  // Any number but ours is stale: another writer raised it, or a database was put in place of
  // the one read (a lower number). Writing on our end offset and counters would overwrite or
  // lose the file's records. Catching up is the normal course of a shared project and the
  // write goes on, so it is a status text, not a message the user must acknowledge.
  if (on_disk.uppdnr != m_huv.uppdnr) {
    geoproj::ShowStatusF("Fel vid uppdatering av databasen (uppdnr=%d/%d)", on_disk.uppdnr,
                         m_huv.uppdnr);
    if (DbsSync(m_dbsFile) != 0) {
      if (*opened) Dbs_rw(kDbsClose);
      *opened = false;
      return -3;
    }
  }
  ++m_huv.uppdnr;
  return 0;
}

// The header is the commit point: a new record is put down past the end offset first, and only
// the header that takes it in (end offset, counters, update number) makes it part of the
// database. A writer killed in between leaves a record past the end offset, which reading
// neither lists nor counts and the next new record overwrites; every record a header took in
// stays listed and is never written over. A changed record is one write in place.
void CBorviDbs::WriteParts(int typ, int open) {
  bhdbstype* cur = typ < 2 ? Get_aktel() : nullptr;
  if (cur && cur->id[0] && m_huv.antbh == 0 && m_huv.antavp == 0 && m_huv.antgvr == 0) {
    m_huv.sekmin = m_huv.sekmax = cur->sek;
    m_huv.xmin = m_huv.xmax = cur->x;
    m_huv.ymin = m_huv.ymax = cur->y;
    m_huv.zmin = m_huv.zmax = cur->z;
  }
  if (typ >= 1 && typ <= 3) RecomputeExtents();
  if (cur) WriteCurrent(cur);
  if (typ >= 1 && open == 1) {
    EnsureGuid();
    geoproj::dbs::WriteHeader(m_dbsFile, m_huv);
  }
}

// Writes a record at its place; a record without a valid place is new and goes to the end.
void CBorviDbs::WriteCurrent(bhdbstype* rec) {
  rec->id[8] = '\0';
  geoproj::UpperId(rec->id);
  if (rec->filpos < geoproj::kDbsFirstRecord) {
    rec->filpos = m_huv.endpos;
    m_huv.endpos += static_cast<std::int32_t>(geoproj::kDbsRecordSize);
    CountNewRecord(*rec);
  }
  geoproj::dbs::WriteRecordAt(m_dbsFile, rec->filpos, *rec);
}

void CBorviDbs::CountNewRecord(const bhdbstype& r) {
  using namespace geoproj;
  if (HasBit(r.bit, kBitBorehole))
    ++m_huv.antbh;
  else if (HasBit(r.bit, kBitAvp))
    ++m_huv.antavp;
  else if (HasBit(r.bit, kBitLine))
    ++m_huv.antlin;
  else if (HasBit(r.bit, kBitOutcrop))
    ++m_huv.anthell;
  else if (GvrKind(r.bit) != 0)
    ++m_huv.antgvr;
  else if (HasBit(r.bit, kBitVane))
    ++m_huv.antvb;
  if (HasBit(r.bit, kBitEnvironment)) ++m_huv.antmil;
}

void CBorviDbs::UncountRecord(const bhdbstype& r) {
  using namespace geoproj;
  if (HasBit(r.bit, kBitBorehole))
    --m_huv.antbh;
  else if (GvrKind(r.bit) != 0)
    --m_huv.antgvr;
  else if (HasBit(r.bit, kBitAvp))
    --m_huv.antavp;
  else if (HasBit(r.bit, kBitLine))
    --m_huv.antlin;
  else if (HasBit(r.bit, kBitOutcrop))
    --m_huv.anthell;
  else if (HasBit(r.bit, kBitVane))
    --m_huv.antvb;
  if (HasBit(r.bit, kBitEnvironment)) --m_huv.antmil;
}

// Extents over every record that still has an identifier (a record being deleted has none).
// An empty list leaves the header's extents as they are.
void CBorviDbs::RecomputeExtents() {
  constexpr double kInf = std::numeric_limits<double>::infinity();
  double sek[2] = {kInf, -kInf}, x[2] = {kInf, -kInf}, y[2] = {kInf, -kInf}, z[2] = {kInf, -kInf};
  bool any = false;
  auto widen = [](double (&range)[2], double v) {
    if (v < range[0]) range[0] = v;
    if (v > range[1]) range[1] = v;
  };
  for (node* n = m_forst; n; n = n->next) {
    const bhdbstype& r = n->rec;
    if (!r.id[0]) continue;
    any = true;
    widen(sek, r.sek);
    widen(x, r.x);
    widen(y, r.y);
    const double low = IsAvp(r) ? r.z - r.djup : r.z;
    if (low < z[0]) z[0] = low;
    if (r.z > z[1]) z[1] = r.z;
  }
  if (!any) return;
  m_huv.sekmin = sek[0];
  m_huv.sekmax = sek[1];
  m_huv.xmin = x[0];
  m_huv.xmax = x[1];
  m_huv.ymin = y[0];
  m_huv.ymax = y[1];
  m_huv.zmin = z[0];
  m_huv.zmax = z[1];
}

void CBorviDbs::EnsureGuid() {
  if (m_huv.guidflag == 1) return;
  SetGuidString(geoproj::NewUuidText());
}

int CBorviDbs::Findid(char* id, long filpos) {
  Set_mark();
  char key[9] = {};
  if (id) {
    geoproj::UpperId(id);
    geoproj::CopyField(key, id);
  }
  for (int rc = Home(); rc == 0; rc = (*this)++ ? 0 : -1) {
    if (id && std::strncmp(pael->id, key, 8) == 0) return 0;
    if (filpos >= 0 && pael->filpos == filpos) return 0;
  }
  Goto_mark();
  return -1;
}

int CBorviDbs::FindNuel(const bhdbstype* el) {
  Set_mark();
  for (int rc = Home(); rc == 0; rc = (*this)++ ? 0 : -1)
    if (pael == el) return 0;
  Goto_mark();
  return -1;
}

int CBorviDbs::Kod(char* code) {
  const bhdbstype* r = Get_aktel();
  if (!r) {
    code[0] = '\0';
    return -1;
  }
  if (IsAvp(*r)) {
    geoproj::GetKodText(*r, code);
    if (!code[0]) std::strcpy(code, "AVP");
  } else if (geoproj::HasBit(r->bit, geoproj::kBitVane)) {
    std::strcpy(code, "VB");
  } else {
    switch (geoproj::GvrKind(r->bit)) {
      case 0: std::strcpy(code, "BH"); break;
      case 4: std::strcpy(code, "MTN"); break;
      case 6: std::strcpy(code, "DUB"); break;
      default: std::strcpy(code, "GVR"); break;
    }
  }
  return 0;
}
