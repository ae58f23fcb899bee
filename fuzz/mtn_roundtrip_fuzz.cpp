// ID.MTN read and written, read from there and written again: both writes hold the same bytes.
#include <string>

#include <geoproj/foundation/stdio_file_mem.h>
#include <geoproj/groundwater/borvi_mtn.h>

#include "fuzz_support.h"

namespace {

std::string ReadAndWrite(const std::string& from, const std::string& to) {
  CBorviMtn mtn;
  CStdioFileMem in;
  in.SetFilePath(from);
  mtn.Init(&in, "FZ");
  CStdioFileMem out;
  out.SetFilePath(to);
  mtn.Uppdat(&out, "FZ");
  return geoproj::fuzz::ReadFile(to);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  geoproj::fuzz::Scratch& scratch = geoproj::fuzz::Scratch::Get();
  scratch.Fresh();
  const std::string input = scratch.file("FZ.MTN");
  geoproj::fuzz::WriteFile(input, data, size);
  const std::string first = ReadAndWrite(input, scratch.file("FIRST.MTN"));
  const std::string second = ReadAndWrite(scratch.file("FIRST.MTN"), scratch.file("SECOND.MTN"));
  geoproj::fuzz::ExpectSame(first, second, "ID.MTN written twice");
  return 0;
}
