#include <geoproj/platform/safe_file.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <bit>
#include <cerrno>
#include <cstdint>
#include <cstring>

#include <geoproj/platform/dir_index.h>
#include <geoproj/platform/files.h>

namespace geoproj {
namespace {

const char kJournalSuffix[] = ".geoproj-rewrite";

// The journal ends in a trailer that proves it complete: a journal cut by a kill has none, or
// one that does not match its content. The trailer names how its checksum was taken: journals
// of the first form, left by a writer killed before this one was installed, are still
// completed.
constexpr char kTrailerMagic[8] = {'G', 'P', 'R', 'W', 'J', 'N', 'L', '2'};
constexpr char kTrailerMagicBytewise[8] = {'G', 'P', 'R', 'W', 'J', 'N', 'L', '1'};
constexpr std::size_t kTrailerSize = 24;

std::uint64_t BytewiseChecksum(const char* bytes, std::size_t n) {
  std::uint64_t h = 14695981039346656037ULL;  // FNV-1a
  for (std::size_t i = 0; i < n; ++i) {
    h ^= static_cast<unsigned char>(bytes[i]);
    h *= 1099511628211ULL;
  }
  return h;
}

std::uint64_t GetLe64(const char* in) {
  std::uint64_t v = 0;
  for (int i = 7; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(in[i]);
  return v;
}

// Eight bytes (little-endian) a step: every save writes its whole file through a journal, and
// the byte-wise checksum cost as much as formatting a tenth of the records. Each word is mixed
// in by a multiplication and a shift, so a changed, missing or moved byte changes the sum.
std::uint64_t Checksum(const char* bytes, std::size_t n) {
  std::uint64_t h = 14695981039346656037ULL ^ n;
  std::size_t i = 0;
  for (; i + 8 <= n; i += 8) {
    std::uint64_t word;
    std::memcpy(&word, bytes + i, 8);
    if constexpr (std::endian::native == std::endian::big) word = __builtin_bswap64(word);
    h = (h ^ word) * 0x9E3779B97F4A7C15ULL;
    h ^= h >> 29;
  }
  return BytewiseChecksum(bytes + i, n - i) ^ h;
}

void PutLe64(char* out, std::uint64_t v) {
  for (int i = 0; i < 8; ++i) out[i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

}  // namespace

std::string RewriteJournalTrailer(const std::string& bytes) {
  char trailer[kTrailerSize];
  std::memcpy(trailer, kTrailerMagic, 8);
  PutLe64(trailer + 8, bytes.size());
  PutLe64(trailer + 16, Checksum(bytes.data(), bytes.size()));
  return std::string(trailer, kTrailerSize);
}

std::string RewriteJournalBytes(const std::string& bytes) {
  return bytes + RewriteJournalTrailer(bytes);
}

namespace {

// The content a complete journal holds; false for a journal cut short or damaged.
bool JournalContent(std::string journal, std::string* content) {
  if (journal.size() < kTrailerSize) return false;
  const char* trailer = journal.data() + journal.size() - kTrailerSize;
  const std::size_t size = journal.size() - kTrailerSize;
  if (GetLe64(trailer + 8) != size) return false;
  const std::uint64_t sum = GetLe64(trailer + 16);
  const bool whole =
      std::memcmp(trailer, kTrailerMagic, 8) == 0
          ? sum == Checksum(journal.data(), size)
          : std::memcmp(trailer, kTrailerMagicBytewise, 8) == 0 &&
                sum == BytewiseChecksum(journal.data(), size);
  if (!whole) return false;
  journal.resize(size);
  *content = std::move(journal);
  return true;
}

// Reads the file from its start to its end, handing each piece to take(bytes, n, offset);
// false on a read error, or as soon as take answers false.
template <class Take>
bool ReadChunks(int fd, Take take) {
  char chunk[65536];
  std::size_t at = 0;
  for (;;) {
    const ssize_t n = ::pread(fd, chunk, sizeof chunk, static_cast<off_t>(at));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) return true;
    if (!take(chunk, static_cast<std::size_t>(n), at)) return false;
    at += static_cast<std::size_t>(n);
  }
}

bool ReadAllFd(int fd, std::string* bytes) {
  bytes->clear();
  struct stat st;
  if (::fstat(fd, &st) == 0 && st.st_size > 0) bytes->reserve(static_cast<std::size_t>(st.st_size));
  return ReadChunks(fd, [bytes](const char* piece, std::size_t n, std::size_t) {
    bytes->append(piece, n);
    return true;
  });
}

// Writes bytes at offset at (the start unless told).
bool WriteAllFd(int fd, const std::string& bytes, std::size_t at = 0) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n =
        ::pwrite(fd, bytes.data() + done, bytes.size() - done, static_cast<off_t>(at + done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

bool ReadPath(const std::string& path, std::string* bytes) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool ok = ReadAllFd(fd, bytes);
  ::close(fd);
  return ok;
}

void LockFd(int fd, int how) {
  while (::flock(fd, how) != 0 && errno == EINTR) {
  }
}

bool JournalExists(const std::string& journal) {
  struct stat st;
  return ::lstat(journal.c_str(), &st) == 0;
}

// Whether the file already holds exactly these bytes. A save mostly writes back what it read;
// such a rewrite needs neither a journal nor a write, only the new last-write time.
bool HoldsAlready(int fd, const std::string& bytes) {
  struct stat st;
  if (::fstat(fd, &st) != 0 || static_cast<std::size_t>(st.st_size) != bytes.size()) return false;
  std::size_t held = 0;
  return ReadChunks(fd,
                    [&](const char* piece, std::size_t n, std::size_t at) {
                      held = at + n;
                      return n <= bytes.size() - at &&
                             std::memcmp(piece, bytes.data() + at, n) == 0;
                    }) &&
         held == bytes.size();
}

// The file content in place: the bytes from the start, cut where they end.
bool PutInPlace(int fd, const std::string& bytes) {
  return WriteAllFd(fd, bytes) && ::ftruncate(fd, static_cast<off_t>(bytes.size())) == 0;
}

// With the exclusive lock held on fd: a journal still there was left by a writer that died.
// A complete one is put in place, one cut short is discarded. True when a journal is still
// there: its content could not be put in place.
bool CompleteLeftRewrite(int fd, const std::string& resolved) {
  const std::string journal = RewriteJournalPath(resolved);
  if (!JournalExists(journal)) return false;
  std::string raw, content;
  if (ReadPath(journal, &raw) && JournalContent(std::move(raw), &content) &&
      !PutInPlace(fd, content))
    return true;  // keep the journal for an access that can write
  ::unlink(journal.c_str());
  return false;
}

// A reader that cannot write the file (read-only medium or permissions) still sees the newest
// complete content: the journal's when one is left.
bool ReadThroughJournal(const std::string& resolved, std::string* bytes) {
  std::string raw;
  if (ReadPath(RewriteJournalPath(resolved), &raw) && JournalContent(std::move(raw), bytes))
    return true;
  return ReadPath(resolved, bytes);
}

}  // namespace

std::string RewriteJournalPath(const std::string& path) {
  const std::size_t cut = path.find_last_of("/\\");
  if (cut == std::string::npos) return "." + path + kJournalSuffix;
  return path.substr(0, cut + 1) + "." + path.substr(cut + 1) + kJournalSuffix;
}

bool IsRewriteJournalName(const std::string& name) {
  const std::size_t n = sizeof kJournalSuffix - 1;
  return name.size() > n + 1 && name[0] == '.' && name.compare(name.size() - n, n, kJournalSuffix) == 0;
}

bool ReadWholeFile(const std::string& path, std::string* bytes) {
  std::string resolved;
  const int fd = OpenExistingFd(path, O_RDONLY | O_CLOEXEC, &resolved);
  if (fd < 0) return false;
  LockFd(fd, LOCK_SH);
  if (!JournalExists(RewriteJournalPath(resolved))) {
    const bool ok = ReadAllFd(fd, bytes);
    ::close(fd);
    return ok;
  }
  // A rewrite is under way or was left by a killed writer: wait for the writer, or finish its
  // work, under the exclusive lock of a descriptor that may write.
  ::close(fd);
  const int rw = ::open(resolved.c_str(), O_RDWR | O_CLOEXEC);
  if (rw < 0) return ReadThroughJournal(resolved, bytes);
  LockFd(rw, LOCK_EX);
  // A journal that could not be put in place (a full disk) holds the newest content.
  const bool ok = CompleteLeftRewrite(rw, resolved) ? ReadThroughJournal(resolved, bytes)
                                                    : ReadAllFd(rw, bytes);
  ::close(rw);
  return ok;
}

SafeRewrite::~SafeRewrite() { Close(); }

bool SafeRewrite::Open(const std::string& path) {
  Close();
  fd_ = OpenExistingFd(path, O_RDWR | O_CLOEXEC, &path_);
  if (fd_ < 0 && errno == ENOENT) {
    path_ = path;  // in no spelling on disk: created as named
    fd_ = ::open(path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
  }
  if (fd_ < 0) return false;
  NotePathCreated(path_);
  return true;
}

void SafeRewrite::Commit(const std::string& bytes) {
  if (fd_ < 0) throw FileError("Write to a file that is not open: " + path_);
  LockFd(fd_, LOCK_EX);
  const bool journalLeft = CompleteLeftRewrite(fd_, path_);
  // Same content: the file is stamped as written, as a rewrite of the same bytes would leave it.
  // Not while an older journal waits: it would be put in place over these bytes.
  if (!journalLeft && HoldsAlready(fd_, bytes) && ::futimens(fd_, nullptr) == 0) {
    Close();
    return;
  }
  const std::string journal = RewriteJournalPath(path_);
  const int jfd = ::open(journal.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  // The content, then the trailer behind it: the content is not copied to append the trailer.
  const bool journaled = jfd >= 0 && WriteAllFd(jfd, bytes) &&
                        WriteAllFd(jfd, RewriteJournalTrailer(bytes), bytes.size());
  if (jfd >= 0) ::close(jfd);
  if (!journaled) {
    ::unlink(journal.c_str());
    Close();
    throw FileError("Write failed (no room for the new content beside it): " + path_);
  }
  if (!PutInPlace(fd_, bytes)) {
    // The complete content waits in the journal for the next access.
    Close();
    throw FileError("Write failed: " + path_);
  }
  ::unlink(journal.c_str());
  Close();
}

void SafeRewrite::Close() {
  if (fd_ < 0) return;
  ::close(fd_);  // gives the lock back
  fd_ = -1;
}

void RewriteFile(const std::string& path, const std::string& bytes) {
  SafeRewrite rewrite;
  if (!rewrite.Open(path)) throw FileError("Cannot open " + path + ": " + std::strerror(errno));
  rewrite.Commit(bytes);
}

}  // namespace geoproj
