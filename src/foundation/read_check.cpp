#include "foundation/read_check.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
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

bool IsGarbageByte(unsigned char c) { return (c < 0x20 && c != '\t') || c == 0x7F; }

}  // namespace

int CountWords(std::string_view text) {
  return CountWordsUpTo(text, std::numeric_limits<int>::max());
}

bool HoldsBinaryGarbage(std::string_view text) {
  // Every line read is checked, so eight bytes at a time: a word none of whose bytes lies below
  // 0x20 or equals 0x7F holds no garbage; one that has such a byte (a tab, say) is looked at byte
  // by byte.
  constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
  constexpr std::uint64_t kHigh = 0x8080808080808080ULL;
  const auto wordIsClean = [&](std::size_t at) {
    std::uint64_t w;
    std::memcpy(&w, text.data() + at, 8);
    const std::uint64_t below = (w - 0x20 * kOnes) & ~w & kHigh;
    const std::uint64_t del = w ^ (0x7F * kOnes);
    const std::uint64_t isDel = (del - kOnes) & ~del & kHigh;
    if ((below | isDel) == 0) return true;
    for (std::size_t j = at; j < at + 8; ++j)
      if (IsGarbageByte(static_cast<unsigned char>(text[j]))) return false;
    return true;
  };
  if (text.size() < 8) {
    for (char c : text)
      if (IsGarbageByte(static_cast<unsigned char>(c))) return true;
    return false;
  }
  for (std::size_t i = 0; i + 8 <= text.size(); i += 8)
    if (!wordIsClean(i)) return true;
  // The bytes after the last whole word, as the last eight bytes of the text.
  return text.size() % 8 != 0 && !wordIsClean(text.size() - 8);
}

bool ScanTookAll(std::string_view text, int read, int required, int most) {
  const int fields = std::max(read, 0);
  // A scan that took every field the format holds took all there was to take.
  if (fields >= most) return fields >= required;
  return fields >= required && fields >= CountWordsUpTo(text, fields + 1);
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

std::string KeptUpToZeroByte(CStdioFileMem& file, const std::string& line) {
  const std::size_t zero = line.find('\0');
  if (zero == std::string::npos) return line;
  file.ReportDropped("zero byte: the rest of the line is lost");
  return line.substr(0, zero);
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
