#include <geoproj/platform/dir_index.h>

#include <dirent.h>
#include <sys/stat.h>

#include <chrono>
#include <cstring>
#include <map>
#include <mutex>
#include <unordered_map>
#include <vector>

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
  bool read = false;
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

void Read(Index& index, const std::string& dir) {
  index.names.clear();
  index.mtime = DirectoryTime(dir);
  index.read_at = Clock::now();
  index.read = true;
  DIR* d = ::opendir(dir.empty() ? "." : dir.c_str());
  if (!d) return;
  while (dirent* e = ::readdir(d))
    if (std::strcmp(e->d_name, ".") != 0 && std::strcmp(e->d_name, "..") != 0) Add(index, e->d_name);
  ::closedir(d);
}

bool Stale(const Index& index, const std::string& dir) {
  return Clock::now() - index.read_at >= kRereadInterval && !SameTime(index.mtime, DirectoryTime(dir));
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

}  // namespace

namespace {

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
  Index& index = Indexes()[dir];
  if (!index.read) Read(index, dir);
  auto found = index.names.find(EntryKey(name));
  if (found == index.names.end() && Stale(index, dir)) {
    Read(index, dir);
    found = index.names.find(EntryKey(name));
  }
  if (found == index.names.end() || found->second.empty()) return std::string();
  for (const std::string& spelling : found->second)
    if (spelling == name) return spelling;
  return found->second.front();
}

void NoteEntryCreated(const std::string& dir, const std::string& name) {
  std::lock_guard<std::mutex> lock(IndexMutex());
  auto it = Indexes().find(dir);
  if (it != Indexes().end() && it->second.read) Add(it->second, name);
}

void NoteEntryRemoved(const std::string& dir, const std::string& name) {
  std::lock_guard<std::mutex> lock(IndexMutex());
  auto it = Indexes().find(dir);
  if (it == Indexes().end()) return;
  auto found = it->second.names.find(EntryKey(name));
  if (found == it->second.names.end()) return;
  std::erase(found->second, name);
  if (found->second.empty()) it->second.names.erase(found);
}

}  // namespace geoproj
