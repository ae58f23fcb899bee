#include "foundation/read_check.h"

#include <algorithm>
#include <limits>
#include <string>

#include <geoproj/foundation/stdio_file_mem.h>

namespace geoproj {
namespace {

// The blanks scanf skips between fields.
bool IsBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// The words of text, counted no further than limit: every record line is checked, and only
// whether the scan took as many words as it could matters.
int CountWordsUpTo(std::string_view text, int limit) {
  if (limit <= 0) return 0;
  int words = 0;
  bool inWord = false;
  for (char c : text) {
    const bool blank = IsBlank(c);
    if (!blank && !inWord && ++words >= limit) return words;
    inWord = !blank;
  }
  return words;
}

}  // namespace

int CountWords(std::string_view text) {
  return CountWordsUpTo(text, std::numeric_limits<int>::max());
}

bool HoldsBinaryGarbage(std::string_view text) {
  // Without an early exit the loop runs over whole vectors of bytes; every line read is checked.
  bool garbage = false;
  for (char ch : text) {
    const unsigned char c = static_cast<unsigned char>(ch);
    garbage |= (c < 0x20 && c != '\t') || c == 0x7F;
  }
  return garbage;
}

bool ScanTookAll(std::string_view text, int read, int required, int most) {
  const int fields = std::max(read, 0);
  return fields >= required && fields >= CountWordsUpTo(text, std::min(most, fields + 1));
}

bool CheckReadLine(CStdioFileMem& file, std::string_view line, bool parsed, const char* why) {
  if (HoldsBinaryGarbage(line)) {
    file.ReportDropped("binary garbage");
    return false;
  }
  if (!parsed) file.ReportDropped(why);
  return parsed;
}

bool CheckReadLine(CStdioFileMem& file, std::string_view line) {
  return CheckReadLine(file, line, true, nullptr);
}

int ReportLinesLeft(CStdioFileMem& file) {
  int reported = 0;
  std::string line;
  while (file.ReadString(line)) {
    if (CountWords(line) == 0 && !HoldsBinaryGarbage(line)) continue;
    CheckReadLine(file, line, false, "line after the end line not read");
    ++reported;
  }
  return reported;
}

}  // namespace geoproj
