// CBorviRam: the ram sounding block (method code 24) of a ".SND" file, one record per depth with
// two readings.
#pragma once

#include <string>

#include "geoproj/sounding/sond_block.h"

struct ramsondtype {
  float djup;      // metres
  int varde2;      // second reading
  long varde1;     // first reading
  char text[26];   // free text and codes, up to 25 characters
  char symbol[4];  // plot symbol of the first code in the text; no terminator when 4 long
};

// Text 7 of the ram block holds at most 15 characters.
class CBorviRam : public geoproj::SondBlock<CBorviRam, ramsondtype, 16> {
 public:
  static constexpr int kMetod = 24;
  static constexpr std::size_t kTextKolumn = 22;

  CBorviRam() = default;
  CBorviRam(int option1, int option2, int inbaddad) : SondBlock(option1, option2, inbaddad) {}
  ~CBorviRam() override = default;

  // 0 when a record's text holds the own-sounding code "MY", else -1.
  int MyKod() { return FindKodRad("MY", nullptr); }

  double m_startdjup = 0.0;  // set by the sounding file after reading; never in the file

 private:
  friend class geoproj::SondBlock<CBorviRam, ramsondtype, 16>;
  bool LasData(ramsondtype& rec, const std::string& line);
  void SkrivData(ramsondtype& rec, geoproj::RecordLine& line);
};
