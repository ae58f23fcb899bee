#include "geoproj/sounding/borvi_dpt.h"

#include <cstdio>

void CBorviDpt::LasData(dpttype& rec, const std::string& line) {
  if (std::sscanf(line.c_str(), "%lf%lf%lf", &rec.varde1, &rec.varde2, &rec.varde3) < 3)
    rec.varde3 = 0.0;
}

std::string CBorviDpt::SkrivData(dpttype& rec) {
  return geoproj::Format("%9.3lf %9.3lf %7.3lf", rec.varde1, rec.varde2, rec.varde3);
}
