// CBorviSnd: the highest stop code of a borehole's methods.
#include <algorithm>

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

template <class T>
int StopOf(const T* block) {
  return (block && block->m_stopp >= 90 && block->m_stopp <= 94) ? block->m_stopp : kNoStop;
}

}  // namespace

int CBorviSnd::GetMaxStopp(int* stopp) {
  // Dynamic probing has no stop code of this kind and is not asked.
  *stopp = std::max({kNoStop, StopOf(dreie), StopOf(dtrykk), StopOf(enkel), StopOf(ram),
                     StopOf(total), StopOf(fjell)});
  return 0;
}
