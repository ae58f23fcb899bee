#include "geoproj/sounding/borvi_enkel.h"

#include "foundation/quick_print.h"

#include <cstdio>

bool CBorviEnkel::LasData(enktype& rec, const std::string& line) {
  const int n = geoproj::ScanLine(line.c_str(), "%f%ld", &rec.djup, &rec.varde);
  return geoproj::SondSiffrorTagna(line, kTextKolumn, n, 2, 2);
}

void CBorviEnkel::SkrivData(enktype& rec, geoproj::RecordLine& line) {
  line.Fixed(rec.djup, 7, 3).Blank().Integer(rec.varde, 4).Blank().Text("  ");
}
