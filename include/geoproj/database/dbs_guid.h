// CDbsGUID: a list of the identifiers (UUIDs) found in a project's blocks, sorted so that equal
// identifiers become neighbours. A database holds one while it is being rebuilt; every record
// computed from a sounding file appends one entry per block.
#pragma once

#include <cstdint>

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

 protected:
  // Key 1: by the leading number of the upper-cased UUID text, then by that text; key -1: by
  // the number only, descending; other keys 0.
  int Sortval(int key) override;
};
