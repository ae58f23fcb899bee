// ID.TLK read and written, read from there and written again: both writes hold the same bytes.
#include <string>

#include <geoproj/methods/borvi_tlk.h>

#include "fuzz_support.h"

namespace {

std::string ReadAndWrite(const std::string& from, const std::string& to) {
  CBorviTlk tlk(1, 0, 0);
  tlk.Init(nullptr, "FZ", from.c_str());
  tlk.Uppdat(nullptr, to.c_str());
  return geoproj::fuzz::ReadFile(to);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  geoproj::fuzz::Scratch& scratch = geoproj::fuzz::Scratch::Get();
  scratch.Fresh();
  const std::string input = scratch.file("FZ.TLK");
  geoproj::fuzz::WriteFile(input, data, size);
  const std::string first = ReadAndWrite(input, scratch.file("FIRST.TLK"));
  const std::string second = ReadAndWrite(scratch.file("FIRST.TLK"), scratch.file("SECOND.TLK"));
  geoproj::fuzz::ExpectSame(first, second, "ID.TLK written twice");
  return 0;
}
