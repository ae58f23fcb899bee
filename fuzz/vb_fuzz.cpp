// The vane file ID.VB read as a vane borehole, then the record summary the database would get.
#include <string>

#include <geoproj/database/bhdbstype.h>
#include <geoproj/methods/borvi_vb.h>
#include <geoproj/sounding/borvi_snd.h>

#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  geoproj::fuzz::Scratch& scratch = geoproj::fuzz::Scratch::Get();
  scratch.Fresh();
  geoproj::fuzz::WriteFile(scratch.file("FZ.VB"), data, size);
  CBorviSnd snd(&scratch.project(), nullptr);
  snd.Init("FZ", nullptr);
  bhdbstype rec{};
  snd.Snd2Bhbit(&rec);
  if (snd.vb && snd.vb->Home() == 0) {
    do {
      const vinbtype* r = snd.vb->Get_aktel();
      snd.vb->ro0pValue(0.0, r->djup, r->varde1, 1);
      snd.vb->korrValue(r->tal1, r->varde2, r->varde3);
      snd.vb->SensValue(r->varde4, r->varde5);
    } while ((*snd.vb)++);
  }
  return 0;
}
