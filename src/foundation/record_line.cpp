#include <geoproj/foundation/record_line.h>

#include <charconv>

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
  if (width > 0 && length < static_cast<std::size_t>(width))
    m_text.append(static_cast<std::size_t>(width) - length, ' ');
  m_text.append(digits, length);
}

}  // namespace geoproj
