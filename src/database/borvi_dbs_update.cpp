// Writing records and the header, and looking records up.
#include <geoproj/database/borvi_dbs.h>

#include <cstdint>
#include <cstring>
#include <limits>

#include <geoproj/database/dbs_format.h>
#include <geoproj/foundation/messages.h>
#include <geoproj/foundation/text_helpers.h>
#include <geoproj/platform/uuid.h>

#include "database/dbs_extents.h"
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
  // Types 2 and 3 ask for the extents alone, after the host changed records of its own.
  if (typ >= 1 && typ <= 3) RecomputeExtents(typ >= 2);
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
// An empty list leaves the header's extents as they are. The record written is the current
// one: only its change is taken in, unless the list was reshaped (a record removed or inserted
// before others, a sort), records were appended without being written, or the whole list is
// asked for.
void CBorviDbs::RecomputeExtents(bool whole_list) {
  const bhdbstype* cur = Get_aktel();
  const bool kept = !whole_list && m_extents->Describes(m_reshapes);
  if (kept && cur) m_extents->Update(cur);
  if (!kept || m_extents->Known() != static_cast<std::size_t>(m_antal)) {
    m_extents->Rebuild(m_reshapes);
    for (node* n = m_forst; n; n = n->next) m_extents->Update(&n->rec);
  }
  m_extents->Apply(&m_huv);
}

void CBorviDbs::EnsureGuid() {
  if (m_huv.guidflag == 1) return;
  SetGuidString(geoproj::NewUuidText());
}

namespace {

// An identifier as one word, compared with a record's as strncmp(id, key, 8) would: a record
// whose identifier ends in blanks-free zero padding is compared in one step, one that holds
// bytes after its end (a file from elsewhere) the long way.
class IdWord {
 public:
  explicit IdWord(const char (&key)[9]) : m_key(key) { std::memcpy(&m_word, key, 8); }
  bool Names(const char* id) const {
    std::uint64_t word;
    std::memcpy(&word, id, 8);
    if (word == m_word) return true;
    return BytesAfterEnd(word) && std::strncmp(id, m_key, 8) == 0;
  }

 private:
  // Whether bytes other than zero follow the first zero byte (little-endian order).
  static bool BytesAfterEnd(std::uint64_t word) {
    constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
    constexpr std::uint64_t kHigh = 0x8080808080808080ULL;
    // The lowest flag of this zero-byte test is exact: it marks the first zero byte.
    const std::uint64_t zeros = (word - kOnes) & ~word & kHigh;
    if (zeros == 0) return false;
    const std::uint64_t first = zeros & (~zeros + 1);
    const std::uint64_t after = ~((first << 1) - 1);
    return (word & after) != 0;
  }
  const char* m_key;
  std::uint64_t m_word = 0;
};

}  // namespace

int CBorviDbs::Findid(char* id, long filpos) {
  Set_mark();
  char key[9] = {};
  if (id) {
    geoproj::UpperId(id);
    geoproj::CopyField(key, id);
  }
  if (id && filpos < 0 && JumpToId(key)) return 0;
  // An identifier the index does not know may still stand in a record edited in place, so the
  // list is walked, eight bytes at a time: on a project of many thousand boreholes every new
  // borehole walks the whole list.
  const IdWord wanted(key);
  int pos = 1;
  for (node* n = m_forst; n; n = n->next, ++pos) {
    if ((id && wanted.Names(n->rec.id)) || (filpos >= 0 && n->rec.filpos == filpos)) {
      m_akt = n;
      m_pos = pos;
      pael = &n->rec;
      return 0;
    }
  }
  Goto_mark();
  return -1;
}

// The first record of each identifier, in list order, with its position. Records appended since
// the last look are taken in from the end; any other change of the list reads it again.
void CBorviDbs::RefreshIdPlaces() {
  node* n = m_forst;
  int pos = 1;
  if (m_idReshapes != m_reshapes || m_idCount > m_antal) {
    m_idPlaces.clear();
  } else {
    n = m_sist;
    for (int back = m_antal - m_idCount; back > 1 && n; --back) n = n->prev;
    pos = m_idCount + 1;
    if (m_idCount == m_antal) n = nullptr;
  }
  for (; n; n = n->next, ++pos) m_idPlaces.try_emplace(geoproj::dbs::IdText(n->rec), IdPlace{n, pos});
  m_idReshapes = m_reshapes;
  m_idCount = m_antal;
}

bool CBorviDbs::JumpToId(const char* key) {
  RefreshIdPlaces();
  const auto found = m_idPlaces.find(key);
  if (found == m_idPlaces.end()) return false;
  node* n = found->second.where;
  if (std::strncmp(n->rec.id, key, 8) != 0) return false;
  m_akt = n;
  m_pos = found->second.pos;
  pael = &n->rec;
  return true;
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
