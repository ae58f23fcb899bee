#include "geoproj/sounding/borvi_enkel.h"

#include <cstdio>

void CBorviEnkel::LasData(enktype& rec, const std::string& line) {
  std::sscanf(line.c_str(), "%f%ld", &rec.djup, &rec.varde);
}

std::string CBorviEnkel::SkrivData(enktype& rec) {
  return geoproj::Format("%7.3f %4ld %s", static_cast<double>(rec.djup), rec.varde, "  ");
}
