// CBorviEnkel: the single-weight sounding block (method code 22) of a ".SND" file, one
// record per depth.
#pragma once

#include <string>

#include "geoproj/sounding/sond_block.h"

struct enktype {
  float djup;      // metres
  long varde;      // reading of the step
  char text[26];   // free text and codes, up to 25 characters
  char symbol[4];  // plot symbol of the first code in the text; no terminator when 4 long
};

class CBorviEnkel : public geoproj::SondBlock<CBorviEnkel, enktype> {
 public:
  static constexpr int kMetod = 22;
  static constexpr std::size_t kTextKolumn = 22;

  CBorviEnkel() = default;
  CBorviEnkel(int option1, int option2, int inbaddad) : SondBlock(option1, option2, inbaddad) {}
  ~CBorviEnkel() override = default;

  // 0 when a record's text holds the own-sounding code "MY", else -1.
  int MyKod() { return FindKodRad("MY", nullptr); }

  double m_startdjup = 0.0;  // set by the sounding file after reading; never in the file

 private:
  friend class geoproj::SondBlock<CBorviEnkel, enktype>;
  bool LasData(enktype& rec, const std::string& line);
  void SkrivData(enktype& rec, geoproj::RecordLine& line);
};
