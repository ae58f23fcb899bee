// CBorviDreie: the weight sounding block (method code 21) of a ".SND" file, one record per
// depth step with its weight code.
#pragma once

#include <string>

#include "geoproj/sounding/sond_block.h"

struct dreietype {
  char vikt[12];   // weight code of the step, up to 9 characters, e.g. "25" or "SL"
  float djup;      // metres
  long varde;      // reading of the step; negative goes with the weight "SL"
  char text[26];   // free text and codes, up to 25 characters
  char symbol[4];  // plot symbol of the first code in the text; no terminator when 4 long
};

class CBorviDreie : public geoproj::SondBlock<CBorviDreie, dreietype> {
 public:
  static constexpr int kMetod = 21;
  static constexpr std::size_t kTextKolumn = 22;

  CBorviDreie() = default;
  CBorviDreie(int option1, int option2, int inbaddad) : SondBlock(option1, option2, inbaddad) {}
  ~CBorviDreie() override = default;

  // 0 when a record's text holds the own-sounding code "MY", else -1.
  int MyKod() { return FindKodRad("MY", nullptr); }

  double m_startdjup = 0.0;  // set by the sounding file after reading; never in the file

 private:
  friend class geoproj::SondBlock<CBorviDreie, dreietype>;
  bool LasData(dreietype& rec, const std::string& line);
  void SkrivData(dreietype& rec, geoproj::RecordLine& line);
};
