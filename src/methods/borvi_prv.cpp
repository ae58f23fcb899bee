// CBorviPrv: construction and the sample bits of a borehole's status.
#include "geoproj/methods/borvi_prv.h"

#include <cstdio>
#include <string>

#include "geoproj/foundation/text_helpers.h"
#include "geoproj/sounding/borvi_snd.h"

const char* const CBorviPrv::prvmet[10] = {"SP", "PS", "JS", "PG", "VB",
                                           "SKR", "K", "KV1", "KV2", "BPT"};
const int CBorviPrv::antprvmet = 10;

namespace {

bool IsWholeNumber(const char* metod) {
  int value = 0;
  return std::sscanf(metod, "%d", &value) == 1;
}

}  // namespace

CBorviPrv::CBorviPrv() : CBorviPrv(0, 0, 0) {}

CBorviPrv::CBorviPrv(int option1, int option2, int embedded)
    : m_option1(option1), m_option2(option2), inbaddad(embedded) {
  geoproj::CopyField(kodsystem, CBorviSnd::Kodtyp ? CBorviSnd::Kodtyp : "SGF");
}

int CBorviPrv::PrvStat(bhbit* bits) {
  if (Home() < 0) return -1;
  using geoproj::ClearBit;
  using geoproj::SetBit;
  ClearBit(*bits, geoproj::kBitSampleAux);
  ClearBit(*bits, geoproj::kBitSampleCiCaCc);
  ClearBit(*bits, geoproj::kBitSkvPg);
  ClearBit(*bits, geoproj::kBitSampleOther);
  bool skv = false, pg = false;
  do {
    const std::string metod = geoproj::FieldText(pael->metod);
    if (IsWholeNumber(metod.c_str()))
      SetBit(*bits, geoproj::kBitSampleOther);
    else if (metod == "SKV")
      skv = true;
    else if (metod == "PG")
      pg = true;
    else if (metod == "CI" || metod == "CA" || metod == "CC")
      SetBit(*bits, geoproj::kBitSampleCiCaCc);
    else
      SetBit(*bits, geoproj::kBitSampleOther);
  } while ((*this)++);
  if (skv) {
    if (!geoproj::HasBit(*bits, geoproj::kBitSampleOther)) SetBit(*bits, geoproj::kBitSkvPg);
    SetBit(*bits, geoproj::kBitSampleOther);
  }
  if (pg && !geoproj::HasBit(*bits, geoproj::kBitSampleOther)) SetBit(*bits, geoproj::kBitSkvPg);
  return 0;
}
