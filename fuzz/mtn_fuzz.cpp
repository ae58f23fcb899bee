// ID.MTN read, then asked what a host asks of the measurements read.
#include <string>

#include <geoproj/foundation/stdio_file_mem.h>
#include <geoproj/groundwater/borvi_mtn.h>

#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  geoproj::fuzz::Scratch& scratch = geoproj::fuzz::Scratch::Get();
  scratch.Fresh();
  const std::string path = scratch.file("FZ.MTN");
  geoproj::fuzz::WriteFile(path, data, size);
  CBorviMtn mtn;
  CStdioFileMem file;
  file.SetFilePath(path);
  mtn.Init(&file, "FZ");
  double min = 0, max = 0, mean = 0;
  mtn.MinMaxMedel(&min, &max, &mean, nullptr, nullptr);
  const geoproj::OleDateTime from = geoproj::MakeOleDateTime(1990, 1, 1);
  const geoproj::OleDateTime to = geoproj::MakeOleDateTime(2030, 1, 1);
  mtn.MinMaxMedel(&min, &max, &mean, &from, &to);
  bhbit bits{};
  mtn.MtnStat(&bits);
  geoproj::OleDateTime t;
  if (mtn.Home() == 0) mtn.GetOleTime(&t);
  mtn.FindColumn(2020, 1, 1, 12, 0);
  return 0;
}
