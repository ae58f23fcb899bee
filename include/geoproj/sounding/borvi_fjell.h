// CBorviFjell: the rock-control sounding block (method code 26) of a ".SND" file, one record per
// depth. It keeps header value 4 and can tell at which depth its texts mark rock.
#pragma once

#include <string>

#include "geoproj/sounding/sond_block.h"

struct fjelltype {
  float djup;      // metres
  long varde;      // reading of the step
  char text[26];   // free text and codes, up to 25 characters
  char symbol[4];  // plot symbol of the first code in the text; no terminator when 4 long
};

class CBorviFjell : public geoproj::SondBlock<CBorviFjell, fjelltype> {
 public:
  static constexpr int kMetod = 26;
  static constexpr std::size_t kTextKolumn = 22;

  CBorviFjell() = default;
  CBorviFjell(int option1, int option2, int inbaddad) : SondBlock(option1, option2, inbaddad) {}
  ~CBorviFjell() override = default;

  // 0 when a record's text holds the own-sounding code "MY", else -1.
  int MyKod() { return FindKodRad("MY", nullptr); }
  // When the sounding stopped with code 93 or 94: the depth of the first record whose text holds
  // the rock mark "F" goes to *djup and the result is 0. Otherwise -1.
  int BergKontroll(float* djup) { return BergKontrollRad(djup); }

  int m_varde4 = 0;          // header value 4, kept and written back
  double m_startdjup = 0.0;  // set by the sounding file after reading; never in the file

 private:
  friend class geoproj::SondBlock<CBorviFjell, fjelltype>;
  bool LasData(fjelltype& rec, const std::string& line);
  void SkrivData(fjelltype& rec, geoproj::RecordLine& line);
};
