// The borehole database read from a damaged file: read-only through the project, read-only by
// name (which reads past the end offset), and writable, which repairs and packs the file in
// place; the repaired file must read again. Afterwards the list is sorted and searched as a
// host would.
#include <geoproj/database/borvi_dbs.h>

#include "fuzz_support.h"

namespace {

using geoproj::fuzz::Scratch;

void UseList(CBorviDbs& db) {
  for (int key : {1, 2, 3, 4, -1, 7, 20, 21}) db.Sortera(key);
  for (int rc = db.Home(); rc == 0; rc = db++ ? 0 : -1) {
    char code[4];
    db.Kod(code);
  }
  char id[] = "BH1";
  db.Findid(id);
  db.DbsKoll();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Scratch& scratch = Scratch::Get();
  scratch.Fresh();
  const std::string file = scratch.file(CProjPath::BorvDbsNamn);
  geoproj::fuzz::WriteFile(file, data, size);
  {
    CBorviDbs db(&scratch.project());
    if (db.Init(1, 0) == 0) UseList(db);
  }
  {
    CBorviDbs db(&scratch.project());
    db.Init(file, 1, 0);
  }
  {
    CBorviDbs db(&scratch.project());
    db.Init(0, 0);
  }
  CBorviDbs again(&scratch.project());
  if (again.Init(0, 0) == 0) UseList(again);
  return 0;
}
