#include "foundation/read_check.h"

#include <algorithm>
#include <string>

#include <geoproj/foundation/stdio_file_mem.h>

namespace geoproj {
namespace {

// The blanks scanf skips between fields.
constexpr std::string_view kBlanks = " \t\n\v\f\r";

}  // namespace

int CountWords(std::string_view text) {
  int words = 0;
  std::size_t pos = text.find_first_not_of(kBlanks);
  while (pos != std::string_view::npos) {
    ++words;
    pos = text.find_first_of(kBlanks, pos);
    if (pos != std::string_view::npos) pos = text.find_first_not_of(kBlanks, pos);
  }
  return words;
}

bool HoldsBinaryGarbage(std::string_view text) {
  return std::any_of(text.begin(), text.end(), [](char ch) {
    const unsigned char c = static_cast<unsigned char>(ch);
    return (c < 0x20 && c != '\t') || c == 0x7F;
  });
}

bool ScanTookAll(std::string_view text, int read, int required, int most) {
  const int fields = std::max(read, 0);
  return fields >= required && fields >= std::min(CountWords(text), most);
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
