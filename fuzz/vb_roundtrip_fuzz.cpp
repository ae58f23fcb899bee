// ID.VB read and written back through the sounding file, read from there and written again:
// both writes hold the same bytes. The first write may differ from the input (new GUIDs,
// canonical numbers); the second must change nothing.
#include <string>

#include <geoproj/sounding/borvi_snd.h>

#include "fuzz_support.h"

namespace {

std::string ReadAndWrite(geoproj::fuzz::Scratch& scratch) {
  CBorviSnd snd(&scratch.project(), nullptr);
  snd.Init("FZ", nullptr);
  snd.Uppdat(nullptr, nullptr);
  return geoproj::fuzz::ReadFile(scratch.file("FZ.VB"));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  geoproj::fuzz::Scratch& scratch = geoproj::fuzz::Scratch::Get();
  scratch.Fresh();
  geoproj::fuzz::WriteFile(scratch.file("FZ.VB"), data, size);
  const std::string first = ReadAndWrite(scratch);
  const std::string second = ReadAndWrite(scratch);
  geoproj::fuzz::ExpectSame(first, second, "ID.VB written twice");
  return 0;
}
