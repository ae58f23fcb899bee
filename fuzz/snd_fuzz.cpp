// A borehole's sounding file ID.SND with every block, read in a project directory, followed by
// what the database asks of a borehole it has read (which may write the borehole back when
// rock is carried into the interpretation).
#include <geoproj/database/bhdbstype.h>
#include <geoproj/sounding/borvi_snd.h>

#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  geoproj::fuzz::Scratch& scratch = geoproj::fuzz::Scratch::Get();
  scratch.Fresh();
  geoproj::fuzz::WriteFile(scratch.file("FZ.SND"), data, size);
  CBorviSnd snd(&scratch.project(), nullptr);
  snd.Init("FZ", nullptr);
  int stopp = 0;
  snd.GetMaxStopp(&stopp);
  double djup = 0.0;
  snd.MyKod(&djup);
  snd.IfDigitaliserad();
  bhdbstype rec{};
  snd.Snd2Bhbit(&rec);
  return 0;
}
