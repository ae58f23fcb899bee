#include <geoproj/platform/files.h>

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
  std::string dir, name;
  SplitLast(path, &dir, &name);
  if (name.empty()) return path;
  DIR* d = ::opendir(dir.empty() ? "." : dir.c_str());
  if (!d) return path;
  std::string found;
  while (dirent* e = ::readdir(d)) {
    if (EqualsNoCase(e->d_name, name)) {
      found = e->d_name;
      break;
    }
  }
  ::closedir(d);
  if (found.empty()) return path;
  if (dir.empty()) return found;
  return dir == "/" ? "/" + found : dir + path[dir.size()] + found;
}

bool FileExists(const std::string& path) {
  struct stat st;
  return ::stat(ResolvePath(path).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool DirectoryExists(const std::string& path) {
  struct stat st;
  return ::stat(ResolvePath(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool RemoveFile(const std::string& path) {
  std::string resolved = ResolvePath(path);
  if (!FileExists(resolved)) return false;
  return ::unlink(resolved.c_str()) == 0;
}

bool RenameFile(const std::string& from, const std::string& to) {
  return std::rename(ResolvePath(from).c_str(), ResolvePath(to).c_str()) == 0;
}

std::FILE* OpenFile(const std::string& path, const char* mode) {
  return std::fopen(ResolvePath(path).c_str(), mode);
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

LockResult CreateLockFile(const std::string& path, const std::string& content) {
  const std::string resolved = ResolvePath(path);
  int fd = ::open(resolved.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) return errno == EEXIST ? LockResult::kHeld : LockResult::kFailed;
  const char* p = content.data();
  size_t left = content.size();
  while (left > 0) {
    ssize_t n = ::write(fd, p, left);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    p += n;
    left -= static_cast<size_t>(n);
  }
  ::close(fd);
  return LockResult::kCreated;
}

bool LockOpenFile(std::FILE* file) {
  if (!file) return false;
  return ::flock(::fileno(file), LOCK_EX | LOCK_NB) == 0;
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
