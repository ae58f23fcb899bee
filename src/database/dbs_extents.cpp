#include "database/dbs_extents.h"

#include <cmath>
#include <limits>

#include <geoproj/database/dbs_format.h>

namespace geoproj::dbs {

void DbsExtents::Limits::Add(double v) {
  if (!std::isnan(v)) values.insert(v);
}

void DbsExtents::Limits::Remove(double v) {
  if (std::isnan(v)) return;
  auto it = values.find(v);
  if (it != values.end()) values.erase(it);
}

DbsExtents::Values DbsExtents::ValuesOf(const bhdbstype& r) {
  const bool avp = HasBit(r.bit, kBitAvp);
  return {r.id[0] != '\0', r.sek, r.x, r.y, avp ? r.z - r.djup : r.z, r.z};
}

void DbsExtents::Rebuild(std::uint64_t reshapes) {
  known_.clear();
  for (Limits* l : {&sek_, &x_, &y_, &low_, &high_}) l->values.clear();
  counting_ = 0;
  reshapes_ = reshapes;
  valid_ = true;
}

void DbsExtents::Enter(const Values& v, bool add) {
  if (!v.counts) return;
  if (add) {
    sek_.Add(v.sek), x_.Add(v.x), y_.Add(v.y), low_.Add(v.low), high_.Add(v.high);
    ++counting_;
  } else {
    sek_.Remove(v.sek), x_.Remove(v.x), y_.Remove(v.y), low_.Remove(v.low), high_.Remove(v.high);
    --counting_;
  }
}

void DbsExtents::Update(const bhdbstype* record) {
  const Values now = ValuesOf(*record);
  auto [it, is_new] = known_.try_emplace(record, now);
  if (!is_new) {
    Enter(it->second, false);
    it->second = now;
  }
  Enter(now, true);
}

void DbsExtents::Apply(dbshuvtype* h) const {
  if (counting_ == 0) return;
  constexpr double kInf = std::numeric_limits<double>::infinity();
  auto low = [&](const Limits& l) { return l.values.empty() ? kInf : *l.values.begin(); };
  auto high = [&](const Limits& l) { return l.values.empty() ? -kInf : *l.values.rbegin(); };
  h->sekmin = low(sek_);
  h->sekmax = high(sek_);
  h->xmin = low(x_);
  h->xmax = high(x_);
  h->ymin = low(y_);
  h->ymax = high(y_);
  h->zmin = low(low_);
  h->zmax = high(high_);
}

}  // namespace geoproj::dbs
