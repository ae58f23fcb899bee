// Files on every platform. Project file names are case-insensitive: on a case-sensitive file
// system the last component of a path is resolved without regard to case (an exact match
// first), and writing reuses an existing case variant instead of creating a second file.
#pragma once

#include <cstdio>
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

bool FileExists(const std::string& path);
bool DirectoryExists(const std::string& path);
// Deletes the file; false when it did not exist or could not be deleted.
bool RemoveFile(const std::string& path);
bool RenameFile(const std::string& from, const std::string& to);

// fopen on the resolved path. Modes that write reuse an existing case variant.
std::FILE* OpenFile(const std::string& path, const char* mode);

// Whole-file helpers for binary content.
bool ReadFileBytes(const std::string& path, std::string* bytes);
bool WriteFileBytes(const std::string& path, const std::string& bytes);

// The names (not paths) of the entries of a directory, unsorted; empty when it cannot be read.
std::vector<std::string> ListDirectory(const std::string& dir);

// Case-insensitive comparison of two byte strings (ASCII letters only).
bool EqualsNoCase(const std::string& a, const std::string& b);

// Atomic creation of a lock file with the given content.
enum class LockResult { kCreated, kHeld, kFailed };
LockResult CreateLockFile(const std::string& path, const std::string& content);

// An exclusive OS lock on an open file, held until the file is closed ("exclusive share").
// False when another process holds it.
bool LockOpenFile(std::FILE* file);

// The temporary directory, without trailing separator.
std::string TempDirectory();

void SleepMs(int milliseconds);

}  // namespace geoproj
