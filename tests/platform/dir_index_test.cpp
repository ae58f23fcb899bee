#include <geoproj/platform/dir_index.h>

#include <gtest/gtest.h>

#include <unistd.h>

#include <thread>

#include "support/temp_dir.h"

namespace geoproj {
namespace {

using test::TempDir;

TEST(DirectoryIndex, FindsAnEntryInAnyCaseAndPrefersTheExactSpelling) {
  TempDir dir;
  dir.write("BH1.SND", "");
  dir.write("bh2.tlk", "");
  dir.write("Bh2.Tlk", "");
  EXPECT_EQ(FindEntryNoCase(dir.path(), "bh1.snd"), "BH1.SND");
  EXPECT_EQ(FindEntryNoCase(dir.path(), "Bh2.Tlk"), "Bh2.Tlk");
  EXPECT_EQ(FindEntryNoCase(dir.path(), "bh2.tlk"), "bh2.tlk");
  EXPECT_EQ(FindEntryNoCase(dir.path(), "BH3.SND"), "");
}

TEST(DirectoryIndex, KeepsUpWithWhatThisProcessCreatesAndRemoves) {
  TempDir dir;
  dir.write("A.SND", "");
  EXPECT_EQ(FindEntryNoCase(dir.path(), "b.snd"), "");
  dir.write("B.SND", "");
  NoteEntryCreated(dir.path(), "B.SND");
  EXPECT_EQ(FindEntryNoCase(dir.path(), "b.snd"), "B.SND");
  ::unlink(dir.file("A.SND").c_str());
  NoteEntryRemoved(dir.path(), "A.SND");
  EXPECT_EQ(FindEntryNoCase(dir.path(), "a.snd"), "");
}

TEST(DirectoryIndex, SeesAnotherProcesssNewFileOnceTheDirectoryChangedAndASecondPassed) {
  TempDir dir;
  EXPECT_EQ(FindEntryNoCase(dir.path(), "c.snd"), "");
  dir.write("C.SND", "");  // as another process would, without telling the index
  std::this_thread::sleep_for(std::chrono::milliseconds(1100));
  EXPECT_EQ(FindEntryNoCase(dir.path(), "c.snd"), "C.SND");
}

}  // namespace
}  // namespace geoproj
