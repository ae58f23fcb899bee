#include <geoproj/database/dbs_guid.h>

#include <cstring>

#include <geoproj/foundation/text_helpers.h>

#include "database/leading_number.h"

const CDbsGUID::SortKey& CDbsGUID::KeyOf(const guidtype& g) {
  SortKey& key = m_keys[&g];
  if (key.guid[0] == '\0' || std::memcmp(key.guid, g.guid, sizeof key.guid) != 0) {
    std::memcpy(key.guid, g.guid, sizeof key.guid);
    std::memcpy(key.upper, g.guid, sizeof key.upper);
    key.upper[sizeof key.upper - 1] = '\0';
    geoproj::UpperId(key.upper);
    key.number = geoproj::LeadingNumber(key.upper, geoproj::kNoLeadingNumber);
  }
  return key;
}

int CDbsGUID::Sortera(int key) {
  const int rc = list0<guidtype>::Sortera(key);
  m_keys.clear();
  return rc;
}

int CDbsGUID::Sortval(int key) {
  if ((key != 1 && key != -1) || !pael || !markel) return 0;
  const SortKey& a = KeyOf(*pael);
  const SortKey& b = KeyOf(*markel);
  if (key < 0) return a.number <= b.number ? 1 : 0;
  return (a.number > b.number || (a.number == b.number && std::strcmp(a.upper, b.upper) > 0)) ? 1
                                                                                             : 0;
}
