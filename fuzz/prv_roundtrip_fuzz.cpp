// ID.PRV read, written, read, written: both writes hold the same bytes. The first write may
// differ from the input (the current generation, a new GUID, canonical numbers).
#include <geoproj/foundation/stdio_file_mem.h>
#include <geoproj/methods/borvi_prv.h>

#include "fuzz_support.h"

namespace {

// Reads the sample file at from and writes it to to; returns the bytes written.
std::string ReadAndWrite(const std::string& from, const std::string& to) {
  CBorviPrv prv(1, 0, 0);
  {
    CStdioFileMem in;
    in.SetFilePath(from);
    if (prv.Init(&in, "FZ", nullptr) != 0) return std::string();
    if (in.IsOpen()) in.Close();
  }
  CStdioFileMem out;
  out.SetFilePath(to);
  if (!out.Open(to, CStdioFileMem::modeCreate | CStdioFileMem::modeWrite)) return std::string();
  prv.Uppdat(&out);
  out.Close();
  return geoproj::fuzz::ReadFile(to);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  geoproj::fuzz::Scratch& scratch = geoproj::fuzz::Scratch::Get();
  scratch.Fresh();
  geoproj::fuzz::WriteFile(scratch.file("FZ.PRV"), data, size);
  const std::string first = ReadAndWrite(scratch.file("FZ.PRV"), scratch.file("FZ1.PRV"));
  const std::string second = ReadAndWrite(scratch.file("FZ1.PRV"), scratch.file("FZ2.PRV"));
  geoproj::fuzz::ExpectSame(first, second, "ID.PRV written twice");
  return 0;
}
