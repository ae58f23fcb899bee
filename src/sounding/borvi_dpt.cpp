#include "geoproj/sounding/borvi_dpt.h"

#include "foundation/quick_print.h"

#include <cstdio>

// A line may lack the third value, which then is 0.
bool CBorviDpt::LasData(dpttype& rec, const std::string& line) {
  const int n = geoproj::ScanLine(line.c_str(), "%lf%lf%lf", &rec.varde1, &rec.varde2, &rec.varde3);
  if (n < 3) rec.varde3 = 0.0;
  return geoproj::SondSiffrorTagna(line, kTextKolumn, n, 2, 3);
}

void CBorviDpt::SkrivData(dpttype& rec, geoproj::RecordLine& line) {
  line.Fixed(rec.varde1, 9, 3).Blank().Fixed(rec.varde2, 9, 3).Blank().Fixed(rec.varde3, 7, 3);
}
