// Checks against the file and other records, and the database identifier.
#include <geoproj/database/borvi_dbs.h>

#include <cmath>
#include <cstring>

#include <geoproj/database/dbs_format.h>
#include <geoproj/platform/uuid.h>

#include "database/dbs_io.h"

namespace {

bool Differ(double a, double b) { return std::fabs(a - b) > 0.001; }

}  // namespace

int CBorviDbs::DbsKoll() {
  UseProjectDatabase();
  // Inside an update the file is open and the lock is this object's own.
  const bool own_lock = m_dbsFile == nullptr;
  if (own_lock && Dbs_rw(kDbsOpen) != 0) return -2;
  dbshuvtype on_disk;
  const bool read = m_dbsFile && geoproj::dbs::ReadHeader(m_dbsFile, &on_disk);
  if (own_lock) Dbs_rw(kDbsClose);
  if (!read) return -2;
  if (on_disk.uppdnr > m_huv.uppdnr) return 1;
  return on_disk.uppdnr == m_huv.uppdnr ? 0 : -1;
}

int CBorviDbs::KollaPael(const bhdbstype* r) {
  const bhdbstype* cur = Get_aktel();
  if (!cur || !r) return 1;
  if (std::strncmp(cur->id, r->id, 8) != 0) return 1;
  if (Differ(cur->x, r->x) || Differ(cur->y, r->y) || Differ(cur->z, r->z) ||
      Differ(cur->sek, r->sek) || Differ(cur->avst, r->avst))
    return 1;
  if (geoproj::HasBit(cur->bit, geoproj::kBitAvp)) {
    char a[4], b[4];
    geoproj::GetKodText(*cur, a);
    geoproj::GetKodText(*r, b);
    if (std::strcmp(a, b) != 0) return 1;
  } else if (Differ(cur->djup, r->djup)) {
    return 1;
  }
  if (cur->stopp != r->stopp) return 1;
  return std::memcmp(cur->bit.b, r->bit.b, sizeof cur->bit.b) != 0 ? 1 : 0;
}

// The identifier is held as eleven values: the first group, the second and third groups
// widened, then each byte of the last two groups.
std::string CBorviDbs::GetGuidString() const {
  if (m_huv.guidflag != 1) return std::string();
  geoproj::Uuid uuid;
  const std::uint32_t* g = m_huv.guid;
  for (int i = 0; i < 4; ++i) uuid.bytes[i] = static_cast<std::uint8_t>(g[0] >> (24 - 8 * i));
  for (int i = 0; i < 2; ++i) {
    uuid.bytes[4 + 2 * i] = static_cast<std::uint8_t>(g[1 + i] >> 8);
    uuid.bytes[5 + 2 * i] = static_cast<std::uint8_t>(g[1 + i]);
  }
  for (int i = 0; i < 8; ++i) uuid.bytes[8 + i] = static_cast<std::uint8_t>(g[3 + i]);
  return geoproj::FormatUuid(uuid);
}

void CBorviDbs::SetGuidString(const std::string& text) {
  geoproj::Uuid uuid;
  if (!geoproj::ParseUuid(text, &uuid)) return;
  const auto& b = uuid.bytes;
  std::uint32_t* g = m_huv.guid;
  g[0] = (std::uint32_t{b[0]} << 24) | (std::uint32_t{b[1]} << 16) | (std::uint32_t{b[2]} << 8) | b[3];
  g[1] = (std::uint32_t{b[4]} << 8) | b[5];
  g[2] = (std::uint32_t{b[6]} << 8) | b[7];
  for (int i = 0; i < 8; ++i) g[3 + i] = b[8 + i];
  m_huv.guidflag = 1;
}
