// DbsExtents: the project's extents (chainage, x, y and level limits) over the records of the
// database list, kept up to date record by record. A save changes one record at a time; the
// extents of a list of tens of thousands of records follow in logarithmic time instead of a
// pass over the whole list per record. The result is the same as the pass: records without an
// identifier do not count, NaN never widens a limit, and an AVP point's lowest level is its
// level minus its depth.
#pragma once

#include <cstddef>
#include <cstdint>
#include <set>
#include <unordered_map>

#include <geoproj/database/bhdbstype.h>
#include <geoproj/database/dbshuvtype.h>

namespace geoproj::dbs {

class DbsExtents {
 public:
  // The kept values may describe a list with this many reshapes (removals, insertions, sorts)
  // behind it; false when the list must be walked again (Rebuild).
  bool Describes(std::uint64_t reshapes) const { return valid_ && reshapes == reshapes_; }
  // The number of records taken in since the last Rebuild.
  std::size_t Known() const { return known_.size(); }
  // Forgets every record; the next look needs a Rebuild.
  void Invalidate() { valid_ = false; }
  // Starts over for a list with this many reshapes behind it; then Update every element.
  void Rebuild(std::uint64_t reshapes);
  // Takes in a record new to the extents, or one whose values may have changed since.
  void Update(const bhdbstype* record);
  // Writes the extents into the header's limits; leaves them when no record counts.
  void Apply(dbshuvtype* header) const;

 private:
  struct Values {
    bool counts;  // has an identifier
    double sek, x, y, low, high;
  };
  struct Limits {
    std::multiset<double> values;
    void Add(double v);
    void Remove(double v);
  };

  static Values ValuesOf(const bhdbstype& record);
  void Enter(const Values& v, bool add);

  std::unordered_map<const bhdbstype*, Values> known_;
  Limits sek_, x_, y_, low_, high_;
  std::size_t counting_ = 0;  // known records that have an identifier
  std::uint64_t reshapes_ = 0;
  bool valid_ = false;
};

}  // namespace geoproj::dbs
