#include <geoproj/platform/dir_index.h>

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <thread>

#include <geoproj/platform/directory_snapshot.h>
#include <geoproj/platform/files.h>

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

// Has the directories the test reads followed for their changes, for its lifetime.
class Following {
 public:
  explicit Following(bool follow = true) { FollowDirectoryChanges(follow); }
  ~Following() { FollowDirectoryChanges(false); }
};

class DirectoryIndexFollowing : public ::testing::TestWithParam<bool> {};

// Files made and removed without telling the index, as another process makes them: asked of
// the file system, or followed.
TEST_P(DirectoryIndexFollowing, AFileAnotherProcessCreatesOrRemovesIsSeenAtOnce) {
  const Following following(GetParam());
  TempDir dir;
  dir.write("A.SND", "");
  EXPECT_FALSE(FileExists(dir.file("A.TLK")));  // the index is read for the missing file
  dir.write("A.TLK", "");
  EXPECT_TRUE(FileExists(dir.file("A.TLK")));
  // Unfollowed, another spelling is found once the index is read anew (see below).
  if (GetParam()) {
    EXPECT_EQ(ResolvePath(dir.file("a.tlk")), dir.file("A.TLK"));
  }
  ASSERT_EQ(::unlink(dir.file("A.TLK").c_str()), 0);
  EXPECT_FALSE(FileExists(dir.file("A.TLK")));
  EXPECT_FALSE(FileExists(dir.file("a.tlk")));
  EXPECT_EQ(ResolvePath(dir.file("a.tlk")), dir.file("a.tlk"));
}

INSTANTIATE_TEST_SUITE_P(AskedOrFollowed, DirectoryIndexFollowing, ::testing::Bool());

TEST(DirectoryIndex, AnUnfollowedDirectoryLeavesAbsenceToTheFileSystem) {
  TempDir dir;
  EXPECT_FALSE(FileExists(dir.file("H.SND")));
  std::string spelling;
  EXPECT_EQ(LookUpEntry(dir.path(), "H.SND", &spelling), EntryLookup::kUnknown);
}

// Where the index follows the directory's changes, a name it does not hold is absent, and a
// case variant another process made is found without waiting for a re-read.
TEST(DirectoryIndex, AFollowedDirectoryTellsAbsentNamesAndNewVariants) {
  const Following following;
  TempDir dir;
  dir.write("B.SND", "");
  EXPECT_FALSE(FileExists(dir.file("B.PRV")));
  std::string spelling;
  if (LookUpEntry(dir.path(), "B.PRV", &spelling) == EntryLookup::kUnknown)
    GTEST_SKIP() << "the file system of " << dir.path() << " does not report its changes";
  EXPECT_EQ(LookUpEntry(dir.path(), "B.PRV", &spelling), EntryLookup::kAbsent);
  dir.write("b.prv", "");
  ASSERT_EQ(LookUpEntry(dir.path(), "B.PRV", &spelling), EntryLookup::kFound);
  EXPECT_EQ(spelling, "b.prv");
  EXPECT_TRUE(FileExists(dir.file("B.PRV")));
  EXPECT_TRUE(FileExists(dir.file("b.PRV")));
  // Renamed away and back under another case.
  ASSERT_EQ(std::rename(dir.file("b.prv").c_str(), dir.file("c.prv").c_str()), 0);
  EXPECT_FALSE(FileExists(dir.file("B.PRV")));
  EXPECT_EQ(FindEntryNoCase(dir.path(), "C.PRV"), "c.prv");
}

TEST(DirectoryIndex, ASnapshotTakesInOtherProcessesChangesOnceButSeesItsOwn) {
  const Following following;
  TempDir dir;
  dir.write("D.SND", "");
  EXPECT_FALSE(FileExists(dir.file("D.TLK")));
  std::string spelling;
  if (LookUpEntry(dir.path(), "D.TLK", &spelling) == EntryLookup::kUnknown)
    GTEST_SKIP() << "the file system of " << dir.path() << " does not report its changes";
  {
    const DirectorySnapshot snapshot;
    EXPECT_FALSE(FileExists(dir.file("D.TLK")));
    dir.write("D.TLK", "");  // behind the snapshot's back
    EXPECT_FALSE(FileExists(dir.file("D.TLK")));
    std::FILE* own = OpenFile(dir.file("D.MIL"), "wb");
    ASSERT_NE(own, nullptr);
    std::fclose(own);
    EXPECT_TRUE(FileExists(dir.file("d.mil")));
  }
  EXPECT_TRUE(FileExists(dir.file("D.TLK")));
}

// A child made by fork must not take the parent's change reports away from it.
TEST(DirectoryIndex, AForkedChildLeavesTheParentsViewWhole) {
  const Following following;
  TempDir dir;
  EXPECT_FALSE(FileExists(dir.file("E.SND")));
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    std::FILE* f = OpenFile(dir.file("E.SND"), "wb");
    const bool seen = f && std::fclose(f) == 0 && FileExists(dir.file("e.snd"));
    ::_exit(seen ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_TRUE(FileExists(dir.file("e.snd")));
}

}  // namespace
}  // namespace geoproj
