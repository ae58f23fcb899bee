#include "geoproj/sounding/borvi_dtrykk.h"

#include <cstdio>

void CBorviDtrykk::LasData(dtrykktype& rec, const std::string& line) {
  std::sscanf(line.c_str(), "%f%ld", &rec.djup, &rec.varde);
}

std::string CBorviDtrykk::SkrivData(dtrykktype& rec) {
  return geoproj::Format("%7.3f %4ld %s", static_cast<double>(rec.djup), rec.varde, "  ");
}
