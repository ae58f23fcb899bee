// CBorviTotal: the total sounding block (method code 25) of a ".SND" file, one record per depth.
// Header value 4 is the format number: below 2 a line holds two readings and a mode ("SL" or
// "TR"), from 2 on three readings; 4 and 5 are the current formats.
#pragma once

#include <string>

#include "geoproj/sounding/sond_block.h"

struct totaltype {
  char mod[12];    // "SL", "TR" or empty
  float djup;      // metres
  long varde1;
  long varde3;
  long varde2;
  char text[26];   // free text and codes, up to 25 characters
  char symbol[4];  // plot symbol of the first code in the text; no terminator when 4 long
};

class CBorviTotal : public geoproj::SondBlock<CBorviTotal, totaltype> {
 public:
  static constexpr int kMetod = 25;
  static constexpr std::size_t kTextKolumn = 29;

  CBorviTotal() = default;
  CBorviTotal(int option1, int option2, int inbaddad) : SondBlock(option1, option2, inbaddad) {}
  ~CBorviTotal() override = default;

  // 0 when a record's text holds the own-sounding code "MY", else -1.
  int MyKod() { return FindKodRad("MY", nullptr); }
  // When the sounding stopped with code 93 or 94: the depth of the first record whose text holds
  // the rock mark "F" goes to *djup and the result is 0. Otherwise -1.
  int BergKontroll(float* djup) { return BergKontrollRad(djup); }
  // Brings an older block to format 4 or 5 (value 3 in tenths, no modes); 4 and above stay.
  void ConvertToFormat4();

  int m_varde4 = 0;          // header value 4: the format number
  double m_startdjup = 0.0;  // set by the sounding file after reading; never in the file

 private:
  friend class geoproj::SondBlock<CBorviTotal, totaltype>;
  bool LasData(totaltype& rec, const std::string& line);
  void SkrivData(totaltype& rec, geoproj::RecordLine& line);
};
