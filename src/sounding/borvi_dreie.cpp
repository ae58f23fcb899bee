#include "geoproj/sounding/borvi_dreie.h"

#include <algorithm>
#include <cstdio>

bool CBorviDreie::LasData(dreietype& rec, const std::string& line) {
  const int n = std::sscanf(line.c_str(), "%f%ld", &rec.djup, &rec.varde);
  // The weight stands in the nine characters after the value column, up to the first blank.
  std::string vikt = line.size() > 13 ? line.substr(13, 9) : std::string();
  vikt.resize(std::min(vikt.find(' '), vikt.size()));
  geoproj::CopyField(rec.vikt, rec.varde < 0 ? std::string("SL") : vikt);
  return geoproj::SondSiffrorTagna(line, kTextKolumn, n, 2, 2);
}

std::string CBorviDreie::SkrivData(dreietype& rec) {
  if (rec.varde < 0) geoproj::CopyField(rec.vikt, "SL");
  return geoproj::Format("%7.3f %4ld %s", static_cast<double>(rec.djup), rec.varde,
                         geoproj::FieldText(rec.vikt).c_str());
}
