// The line database read from a damaged file: read-only (which must leave the file as it was),
// then writable, which packs the file in place; the packed file must read again, take a new
// record, and be searched, sorted and deleted from as a host would.
#include <cstdlib>
#include <cstdio>

#include <geoproj/lines/kvar_bv_dbs.h>
#include <geoproj/foundation/text_helpers.h>

#include "fuzz_support.h"
#include "lines/kvar_texts.h"

namespace {

using geoproj::fuzz::Scratch;

void UseList(CKvarBvDbs& db) {
  for (int key : {1, -1, 2}) db.Sortera(key);
  char id[] = "l1";
  db.Findid(0, id);
  db.Findobj(5, 600);
  sadbstype rec{};
  rec.typ = 5;
  geoproj::CopyField(rec.id, "NEW");
  db.Ny(1, &rec);
  db.Uppdat(0);
  db.XYZ();
  if (db.Home() == 0) db.Delete();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  geoproj::lines::g_stopPauseMs = 0;
  Scratch& scratch = Scratch::Get();
  scratch.Fresh();
  const std::string file = scratch.file(CKvarBvDbs::KvarDbsNamn);
  geoproj::fuzz::WriteFile(file, data, size);
  {
    CKvarBvDbs db(&scratch.project(), nullptr);
    db.Init(1, 0);
    geoproj::fuzz::ExpectSame(std::string(reinterpret_cast<const char*>(data), size),
                              geoproj::fuzz::ReadFile(file), "line database after a read-only opening");
  }
  {
    CKvarBvDbs db(&scratch.project(), nullptr);
    if (db.Init(0, 0) == 0) UseList(db);
  }
  CKvarBvDbs again(&scratch.project(), nullptr);
  if (again.Init(0, 0) == 0) UseList(again);
  return 0;
}
