// The vane calibration file "Vingebor.kal" in the project directory: every name and number
// walked, each table loaded and interpolated.
#include <string>
#include <utility>
#include <vector>

#include <geoproj/methods/borvi_vb.h>
#include <geoproj/sounding/borvi_snd.h>

#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  geoproj::fuzz::Scratch& scratch = geoproj::fuzz::Scratch::Get();
  scratch.Fresh();
  geoproj::fuzz::WriteFile(scratch.file("Vingebor.kal"), data, size);
  CBorviSnd snd(&scratch.project(), nullptr);
  CBorviVb vb(1, &snd, nullptr);
  std::vector<std::pair<std::string, int>> entries;
  if (vb.KalfilInit() == 0) {
    while (const char* name = vb.KalfilNext()) {
      int nr = 0;
      while ((nr = vb.KalfilNextVinge()) >= 1 && entries.size() < 64) entries.emplace_back(name, nr);
      if (entries.size() >= 64) break;
    }
    vb.KalfilClose();
  }
  for (const auto& [name, nr] : entries) {
    vb.KalfilLoad(name.c_str(), nr);
    for (double x : {-1.0, 0.0, 0.5, 2.0, 1e9}) vb.KalValue(x);
  }
  return 0;
}
