// Files on every platform. Project file names are case-insensitive: on a case-sensitive file
// system the last component of a path is resolved without regard to case (an exact match
// first), and writing reuses an existing case variant instead of creating a second file.
#pragma once

#include <cstdio>
#include <ctime>
#include <stdexcept>
#include <string>
#include <vector>

namespace geoproj {

#ifdef _WIN32
inline constexpr char kPathSep = '\\';
#else
inline constexpr char kPathSep = '/';
#endif

// A file operation the caller cannot go on without failed (write error, disk full).
class FileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// dir + kPathSep + name (no doubled separator when dir already ends in one; name alone when dir
// is empty).
std::string JoinPath(const std::string& dir, const std::string& name);

// The existing file or directory that path names without regard to the case of its last
// component; path itself when nothing matches.
std::string ResolvePath(const std::string& path);

// What one look at an existing file or directory tells.
struct FileStat {
  bool regular = false;
  bool directory = false;
  long long size = 0;
  std::time_t modified = 0;
  // The creation time where the file system keeps one, else the modification time.
  std::time_t created = 0;
};

// The file or directory path names (its last component resolved without regard to case), in
// one look; false when there is none.
bool StatFile(const std::string& path, FileStat* st);

bool FileExists(const std::string& path);
bool DirectoryExists(const std::string& path);
// Deletes the file; false when it did not exist or could not be deleted.
bool RemoveFile(const std::string& path);
bool RenameFile(const std::string& from, const std::string& to);

// open(2) with flags that do not create, of the path as given or else of its spelling on disk
// (one call when the exact name is there). -1 with errno set on failure; *resolved is the name
// opened.
int OpenExistingFd(const std::string& path, int flags, std::string* resolved);

// fopen on the resolved path. Modes that write reuse an existing case variant.
std::FILE* OpenFile(const std::string& path, const char* mode);

// Whole-file helpers for binary content.
bool ReadFileBytes(const std::string& path, std::string* bytes);
bool WriteFileBytes(const std::string& path, const std::string& bytes);

// The names (not paths) of the entries of a directory, unsorted; empty when it cannot be read.
std::vector<std::string> ListDirectory(const std::string& dir);

// An entry of a directory with what its listing tells of its kind: a listing that does not
// tell (some file systems; a symbolic link, which may name a file) leaves kUnknown.
struct DirectoryEntry {
  enum class Kind { kRegular, kOther, kUnknown };
  std::string name;
  Kind kind = Kind::kUnknown;
};
std::vector<DirectoryEntry> ListDirectoryEntries(const std::string& dir);
// Whether the entry of dir is a regular file (a symbolic link followed); looks at the file only
// when its listing did not tell.
bool IsRegularEntry(const std::string& dir, const DirectoryEntry& entry);

// Case-insensitive comparison of two byte strings (ASCII letters only).
bool EqualsNoCase(const std::string& a, const std::string& b);

// A lock file this process created and holds. Its descriptor stays open with an exclusive
// advisory lock on it, so that a process of this machine can tell a live holder from a file
// left behind; device and inode tell it apart from a file created later at the same path.
struct LockHandle {
  int fd = -1;
  std::string path;  // as created: the spelling on disk
  unsigned long long dev = 0;
  unsigned long long ino = 0;
  bool held() const { return fd >= 0; }
};

// Atomic creation of a lock file with the given content. kReadOnly: the folder cannot hold a
// new file (no write permission, read-only medium); kFailed: any other reason. With held given,
// the created file stays open and locked in it until ReleaseLockFile; without, it is closed.
enum class LockResult { kCreated, kHeld, kFailed, kReadOnly };
LockResult CreateLockFile(const std::string& path, const std::string& content,
                          LockHandle* held = nullptr);

// Removes the lock file only while path still names the file held (someone may have deleted it
// by hand and another process created its own since), then closes it. Does nothing when
// nothing is held.
void ReleaseLockFile(const std::string& path, LockHandle* held);

// A lock file as another process finds it.
struct LockFileInfo {
  bool exists = false;
  bool held_here = false;     // a process of this machine holds it
  long long age_seconds = 0;  // since it was last written
  unsigned long long dev = 0;
  unsigned long long ino = 0;
};
LockFileInfo InspectLockFile(const std::string& path);

// Removes a lock file nobody on this machine holds, provided path still names the file that
// was inspected. kRemoved, kHeld (a live holder), or kChanged (gone or replaced meanwhile).
enum class UnlockResult { kRemoved, kHeld, kChanged };
UnlockResult RemoveStaleLockFile(const std::string& path, const LockFileInfo& inspected);

// An exclusive OS lock on an open file, held until the file is closed ("exclusive share").
// False when another process holds it.
bool LockOpenFile(std::FILE* file);

// Creates path for reading and writing ("w+b") only when no file of that name exists, in one
// step, so that two creators can never both succeed and an existing file is never truncated.
// Null on failure; *existed tells whether a file of that name was the reason.
std::FILE* CreateNewFile(const std::string& path, bool* existed);

// The temporary directory, without trailing separator.
std::string TempDirectory();

void SleepMs(int milliseconds);

}  // namespace geoproj
