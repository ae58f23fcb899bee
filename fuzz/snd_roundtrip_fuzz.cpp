// ID.SND read and written back with Uppdat, read from there and written again: both writes
// hold the same bytes, in ID.SND and in the ID.TLK the database update may write beside it.
// The first write may differ from the input (a new GUID, canonical numbers); it is the second
// that must change nothing. Done without a database and with one.
#include <memory>

#include <geoproj/database/borvi_dbs.h>
#include <geoproj/sounding/borvi_snd.h>

#include "fuzz_support.h"

namespace {

using geoproj::fuzz::ReadFile;
using geoproj::fuzz::Scratch;

struct Written {
  std::string snd;
  std::string tlk;
};

Written ReadAndWrite(Scratch& scratch, CBorviDbs* dbs) {
  {
    CBorviSnd snd(&scratch.project(), dbs);
    snd.Init("FZ", nullptr);
    snd.Uppdat(nullptr, nullptr);
  }
  return {ReadFile(scratch.file("FZ.SND")), ReadFile(scratch.file("FZ.TLK"))};
}

void RoundTrip(const std::uint8_t* data, std::size_t size, bool withDatabase) {
  Scratch& scratch = Scratch::Get();
  scratch.Fresh();
  geoproj::fuzz::WriteFile(scratch.file("FZ.SND"), data, size);
  std::unique_ptr<CBorviDbs> dbs;
  if (withDatabase) {
    dbs = std::make_unique<CBorviDbs>(&scratch.project());
    dbs->Init(0, 1);
  }
  const Written first = ReadAndWrite(scratch, dbs.get());
  const Written second = ReadAndWrite(scratch, dbs.get());
  geoproj::fuzz::ExpectSame(first.snd, second.snd, "ID.SND written twice");
  geoproj::fuzz::ExpectSame(first.tlk, second.tlk, "ID.TLK written twice");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  RoundTrip(data, size, false);
  RoundTrip(data, size, true);
  return 0;
}
