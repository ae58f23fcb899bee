// The sample file ID.PRV read as the sounding file reads it, then the sample bits a borehole's
// record takes from it.
#include <geoproj/database/bhdbstype.h>
#include <geoproj/foundation/stdio_file_mem.h>
#include <geoproj/methods/borvi_prv.h>

#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  geoproj::fuzz::Scratch& scratch = geoproj::fuzz::Scratch::Get();
  scratch.Fresh();
  const std::string path = scratch.file("FZ.PRV");
  geoproj::fuzz::WriteFile(path, data, size);
  for (int kodtyp : {0, 1, 2, 10}) {
    CStdioFileMem file;
    file.SetFilePath(path);
    CBorviPrv prv(1, 0, 0);
    prv.kodtyp = kodtyp;
    if (prv.Init(&file, "FZ", nullptr) == 0) {
      bhbit bits{};
      prv.PrvStat(&bits);
    }
    if (file.IsOpen()) file.Close();
  }
  return 0;
}
