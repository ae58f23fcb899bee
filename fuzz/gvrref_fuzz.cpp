// The measurement reference file and the pore-pressure calibration file, each read from the
// same input, then asked for what a host asks.
#include <string>

#include <geoproj/groundwater/mat_referens_data.h>
#include <geoproj/groundwater/mat_referens_lista.h>
#include <geoproj/groundwater/pore_kal_fil.h>
#include <geoproj/platform/borv_ini.h>

#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  geoproj::fuzz::Scratch& scratch = geoproj::fuzz::Scratch::Get();
  scratch.Fresh();
  geoproj::fuzz::WriteFile(scratch.file("GVRREF.DAT"), data, size);
  geoproj::fuzz::WriteFile(scratch.file("Poretryk.kal"), data, size);
  CBorvIni ini(scratch.path().c_str());
  CMatReferensLista lista(&ini);
  lista.Init();
  for (int rc = lista.Home(); rc == 0; rc = lista++ ? 0 : -1) {
    matreflisttype* ref = lista.Get_aktel();
    if (!ref->data) continue;
    double min = 0, max = 0, mean = 0;
    ref->data->MinMaxMedel(&min, &max, &mean, nullptr, nullptr);
    const geoproj::OleDateTime from = geoproj::MakeOleDateTime(2000, 1, 1);
    const geoproj::OleDateTime to = geoproj::MakeOleDateTime(2030, 1, 1);
    ref->data->MinMaxMedel(&min, &max, &mean, &from, &to);
  }
  lista.Find("norr");
  CPoreKalFil kal;
  kal.Init(&scratch.project(), &ini);
  kal.Find(12);
  return 0;
}
