// The environmental data read as the separate file ID.MIL through the sounding file, and the
// same bytes read as an embedded block.
#include <string>

#include <geoproj/database/bhdbstype.h>
#include <geoproj/foundation/stdio_file_mem.h>
#include <geoproj/methods/borvi_mil.h>
#include <geoproj/sounding/borvi_snd.h>

#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  geoproj::fuzz::Scratch& scratch = geoproj::fuzz::Scratch::Get();
  scratch.Fresh();
  const std::string path = scratch.file("FZ.MIL");
  geoproj::fuzz::WriteFile(path, data, size);
  CBorviSnd snd(&scratch.project(), nullptr);
  snd.Init("FZ", nullptr);
  bhdbstype rec{};
  snd.Snd2Bhbit(&rec);
  if (snd.mil) snd.mil->Sortera(1);

  CStdioFileMem file;
  file.SetFilePath(path);
  if (!file.Open(path, CStdioFileMem::modeRead)) return 0;
  CBorviMil block(1, 0, 1);
  const std::string datum = "01.02.2003";
  block.Init(&file, "FZ", &datum);
  file.Close();
  return 0;
}
