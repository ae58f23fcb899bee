// A reader of several files of one directory (a borehole's seven files) checks once for the
// changes other processes made to the directories it looks in, not once per file.
#pragma once

namespace geoproj {

// While one is alive on this thread, the directories whose changes are followed (see
// dir_index.h) are looked at as they stood when the first name was looked up in its lifetime,
// together with everything this process created or removed since. Snapshots nest.
class DirectorySnapshot {
 public:
  DirectorySnapshot();
  ~DirectorySnapshot();
  DirectorySnapshot(const DirectorySnapshot&) = delete;
  DirectorySnapshot& operator=(const DirectorySnapshot&) = delete;

  // For the directory index: whether this thread's snapshot has taken in the changes already,
  // and that it just did (outside a snapshot both do nothing: every lookup takes them in).
  static bool ChangesTaken();
  static void NoteChangesTaken();
};

}  // namespace geoproj
