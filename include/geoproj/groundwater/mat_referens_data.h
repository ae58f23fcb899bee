// CMatReferensData: the dated values of one measurement reference series.
#pragma once

#include "geoproj/foundation/list0.h"
#include "geoproj/platform/date_time.h"

struct matreftype {
  int ar;
  int man;
  int dag;
  float varde;                 // the reference value
  char text[4];                // one short word
  float extra1;                // 0 unless the line has them
  float extra2;
  geoproj::OleDateTime datum;  // the day at 00:00
};

class CMatReferensData : public list0<matreftype> {
 public:
  CMatReferensData() = default;
  ~CMatReferensData() override = default;

  // Minimum, maximum and mean of the values from the first one dated from..to (from given,
  // then to must be too) or from the first one; returns the number counted.
  int MinMaxMedel(double* min, double* max, double* mean, const geoproj::OleDateTime* from,
                  const geoproj::OleDateTime* to);
};
