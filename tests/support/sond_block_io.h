// Reading a sounding block from a file on disk and writing it into memory, as the sounding file
// drives the block objects.
#pragma once

#include <string>

#include <geoproj/foundation/stdio_file_mem.h>
#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace geoproj::test {

// Writes text to a file in dir and lets block read it with Init, as if the code line had just
// been read. The lines the block left unread go to *rest (each with LF).
template <class Block>
int ReadBlock(const TempDir& dir, Block& block, const std::string& text,
              const char* datum = "03.05.2019", std::string* rest = nullptr) {
  std::string path = dir.write("block.snd", text);
  CStdioFileMem file;
  file.SetFilePath(path);
  EXPECT_NE(file.Open(path, CStdioFileMem::modeRead), 0);
  int rc = block.Init(&file, datum);
  std::string line;
  while (rest && file.ReadString(line)) *rest += line + "\n";
  file.Close();
  return rc;
}

// The bytes block.Uppdat writes (LF line ends, as collected in memory).
template <class Block>
std::string WriteBlock(Block& block) {
  CStdioFileMem file;
  file.SetMemFile(1);
  file.Open("block.snd", CStdioFileMem::modeCreate | CStdioFileMem::modeWrite);
  EXPECT_EQ(block.Uppdat(&file), 0);
  return *file.MemFile();
}

// A data line as the block formats lay it out: the numbers, blanks up to the text column, the
// text, LF.
inline std::string DataLine(const std::string& numbers, std::size_t column,
                            const std::string& text) {
  std::string line = numbers;
  if (line.size() < column) line.append(column - line.size(), ' ');
  return line + text + "\n";
}

}  // namespace geoproj::test
