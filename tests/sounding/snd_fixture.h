// A project directory for sounding-file tests, with the status texts and message boxes shown,
// and the canonical text of a borehole holding every penetration sounding block.
#pragma once

#include <string>

#include <geoproj/platform/proj_path.h>
#include <gtest/gtest.h>

#include "support/message_log.h"
#include "support/status_log.h"
#include "support/temp_dir.h"

namespace geoproj::test {

inline const std::string kBoreholeGuid = "6f1c2a3b-4d5e-4f60-8a7b-9c0d1e2f3a4b";

// A GUID text that tells the block it belongs to.
inline std::string BlockGuid(int code) {
  return "10000000-0000-4000-8000-0000000000" + std::to_string(code);
}

// LF line ends as written, CR LF as they lie on disk.
inline std::string Crlf(const std::string& lf) {
  std::string out;
  for (char c : lf) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

// A data line: the numbers, blanks up to the text column, the text, LF.
inline std::string Row(const std::string& numbers, std::size_t column, const std::string& text) {
  std::string line = numbers;
  if (line.size() < column) line.append(column - line.size(), ' ');
  return line + text + "\n";
}

// Header numbers, start depth line, comment lines and the 97 section.
inline std::string CanonicalHeader() {
  return "6543210.125000\n"
         "1234567.500000\n"
         "20.000000\n"
         "9999999.900000\n"
         "0.000000\n"
         "0.000000 0 90.000000\n"
         "Kommentar ett\n"
         "\n"
         "tredje rad\n"
         "\n"
         "*\n97\n40 0\n";
}

inline std::string CanonicalGuidSection() {
  return "*\n99\nGUID " + kBoreholeGuid + "\ntillagg 1\ntillagg 2\n";
}

// Every penetration block in the order the sounding file writes them, each as written.
inline std::string DreieBlock() {
  return "*\n21 03.05.2019\n1.000000 93 0 0 1 0 x GUID " + BlockGuid(21) + "\n" +
         Row("  0.200   25 25", 22, "") + Row("  1.200  -12 SL", 22, "KA") +
         Row("  2.000   50 100", 22, "ST SA");
}
inline std::string RamBlock() {
  return "*\n24 04.05.2019\n0.000000 91 0 0 1 0 ram GUID " + BlockGuid(24) + "\n" +
         Row("  1.000 12 3", 22, "") + Row("  1.200 14 2", 22, "GR");
}
inline std::string TotalBlock() {
  return "*\n25 05.05.2019\n1.000000 93 0 4 1 7 tot GUID " + BlockGuid(25) + "\n" +
         Row("  0.500   120     8     0", 29, "") + Row(" 14.200   300    10     0", 29, "F");
}
inline std::string FjellBlock() {
  return "*\n26 06.05.2019\n0.000000 92 0 3 1 0 fj GUID " + BlockGuid(26) + "\n" +
         Row("  3.000   40   ", 22, "");
}
inline std::string DtrykkBlock() {
  return "*\n23 07.05.2019\n0.000000 90 0 0 1 0 dt GUID " + BlockGuid(23) + "\n" +
         Row("  1.500   33   ", 15, "LE");
}
inline std::string EnkelBlock() {
  return "*\n22 08.05.2019\n0.000000 90 0 0 0 0  GUID " + BlockGuid(22) + "\n" +
         Row("  0.500    7   ", 22, "SA");
}
inline std::string DptBlock() {
  return "*\n35 09.05.2019\n0.000000 90 0 0 1 0 dp GUID " + BlockGuid(35) + "\n" +
         Row("    1.000    12.000   0.500", 30, "");
}

inline std::string CanonicalSnd() {
  return CanonicalHeader() + CanonicalGuidSection() + DreieBlock() + RamBlock() + TotalBlock() +
         FjellBlock() + DtrykkBlock() + EnkelBlock() + DptBlock() + "*\n";
}

// A borehole with the given blocks after the canonical header and GUID section.
inline std::string SndWith(const std::string& blocks, bool closing = true) {
  return CanonicalHeader() + CanonicalGuidSection() + blocks + (closing ? "*\n" : "");
}

class SndTest : public ::testing::Test {
 protected:
  SndTest() { proj.SetPath(dir.path().c_str()); }

  // Puts a borehole file into the project, with CR LF line ends.
  std::string Put(const std::string& name, const std::string& lf) {
    return dir.write(name, Crlf(lf));
  }
  std::string Get(const std::string& name) const { return dir.read(name); }

  TempDir dir;
  CProjPath proj;
  StatusLog status;
  MessageLog messages;
};

}  // namespace geoproj::test
