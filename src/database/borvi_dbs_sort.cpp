// The sort keys of the borehole database.
#include <geoproj/database/borvi_dbs.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include <geoproj/foundation/text_helpers.h>
#include <geoproj/platform/vaglinje.h>

#include "database/dbs_texts.h"
#include "database/leading_number.h"

namespace {

// The bit each of the keys 7 to 21 sorts by.
bool KeyBit(const bhdbstype& r, int field) {
  const unsigned char* b = r.bit.b;
  switch (field) {
    case 7: return b[4] & 0x01;
    case 8: return geoproj::GvrKind(r.bit) != 0;
    case 9: return b[0] & 0x02;
    case 10: return b[1] & 0x80;
    case 11: return b[5] & 0x20;
    case 12: return b[5] & 0x10;
    case 13: return b[5] & 0x08;
    case 14: return b[5] & 0x02;
    case 15: return b[5] & 0x04;
    case 16: return b[5] & 0x01;
    case 17: return b[5] & 0x40;
    case 18: return b[1] & 0x40;
    case 19: return (b[1] & 0x0C) != 0;
    case 20: return b[2] & 0x01;
    default: return b[2] & 0x80;  // 21
  }
}

std::string UpperIdText(const bhdbstype& r) {
  std::string text = geoproj::dbs::IdText(r);
  geoproj::UpperId(text);
  return text;
}

long IdNumber(const std::string& id) {
  return geoproj::LeadingNumber(id.c_str(), geoproj::kNoLeadingNumber);
}

}  // namespace

// > 0 when the record at pael comes after the one at markel. A negative key answers the
// opposite of the positive key, so records that compare equal come out reversed.
int CBorviDbs::Sortval(int key) {
  const int field = std::abs(key);
  if (field < 1 || field > 21 || !pael || !markel) return 0;
  const bhdbstype& a = *pael;
  const bhdbstype& b = *markel;
  bool after = false;
  if (field == 1) {
    const std::string ia = UpperIdText(a), ib = UpperIdText(b);
    const long na = IdNumber(ia), nb = IdNumber(ib);
    if (key < 0) return na <= nb ? 1 : 0;
    after = na > nb || (na == nb && std::strcmp(ia.c_str(), ib.c_str()) > 0);
  } else if ((field == 5 || field == 6) && m_vaglinje) {
    return StationAfter(key);
  } else if (field <= 6) {
    const double values[2][5] = {{a.x, a.y, a.z, a.sek, a.avst}, {b.x, b.y, b.z, b.sek, b.avst}};
    after = values[0][field - 2] > values[1][field - 2];
  } else {
    after = !KeyBit(a, field) && KeyBit(b, field);
  }
  return (key > 0 ? after : !after) ? 1 : 0;
}

// Keys 5 and 6 along the road alignment: records off its range come after all others.
int CBorviDbs::StationAfter(int key) {
  const Station sa = StationOf(*pael);
  const Station sb = StationOf(*markel);
  const bool by_sek = std::abs(key) == 5;
  bool after;
  if (sa.inside != sb.inside)
    after = !sa.inside;
  else
    after = sa.inside && (by_sek ? sa.sek > sb.sek : sa.avst > sb.avst);
  return (key > 0 ? after : !after) ? 1 : 0;
}

CBorviDbs::Station CBorviDbs::StationOf(const bhdbstype& rec) {
  if (m_useStations) {
    auto found = m_stations.find(&rec);
    if (found != m_stations.end()) return found->second;
  }
  Station s{false, 0.0, 0.0};
  s.inside = m_vaglinje->Vagstv(rec.x, rec.y, &s.sek, &s.avst, 0) == 0;
  return s;
}

// While sorting by keys 5 and 6 the alignment is asked once per record, not per comparison.
struct CBorviDbs::StationScope {
  StationScope(CBorviDbs* db, int key)
      : db(db), on(db->m_vaglinje && (std::abs(key) == 5 || std::abs(key) == 6)) {
    if (!on) return;
    db->m_stations.clear();
    for (node* n = db->m_forst; n; n = n->next) db->m_stations.emplace(&n->rec, db->StationOf(n->rec));
    db->m_useStations = true;
  }
  ~StationScope() {
    if (!on) return;
    db->m_useStations = false;
    db->m_stations.clear();
  }
  CBorviDbs* db;
  bool on;
};

int CBorviDbs::Sortera(int key) {
  StationScope scope(this, key);
  return list0<bhdbstype>::Sortera(key);
}

int CBorviDbs::Omsortera(int key) {
  StationScope scope(this, key);
  return list0<bhdbstype>::Omsortera(key);
}
