// Groundwater files as the other programs write them, built line by line from the formats, and
// a scratch project with the status texts and message boxes shown.
#pragma once

#include <string>

#include <geoproj/foundation/stdio_file_mem.h>
#include <geoproj/foundation/text_helpers.h>
#include <gtest/gtest.h>

#include "support/message_log.h"
#include "support/status_log.h"
#include "support/temp_dir.h"

namespace geoproj::test {

inline const std::string kPipeGuid = "0b6f9a4e-1111-4222-8333-944455556666";
inline const std::string kBoreGuid = "6f1c2a3b-4d5e-4f60-8a7b-9c0d1e2f3a4b";

// LF line ends as written, CR LF as they lie on disk.
inline std::string OnDisk(const std::string& lf) {
  std::string out;
  for (char c : lf) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

inline std::string RightTrim(std::string s) {
  s.erase(s.find_last_not_of(' ') + 1);
  return s;
}

// One pipe reading line as written: numbers and flag, status in 25 columns, comment in 44, then
// the time when the file carries times.
inline std::string PipeReading(int y, int m, int d, double level, const char* flag,
                               const char* status = "", const char* comment = "",
                               const char* time = nullptr) {
  std::string line = Format(" %d %d %d %f %s %-25s%-44s", y, m, d, level, flag, status, comment);
  if (time) line += std::string(" ") + time;
  return RightTrim(line) + "\n";
}

// Header lines 1 to 8 of a groundwater file.
inline std::string GvrHead(const std::string& kindLine, const std::string& line7 = "8.500000 0",
                           const std::string& line8 = "4.500000 90.000000") {
  return "1000.000000\n2000.000000\n10.000000\n9999999.900000\n0.000000\n" + kindLine + "\n" +
         line7 + "\n" + line8 + "\n";
}

inline std::string GuidSection() { return "*\n99\nGUID " + kBoreGuid + "\n"; }

class GroundwaterTest : public ::testing::Test {
 protected:
  // Writes the LF text as the file name holds it on disk (CR LF) and returns its path.
  std::string Put(const std::string& name, const std::string& lf) {
    return dir.write(name, OnDisk(lf));
  }

  TempDir dir;
  StatusLog status;
  MessageLog messages;
};

}  // namespace geoproj::test
