#include <geoproj/platform/directory_snapshot.h>

namespace geoproj {
namespace {

thread_local int t_depth = 0;
thread_local bool t_taken = false;

}  // namespace

DirectorySnapshot::DirectorySnapshot() {
  if (t_depth++ == 0) t_taken = false;
}

DirectorySnapshot::~DirectorySnapshot() { --t_depth; }

bool DirectorySnapshot::ChangesTaken() { return t_depth > 0 && t_taken; }

void DirectorySnapshot::NoteChangesTaken() {
  if (t_depth > 0) t_taken = true;
}

}  // namespace geoproj
