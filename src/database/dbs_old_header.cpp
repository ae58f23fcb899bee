#include "database/dbs_old_header.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include <geoproj/foundation/le_bytes.h>
#include <geoproj/foundation/text_helpers.h>

namespace geoproj::dbs {
namespace {

constexpr std::size_t kVersionBytes = 10;
constexpr std::size_t kHeaderBytes = 408;

// The header's bytes, zero past the end of a short file: a field the file does not reach reads
// as empty, never as what lies beyond.
std::string Padded(const std::string& bytes) {
  std::string out = bytes.substr(0, kHeaderBytes);
  out.resize(kHeaderBytes, '\0');
  return out;
}

// At most width characters of the text at offset, up to its zero.
template <std::size_t N>
void Take(const std::string& header, std::size_t offset, std::size_t width, char (&field)[N]) {
  const char* text = header.data() + offset;
  CopyField(field, std::string(text, strnlen(text, width)));
}

bool KnownOldCode(int code) {
  return code == 200 || code == 210 || code == 220 || code == 230 || code == 300;
}

void TakeTexts(const std::string& h, dbshuvtype* header) {
  Take(h, 6, 20, header->entrepr);
  Take(h, 37, 35, header->projnamn);
  Take(h, 73, 12, header->projnr);
  Take(h, 86, 10, header->datum);
  Take(h, 97, 35, header->anm1);
  Take(h, 133, 35, header->anm2);
  Take(h, 169, 20, header->handlaggare);
  Take(h, 190, 20, header->ritningar);
  Take(h, 211, 3, header->koord);
}

void TakeIdentifier(const std::string& h, dbshuvtype* header) {
  const auto* raw = reinterpret_cast<const unsigned char*>(h.data());
  header->seksep = GetLeI16(raw + 304);
  header->guidflag = GetLeI16(raw + 312);
  bool all_zero = true;
  for (int i = 0; i < 11; ++i) {
    header->guid[i] = GetLeU32(raw + 364 + 4 * i);
    if (header->guid[i] != 0) all_zero = false;
  }
  if (all_zero) header->guidflag = 0;
}

}  // namespace

OldHeader ReadOldHeader(const std::string& bytes) {
  OldHeader old;
  if (bytes.size() <= 1) return old;
  old.empty = false;
  const std::string h = Padded(bytes);
  old.text.assign(h.data(), strnlen(h.data(), kVersionBytes));
  float number = 0.0f;
  old.numbered = std::sscanf(old.text.c_str(), "%f", &number) == 1 && std::isfinite(number);
  if (!old.numbered) return old;
  old.version = number;
  if (number >= 2.0f) {
    const auto* raw = reinterpret_cast<const unsigned char*>(h.data());
    double fraction = GetLeDouble(raw + 292);
    if (!(fraction >= 0.0 && fraction < 1.0)) fraction = 0.0;
    old.version = std::floor(number + 0.0001) + fraction;
    old.uppdnr = GetLeI32(raw + 300);
  }
  const double scaled = (old.version + 0.0001) * 100.0;
  old.code = scaled > -1e9 && scaled < 1e9 ? static_cast<int>(scaled) : 0;
  return old;
}

std::string VersionText(const OldHeader& old) {
  return old.numbered ? Format("%.1f", old.version) : old.text;
}

bool KeepOldFields(const OldHeader& old, const std::string& bytes, dbshuvtype* header) {
  if (!old.numbered || !KnownOldCode(old.code)) return false;
  const std::string h = Padded(bytes);
  TakeTexts(h, header);
  header->uppdnr = old.uppdnr;
  if (old.code >= 220) TakeIdentifier(h, header);
  return true;
}

}  // namespace geoproj::dbs
