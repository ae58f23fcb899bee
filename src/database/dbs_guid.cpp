#include <geoproj/database/dbs_guid.h>

#include <cstring>

#include <geoproj/foundation/text_helpers.h>

#include "database/leading_number.h"

namespace {

// The GUID text upper-cased into a buffer of its own: the restore sorts a list of every block of
// the project, and this is its comparison.
struct UpperGuid {
  explicit UpperGuid(const guidtype& g) {
    std::memcpy(text, g.guid, sizeof g.guid);
    text[sizeof text - 1] = '\0';
    geoproj::UpperId(text);
  }
  char text[sizeof(guidtype::guid)];
};

}  // namespace

int CDbsGUID::Sortval(int key) {
  if ((key != 1 && key != -1) || !pael || !markel) return 0;
  const UpperGuid a(*pael), b(*markel);
  const long na = geoproj::LeadingNumber(a.text, geoproj::kNoLeadingNumber);
  const long nb = geoproj::LeadingNumber(b.text, geoproj::kNoLeadingNumber);
  if (key < 0) return na <= nb ? 1 : 0;
  return (na > nb || (na == nb && std::strcmp(a.text, b.text) > 0)) ? 1 : 0;
}
