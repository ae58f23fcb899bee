// The project information file Info.prj read as a project's, then the system lookups of what
// it named.
#include <string>

#include <geoproj/project/info_prj.h>

#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  geoproj::fuzz::Scratch& scratch = geoproj::fuzz::Scratch::Get();
  scratch.Fresh();
  geoproj::fuzz::WriteFile(scratch.file(CInfoPrj::FilNamn), data, size);
  CInfoPrj info(&scratch.project());
  CInfoPrj::EPGSsystem(info.coordSystem);
  CInfoPrj::TextSystem(info.coordSystem);
  CInfoPrj::EPGSsystemHeight(info.heightSystem);
  return 0;
}
