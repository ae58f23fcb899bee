// Info.prj read and written, read from there and written again: both writes hold the same bytes.
#include <string>

#include <geoproj/project/info_prj.h>

#include "fuzz_support.h"

namespace {

std::string ReadAndWrite(geoproj::fuzz::Scratch& scratch) {
  CInfoPrj info(&scratch.project());
  info.Uppdat();
  return geoproj::fuzz::ReadFile(scratch.file(CInfoPrj::FilNamn));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  geoproj::fuzz::Scratch& scratch = geoproj::fuzz::Scratch::Get();
  scratch.Fresh();
  geoproj::fuzz::WriteFile(scratch.file(CInfoPrj::FilNamn), data, size);
  const std::string first = ReadAndWrite(scratch);
  const std::string second = ReadAndWrite(scratch);
  geoproj::fuzz::ExpectSame(first, second, "Info.prj written twice");
  return 0;
}
