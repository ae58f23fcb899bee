#include "lines/kvar_format.h"

#include <cstring>

#include <geoproj/foundation/le_bytes.h>

namespace geoproj::lines {
namespace {

static_assert(211 + sizeof(kvarhuvtype::koord) == 215 && 215 + sizeof(kvarhuvtype::riktning) == 220);
static_assert(80 + sizeof(sadbstype::id) == 96 && 96 + sizeof(sadbstype::fil) == 105);
static_assert(105 + sizeof(sadbstype::koppid) == kKvarRecordSize);
static_assert(kKvarFirstRecord >= static_cast<long>(kKvarHeaderSize));

// A damaged file may fill a text field without its terminator; in memory every field ends
// inside its own bytes.
template <std::size_t N>
void GetText(const unsigned char* in, std::size_t offset, char (&field)[N]) {
  std::memcpy(field, in + offset, N);
  field[N - 1] = '\0';
}

template <std::size_t N>
void PutText(unsigned char* out, std::size_t offset, const char (&field)[N]) {
  std::memcpy(out + offset, field, N);
}

void PutDoubles(unsigned char* out, std::size_t offset, const double* values, int count) {
  for (int i = 0; i < count; ++i) PutLeDouble(out + offset + 8 * i, values[i]);
}

void GetDoubles(const unsigned char* in, std::size_t offset, double* values, int count) {
  for (int i = 0; i < count; ++i) values[i] = GetLeDouble(in + offset + 8 * i);
}

}  // namespace

void EncodeKvarHeader(const kvarhuvtype& h, unsigned char* out) {
  std::memset(out, 0, kKvarHeaderSize);
  PutText(out, 0, h.ver);
  PutText(out, 37, h.namn);
  PutText(out, 73, h.text73);
  PutText(out, 86, h.skapad);
  PutText(out, 97, h.text97);
  PutText(out, 133, h.text133);
  PutText(out, 169, h.text169);
  PutText(out, 190, h.text190);
  PutText(out, 211, h.koord);
  PutText(out, 215, h.riktning);
  PutLeI32(out + 220, h.antal);
  for (int i = 0; i < 9; ++i) PutLeI32(out + 224 + 4 * i, h.anttyp[i]);
  PutLeI32(out + 260, h.antdel);
  const double values[7] = {h.xmin, h.xmax, h.ymin, h.ymax, h.zmin, h.zmax, h.verdec};
  PutDoubles(out, 264, values, 7);
  PutLeI32(out + 320, h.endpos);
}

void DecodeKvarHeader(const unsigned char* in, kvarhuvtype* h) {
  GetText(in, 0, h->ver);
  GetText(in, 37, h->namn);
  GetText(in, 73, h->text73);
  GetText(in, 86, h->skapad);
  GetText(in, 97, h->text97);
  GetText(in, 133, h->text133);
  GetText(in, 169, h->text169);
  GetText(in, 190, h->text190);
  GetText(in, 211, h->koord);
  GetText(in, 215, h->riktning);
  h->antal = GetLeI32(in + 220);
  for (int i = 0; i < 9; ++i) h->anttyp[i] = GetLeI32(in + 224 + 4 * i);
  h->antdel = GetLeI32(in + 260);
  double values[7];
  GetDoubles(in, 264, values, 7);
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
  PutDoubles(out, 8, values, 9);
  PutText(out, 80, r.id);
  PutText(out, 96, r.fil);
  PutText(out, 105, r.koppid);
}

void DecodeKvarRecord(const unsigned char* in, sadbstype* r) {
  r->typ = in[0];
  r->objekt = in[1];
  r->kopptyp = static_cast<signed char>(in[2]);
  r->res3 = in[3];
  r->flagg = in[4];
  std::memcpy(r->res5, in + 5, sizeof r->res5);
  double values[9];
  GetDoubles(in, 8, values, 9);
  r->x = values[0];
  r->y = values[1];
  r->z = values[2];
  for (int i = 0; i < 3; ++i) r->objv[i] = values[3 + i];
  r->dx = values[6];
  r->dy = values[7];
  r->dz = values[8];
  GetText(in, 80, r->id);
  GetText(in, 96, r->fil);
  GetText(in, 105, r->koppid);
}

}  // namespace geoproj::lines
