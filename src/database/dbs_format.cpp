#include <geoproj/database/dbs_format.h>

#include <cstring>

#include <geoproj/foundation/le_bytes.h>

namespace geoproj {
namespace {

// The last field of each layout ends exactly at the size the file gives it.
static_assert(sizeof(dbshuvtype::guid) == 11 * 4 && 364 + sizeof(dbshuvtype::guid) == kDbsHeaderSize);
static_assert(sizeof(dbshuvtype::koord) == 5 && 211 + sizeof(dbshuvtype::koord) == 216);
static_assert(sizeof(bhdbstype::id) == 9 && sizeof(bhbit) == 7);
static_assert(sizeof(bhdbstype::djup) == 4 && 60 + sizeof(bhdbstype::stopp) == kDbsRecordSize);
static_assert(kDbsFirstRecord >= static_cast<int>(kDbsHeaderSize));

}  // namespace

void EncodeDbsHeader(const dbshuvtype& h, unsigned char* out) {
  std::memset(out, 0, kDbsHeaderSize);
  PutFieldText(out, 0, h.ver);
  PutFieldText(out, 6, h.entrepr);
  PutFieldText(out, 37, h.projnamn);
  PutFieldText(out, 73, h.projnr);
  PutFieldText(out, 86, h.datum);
  PutFieldText(out, 97, h.anm1);
  PutFieldText(out, 133, h.anm2);
  PutFieldText(out, 169, h.handlaggare);
  PutFieldText(out, 190, h.ritningar);
  PutFieldText(out, 211, h.koord);
  const std::int16_t counts[6] = {h.antbh, h.antavp, h.res220, h.antdel, h.antgvr, h.antvb};
  for (int i = 0; i < 6; ++i) PutLeI16(out + 216 + 2 * i, counts[i]);
  const double extents[9] = {h.sekmin, h.sekmax, h.xmin, h.xmax, h.ymin,
                             h.ymax,   h.zmin,   h.zmax, h.verdec};
  PutLeDoubles(out, 228, extents, 9);
  PutLeI32(out + 300, h.uppdnr);
  PutLeI16(out + 304, h.seksep);
  PutLeI16(out + 306, h.antmil);
  PutLeI16(out + 308, h.antlin);
  PutLeI16(out + 310, h.anthell);
  PutLeI16(out + 312, h.guidflag);
  std::memcpy(out + 314, h.res314, sizeof h.res314);
  PutLeI32(out + 324, h.endpos);
  for (int i = 0; i < 9; ++i) PutLeI32(out + 328 + 4 * i, h.urval[i]);
  for (int i = 0; i < 11; ++i) PutLeU32(out + 364 + 4 * i, h.guid[i]);
}

void DecodeDbsHeader(const unsigned char* in, dbshuvtype* h) {
  GetFieldText(in, 0, h->ver);
  GetFieldText(in, 6, h->entrepr);
  GetFieldText(in, 37, h->projnamn);
  GetFieldText(in, 73, h->projnr);
  GetFieldText(in, 86, h->datum);
  GetFieldText(in, 97, h->anm1);
  GetFieldText(in, 133, h->anm2);
  GetFieldText(in, 169, h->handlaggare);
  GetFieldText(in, 190, h->ritningar);
  GetFieldText(in, 211, h->koord);
  h->antbh = GetLeI16(in + 216);
  h->antavp = GetLeI16(in + 218);
  h->res220 = GetLeI16(in + 220);
  h->antdel = GetLeI16(in + 222);
  h->antgvr = GetLeI16(in + 224);
  h->antvb = GetLeI16(in + 226);
  double extents[9];
  GetLeDoubles(in, 228, extents, 9);
  h->sekmin = extents[0];
  h->sekmax = extents[1];
  h->xmin = extents[2];
  h->xmax = extents[3];
  h->ymin = extents[4];
  h->ymax = extents[5];
  h->zmin = extents[6];
  h->zmax = extents[7];
  h->verdec = extents[8];
  h->uppdnr = GetLeI32(in + 300);
  h->seksep = GetLeI16(in + 304);
  h->antmil = GetLeI16(in + 306);
  h->antlin = GetLeI16(in + 308);
  h->anthell = GetLeI16(in + 310);
  h->guidflag = GetLeI16(in + 312);
  std::memcpy(h->res314, in + 314, sizeof h->res314);
  h->endpos = GetLeI32(in + 324);
  for (int i = 0; i < 9; ++i) h->urval[i] = GetLeI32(in + 328 + 4 * i);
  for (int i = 0; i < 11; ++i) h->guid[i] = GetLeU32(in + 364 + 4 * i);
}

void EncodeDbsRecord(const bhdbstype& r, unsigned char* out) {
  std::memcpy(out, r.id, sizeof r.id);
  std::memcpy(out + 9, r.bit.b, sizeof r.bit.b);
  const double values[5] = {r.x, r.y, r.z, r.sek, r.avst};
  PutLeDoubles(out, 16, values, 5);
  std::uint32_t djup_bits;
  std::memcpy(&djup_bits, &r.djup, sizeof djup_bits);
  PutLeU32(out + 56, djup_bits);
  PutLeU16(out + 60, r.stopp);
}

void DecodeDbsRecord(const unsigned char* in, bhdbstype* r) {
  std::memcpy(r->id, in, sizeof r->id);
  r->id[8] = '\0';
  std::memcpy(r->bit.b, in + 9, sizeof r->bit.b);
  double values[5];
  GetLeDoubles(in, 16, values, 5);
  r->x = values[0];
  r->y = values[1];
  r->z = values[2];
  r->sek = values[3];
  r->avst = values[4];
  // Copied as bits, never as a float value, so that a code text in these bytes survives.
  const std::uint32_t djup_bits = GetLeU32(in + 56);
  std::memcpy(&r->djup, &djup_bits, sizeof djup_bits);
  r->stopp = GetLeU16(in + 60);
}

void GetKodText(const bhdbstype& record, char* code) {
  std::uint32_t bits;
  std::memcpy(&bits, &record.djup, sizeof bits);
  unsigned char bytes[4];
  PutLeU32(bytes, bits);
  std::memcpy(code, bytes, 3);
  code[3] = '\0';
}

void SetKodText(bhdbstype* record, const char* code) {
  unsigned char bytes[4] = {0, 0, 0, 0};
  for (int i = 0; i < 3 && code && code[i]; ++i) bytes[i] = static_cast<unsigned char>(code[i]);
  const std::uint32_t bits = GetLeU32(bytes);
  std::memcpy(&record->djup, &bits, sizeof bits);
}

}  // namespace geoproj
