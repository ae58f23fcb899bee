// CBorviSnd: the highest stop code of a borehole's methods.
#include <algorithm>

#include "geoproj/methods/borvi_cpt.h"
#include "geoproj/methods/borvi_prv.h"
#include "geoproj/sounding/borvi_dreie.h"
#include "geoproj/sounding/borvi_dtrykk.h"
#include "geoproj/sounding/borvi_enkel.h"
#include "geoproj/sounding/borvi_fjell.h"
#include "geoproj/sounding/borvi_ram.h"
#include "geoproj/sounding/borvi_snd.h"
#include "geoproj/sounding/borvi_total.h"

namespace {

// Only the stop codes 90 to 94 count; any other value, and a method the borehole lacks, is 90.
constexpr int kNoStop = 90;

int StopOf(int stopp) { return (stopp >= 90 && stopp <= 94) ? stopp : kNoStop; }

template <class T>
int StopOf(const T* block) {
  return block ? StopOf(block->m_stopp) : kNoStop;
}

// The cone penetration test keeps its stop code as header value 2.
int StopOf(const CBorviCpt* cpt) { return cpt ? StopOf(cpt->htal2) : kNoStop; }
// The samples keep theirs as the remainder part of the header's whole number.
int StopOf(const CBorviPrv* prv) { return prv ? StopOf(prv->hkod) : kNoStop; }

}  // namespace

int CBorviSnd::GetMaxStopp(int* stopp) {
  // Dynamic probing has no stop code of this kind and is not asked.
  *stopp = std::max({kNoStop, StopOf(cpt), StopOf(dreie), StopOf(dtrykk), StopOf(enkel), StopOf(ram),
                     StopOf(total), StopOf(fjell), StopOf(prv)});
  return 0;
}
