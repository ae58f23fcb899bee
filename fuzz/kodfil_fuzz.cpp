// The installation's code file Kodfil.dat, read as a sounding file created with installation
// settings that choose it reads it, then used by the code lookup. The code table is
// process-wide: every input starts from the built-in one.
#include <cstring>

#include <geoproj/platform/borv_ini.h>
#include <geoproj/sounding/borvi_snd.h>

#include "fuzz_support.h"

namespace {

const kod* BuiltInTable() {
  static kod saved[sizeof CBorviSnd::Akod1 / sizeof CBorviSnd::Akod1[0]];
  static const bool copied = (std::memcpy(saved, CBorviSnd::Akod1, sizeof saved), true);
  (void)copied;
  return saved;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::memcpy(CBorviSnd::Akod1, BuiltInTable(), sizeof CBorviSnd::Akod1);
  geoproj::fuzz::Scratch& scratch = geoproj::fuzz::Scratch::Get();
  scratch.Fresh();
  geoproj::fuzz::WriteFile(scratch.file(CBorvIni::IniNamn),
                           std::string("[") + CProjPath::BorvParNamn + "]\r\nMTRLKOD=FIL\r\n");
  geoproj::fuzz::WriteFile(scratch.file("Kodfil.dat"), data, size);
  CBorvIni ini(scratch.path().c_str());
  CBorviSnd snd(&scratch.project(), nullptr, &ini);
  int antal = 0;
  for (int metod : {7, 21, 25, 26, 29, 35})
    for (const char* text : {"F SA", "LE MY", "B1 R2 P2"})
      CBorviSnd::Findkod(metod, text, 0, &antal, "", CBorviSnd::Kodtyp, 0);
  return 0;
}
