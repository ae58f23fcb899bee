#include "geoproj/sounding/borvi_dpt.h"

#include "foundation/quick_print.h"

#include <cstdio>

// A line may lack the third value, which then is 0.
bool CBorviDpt::LasData(dpttype& rec, const std::string& line) {
  const int n = geoproj::ScanLine(line.c_str(), "%lf%lf%lf", &rec.varde1, &rec.varde2, &rec.varde3);
  if (n < 3) rec.varde3 = 0.0;
  return geoproj::SondSiffrorTagna(line, kTextKolumn, n, 2, 3);
}

std::string CBorviDpt::SkrivData(dpttype& rec) {
  return geoproj::Format("%9.3lf %9.3lf %7.3lf", rec.varde1, rec.varde2, rec.varde3);
}
