// CDirSort: the sorted listing of the files of one directory that match a name pattern.
#pragma once

#include <cstdint>
#include <string>

#include <geoproj/foundation/list0.h>

// One listed file.
struct dirsorttype {
  char name[260];      // the file name without directory, cut to fit
  char key[260];       // the name upper-cased as identifiers are; the sort key
  std::int64_t size;   // the file's size in bytes
};

class CDirSort : public list0<dirsorttype> {
 public:
  CDirSort() = default;
  ~CDirSort() override = default;

  // Lists the regular files matching pattern, a directory, a separator ("/" or "\") and a
  // name pattern such as "BH1.*", "*.*" or "*". Only the name pattern holds wildcards: "*" for
  // any run of characters, "?" for one; letters match without regard to case. As with the
  // desktop platform's listing, "*.*" matches every name and a final ".*" also matches the
  // name without any extension. The names replace the list's content, sorted by their
  // upper-cased bytes (case variants of one name keep their order by raw bytes); the first is
  // current. Returns the number listed, -1 when the directory cannot be read. flags is
  // reserved; pass 0.
  int Init(const char* pattern, int flags = 0);

  // The directory of the last Init's pattern ("." when it had none), to join with names.
  const std::string& Dir() const { return m_dir; }

  // Whether name matches a name pattern under the rules above.
  static bool Matches(const char* pattern, const char* name);

 protected:
  int Sortval(int key) override;

 private:
  void Clear();

  std::string m_dir;
};
