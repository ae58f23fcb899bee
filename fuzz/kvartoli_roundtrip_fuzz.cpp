// The line database opened for writing (packed), every record written back in place, then the
// same again: both passes leave the same bytes.
#include <geoproj/lines/kvar_bv_dbs.h>

#include "fuzz_support.h"
#include "lines/kvar_texts.h"

namespace {

using geoproj::fuzz::Scratch;

// False when the file does not open.
bool RewriteEveryRecord(CProjPath& project) {
  CKvarBvDbs db(&project, nullptr);
  if (db.Init(0, 0) != 0) return false;
  for (int rc = db.Home(); rc == 0; rc = db++ ? 0 : -1) db.Uppdat(1);
  db.Uppdat(2);
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  geoproj::lines::g_stopPauseMs = 0;
  Scratch& scratch = Scratch::Get();
  scratch.Fresh();
  const std::string file = scratch.file(CKvarBvDbs::KvarDbsNamn);
  geoproj::fuzz::WriteFile(file, data, size);
  if (!RewriteEveryRecord(scratch.project())) return 0;
  const std::string first = geoproj::fuzz::ReadFile(file);
  if (!RewriteEveryRecord(scratch.project()))
    geoproj::fuzz::ExpectSame("written", "unreadable", "line database written back does not read");
  geoproj::fuzz::ExpectSame(first, geoproj::fuzz::ReadFile(file), "line database written twice");
  return 0;
}
