// ID.GVR read as a groundwater pipe, settlement point or piezometer, then asked what a host
// asks of the readings read.
#include <ctime>
#include <string>
#include <vector>

#include <geoproj/foundation/stdio_file_mem.h>
#include <geoproj/groundwater/borvi_gvr.h>
#include <geoproj/groundwater/borvi_gvr_pz.h>
#include <geoproj/sounding/borvi_snd.h>

#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  geoproj::fuzz::Scratch& scratch = geoproj::fuzz::Scratch::Get();
  scratch.Fresh();
  const std::string path = scratch.file("FZ.GVR");
  geoproj::fuzz::WriteFile(path, data, size);
  CBorviSnd snd;
  CBorviGvr gvr(1, &snd, nullptr);
  CStdioFileMem file;
  file.SetFilePath(path);
  gvr.Init(&file, "FZ");
  if (file.IsOpen()) file.Close();
  double min = 0, max = 0, mean = 0;
  gvr.MinMaxMedel(&min, &max, &mean, nullptr, nullptr);
  const geoproj::OleDateTime from = geoproj::MakeOleDateTime(1990, 1, 1);
  const geoproj::OleDateTime to = geoproj::MakeOleDateTime(2030, 1, 1);
  gvr.MinMaxMedel(&min, &max, &mean, &from, &to);
  bhbit bits{};
  gvr.GvrStat(&bits);
  // Look-ups move the cursor: they are made for copies of the first readings.
  std::vector<rortype> first;
  for (int rc = gvr.Home(); rc == 0 && first.size() < 20; rc = gvr++ ? 0 : -1) {
    geoproj::OleDateTime t;
    gvr.GetOleTime(&t);
    first.push_back(*gvr.Get_aktel());
  }
  for (const rortype& r : first) gvr.FindRitX(&r);
  gvr.FindDatum(from);
  gvr.AddDZ(1.5);
  return 0;
}
