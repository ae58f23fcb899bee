// The environmental data read and written, read from there and written again, as the separate
// file and as an embedded block: both writes hold the same bytes.
#include <string>

#include <geoproj/foundation/stdio_file_mem.h>
#include <geoproj/methods/borvi_mil.h>

#include "fuzz_support.h"

namespace {

std::string ReadAndWrite(const std::string& from, const std::string& to, int embedded) {
  CBorviMil mil(1, 0, embedded);
  CStdioFileMem in;
  in.SetFilePath(from);
  const std::string datum = "01.02.2003";
  mil.Init(&in, "FZ", embedded ? &datum : nullptr);
  if (in.IsOpen()) in.Close();
  CStdioFileMem out;
  out.SetFilePath(to);
  if (!out.Open(to, CStdioFileMem::modeCreate | CStdioFileMem::modeWrite)) return std::string();
  // The block is read after its code line: what is written before it is left out.
  mil.Uppdat(&out);
  out.Close();
  std::string written = geoproj::fuzz::ReadFile(to);
  if (embedded) {
    const std::size_t header = written.find('\n', written.find('\n') + 1);
    geoproj::fuzz::WriteFile(to, header == std::string::npos ? std::string()
                                                             : written.substr(header + 1));
  }
  return written;
}

void RoundTrip(geoproj::fuzz::Scratch& scratch, int embedded) {
  const std::string first = ReadAndWrite(scratch.file("FZ.MIL"), scratch.file("FIRST.MIL"), embedded);
  const std::string second =
      ReadAndWrite(scratch.file("FIRST.MIL"), scratch.file("SECOND.MIL"), embedded);
  geoproj::fuzz::ExpectSame(first, second, embedded ? "block 45 written twice" : "ID.MIL written twice");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  geoproj::fuzz::Scratch& scratch = geoproj::fuzz::Scratch::Get();
  scratch.Fresh();
  geoproj::fuzz::WriteFile(scratch.file("FZ.MIL"), data, size);
  RoundTrip(scratch, 0);
  RoundTrip(scratch, 1);
  return 0;
}
