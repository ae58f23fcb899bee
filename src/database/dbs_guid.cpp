#include <geoproj/database/dbs_guid.h>

#include <cstring>
#include <string>

#include <geoproj/foundation/text_helpers.h>

#include "database/leading_number.h"

namespace {

std::string UpperGuid(const guidtype& g) {
  std::string text = geoproj::FieldText(g.guid);
  geoproj::UpperId(text);
  return text;
}

}  // namespace

int CDbsGUID::Sortval(int key) {
  if ((key != 1 && key != -1) || !pael || !markel) return 0;
  const std::string a = UpperGuid(*pael), b = UpperGuid(*markel);
  const long na = geoproj::LeadingNumber(a.c_str(), geoproj::kNoLeadingNumber);
  const long nb = geoproj::LeadingNumber(b.c_str(), geoproj::kNoLeadingNumber);
  if (key < 0) return na <= nb ? 1 : 0;
  return (na > nb || (na == nb && std::strcmp(a.c_str(), b.c_str()) > 0)) ? 1 : 0;
}
