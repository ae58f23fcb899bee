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

TEST(DirectoryIndex, MatchesTheCodePageAndTheUtf8SpellingOfAName) {
  TempDir dir;
  dir.write("\xC3\x98" "2.SND", "");  // UTF-8, as Linux tools name files
  dir.write("\xC5" "3.SND", "");      // code page bytes, as the other programs write
  EXPECT_EQ(FindEntryNoCase(dir.path(), "\xD8" "2.snd"), "\xC3\x98" "2.SND");
  EXPECT_EQ(FindEntryNoCase(dir.path(), "\xC3\x85" "3.SND"), "\xC5" "3.SND");
  EXPECT_EQ(EntryKey("\xC3\x98" "x"), EntryKey("\xD8" "X"));
  // Bytes that are not UTF-8 stay what they are.
  EXPECT_EQ(EntryKey("\xC3" "x"), "\xC3" "X");
  EXPECT_EQ(FindEntryNoCase(dir.path(), "\xC5" "2.SND"), "");
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
