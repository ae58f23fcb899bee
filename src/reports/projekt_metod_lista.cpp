// The order of a list's rows and the extents they span.
#include <geoproj/reports/projekt_metod_lista.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include <geoproj/foundation/text_helpers.h>
#include <geoproj/reports/utv_dbs.h>

#include "database/leading_number.h"

namespace {

// A text key as the database's identifier key compares it: by its leading number (texts
// without one after all numbered ones), then, ascending only, by the upper-cased text.
template <std::size_t N>
int TextAfter(const char (&a)[N], const char (&b)[N], int key) {
  std::string ta = geoproj::FieldText(a), tb = geoproj::FieldText(b);
  geoproj::UpperId(ta);
  geoproj::UpperId(tb);
  const long na = geoproj::LeadingNumber(ta.c_str(), geoproj::kNoLeadingNumber);
  const long nb = geoproj::LeadingNumber(tb.c_str(), geoproj::kNoLeadingNumber);
  if (key < 0) return na <= nb ? 1 : 0;
  return (na > nb || (na == nb && std::strcmp(ta.c_str(), tb.c_str()) > 0)) ? 1 : 0;
}

template <class T>
int NumberAfter(T a, T b, int key) {
  const bool after = a > b;
  return (key > 0 ? after : !after) ? 1 : 0;
}

void Widen(double value, double* least, double* most) {
  if (value < *least) *least = value;
  if (value > *most) *most = value;
}

}  // namespace

int CProjektMetodLista::Sortval(int key) {
  if (!pael || !markel) return 0;
  const metlisttype& a = *pael;
  const metlisttype& b = *markel;
  switch (std::abs(key)) {
    case 1: return TextAfter(a.id, b.id, key);
    case 2: return TextAfter(a.datum1, b.datum1, key);
    case 3: return NumberAfter(a.sek, b.sek, key);
    case 4: return NumberAfter(a.x, b.x, key);
    case 5: return NumberAfter(a.y, b.y, key);
    case 6: return NumberAfter(a.stopp, b.stopp, key);
    default: return 0;
  }
}

int CProjektMetodLista::GransKoll(metscantype* scan) {
  if (!scan || Home() < 0) return 0;
  do {
    const metlisttype& r = *pael;
    Widen(r.sek, &scan->sekmin, &scan->sekmax);
    Widen(r.avst, &scan->avstmin, &scan->avstmax);
    Widen(r.x, &scan->xmin, &scan->xmax);
    Widen(r.y, &scan->ymin, &scan->ymax);
    Widen(r.z, &scan->zmin, &scan->zmax);
  } while ((*this)++);
  return 0;
}
