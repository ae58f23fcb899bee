// The borehole database read, saved whole into a new file, read from there and saved again:
// both saved files hold the same bytes.
#include <geoproj/database/borvi_dbs.h>

#include "fuzz_support.h"

namespace {

using geoproj::fuzz::Scratch;

// Reads the file without repairing it and saves the list into a new file; false when the file
// does not read.
bool ReadAndSave(CProjPath& project, const std::string& from, const std::string& to) {
  CBorviDbs db(&project);
  if (db.Init(from, 1, 0) != 0) return false;
  db.ChangeReadWriteAccess(0);
  return db.SaveDbs(to, 1) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Scratch& scratch = Scratch::Get();
  scratch.Fresh();
  const std::string input = scratch.file(CProjPath::BorvDbsNamn);
  const std::string first = scratch.file("first.dbs");
  const std::string second = scratch.file("second.dbs");
  geoproj::fuzz::WriteFile(input, data, size);
  if (!ReadAndSave(scratch.project(), input, first)) return 0;
  if (!ReadAndSave(scratch.project(), first, second))
    geoproj::fuzz::ExpectSame("saved", "unreadable", "database written by SaveDbs does not read");
  geoproj::fuzz::ExpectSame(geoproj::fuzz::ReadFile(first), geoproj::fuzz::ReadFile(second),
                            "database saved twice");
  return 0;
}
