// CHkolistaBv: the points of one element of an outcrop (its outline or a marked sub-object).
#pragma once

#include <geoproj/foundation/list0.h>

struct kokotype {
  double x, y, z;
  char text[8];  // at most 3 characters kept
};

class CHkolistaBv : public list0<kokotype> {
 public:
  CHkolistaBv() = default;
  ~CHkolistaBv() override = default;
};
