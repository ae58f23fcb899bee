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

// Text fields: a damaged file may fill a field without its terminator; in memory every field
// ends inside its own bytes.
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

void EncodeDbsHeader(const dbshuvtype& h, unsigned char* out) {
  std::memset(out, 0, kDbsHeaderSize);
  PutText(out, 0, h.ver);
  PutText(out, 6, h.entrepr);
  PutText(out, 37, h.projnamn);
  PutText(out, 73, h.projnr);
  PutText(out, 86, h.datum);
  PutText(out, 97, h.anm1);
  PutText(out, 133, h.anm2);
  PutText(out, 169, h.handlaggare);
  PutText(out, 190, h.ritningar);
  PutText(out, 211, h.koord);
  const std::int16_t counts[6] = {h.antbh, h.antavp, h.res220, h.antdel, h.antgvr, h.antvb};
  for (int i = 0; i < 6; ++i) PutLeI16(out + 216 + 2 * i, counts[i]);
  const double extents[9] = {h.sekmin, h.sekmax, h.xmin, h.xmax, h.ymin,
                             h.ymax,   h.zmin,   h.zmax, h.verdec};
  PutDoubles(out, 228, extents, 9);
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
  GetText(in, 0, h->ver);
  GetText(in, 6, h->entrepr);
  GetText(in, 37, h->projnamn);
  GetText(in, 73, h->projnr);
  GetText(in, 86, h->datum);
  GetText(in, 97, h->anm1);
  GetText(in, 133, h->anm2);
  GetText(in, 169, h->handlaggare);
  GetText(in, 190, h->ritningar);
  GetText(in, 211, h->koord);
  h->antbh = GetLeI16(in + 216);
  h->antavp = GetLeI16(in + 218);
  h->res220 = GetLeI16(in + 220);
  h->antdel = GetLeI16(in + 222);
  h->antgvr = GetLeI16(in + 224);
  h->antvb = GetLeI16(in + 226);
  double extents[9];
  GetDoubles(in, 228, extents, 9);
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
  PutDoubles(out, 16, values, 5);
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
  GetDoubles(in, 16, values, 5);
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
