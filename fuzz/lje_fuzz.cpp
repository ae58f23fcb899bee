// A line's ".LJE" file read (with and without its method line), its first point taken, and the
// line saved into a line database as the project restore does.
#include <geoproj/lines/linje_bv_data.h>

#include "lines_fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  geoproj::fuzz::FreshObjectFile(data, size, "LJE");
  CProjPath& project = geoproj::fuzz::Scratch::Get().project();
  {
    CLinjeBvData line(&project, "NAME", 0);
    line.Init(0);
  }
  CLinjeBvData line(&project, "NAME", 1);
  if (line.Init(1) != 0) return 0;
  double x = 0, y = 0, z = 0;
  line.FirstPoint(&x, &y, &z);
  CKvarBvDbs db(&project, nullptr);
  geoproj::fuzz::NewDatabaseWithRecord(db, CKvarBvDbs::kTypLinje);
  line.Save(&db);
  CLinjeBvData again(&project, "NAME", 0);
  again.Init(1);
  return 0;
}
