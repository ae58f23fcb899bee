#include <geoproj/platform/safe_file.h>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>

#include <geoproj/foundation/stdio_file_mem.h>
#include <geoproj/platform/files.h>

#include "support/temp_dir.h"

namespace geoproj {
namespace {

using test::TempDir;

ino_t InodeOf(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 ? st.st_ino : 0;
}

std::string Read(const std::string& path) {
  std::string bytes;
  EXPECT_TRUE(ReadWholeFile(path, &bytes)) << path;
  return bytes;
}

// Two contents of different lengths, so that a cut or a stale tail shows.
const std::string kLong(20000, 'L');
const std::string kShort = "short\r\n";

TEST(SafeRewrite, ReplacesTheContentInPlaceAndLeavesNothingBeside) {
  TempDir dir;
  const std::string path = dir.write("BH1.SND", kLong);
  const ino_t inode = InodeOf(path);
  RewriteFile(dir.file("bh1.snd"), kShort);
  EXPECT_EQ(dir.read("BH1.SND"), kShort);
  // The same file, not a new one put in its place: it keeps its creation time.
  EXPECT_EQ(InodeOf(path), inode);
  EXPECT_EQ(ListDirectory(dir.path()), std::vector<std::string>{"BH1.SND"});
  RewriteFile(dir.file("NEW.TLK"), "x");
  EXPECT_EQ(dir.read("NEW.TLK"), "x");
}

TEST(SafeRewrite, TheSameContentIsStampedAsWrittenAndAnyOtherWritten) {
  TempDir dir;
  const std::string path = dir.write("BH1.SND", kLong);
  const auto stampedLongAgo = [&] {
    const struct timespec times[2] = {{946684800, 0}, {946684800, 0}};  // 2000-01-01
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
  };
  const auto lastWrite = [&] {
    struct stat st;
    EXPECT_EQ(::stat(path.c_str(), &st), 0);
    return st.st_mtime;
  };
  stampedLongAgo();
  RewriteFile(path, kLong);
  EXPECT_EQ(dir.read("BH1.SND"), kLong);
  EXPECT_GT(lastWrite(), 946684800) << "a save of unchanged content still dates the file";
  // The same size with other bytes, and a leftover journal with other content: both written.
  std::string sameSize = kLong;
  sameSize[12345] = 'M';
  stampedLongAgo();
  RewriteFile(path, sameSize);
  EXPECT_EQ(dir.read("BH1.SND"), sameSize);
  EXPECT_GT(lastWrite(), 946684800);
  dir.write(".BH1.SND.geoproj-rewrite", RewriteJournalBytes(kShort));
  RewriteFile(path, sameSize);
  EXPECT_EQ(dir.read("BH1.SND"), sameSize);
  EXPECT_EQ(ListDirectory(dir.path()), std::vector<std::string>{"BH1.SND"});
}

// A journal as the first form of the trailer closed it: magic "GPRWJNL1", the size and a
// byte-wise FNV-1a sum, each little-endian.
std::string BytewiseJournal(const std::string& content, std::uint64_t sum_offset = 0) {
  std::uint64_t h = 14695981039346656037ULL;
  for (unsigned char c : content) h = (h ^ c) * 1099511628211ULL;
  std::string out = content + "GPRWJNL1";
  for (std::uint64_t v : {static_cast<std::uint64_t>(content.size()), h + sum_offset})
    for (int i = 0; i < 8; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
  return out;
}

TEST(SafeRewrite, AJournalLeftByAKilledWriterIsCompletedOrDiscarded) {
  struct Case {
    const char* name;
    std::string journal;
    std::string expected;
  };
  const std::string complete = RewriteJournalBytes(kShort);
  // Two words of the content swapped: the same bytes, elsewhere.
  std::string moved = RewriteJournalBytes("first8b_second8b");
  std::swap_ranges(moved.begin(), moved.begin() + 8, moved.begin() + 8);
  std::string firstFormMagic = complete;
  firstFormMagic[complete.size() - 17] = '1';
  const Case cases[] = {
      {"journal of the first form", BytewiseJournal(kShort), kShort},
      {"journal of the first form with a wrong sum", BytewiseJournal(kShort, 1), kLong},
      {"today's sum under the first form's magic", firstFormMagic, kLong},
      {"journal whose words were swapped", moved, kLong},
      {"complete journal: the rewrite is finished", complete, kShort},
      {"journal cut short: the file was not touched yet", complete.substr(0, complete.size() - 3),
       kLong},
      {"journal without trailer", kShort, kLong},
      {"empty journal", "", kLong},
      {"journal whose content was damaged", "X" + complete.substr(1), kLong},
  };
  for (const Case& c : cases) {
    TempDir dir;
    const std::string path = dir.write("BH1.SND", kLong);
    dir.write("." + std::string("BH1.SND") + ".geoproj-rewrite", c.journal);
    ASSERT_EQ(RewriteJournalPath(path), dir.file(".BH1.SND.geoproj-rewrite"));
    EXPECT_EQ(Read(path), c.expected) << c.name;
    EXPECT_FALSE(dir.exists(".BH1.SND.geoproj-rewrite")) << c.name;
    EXPECT_EQ(dir.read("BH1.SND"), c.expected) << c.name;
  }
}

TEST(SafeRewrite, AWriterFinishesALeftRewriteBeforeItsOwn) {
  TempDir dir;
  const std::string path = dir.write("BH1.SND", kLong);
  dir.write(".BH1.SND.geoproj-rewrite", RewriteJournalBytes(kShort));
  RewriteFile(path, "mine");
  EXPECT_EQ(dir.read("BH1.SND"), "mine");
  EXPECT_FALSE(dir.exists(".BH1.SND.geoproj-rewrite"));
}

TEST(SafeRewrite, JournalNamesAreKnownAsOurs) {
  EXPECT_TRUE(IsRewriteJournalName(".BH1.SND.geoproj-rewrite"));
  for (const char* other : {"BH1.SND", ".geoproj-rewrite", "BH1.SND.geoproj-rewrite", "SND.TMP"})
    EXPECT_FALSE(IsRewriteJournalName(other)) << other;
}

TEST(SafeRewrite, ATextFileWrittenButNeverClosedKeepsItsOldContent) {
  TempDir dir;
  dir.write("BH1.TLK", kLong);
  {
    CStdioFileMem f;
    ASSERT_NE(f.Open(dir.file("BH1.TLK"), CStdioFileMem::modeCreate | CStdioFileMem::modeWrite), 0);
    f.WriteString("half\n");
    // Another reader meanwhile still sees the whole old file.
    EXPECT_EQ(Read(dir.file("BH1.TLK")), kLong);
  }
  EXPECT_EQ(dir.read("BH1.TLK"), kLong);
}

// A child process rewrites the file with one content after the other until it is told to stop.
pid_t StartRewriter(const std::string& path) {
  const pid_t pid = ::fork();
  if (pid == 0) {
    for (unsigned i = 0;; ++i) RewriteFile(path, i % 2 ? kShort : kLong);
  }
  return pid;
}

TEST(SafeRewrite, ReadersBesideAWriterSeeOnlyWholeContents) {
  TempDir dir;
  const std::string path = dir.write("BH1.SND", kLong);
  const pid_t writer = StartRewriter(path);
  ASSERT_GT(writer, 0);
  int torn = 0;
  for (int i = 0; i < 2000; ++i) {
    const std::string seen = Read(path);
    if (seen != kLong && seen != kShort) ++torn;
  }
  ::kill(writer, SIGKILL);
  ::waitpid(writer, nullptr, 0);
  EXPECT_EQ(torn, 0);
}

TEST(SafeRewrite, AWriterKilledAtAnyMomentLeavesTheOldOrTheNewContent) {
  TempDir dir;
  const std::string path = dir.write("BH1.SND", kLong);
  const ino_t inode = InodeOf(path);
  std::mt19937 random(12345);
  for (int round = 0; round < 40; ++round) {
    const pid_t writer = StartRewriter(path);
    ASSERT_GT(writer, 0);
    ::usleep(std::uniform_int_distribution<useconds_t>(0, 3000)(random));
    ::kill(writer, SIGKILL);
    ::waitpid(writer, nullptr, 0);
    const std::string seen = Read(path);
    EXPECT_TRUE(seen == kLong || seen == kShort) << "round " << round << ": " << seen.size() << " bytes";
    EXPECT_FALSE(dir.exists(".BH1.SND.geoproj-rewrite")) << "round " << round;
  }
  EXPECT_EQ(InodeOf(path), inode);
}

}  // namespace
}  // namespace geoproj
