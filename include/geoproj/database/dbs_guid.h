// CDbsGUID: a list of the identifiers (UUIDs) found in a project's blocks, sorted so that equal
// identifiers become neighbours. A database holds one while it is being rebuilt; every record
// computed from a sounding file appends one entry per block.
#pragma once

#include <cstdint>
#include <unordered_map>

#include <geoproj/foundation/list0.h>

struct guidtype {
  std::int32_t metod;  // method code of the block; 97 the borehole itself, 1000 the database
  char guid[37];       // the block's UUID text
  char id[11];         // borehole identifier
};

class CDbsGUID : public list0<guidtype> {
 public:
  CDbsGUID() = default;
  ~CDbsGUID() override = default;

  // The list's sort; the keys worked out for it are let go when it is done.
  int Sortera(int key);

 protected:
  // Key 1: by the leading number of the upper-cased UUID text, then by that text; key -1: by
  // the number only, descending; other keys 0.
  int Sortval(int key) override;

 private:
  // A record's sort key: a restore sorts an entry for every block of the project, and working
  // the key out anew for each comparison was most of the sort. Kept with the text it came from,
  // so a record changed since is worked out again.
  struct SortKey {
    char guid[sizeof(guidtype::guid)];
    char upper[sizeof(guidtype::guid)];
    long number;
  };
  const SortKey& KeyOf(const guidtype& g);

  std::unordered_map<const guidtype*, SortKey> m_keys;
};
