// The restore of a project whose old database header and AVP point list are the input: the
// first 408 bytes (or fewer) are the database file, the rest the point list. Whatever they
// hold, the restore completes and the database it made reads back whole.
#include <algorithm>
#include <string>

#include <geoproj/database/borvi_dbs.h>
#include <geoproj/platform/proj_path.h>

#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  geoproj::fuzz::Scratch& scratch = geoproj::fuzz::Scratch::Get();
  scratch.Fresh();
  const std::size_t header = std::min<std::size_t>(size, 408);
  geoproj::fuzz::WriteFile(scratch.file(CProjPath::BorvDbsNamn), data, header);
  geoproj::fuzz::WriteFile(scratch.project().m_pktFil, data + header, size - header);
  CBorviDbs dbs(&scratch.project());
  if (dbs.Restore(nullptr, nullptr, nullptr) != 0) __builtin_trap();
  CBorviDbs read(&scratch.project());
  if (read.Init(1, 0) != 0 || read.GetReadReport().Damaged()) __builtin_trap();
  return 0;
}
