// A line's ".LJE" file read and written three times: the last two writes are equal. The first
// write may take two steps to settle: a line whose first layer is named "Z-mate" is written
// without layers, and a line without layers is written with the rock layer the next time.
#include <geoproj/lines/linje_bv_data.h>

#include "lines_fuzz_support.h"

namespace {

// The file as the line read from it writes it again; false when it does not read.
bool ReadAndSave(CProjPath& project, const std::string& path, std::string* written) {
  CLinjeBvData line(&project, "NAME", 0);
  if (line.Init(1) != 0) return false;
  if (line.Save(nullptr) != 0) return false;
  *written = geoproj::fuzz::ReadFile(path);
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string path = geoproj::fuzz::FreshObjectFile(data, size, "LJE");
  CProjPath& project = geoproj::fuzz::Scratch::Get().project();
  std::string zeroth, first, second;
  if (!ReadAndSave(project, path, &zeroth)) return 0;
  if (!ReadAndSave(project, path, &first))
    geoproj::fuzz::ExpectSame("written", "unreadable", "line file written back does not read");
  if (!ReadAndSave(project, path, &second))
    geoproj::fuzz::ExpectSame("written", "unreadable", "line file written back does not read");
  geoproj::fuzz::ExpectSame(first, second, "line file written twice");
  return 0;
}
