#include "geoproj/sounding/borvi_enkel.h"

#include "foundation/quick_print.h"

#include <cstdio>

bool CBorviEnkel::LasData(enktype& rec, const std::string& line) {
  const int n = geoproj::ScanLine(line.c_str(), "%f%ld", &rec.djup, &rec.varde);
  return geoproj::SondSiffrorTagna(line, kTextKolumn, n, 2, 2);
}

std::string CBorviEnkel::SkrivData(enktype& rec) {
  return geoproj::Format("%7.3f %4ld %s", static_cast<double>(rec.djup), rec.varde, "  ");
}
