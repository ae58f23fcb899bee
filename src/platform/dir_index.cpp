#include <geoproj/platform/dir_index.h>

#include <dirent.h>
#include <sys/stat.h>

#ifdef __linux__
#include <fcntl.h>
#include <pthread.h>
#include <sys/inotify.h>
#include <sys/vfs.h>
#include <unistd.h>
#endif

#include <cerrno>
#include <chrono>
#include <cstring>
#include <map>
#include <mutex>
#include <unordered_map>
#include <vector>

#include <geoproj/platform/directory_snapshot.h>

namespace geoproj {
namespace {

// The code page bytes of a name spelled in UTF-8, as Linux tools name files: the Nordic and
// other Latin-1 letters (U+00A0 to U+00FF) are the same byte in the code page. A name that is
// not such UTF-8 is taken as the code page bytes the other programs write.
std::string Cp1252Spelling(const std::string& name) {
  std::string out;
  bool multibyte = false;
  for (std::size_t i = 0; i < name.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(name[i]);
    if (c < 0x80) {
      out += static_cast<char>(c);
      continue;
    }
    const unsigned char next = i + 1 < name.size() ? static_cast<unsigned char>(name[i + 1]) : 0;
    if ((c != 0xC2 && c != 0xC3) || (next & 0xC0) != 0x80) return name;
    const unsigned code = ((c & 0x1Fu) << 6) | (next & 0x3Fu);
    if (code < 0xA0) return name;
    out += static_cast<char>(code);
    multibyte = true;
    ++i;
  }
  return multibyte ? out : name;
}

using Clock = std::chrono::steady_clock;
constexpr auto kRereadInterval = std::chrono::seconds(1);

struct Index {
  std::unordered_map<std::string, std::vector<std::string>> names;  // by EntryKey
  timespec mtime{};
  Clock::time_point read_at{};
  Clock::time_point checked_at{};  // when the directory's time was last compared
  bool read = false;
  int watch = -1;  // the kernel's watch of the directory; -1 when its changes are not followed
};

timespec DirectoryTime(const std::string& dir) {
  struct stat st;
  if (::stat(dir.empty() ? "." : dir.c_str(), &st) != 0) return {};
  return st.st_mtim;
}

bool SameTime(const timespec& a, const timespec& b) {
  return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

void Add(Index& index, const std::string& name) {
  std::vector<std::string>& spellings = index.names[EntryKey(name)];
  for (const std::string& s : spellings)
    if (s == name) return;
  spellings.push_back(name);
}

void Remove(Index& index, const std::string& name) {
  auto found = index.names.find(EntryKey(name));
  if (found == index.names.end()) return;
  std::erase(found->second, name);
  if (found->second.empty()) index.names.erase(found);
}

// The indexes of the directories used so far. Objects of the library belong to one thread,
// but the restore runs on a worker beside the host's thread.
std::mutex& IndexMutex() {
  static std::mutex mutex;
  return mutex;
}

std::map<std::string, Index>& Indexes() {
  static std::map<std::string, Index> indexes;
  return indexes;
}

#ifdef __linux__

// The kernel reports every change of a watched directory as it is made, but only the changes
// made through this machine: on a network share another machine's new file goes unreported, so
// only local file systems are followed.
bool IsLocalFileSystem(const std::string& dir) {
  struct statfs fs;
  if (::statfs(dir.empty() ? "." : dir.c_str(), &fs) != 0) return false;
  switch (static_cast<unsigned long>(fs.f_type)) {
    case 0xEF53UL:      // ext2, ext3, ext4
    case 0x58465342UL:  // xfs
    case 0x9123683EUL:  // btrfs
    case 0x01021994UL:  // tmpfs
    case 0x858458F6UL:  // ramfs
    case 0xF2F52010UL:  // f2fs
    case 0x2FC12FC1UL:  // zfs
    case 0xCA451A4EUL:  // bcachefs
      return true;
    default:
      return false;
  }
}

// One queue of change reports for every watched directory of the process; -1 when there is
// none (not made yet, or the kernel refused one).
int g_notify = -1;
bool g_notifyTried = false;
bool g_follow = false;

// A child made by fork shares the queue with its parent: whatever one of them takes from it
// the other would never see. The child starts over without it.
void LockBeforeFork() { IndexMutex().lock(); }
void UnlockAfterFork() { IndexMutex().unlock(); }

void ForgetWatchesInChild() {
  IndexMutex().unlock();
  if (g_notify >= 0) ::close(g_notify);
  g_notify = -1;
  g_notifyTried = false;
  for (auto& [dir, index] : Indexes()) {
    index.watch = -1;
    index.read = false;
  }
}

int NotifyQueue() {
  if (!g_notifyTried) {
    g_notifyTried = true;
    g_notify = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    static const bool registered = (::pthread_atfork(LockBeforeFork, UnlockAfterFork, ForgetWatchesInChild), true);
    (void)registered;
  }
  return g_notify;
}

constexpr std::uint32_t kWatchedChanges = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO |
                                          IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR;
// The directory is gone, moved, or no longer watched: what its path names must be read anew.
constexpr std::uint32_t kWatchLost = IN_DELETE_SELF | IN_MOVE_SELF | IN_IGNORED | IN_UNMOUNT;

// Starts following the changes of dir, before it is read, so that nothing made in between is
// missed (a change the reading saw already is applied once more, to the same effect).
void Watch(Index& index, const std::string& dir) {
  if (!g_follow || index.watch >= 0 || !IsLocalFileSystem(dir)) return;
  const int queue = NotifyQueue();
  if (queue < 0) return;
  index.watch = ::inotify_add_watch(queue, dir.empty() ? "." : dir.c_str(), kWatchedChanges);
}

void Apply(const inotify_event& event) {
  for (auto& [dir, index] : Indexes()) {
    if (event.mask & IN_Q_OVERFLOW) {
      index.read = false;  // changes were lost: read every watched directory anew
      continue;
    }
    if (index.watch != event.wd) continue;
    if (event.mask & kWatchLost) {
      index.watch = -1;
      index.read = false;
    } else if (event.len > 0 && (event.mask & (IN_CREATE | IN_MOVED_TO))) {
      Add(index, event.name);
    } else if (event.len > 0 && (event.mask & (IN_DELETE | IN_MOVED_FROM))) {
      Remove(index, event.name);
    }
  }
}

// Takes in the changes reported since the last time, in the order they were made.
void TakeChanges() {
  if (g_notify < 0) return;
  alignas(inotify_event) char buffer[16384];
  for (;;) {
    const ssize_t n = ::read(g_notify, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;
    for (ssize_t at = 0; at < n;) {
      const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
      Apply(*event);
      at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
    }
  }
}

void SetFollow(bool follow) { g_follow = follow; }

#else

void Watch(Index&, const std::string&) {}
void TakeChanges() {}
void SetFollow(bool) {}

#endif

// Changes are taken in once per snapshot and at every lookup outside one.
void TakeChangesUnlessSettled() {
  if (DirectorySnapshot::ChangesTaken()) return;
  TakeChanges();
  DirectorySnapshot::NoteChangesTaken();
}

void Read(Index& index, const std::string& dir) {
  Watch(index, dir);
  index.names.clear();
  index.mtime = DirectoryTime(dir);
  index.read_at = index.checked_at = Clock::now();
  index.read = true;
  DIR* d = ::opendir(dir.empty() ? "." : dir.c_str());
  if (!d) return;
  while (dirent* e = ::readdir(d))
    if (std::strcmp(e->d_name, ".") != 0 && std::strcmp(e->d_name, "..") != 0) Add(index, e->d_name);
  ::closedir(d);
}

// An unwatched directory is looked at no more than once a second: a miss within that second is
// answered from what was read.
bool Stale(Index& index, const std::string& dir) {
  if (index.watch >= 0) return false;
  const Clock::time_point now = Clock::now();
  if (now - index.checked_at < kRereadInterval) return false;
  index.checked_at = now;
  return !SameTime(index.mtime, DirectoryTime(dir));
}

// The index of dir, read and up to date as far as it can be, under the lock.
Index& CurrentIndex(const std::string& dir) {
  TakeChangesUnlessSettled();
  Index& index = Indexes()[dir];
  if (!index.read) Read(index, dir);
  return index;
}

// The spelling of name in the index (the exact one first); null when none.
const std::string* Spelling(const Index& index, const std::string& name) {
  auto found = index.names.find(EntryKey(name));
  if (found == index.names.end() || found->second.empty()) return nullptr;
  for (const std::string& spelling : found->second)
    if (spelling == name) return &spelling;
  return &found->second.front();
}

// The directory and the last component of a path, split as the path resolution splits it.
void SplitDirEntry(const std::string& path, std::string* dir, std::string* name) {
  const std::size_t cut = path.find_last_of("/\\");
  if (cut == std::string::npos) {
    dir->clear();
    *name = path;
  } else {
    *dir = path.substr(0, cut == 0 ? 1 : cut);
    *name = path.substr(cut + 1);
  }
}

}  // namespace

void FollowDirectoryChanges(bool follow) {
  std::lock_guard<std::mutex> lock(IndexMutex());
  SetFollow(follow);
}

void NotePathCreated(const std::string& path) {
  std::string dir, name;
  SplitDirEntry(path, &dir, &name);
  NoteEntryCreated(dir, name);
}

void NotePathRemoved(const std::string& path) {
  std::string dir, name;
  SplitDirEntry(path, &dir, &name);
  NoteEntryRemoved(dir, name);
}

std::string EntryKey(const std::string& name) {
  std::string key = Cp1252Spelling(name);
  for (char& c : key)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return key;
}

std::string FindEntryNoCase(const std::string& dir, const std::string& name) {
  std::lock_guard<std::mutex> lock(IndexMutex());
  Index& index = CurrentIndex(dir);
  const std::string* spelling = Spelling(index, name);
  if (!spelling && Stale(index, dir)) {
    Read(index, dir);
    spelling = Spelling(index, name);
  }
  return spelling ? *spelling : std::string();
}

EntryLookup LookUpEntry(const std::string& dir, const std::string& name, std::string* spelling) {
  std::lock_guard<std::mutex> lock(IndexMutex());
  // A directory nobody asked a missing name of is not read for a name that exists as given.
  auto known = Indexes().find(dir);
  if (known == Indexes().end() || known->second.watch < 0) return EntryLookup::kUnknown;
  Index& index = CurrentIndex(dir);
  if (index.watch < 0) return EntryLookup::kUnknown;
  const std::string* found = Spelling(index, name);
  if (!found) return EntryLookup::kAbsent;
  *spelling = *found;
  return EntryLookup::kFound;
}

void NoteEntryCreated(const std::string& dir, const std::string& name) {
  std::lock_guard<std::mutex> lock(IndexMutex());
  auto it = Indexes().find(dir);
  if (it != Indexes().end() && it->second.read) Add(it->second, name);
}

void NoteEntryRemoved(const std::string& dir, const std::string& name) {
  std::lock_guard<std::mutex> lock(IndexMutex());
  auto it = Indexes().find(dir);
  if (it != Indexes().end()) Remove(it->second, name);
}

}  // namespace geoproj
