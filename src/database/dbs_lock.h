// The lock-file protocol both project databases follow: a writer (and a reader, where the
// folder allows) creates the database's lock file before it opens the database file, and the
// file itself is opened with an exclusive OS lock for writing. Another holder is waited for up
// to ten times 100 ms, then the opening fails.
#pragma once

#include <cstdio>
#include <string>

#include <geoproj/platform/files.h>

namespace geoproj::dbs {

enum class LockTake {
  kTaken,     // the lock file is ours (held in *held)
  kBusy,      // another holder kept it past the wait
  kReadOnly,  // the folder cannot hold a new file (read-only medium, no write permission)
  kFailed,    // the lock file could not be created for another reason
};

// Creates the lock file at path with content, waiting while another process holds it. Losing
// the race to create it counts as finding it held: the wait goes on within the same budget.
LockTake TakeLockFile(const std::string& path, const char* content, LockHandle* held);

// The open file with its exclusive OS lock, or null (the file closed) when another process
// kept it past the wait.
std::FILE* ExclusiveFile(std::FILE* file);

}  // namespace geoproj::dbs
