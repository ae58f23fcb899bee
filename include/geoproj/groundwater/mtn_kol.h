// CMtnKol: the rows of one measurement, each a position along the device and a value.
#pragma once

#include "geoproj/foundation/list0.h"

struct maetdatatype {
  double varde;    // the measured value; -990 or less is "no value"
  double pos;      // position of the row along the device
  char text[24];   // one word
};

class CMtnKol : public list0<maetdatatype> {
 public:
  CMtnKol() = default;
  ~CMtnKol() override = default;
};
