#include "geoproj/sounding/borvi_fjell.h"

#include "foundation/quick_print.h"

#include <cstdio>

bool CBorviFjell::LasData(fjelltype& rec, const std::string& line) {
  const int n = geoproj::ScanLine(line.c_str(), "%f%ld", &rec.djup, &rec.varde);
  return geoproj::SondSiffrorTagna(line, kTextKolumn, n, 2, 2);
}

std::string CBorviFjell::SkrivData(fjelltype& rec) {
  return geoproj::Format("%7.3f %4ld %s", static_cast<double>(rec.djup), rec.varde, "  ");
}
