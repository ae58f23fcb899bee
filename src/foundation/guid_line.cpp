#include "foundation/guid_line.h"

namespace geoproj {

bool SplitGuidLine(const std::string& line, std::string* word, std::string* guid) {
  const char* blanks = " \t\n\v\f\r";
  const std::size_t start = line.find_first_not_of(blanks);
  if (start == std::string::npos) return false;
  std::size_t end = line.find_first_of(blanks, start);
  if (end == std::string::npos) end = line.size();
  *word = line.substr(start, end - start);
  if (word->empty() || (*word)[0] == '*' || line.size() <= end) return false;
  *guid = line.substr(end + 1);
  return true;
}

}  // namespace geoproj
