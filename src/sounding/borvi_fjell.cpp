#include "geoproj/sounding/borvi_fjell.h"

#include <cstdio>

void CBorviFjell::LasData(fjelltype& rec, const std::string& line) {
  std::sscanf(line.c_str(), "%f%ld", &rec.djup, &rec.varde);
}

std::string CBorviFjell::SkrivData(fjelltype& rec) {
  return geoproj::Format("%7.3f %4ld %s", static_cast<double>(rec.djup), rec.varde, "  ");
}
