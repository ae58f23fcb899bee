#include "lines/kvar_format.h"

#include <cstring>

#include <geoproj/foundation/le_bytes.h>

namespace geoproj::lines {
namespace {

static_assert(211 + sizeof(kvarhuvtype::koord) == 215 && 215 + sizeof(kvarhuvtype::riktning) == 220);
static_assert(80 + sizeof(sadbstype::id) == 96 && 96 + sizeof(sadbstype::fil) == 105);
static_assert(105 + sizeof(sadbstype::koppid) == kKvarRecordSize);
static_assert(kKvarFirstRecord >= static_cast<long>(kKvarHeaderSize));

}  // namespace

void EncodeKvarHeader(const kvarhuvtype& h, unsigned char* out) {
  std::memset(out, 0, kKvarHeaderSize);
  PutFieldText(out, 0, h.ver);
  PutFieldText(out, 37, h.namn);
  PutFieldText(out, 73, h.text73);
  PutFieldText(out, 86, h.skapad);
  PutFieldText(out, 97, h.text97);
  PutFieldText(out, 133, h.text133);
  PutFieldText(out, 169, h.text169);
  PutFieldText(out, 190, h.text190);
  PutFieldText(out, 211, h.koord);
  PutFieldText(out, 215, h.riktning);
  PutLeI32(out + 220, h.antal);
  for (int i = 0; i < 9; ++i) PutLeI32(out + 224 + 4 * i, h.anttyp[i]);
  PutLeI32(out + 260, h.antdel);
  const double values[7] = {h.xmin, h.xmax, h.ymin, h.ymax, h.zmin, h.zmax, h.verdec};
  PutLeDoubles(out, 264, values, 7);
  PutLeI32(out + 320, h.endpos);
}

void DecodeKvarHeader(const unsigned char* in, kvarhuvtype* h) {
  GetFieldText(in, 0, h->ver);
  GetFieldText(in, 37, h->namn);
  GetFieldText(in, 73, h->text73);
  GetFieldText(in, 86, h->skapad);
  GetFieldText(in, 97, h->text97);
  GetFieldText(in, 133, h->text133);
  GetFieldText(in, 169, h->text169);
  GetFieldText(in, 190, h->text190);
  GetFieldText(in, 211, h->koord);
  GetFieldText(in, 215, h->riktning);
  h->antal = GetLeI32(in + 220);
  for (int i = 0; i < 9; ++i) h->anttyp[i] = GetLeI32(in + 224 + 4 * i);
  h->antdel = GetLeI32(in + 260);
  double values[7];
  GetLeDoubles(in, 264, values, 7);
  h->xmin = values[0];
  h->xmax = values[1];
  h->ymin = values[2];
  h->ymax = values[3];
  h->zmin = values[4];
  h->zmax = values[5];
  h->verdec = values[6];
  h->endpos = GetLeI32(in + 320);
}

void EncodeKvarRecord(const sadbstype& r, unsigned char* out) {
  out[0] = r.typ;
  out[1] = r.objekt;
  out[2] = static_cast<unsigned char>(r.kopptyp);
  out[3] = r.res3;
  out[4] = r.flagg;
  std::memcpy(out + 5, r.res5, sizeof r.res5);
  const double values[9] = {r.x, r.y, r.z, r.objv[0], r.objv[1], r.objv[2], r.dx, r.dy, r.dz};
  PutLeDoubles(out, 8, values, 9);
  PutFieldText(out, 80, r.id);
  PutFieldText(out, 96, r.fil);
  PutFieldText(out, 105, r.koppid);
}

void DecodeKvarRecord(const unsigned char* in, sadbstype* r) {
  r->typ = in[0];
  r->objekt = in[1];
  r->kopptyp = static_cast<signed char>(in[2]);
  r->res3 = in[3];
  r->flagg = in[4];
  std::memcpy(r->res5, in + 5, sizeof r->res5);
  double values[9];
  GetLeDoubles(in, 8, values, 9);
  r->x = values[0];
  r->y = values[1];
  r->z = values[2];
  for (int i = 0; i < 3; ++i) r->objv[i] = values[3 + i];
  r->dx = values[6];
  r->dy = values[7];
  r->dz = values[8];
  GetFieldText(in, 80, r->id);
  GetFieldText(in, 96, r->fil);
  GetFieldText(in, 105, r->koppid);
}

}  // namespace geoproj::lines
