#include <geoproj/foundation/stdio_file_mem.h>

#include <gtest/gtest.h>

#include <geoproj/platform/files.h>

#include "support/temp_dir.h"

namespace {

using geoproj::test::TempDir;

std::vector<std::string> ReadAll(CStdioFileMem& f) {
  std::vector<std::string> lines;
  std::string line;
  while (f.ReadString(line)) lines.push_back(line);
  return lines;
}

TEST(StdioFileMem, MemoryModeCollectsBytesAndMarksTheEnd) {
  TempDir dir;
  CStdioFileMem f;
  f.SetMemFile(1);
  EXPECT_EQ(f.Open(dir.file("missing.snd"), CStdioFileMem::modeCreate | CStdioFileMem::modeWrite), 1);
  EXPECT_FALSE(dir.exists("missing.snd"));
  f.WriteString("A\n");
  f.WriteString(std::string("B\n"));
  std::string line = "x";
  EXPECT_EQ(f.ReadString(line), 0);
  f.Close();
  ASSERT_NE(f.MemFile(), nullptr);
  EXPECT_EQ(*f.MemFile(), std::string("A\nB\nEOF\r\n"));
  // The position is back at 0: the next file written replaces the content, no stale tail.
  f.WriteString("C\n");
  f.Close();
  EXPECT_EQ(*f.MemFile(), std::string("C\nEOF\r\n"));
}

TEST(StdioFileMem, DiskModeWritesCrLfAndReadsEitherLineEnd) {
  TempDir dir;
  const std::string path = dir.file("a.txt");
  CStdioFileMem f;
  EXPECT_EQ(f.MemFile(), nullptr);
  f.SetFilePath(path);
  ASSERT_NE(f.Open(f.GetFilePath(), CStdioFileMem::modeCreate | CStdioFileMem::modeWrite), 0);
  f.WriteString("one\ntwo\n\nlast");
  f.WriteBytes(std::string_view("\nz\0z\n", 5));  // the bytes form keeps a zero byte
  f.WriteString(std::string("y\0cut\n", 6));  // a line cut at a zero byte keeps its end
  f.Close();
  EXPECT_EQ(dir.read("a.txt"), std::string("one\r\ntwo\r\n\r\nlast\r\nz\0z\r\ny\r\n", 26));

  ASSERT_NE(f.Open(path, CStdioFileMem::modeRead), 0);
  EXPECT_EQ(ReadAll(f),
            (std::vector<std::string>{"one", "two", "", "last", std::string("z\0z", 3), "y"}));
  f.SeekToBegin();
  std::string line;
  EXPECT_EQ(f.ReadString(line), 1);
  EXPECT_EQ(line, "one");
  f.Close();

  dir.write("lf.txt", "x\ny\n");
  ASSERT_NE(f.Open(dir.file("lf.txt"), CStdioFileMem::modeRead), 0);
  EXPECT_EQ(ReadAll(f), (std::vector<std::string>{"x", "y"}));
  f.Close();
}

TEST(StdioFileMem, LongLinesAndZeroBytesComeThroughWhole) {
  TempDir dir;
  std::string long_line(100000, 'q');
  dir.write("l.txt", long_line + "\r\n" + std::string("ab\0cd\n", 6) + "z");
  CStdioFileMem f;
  ASSERT_NE(f.Open(dir.file("l.txt"), CStdioFileMem::modeRead), 0);
  auto lines = ReadAll(f);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], long_line);
  EXPECT_EQ(lines[1], std::string("ab\0cd", 5));
  EXPECT_EQ(lines[2], "z");
}

TEST(StdioFileMem, OpenFindsAFileWhateverTheCaseOfItsName) {
  TempDir dir;
  dir.write("BH1.SND", "1\r\n");
  CStdioFileMem f;
  std::string error;
  ASSERT_NE(f.Open(dir.file("bh1.snd"), CStdioFileMem::modeRead, &error), 0);
  f.Close();
  // Writing goes to the existing case variant, never a second file.
  ASSERT_NE(f.Open(dir.file("Bh1.Snd"), CStdioFileMem::modeCreate | CStdioFileMem::modeWrite), 0);
  f.WriteString("2\n");
  f.Close();
  EXPECT_EQ(dir.read("BH1.SND"), "2\r\n");
  EXPECT_EQ(geoproj::ListDirectory(dir.path()).size(), 1u);

  EXPECT_EQ(f.Open(dir.file("none.snd"), CStdioFileMem::modeRead, &error), 0);
  EXPECT_FALSE(error.empty());
}

}  // namespace
