// An outcrop's ".LAD" file read, its first point taken, and the outcrop saved into a line
// database (with its link looked up) as the project restore does.
#include <geoproj/lines/hellar_bv.h>

#include "lines_fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  geoproj::fuzz::FreshObjectFile(data, size, "LAD");
  CProjPath& project = geoproj::fuzz::Scratch::Get().project();
  CHellarBv outcrop(&project, "NAME");
  if (outcrop.Init() != 0) return 0;
  double x = 0, y = 0, z = 0;
  outcrop.FirstPoint(&x, &y, &z);
  CKvarBvDbs db(&project, nullptr);
  geoproj::fuzz::NewDatabaseWithRecord(db, CKvarBvDbs::kTypHall);
  outcrop.Save(&db);
  outcrop.Init();  // read again into the same object: the old point lists go
  return 0;
}
