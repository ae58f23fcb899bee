#include "geoproj/sounding/borvi_total.h"

#include "foundation/quick_print.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

bool CBorviTotal::LasData(totaltype& rec, const std::string& line) {
  if (m_varde4 >= 2) {
    const int n = geoproj::ScanLine(line.c_str(), "%f%ld%ld%ld", &rec.djup, &rec.varde1,
                                    &rec.varde2, &rec.varde3);
    return geoproj::SondSiffrorTagna(line, kTextKolumn, n, 4, 4);
  }
  int slut = 0;
  const int n =
      geoproj::ScanLine(line.c_str(), "%f%ld%ld%n", &rec.djup, &rec.varde1, &rec.varde2, &slut);
  // Older formats mark each step as pushed ("SL") or rotated ("TR") after the two readings;
  // readings too wide for their columns push the mark right, one blank behind them.
  const std::size_t kolumn = std::max<std::size_t>(20, static_cast<std::size_t>(slut) + 1);
  const std::string_view mod =
      line.size() > kolumn ? std::string_view(line).substr(kolumn, 2) : std::string_view();
  geoproj::CopyField(rec.mod, mod == "SL" ? "SL" : "TR");
  return geoproj::SondSiffrorTagna(line, kTextKolumn, n, 3, 3);
}

void CBorviTotal::SkrivData(totaltype& rec, geoproj::RecordLine& line) {
  line.Fixed(rec.djup, 7, 3).Blank().Integer(rec.varde1, 5).Blank().Integer(rec.varde2, 5).Blank();
  if (m_varde4 < 2)
    line.Text(geoproj::FieldView(rec.mod));
  else
    line.Integer(rec.varde3, 5);
}

void CBorviTotal::ConvertToFormat4() {
  if (m_varde4 >= 4) return;
  const bool gammal = m_varde4 < 2;
  if (Home() == 0) {
    do {
      totaltype& rec = *pael;
      if (!gammal) {
        rec.varde3 *= 10;
        continue;
      }
      if (geoproj::FieldText(rec.mod) == "SL") {
        rec.varde3 = rec.varde1 * 10;
        rec.varde1 = 0;
      }
      std::memset(rec.mod, 0, sizeof rec.mod);
    } while ((*this)++);
  }
  m_varde4 += gammal ? 4 : 2;
}
