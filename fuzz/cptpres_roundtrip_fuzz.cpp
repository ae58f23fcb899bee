// ID.cpt read, written, read, written: both writes hold the same bytes.
#include <geoproj/methods/borvi_cpt_presentation.h>

#include "fuzz_support.h"

namespace {

std::string ReadAndWrite(geoproj::fuzz::Scratch& scratch, const std::string& from,
                         const std::string& to) {
  CBorviCptPresentation presentation;
  presentation.Init(scratch.file(from + ".SND"));
  presentation.Uppdat(scratch.file(to + ".SND"), 1);
  return geoproj::fuzz::ReadFile(scratch.file(to + ".cpt"));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  geoproj::fuzz::Scratch& scratch = geoproj::fuzz::Scratch::Get();
  scratch.Fresh();
  geoproj::fuzz::WriteFile(scratch.file("FZ.cpt"), data, size);
  const std::string first = ReadAndWrite(scratch, "FZ", "FZ1");
  const std::string second = ReadAndWrite(scratch, "FZ1", "FZ2");
  geoproj::fuzz::ExpectSame(first, second, "ID.cpt written twice");
  return 0;
}
