// An outcrop's ".LAD" file read, written, read, written: both writes equal.
#include <geoproj/lines/hellar_bv.h>

#include "lines_fuzz_support.h"

namespace {

bool ReadAndSave(CProjPath& project, const std::string& path, std::string* written) {
  CHellarBv outcrop(&project, "NAME");
  if (outcrop.Init() != 0) return false;
  if (outcrop.Save(nullptr) != 0) return false;
  *written = geoproj::fuzz::ReadFile(path);
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string path = geoproj::fuzz::FreshObjectFile(data, size, "LAD");
  CProjPath& project = geoproj::fuzz::Scratch::Get().project();
  std::string first, second;
  if (!ReadAndSave(project, path, &first)) return 0;
  if (!ReadAndSave(project, path, &second))
    geoproj::fuzz::ExpectSame("written", "unreadable", "outcrop file written back does not read");
  geoproj::fuzz::ExpectSame(first, second, "outcrop file written twice");
  return 0;
}
