#include "geoproj/sounding/borvi_dtrykk.h"

#include "foundation/quick_print.h"

#include <cstdio>

bool CBorviDtrykk::LasData(dtrykktype& rec, const std::string& line) {
  const int n = geoproj::ScanLine(line.c_str(), "%f%ld", &rec.djup, &rec.varde);
  return geoproj::SondSiffrorTagna(line, kTextKolumn, n, 2, 2);
}

void CBorviDtrykk::SkrivData(dtrykktype& rec, geoproj::RecordLine& line) {
  line.Fixed(rec.djup, 7, 3).Blank().Integer(rec.varde, 4).Blank().Text("  ");
}
