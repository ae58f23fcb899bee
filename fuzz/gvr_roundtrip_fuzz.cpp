// ID.GVR read and written, read from there and written again: both writes hold the same bytes.
#include <string>

#include <geoproj/foundation/stdio_file_mem.h>
#include <geoproj/groundwater/borvi_gvr.h>
#include <geoproj/sounding/borvi_snd.h>

#include "fuzz_support.h"

namespace {

std::string ReadAndWrite(const std::string& from, const std::string& to) {
  CBorviSnd snd;
  CBorviGvr gvr(1, &snd, nullptr);
  CStdioFileMem in;
  in.SetFilePath(from);
  // A file that does not read is dropped by the sounding file; there is nothing to write.
  if (gvr.Init(&in, "FZ") != 0) return "";
  if (in.IsOpen()) in.Close();
  CStdioFileMem out;
  out.SetFilePath(to);
  gvr.Uppdat(&out, "FZ");
  return geoproj::fuzz::ReadFile(to);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  geoproj::fuzz::Scratch& scratch = geoproj::fuzz::Scratch::Get();
  scratch.Fresh();
  const std::string input = scratch.file("FZ.GVR");
  geoproj::fuzz::WriteFile(input, data, size);
  const std::string first = ReadAndWrite(input, scratch.file("FIRST.GVR"));
  if (first.empty()) return 0;
  const std::string second = ReadAndWrite(scratch.file("FIRST.GVR"), scratch.file("SECOND.GVR"));
  geoproj::fuzz::ExpectSame(first, second, "ID.GVR written twice");
  return 0;
}
