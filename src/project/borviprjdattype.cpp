#include <geoproj/project/borviprjdattype.h>

#include <cstring>

#include <geoproj/database/dbshuvtype.h>
#include <geoproj/foundation/text_helpers.h>

#include "project/padded_field.h"

namespace geoproj {
namespace {

// A header-shaped text field into another of the same size, terminated whatever it held.
template <std::size_t N>
void CopyText(char (&dst)[N], const char (&src)[N]) {
  SetPaddedField(dst, FieldText(src));
}

template <std::size_t N>
bool SameText(const char (&a)[N], const char (&b)[N]) {
  return FieldText(a) == FieldText(b);
}

}  // namespace

void PrjdFromHeader(const dbshuvtype& h, borviprjdattype* p) {
  std::memset(p, 0, sizeof *p);
  CopyText(p->ver, h.ver);
  CopyText(p->entrepr, h.entrepr);
  CopyText(p->projnamn, h.projnamn);
  CopyText(p->projnr, h.projnr);
  CopyText(p->datum, h.datum);
  CopyText(p->anm1, h.anm1);
  CopyText(p->anm2, h.anm2);
  CopyText(p->handlaggare, h.handlaggare);
  CopyText(p->ritningar, h.ritningar);
  CopyText(p->koord, h.koord);
  p->antbh = h.antbh;
  p->antavp = h.antavp;
  p->res220 = h.res220;
  p->antdel = h.antdel;
  p->antgvr = h.antgvr;
  p->antvb = h.antvb;
  p->sekmin = h.sekmin;
  p->sekmax = h.sekmax;
  p->xmin = h.xmin;
  p->xmax = h.xmax;
  p->ymin = h.ymin;
  p->ymax = h.ymax;
  p->zmin = h.zmin;
  p->zmax = h.zmax;
  p->verdec = h.verdec;
  p->uppdnr = h.uppdnr;
  p->seksep = h.seksep;
}

void PrjdToHeader(const borviprjdattype& p, dbshuvtype* h) {
  CopyText(h->entrepr, p.entrepr);
  CopyText(h->projnamn, p.projnamn);
  CopyText(h->projnr, p.projnr);
  CopyText(h->datum, p.datum);
  CopyText(h->anm1, p.anm1);
  CopyText(h->anm2, p.anm2);
  CopyText(h->handlaggare, p.handlaggare);
  CopyText(h->ritningar, p.ritningar);
  CopyText(h->koord, p.koord);
  h->seksep = p.seksep;
}

bool HeaderHoldsPrjd(const dbshuvtype& h, const borviprjdattype& p) {
  return SameText(h.entrepr, p.entrepr) && SameText(h.projnamn, p.projnamn) &&
         SameText(h.projnr, p.projnr) && SameText(h.datum, p.datum) &&
         SameText(h.anm1, p.anm1) && SameText(h.anm2, p.anm2) &&
         SameText(h.handlaggare, p.handlaggare) && SameText(h.ritningar, p.ritningar) &&
         SameText(h.koord, p.koord) && h.seksep == p.seksep;
}

}  // namespace geoproj
