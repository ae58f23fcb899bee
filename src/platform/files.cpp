#include <geoproj/platform/files.h>

#include <geoproj/platform/dir_index.h>

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>

namespace geoproj {
namespace {

bool IsSeparator(char c) { return c == '/' || c == '\\'; }

// Splits at the last separator; dir is empty for a bare name, "/" for a root entry.
void SplitLast(const std::string& path, std::string* dir, std::string* name) {
  size_t cut = path.find_last_of("/\\");
  if (cut == std::string::npos) {
    dir->clear();
    *name = path;
  } else {
    *dir = path.substr(0, cut == 0 ? 1 : cut);
    *name = path.substr(cut + 1);
  }
}

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool PathExists(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0;
}

// The spelling on disk of a path that does not exist as given, or path when there is none.
std::string CaseVariant(const std::string& path) {
  std::string dir, name;
  SplitLast(path, &dir, &name);
  if (name.empty()) return path;
  const std::string found = FindEntryNoCase(dir, name);
  if (found.empty()) return path;
  if (dir.empty()) return found;
  return dir == "/" ? "/" + found : dir + path[dir.size()] + found;
}

// stat of the path as given, else of its spelling on disk: one call for a file that exists as
// named, which is the common case of the many checks a save makes.
bool StatResolved(const std::string& path, struct stat* st) {
  if (::stat(path.c_str(), st) == 0) return true;
  if (path.empty()) return false;
  const std::string variant = CaseVariant(path);
  return variant != path && ::stat(variant.c_str(), st) == 0;
}

}  // namespace

std::string JoinPath(const std::string& dir, const std::string& name) {
  if (dir.empty()) return name;
  if (IsSeparator(dir.back())) return dir + name;
  return dir + kPathSep + name;
}

bool EqualsNoCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  return true;
}

std::string ResolvePath(const std::string& path) {
  if (path.empty() || PathExists(path)) return path;
  return CaseVariant(path);
}

bool FileExists(const std::string& path) {
  struct stat st;
  return StatResolved(path, &st) && S_ISREG(st.st_mode);
}

bool DirectoryExists(const std::string& path) {
  struct stat st;
  return StatResolved(path, &st) && S_ISDIR(st.st_mode);
}

bool RemoveFile(const std::string& path) {
  std::string resolved = ResolvePath(path);
  if (!FileExists(resolved)) return false;
  if (::unlink(resolved.c_str()) != 0) return false;
  NotePathRemoved(resolved);
  return true;
}

bool RenameFile(const std::string& from, const std::string& to) {
  const std::string source = ResolvePath(from), target = ResolvePath(to);
  if (std::rename(source.c_str(), target.c_str()) != 0) return false;
  NotePathRemoved(source);
  NotePathCreated(target);
  return true;
}

std::FILE* OpenFile(const std::string& path, const char* mode) {
  const std::string resolved = ResolvePath(path);
  std::FILE* file = std::fopen(resolved.c_str(), mode);
  if (file && mode[0] != 'r') NotePathCreated(resolved);
  return file;
}

bool ReadFileBytes(const std::string& path, std::string* bytes) {
  std::FILE* f = OpenFile(path, "rb");
  if (!f) return false;
  bytes->clear();
  char chunk[65536];
  size_t n;
  while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) bytes->append(chunk, n);
  bool ok = !std::ferror(f);
  std::fclose(f);
  return ok;
}

bool WriteFileBytes(const std::string& path, const std::string& bytes) {
  std::FILE* f = OpenFile(path, "wb");
  if (!f) return false;
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  ok = (std::fclose(f) == 0) && ok;
  return ok;
}

std::vector<std::string> ListDirectory(const std::string& dir) {
  std::vector<std::string> names;
  DIR* d = ::opendir(dir.empty() ? "." : ResolvePath(dir).c_str());
  if (!d) return names;
  while (dirent* e = ::readdir(d)) {
    if (std::strcmp(e->d_name, ".") != 0 && std::strcmp(e->d_name, "..") != 0)
      names.emplace_back(e->d_name);
  }
  ::closedir(d);
  return names;
}

namespace {

bool IsReadOnlyError(int error) { return error == EACCES || error == EROFS || error == EPERM; }

bool SameFile(const struct stat& st, unsigned long long dev, unsigned long long ino) {
  return static_cast<unsigned long long>(st.st_dev) == dev &&
         static_cast<unsigned long long>(st.st_ino) == ino;
}

// Whether path names the file open on fd.
bool NamesOpenFile(const std::string& path, int fd) {
  struct stat open_st, named_st;
  return ::fstat(fd, &open_st) == 0 && ::stat(path.c_str(), &named_st) == 0 &&
         SameFile(named_st, open_st.st_dev, open_st.st_ino);
}

void WriteAll(int fd, const std::string& content) {
  const char* p = content.data();
  size_t left = content.size();
  while (left > 0) {
    ssize_t n = ::write(fd, p, left);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    p += n;
    left -= static_cast<size_t>(n);
  }
}

int FlockRetrying(int fd, int operation) {
  int rc;
  while ((rc = ::flock(fd, operation)) != 0 && errno == EINTR) {
  }
  return rc;
}

}  // namespace

LockResult CreateLockFile(const std::string& path, const std::string& content, LockHandle* held) {
  const std::string resolved = ResolvePath(path);
  int fd = ::open(resolved.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) {
    if (errno == EEXIST) return LockResult::kHeld;
    return IsReadOnlyError(errno) ? LockResult::kReadOnly : LockResult::kFailed;
  }
  NotePathCreated(resolved);
  // Waits only while a remover of stale lock files looks at the new file. Such a remover may
  // have taken the file away before the lock was ours: then it is not our lock.
  FlockRetrying(fd, LOCK_EX);
  WriteAll(fd, content);
  struct stat st;
  if (!NamesOpenFile(resolved, fd) || ::fstat(fd, &st) != 0) {
    ::close(fd);
    return LockResult::kHeld;
  }
  if (!held) {
    ::close(fd);
    return LockResult::kCreated;
  }
  held->fd = fd;
  held->dev = static_cast<unsigned long long>(st.st_dev);
  held->ino = static_cast<unsigned long long>(st.st_ino);
  return LockResult::kCreated;
}

void ReleaseLockFile(const std::string& path, LockHandle* held) {
  if (!held->held()) return;
  const std::string resolved = ResolvePath(path);
  struct stat st;
  if (::stat(resolved.c_str(), &st) == 0 && SameFile(st, held->dev, held->ino) &&
      ::unlink(resolved.c_str()) == 0)
    NotePathRemoved(resolved);
  ::close(held->fd);
  *held = LockHandle{};
}

LockFileInfo InspectLockFile(const std::string& path) {
  LockFileInfo info;
  const std::string resolved = ResolvePath(path);
  struct stat st;
  if (::stat(resolved.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return info;
  info.exists = true;
  info.dev = static_cast<unsigned long long>(st.st_dev);
  info.ino = static_cast<unsigned long long>(st.st_ino);
  const long long age = static_cast<long long>(std::time(nullptr)) - st.st_mtime;
  info.age_seconds = age > 0 ? age : 0;
  const int fd = ::open(resolved.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return info;
  // A shared probe: two processes looking at the same lock file do not see each other.
  info.held_here = FlockRetrying(fd, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK;
  ::close(fd);
  return info;
}

UnlockResult RemoveStaleLockFile(const std::string& path, const LockFileInfo& inspected) {
  const std::string resolved = ResolvePath(path);
  const int fd = ::open(resolved.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return UnlockResult::kChanged;
  UnlockResult result = UnlockResult::kChanged;
  struct stat st;
  // Held while the file is unlinked, so that nobody takes it over in between.
  if (FlockRetrying(fd, LOCK_EX | LOCK_NB) != 0) {
    result = UnlockResult::kHeld;
  } else if (::fstat(fd, &st) == 0 && SameFile(st, inspected.dev, inspected.ino) &&
             NamesOpenFile(resolved, fd) && ::unlink(resolved.c_str()) == 0) {
    NotePathRemoved(resolved);
    result = UnlockResult::kRemoved;
  }
  ::close(fd);
  return result;
}

bool LockOpenFile(std::FILE* file) {
  if (!file) return false;
  return ::flock(::fileno(file), LOCK_EX | LOCK_NB) == 0;
}

std::FILE* CreateNewFile(const std::string& path, bool* existed) {
  *existed = false;
  const std::string resolved = ResolvePath(path);
  const int fd = ::open(resolved.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) {
    *existed = errno == EEXIST;
    return nullptr;
  }
  NotePathCreated(resolved);
  std::FILE* file = ::fdopen(fd, "w+b");
  if (!file) ::close(fd);
  return file;
}

std::string TempDirectory() {
  const char* env = std::getenv("TMPDIR");
  std::string dir = (env && *env) ? env : "/tmp";
  while (dir.size() > 1 && IsSeparator(dir.back())) dir.pop_back();
  return dir;
}

void SleepMs(int milliseconds) {
  if (milliseconds <= 0) return;
  timespec ts{milliseconds / 1000, static_cast<long>(milliseconds % 1000) * 1000000L};
  while (::nanosleep(&ts, &ts) != 0 && errno == EINTR) {
  }
}

}  // namespace geoproj
