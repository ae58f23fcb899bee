#include "geoproj/sounding/borvi_dreie.h"

#include "foundation/quick_print.h"

#include <algorithm>
#include <cstdio>

bool CBorviDreie::LasData(dreietype& rec, const std::string& line) {
  int slut = 0;
  const int n = geoproj::ScanLine(line.c_str(), "%f%ld%n", &rec.djup, &rec.varde, &slut);
  // The weight stands in the nine characters after the value column, up to the first blank;
  // values too wide for their columns push it right, one blank behind them.
  const std::size_t kolumn = std::max<std::size_t>(13, static_cast<std::size_t>(slut) + 1);
  std::string_view vikt =
      line.size() > kolumn ? std::string_view(line).substr(kolumn, 9) : std::string_view();
  vikt = vikt.substr(0, vikt.find(' '));
  // Pushed right, a weight with neither a blank nor the line end behind it is not whole: the
  // text was written straight behind it at the text column, or, without a weight, straight
  // behind the readings.
  const std::size_t slut_vikt = kolumn + vikt.size();
  if (kolumn > 13 && slut_vikt < line.size() && line[slut_vikt] != ' ')
    vikt = vikt.substr(0, kolumn < kTextKolumn ? kTextKolumn - kolumn : 0);
  geoproj::CopyField(rec.vikt, rec.varde < 0 ? std::string_view("SL") : vikt);
  return geoproj::SondSiffrorTagna(line, kTextKolumn, n, 2, 2);
}

void CBorviDreie::SkrivData(dreietype& rec, geoproj::RecordLine& line) {
  if (rec.varde < 0) geoproj::CopyField(rec.vikt, "SL");
  line.Fixed(rec.djup, 7, 3).Blank().Integer(rec.varde, 4).Blank().Text(
      geoproj::FieldView(rec.vikt));
}
