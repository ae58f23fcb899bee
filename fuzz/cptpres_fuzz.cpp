// The presentation file of a cone penetration test (ID.cpt beside ID.SND).
#include <geoproj/methods/borvi_cpt_presentation.h>

#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  geoproj::fuzz::Scratch& scratch = geoproj::fuzz::Scratch::Get();
  scratch.Fresh();
  geoproj::fuzz::WriteFile(scratch.file("FZ.cpt"), data, size);
  CBorviCptPresentation presentation;
  presentation.Init(scratch.file("FZ.SND"));
  return 0;
}
