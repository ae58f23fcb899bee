// The installation settings file Borvi.ini, read and asked for the settings the library uses.
#include <geoproj/platform/borv_ini.h>
#include <geoproj/platform/borvi_inst.h>

#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  geoproj::fuzz::Scratch& scratch = geoproj::fuzz::Scratch::Get();
  scratch.Fresh();
  geoproj::fuzz::WriteFile(scratch.file(CBorvIni::IniNamn), data, size);
  CBorvIni ini(scratch.path().c_str());
  ini.KalibKat1();
  ini.KalibKat2();
  CBorviInst inst;
  inst.Init(&ini, &scratch.project());
  inst.ReadKey(CProjPath::BorvParNamn, "MTRLKOD");
  inst.ReadSetting("SPRAK", "SV");
  ini.HasKey("SYSTEM", "");
  return 0;
}
