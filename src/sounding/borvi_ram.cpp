#include "geoproj/sounding/borvi_ram.h"

#include "foundation/quick_print.h"

#include <cstdio>

bool CBorviRam::LasData(ramsondtype& rec, const std::string& line) {
  long varde2 = 0;
  const int n = geoproj::ScanLine(line.c_str(), "%f%ld%ld", &rec.djup, &rec.varde1, &varde2);
  if (n == 3) rec.varde2 = static_cast<int>(varde2);
  return geoproj::SondSiffrorTagna(line, kTextKolumn, n, 3, 3);
}

void CBorviRam::SkrivData(ramsondtype& rec, geoproj::RecordLine& line) {
  line.Fixed(rec.djup, 7, 3).Blank().Integer(rec.varde1).Blank().Integer(rec.varde2);
}
