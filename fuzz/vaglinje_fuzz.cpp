// A road alignment file as the evaluation reads it, then the corridor and station of a few
// points along it.
#include <geoproj/platform/vaglinje.h>
#include <geoproj/reports/vaglinje_fil.h>

#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  geoproj::fuzz::Scratch& scratch = geoproj::fuzz::Scratch::Get();
  scratch.Fresh();
  const std::string path = scratch.file("VAGLINJE.TXT");
  geoproj::fuzz::WriteFile(path, data, size);
  CVaglinje line;
  int dropped = 0;
  geoproj::ReadVaglinjeFil(path, &line, &dropped);
  if (line.Home() < 0) return 0;
  const kovltype first = *line.Get_aktel();
  line.End();
  const kovltype last = *line.Get_aktel();
  const double points[][2] = {{first.x, first.y},
                              {last.x, last.y},
                              {(first.x + last.x) / 2, (first.y + last.y) / 2 + 10},
                              {0, 0}};
  for (const auto& p : points) {
    double sek = 0, avst = 0;
    line.PktIomr(p[0], p[1], &sek, &avst);
    line.Vagstv(p[0], p[1], &sek, &avst);
  }
  return 0;
}
