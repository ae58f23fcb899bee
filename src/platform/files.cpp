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

// One look at a path as given.
bool StatAsGiven(const std::string& path, FileStat* out) {
#ifdef STATX_BTIME
  struct statx stx;
  if (::statx(AT_FDCWD, path.c_str(), 0, STATX_BASIC_STATS | STATX_BTIME, &stx) != 0) return false;
  out->regular = S_ISREG(stx.stx_mode);
  out->directory = S_ISDIR(stx.stx_mode);
  out->size = static_cast<long long>(stx.stx_size);
  out->modified = static_cast<std::time_t>(stx.stx_mtime.tv_sec);
  out->created = (stx.stx_mask & STATX_BTIME) ? static_cast<std::time_t>(stx.stx_btime.tv_sec)
                                              : out->modified;
#else
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) return false;
  out->regular = S_ISREG(st.st_mode);
  out->directory = S_ISDIR(st.st_mode);
  out->size = static_cast<long long>(st.st_size);
  out->modified = out->created = st.st_mtime;
#endif
  return true;
}

// path with its last component spelled as on disk.
std::string WithName(const std::string& path, const std::string& dir, const std::string& found) {
  if (dir.empty()) return found;
  return dir == "/" ? "/" + found : dir + path[dir.size()] + found;
}

// The spelling on disk of a path that does not exist as given, or path when there is none.
std::string CaseVariant(const std::string& path) {
  std::string dir, name;
  SplitLast(path, &dir, &name);
  if (name.empty()) return path;
  const std::string found = FindEntryNoCase(dir, name);
  return found.empty() ? path : WithName(path, dir, found);
}

// What a directory index that follows the directory's changes knows of path: then a missing
// file, or the spelling of an existing one, costs no look at the file system.
EntryLookup LookUpPath(const std::string& path, std::string* resolved) {
  std::string dir, name, spelling;
  SplitLast(path, &dir, &name);
  if (name.empty()) return EntryLookup::kUnknown;
  const EntryLookup known = LookUpEntry(dir, name, &spelling);
  if (known == EntryLookup::kFound) *resolved = WithName(path, dir, spelling);
  return known;
}

// A look at the path as given, else at its spelling on disk: one call for a file that exists
// as named, which is the common case of the many checks a save makes, and none for a file the
// index knows to be missing.
bool StatResolved(const std::string& path, FileStat* st) {
  std::string resolved;
  switch (LookUpPath(path, &resolved)) {
    case EntryLookup::kAbsent: return false;
    case EntryLookup::kFound: return StatAsGiven(resolved, st);
    case EntryLookup::kUnknown: break;
  }
  if (StatAsGiven(path, st)) return true;
  if (path.empty()) return false;
  const std::string variant = CaseVariant(path);
  return variant != path && StatAsGiven(variant, st);
}

// open() that does not create, of the path as given, else of its spelling on disk: the
// opening itself tells whether the exact name is there. *resolved is the name opened (or last
// tried); failure is what the last opening returned, errno set.
template <class Opened, class Open>
Opened OpenExactThenVariant(const std::string& path, std::string* resolved, Opened failed,
                            Open open) {
  *resolved = path;
  switch (LookUpPath(path, resolved)) {
    case EntryLookup::kAbsent: errno = ENOENT; return failed;
    case EntryLookup::kFound: return open(*resolved);
    case EntryLookup::kUnknown: break;
  }
  Opened opened = open(path);
  if (opened != failed || errno != ENOENT || path.empty()) return opened;
  const std::string variant = CaseVariant(path);
  if (variant == path) return failed;
  *resolved = variant;
  return open(variant);
}

std::FILE* OpenExisting(const std::string& path, const char* mode) {
  std::string resolved;
  return OpenExactThenVariant<std::FILE*>(path, &resolved, nullptr, [mode](const std::string& p) {
    return std::fopen(p.c_str(), mode);
  });
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

int OpenExistingFd(const std::string& path, int flags, std::string* resolved) {
  return OpenExactThenVariant<int>(path, resolved, -1, [flags](const std::string& p) {
    return ::open(p.c_str(), flags);
  });
}

std::string ResolvePath(const std::string& path) {
  if (path.empty()) return path;
  std::string resolved;
  switch (LookUpPath(path, &resolved)) {
    case EntryLookup::kAbsent: return path;
    case EntryLookup::kFound: return resolved;
    case EntryLookup::kUnknown: break;
  }
  struct stat st;
  if (::stat(path.c_str(), &st) == 0) return path;
  return CaseVariant(path);
}

bool StatFile(const std::string& path, FileStat* st) {
  *st = FileStat{};
  return StatResolved(path, st);
}

bool FileExists(const std::string& path) {
  FileStat st;
  return StatResolved(path, &st) && st.regular;
}

bool DirectoryExists(const std::string& path) {
  FileStat st;
  return StatResolved(path, &st) && st.directory;
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
  if (mode[0] == 'r') return OpenExisting(path, mode);
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
  for (DirectoryEntry& entry : ListDirectoryEntries(dir)) names.push_back(std::move(entry.name));
  return names;
}

std::vector<DirectoryEntry> ListDirectoryEntries(const std::string& dir) {
  std::vector<DirectoryEntry> entries;
  DIR* d = ::opendir(dir.empty() ? "." : ResolvePath(dir).c_str());
  if (!d) return entries;
  while (dirent* e = ::readdir(d)) {
    if (std::strcmp(e->d_name, ".") == 0 || std::strcmp(e->d_name, "..") == 0) continue;
    DirectoryEntry entry{e->d_name, DirectoryEntry::Kind::kOther};
    if (e->d_type == DT_REG) entry.kind = DirectoryEntry::Kind::kRegular;
    if (e->d_type == DT_UNKNOWN || e->d_type == DT_LNK) entry.kind = DirectoryEntry::Kind::kUnknown;
    entries.push_back(std::move(entry));
  }
  ::closedir(d);
  return entries;
}

bool IsRegularEntry(const std::string& dir, const DirectoryEntry& entry) {
  if (entry.kind != DirectoryEntry::Kind::kUnknown) return entry.kind == DirectoryEntry::Kind::kRegular;
  struct stat st;
  return ::stat(JoinPath(dir, entry.name).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

namespace {

bool IsReadOnlyError(int error) { return error == EACCES || error == EROFS || error == EPERM; }

bool SameFile(const struct stat& st, unsigned long long dev, unsigned long long ino) {
  return static_cast<unsigned long long>(st.st_dev) == dev &&
         static_cast<unsigned long long>(st.st_ino) == ino;
}

// Whether path names the file open on fd; *open_st is the open file's.
bool NamesOpenFile(const std::string& path, int fd, struct stat* open_st) {
  struct stat named_st;
  return ::fstat(fd, open_st) == 0 && ::stat(path.c_str(), &named_st) == 0 &&
         SameFile(named_st, open_st->st_dev, open_st->st_ino);
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

namespace {

// Where a new lock file goes: an existing case variant (another program's spelling) is taken
// over, so that its exclusive creation fails as it should. The exclusive creation itself tells
// whether the exact name is there, so it is looked at only when the index holds a variant.
std::string LockPathOnDisk(const std::string& path) {
  std::string dir, name;
  SplitLast(path, &dir, &name);
  if (name.empty()) return path;
  const std::string found = FindEntryNoCase(dir, name);
  if (found.empty() || found == name) return path;
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 ? path : WithName(path, dir, found);
}

}  // namespace

LockResult CreateLockFile(const std::string& path, const std::string& content, LockHandle* held) {
  const std::string resolved = LockPathOnDisk(path);
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
  if (!NamesOpenFile(resolved, fd, &st)) {
    ::close(fd);
    return LockResult::kHeld;
  }
  if (!held) {
    ::close(fd);
    return LockResult::kCreated;
  }
  held->fd = fd;
  held->path = resolved;
  held->dev = static_cast<unsigned long long>(st.st_dev);
  held->ino = static_cast<unsigned long long>(st.st_ino);
  return LockResult::kCreated;
}

void ReleaseLockFile(const std::string& path, LockHandle* held) {
  if (!held->held()) return;
  // The name it was created under; path may spell it otherwise.
  const std::string resolved = held->path.empty() ? ResolvePath(path) : held->path;
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
  } else if (NamesOpenFile(resolved, fd, &st) && SameFile(st, inspected.dev, inspected.ino) &&
             ::unlink(resolved.c_str()) == 0) {
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
