// The interpretation file ID.TLK read as the separate file, then checked and edited as a host
// does with a profile it has read.
#include <string>

#include <geoproj/methods/borvi_tlk.h>

#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  geoproj::fuzz::Scratch& scratch = geoproj::fuzz::Scratch::Get();
  scratch.Fresh();
  const std::string path = scratch.file("FZ.TLK");
  geoproj::fuzz::WriteFile(path, data, size);
  CBorviTlk tlk(1, 0, 0);
  if (tlk.Init(nullptr, "FZ", path.c_str()) != 0) return 0;
  for (int rc = tlk.Home(); rc == 0; rc = tlk++ ? 0 : -1) {
    std::string word;
    tlk.IndexToOldtext(tlk.Get_aktel()->index, word);
  }
  tlk.DataCheck();
  tlk.FindMtrl("berg", 1);
  tlk.FindMtrl("Leire", 0);
  tlk.BlockIFrikt();
  tlk.AddTolkNiva("sand", 1.5f);
  tlk.InsertBerg(-2.25f, 4);
  tlk.TolkClean();
  return 0;
}
