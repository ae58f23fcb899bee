#include <geoproj/platform/files.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>

#include "support/temp_dir.h"

namespace geoproj {
namespace {

using test::TempDir;

TEST(CaseInsensitivePaths, ExistsOpenAndDeleteFindAnyCaseVariant) {
  TempDir dir;
  dir.write("BH1.SND", "x");
  for (const char* name : {"BH1.SND", "bh1.snd", "Bh1.sNd"}) {
    EXPECT_TRUE(FileExists(dir.file(name))) << name;
    EXPECT_EQ(ResolvePath(dir.file(name)), dir.file("BH1.SND")) << name;
  }
  EXPECT_FALSE(FileExists(dir.file("bh1.tlk")));
  EXPECT_EQ(ResolvePath(dir.file("bh1.tlk")), dir.file("bh1.tlk"));
  std::FILE* f = OpenFile(dir.file("bh1.snd"), "rb");
  ASSERT_NE(f, nullptr);
  std::fclose(f);
  EXPECT_TRUE(RemoveFile(dir.file("bH1.snd")));
  EXPECT_FALSE(dir.exists("BH1.SND"));
  EXPECT_FALSE(RemoveFile(dir.file("bh1.snd")));
}

TEST(CaseInsensitivePaths, AnExactMatchWinsOverACaseVariant) {
  TempDir dir;
  dir.write("a.txt", "lower");
  dir.write("A.TXT", "upper");
  EXPECT_EQ(ResolvePath(dir.file("A.TXT")), dir.file("A.TXT"));
  EXPECT_EQ(ResolvePath(dir.file("a.txt")), dir.file("a.txt"));
}

TEST(CaseInsensitivePaths, WritingReplacesTheExistingCaseVariant) {
  TempDir dir;
  dir.write("Bh2.Tlk", "old");
  ASSERT_TRUE(WriteFileBytes(dir.file("BH2.TLK"), "new"));
  auto names = ListDirectory(dir.path());
  EXPECT_EQ(names, std::vector<std::string>{"Bh2.Tlk"});
  std::string bytes;
  ASSERT_TRUE(ReadFileBytes(dir.file("bh2.tlk"), &bytes));
  EXPECT_EQ(bytes, "new");
  EXPECT_TRUE(RenameFile(dir.file("BH2.TLK"), dir.file("BH3.TLK")));
  EXPECT_TRUE(dir.exists("BH3.TLK"));
}

TEST(CaseInsensitivePaths, OnlyTheLastComponentIsResolved) {
  TempDir dir;
  dir.write("f.txt", "x");
  std::string upper_dir = dir.path();
  std::transform(upper_dir.begin(), upper_dir.end(), upper_dir.begin(), ::toupper);
  if (upper_dir != dir.path()) {
    EXPECT_FALSE(FileExists(JoinPath(upper_dir, "f.txt")));
  }
  EXPECT_TRUE(DirectoryExists(dir.path()));
  EXPECT_FALSE(FileExists(dir.path()));
}

TEST(StatFile, TellsKindSizeAndTimesInOneLook) {
  TempDir dir;
  dir.write("F.SND", "12345");
  FileStat st;
  ASSERT_TRUE(StatFile(dir.file("f.snd"), &st));
  EXPECT_TRUE(st.regular);
  EXPECT_FALSE(st.directory);
  EXPECT_EQ(st.size, 5);
  const std::time_t now = std::time(nullptr);
  EXPECT_LE(std::abs(static_cast<long long>(now - st.modified)), 60);
  EXPECT_LE(st.created, st.modified);
  EXPECT_GT(st.created, 0);
  ASSERT_TRUE(StatFile(dir.path(), &st));
  EXPECT_TRUE(st.directory);
  EXPECT_FALSE(st.regular);
  EXPECT_FALSE(StatFile(dir.file("G.SND"), &st));
  EXPECT_FALSE(st.regular);
}

TEST(JoinPath, AddsOneSeparator) {
  EXPECT_EQ(JoinPath("/a", "b"), std::string("/a") + kPathSep + "b");
  EXPECT_EQ(JoinPath("/a/", "b"), "/a/b");
  EXPECT_EQ(JoinPath("", "b"), "b");
}

TEST(LockFile, CreationIsExclusive) {
  TempDir dir;
  const std::string lock = dir.file("Solumbra.dbk");
  EXPECT_EQ(CreateLockFile(lock, "Database busy!"), LockResult::kCreated);
  EXPECT_EQ(dir.read("Solumbra.dbk"), "Database busy!");
  EXPECT_EQ(CreateLockFile(lock, "other"), LockResult::kHeld);
  EXPECT_EQ(CreateLockFile(dir.file("solumbra.DBK"), "other"), LockResult::kHeld);
  EXPECT_EQ(dir.read("Solumbra.dbk"), "Database busy!");
  EXPECT_EQ(CreateLockFile(dir.file("no-such-dir/x.dbk"), "x"), LockResult::kFailed);
}

TEST(LockFile, AnOpenFileLockIsExclusive) {
  TempDir dir;
  dir.write("db", "x");
  std::FILE* a = OpenFile(dir.file("db"), "rb");
  std::FILE* b = OpenFile(dir.file("db"), "rb");
  ASSERT_TRUE(a && b);
  EXPECT_TRUE(LockOpenFile(a));
  EXPECT_FALSE(LockOpenFile(b));
  std::fclose(a);
  EXPECT_TRUE(LockOpenFile(b));
  std::fclose(b);
}

TEST(TempDirectory, HasNoTrailingSeparator) {
  std::string tmp = TempDirectory();
  ASSERT_FALSE(tmp.empty());
  EXPECT_TRUE(tmp == "/" || tmp.back() != '/');
  EXPECT_TRUE(DirectoryExists(tmp));
}

}  // namespace
}  // namespace geoproj
