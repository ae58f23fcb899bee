#include "database/dbs_lock.h"

namespace geoproj::dbs {
namespace {

constexpr int kLockWaits = 10;
constexpr int kLockWaitMs = 100;

enum class Attempt { kDone, kFailed, kBusy };

// The lock file and the database file's OS lock are waited for the same way.
template <class Try>
Attempt WaitWhileBusy(Try attempt) {
  for (int waited = 0;; ++waited) {
    const Attempt result = attempt();
    if (result != Attempt::kBusy || waited == kLockWaits) return result;
    SleepMs(kLockWaitMs);
  }
}

}  // namespace

LockTake TakeLockFile(const std::string& path, const char* content, LockHandle* held) {
  LockResult created = LockResult::kHeld;
  // The exclusive creation is the test whether another holder's file is there.
  const Attempt got = WaitWhileBusy([&] {
    created = CreateLockFile(path, content, held);
    if (created == LockResult::kCreated) return Attempt::kDone;
    return created == LockResult::kHeld ? Attempt::kBusy : Attempt::kFailed;
  });
  if (got == Attempt::kDone) return LockTake::kTaken;
  if (got == Attempt::kBusy) return LockTake::kBusy;
  return created == LockResult::kReadOnly ? LockTake::kReadOnly : LockTake::kFailed;
}

std::FILE* ExclusiveFile(std::FILE* file) {
  if (!file) return nullptr;
  const Attempt got =
      WaitWhileBusy([file] { return LockOpenFile(file) ? Attempt::kDone : Attempt::kBusy; });
  if (got == Attempt::kDone) return file;
  std::fclose(file);
  return nullptr;
}

}  // namespace geoproj::dbs
