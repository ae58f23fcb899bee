// CBorviDpt: the dynamic probing block (method code 35) of a ".SND" file, one record of three
// values per depth. Its texts are not searched for codes.
#pragma once

#include <string>

#include "geoproj/sounding/sond_block.h"

struct dpttype {
  double varde1;  // depth
  double varde2;
  double varde3;
  char text[26];  // free text, up to 25 characters
};

class CBorviDpt : public geoproj::SondBlock<CBorviDpt, dpttype> {
 public:
  static constexpr int kMetod = 35;
  static constexpr std::size_t kTextKolumn = 30;

  CBorviDpt() = default;
  CBorviDpt(int option1, int option2, int inbaddad) : SondBlock(option1, option2, inbaddad) {}
  ~CBorviDpt() override = default;

 private:
  friend class geoproj::SondBlock<CBorviDpt, dpttype>;
  bool LasData(dpttype& rec, const std::string& line);
  void SkrivData(dpttype& rec, geoproj::RecordLine& line);
};
