#include <geoproj/foundation/record_line.h>

#include <charconv>
#include <cstring>

#include "foundation/quick_print.h"

namespace geoproj {

RecordLine& RecordLine::Fixed(double value, int width, int precision) {
  char digits[kFixedDigitsSize];
  RightAligned(digits, FixedDigits(digits, value, precision), width);
  return *this;
}

RecordLine& RecordLine::Integer(long value, int width) {
  char digits[24];
  const auto r = std::to_chars(digits, digits + sizeof digits, value);
  RightAligned(digits, static_cast<std::size_t>(r.ptr - digits), width);
  return *this;
}

void RecordLine::RightAligned(const char* digits, std::size_t length, int width) {
  const std::size_t fill =
      width > 0 && length < static_cast<std::size_t>(width) ? width - length : 0;
  // One resize, then the bytes in place: appending blanks and digits apart cost more than
  // formatting the number.
  const std::size_t at = m_text.size();
  m_text.resize(at + fill + length);
  char* p = m_text.data() + at;
  for (std::size_t i = 0; i < fill; ++i) p[i] = ' ';
  std::memcpy(p + fill, digits, length);
}

}  // namespace geoproj
