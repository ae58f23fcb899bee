#include <geoproj/foundation/record_line.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "foundation/quick_print.h"

namespace geoproj {
namespace {

// Whether printf's "%<width>.<precision>f" of value is at most width characters: decided
// without its digits when the value is well inside the room its integer part has (rounding to
// precision adds at most one half, which cannot carry past 10^room - 1), else by its digits.
std::size_t FixedWidth(double value, int width, int precision) {
  static constexpr double kBelow[] = {0.0,    9.0,    99.0,   999.0,  9999.0, 99999.0, 999999.0,
                                      9999999.0,      99999999.0,     999999999.0,
                                      9999999999.0,   99999999999.0,  999999999999.0,
                                      9999999999999.0, 99999999999999.0, 999999999999999.0};
  const int room = width - (precision > 0 ? precision + 1 : 0) - (std::signbit(value) ? 1 : 0);
  if (room >= 1 && std::fabs(value) < kBelow[std::min<int>(room, std::size(kBelow) - 1)])
    return static_cast<std::size_t>(width);
  char digits[kFixedDigitsSize];
  return std::max<std::size_t>(static_cast<std::size_t>(std::max(width, 0)),
                               FixedDigits(digits, value, precision));
}

}  // namespace

RecordLine::RecordLine() { m_bytes.resize(128 + kShort); }

RecordLine& RecordLine::Fixed(double value, int width, int precision) {
  if (m_measuring) {
    m_length += FixedWidth(value, width, precision);
    return *this;
  }
  char digits[kFixedDigitsSize];
  RightAligned(digits, FixedDigits(digits, value, precision), width);
  return *this;
}

RecordLine& RecordLine::Integer(long value, int width) {
  // Counted, then written from the last digit back, in place; a measuring line only counts.
  const bool negative = value < 0;
  const unsigned long magnitude =
      negative ? 0UL - static_cast<unsigned long>(value) : static_cast<unsigned long>(value);
  const std::size_t length = (negative ? 1 : 0) + static_cast<std::size_t>(DecimalDigits(magnitude));
  const std::size_t fill =
      width > 0 && length < static_cast<std::size_t>(width) ? width - length : 0;
  if (m_measuring) {
    m_length += fill + length;
    return *this;
  }
  char* p = Grow(fill + length);
  FillBlanks(p, fill);
  if (negative) p[fill] = '-';
  DigitsBefore(p + fill + length, magnitude);
  return *this;
}

void RecordLine::RightAligned(const char* digits, std::size_t length, int width) {
  const std::size_t fill =
      width > 0 && length < static_cast<std::size_t>(width) ? width - length : 0;
  char* p = Grow(fill + length);
  // Blanks and digits as fixed-size copies: the calls a copy of a few bytes would make cost
  // more than formatting the number. The slack behind the line takes what a copy writes beyond.
  FillBlanks(p, fill);
  if (length <= kShort)
    std::memcpy(p + fill, digits, kShort);
  else
    std::memcpy(p + fill, digits, length);
}

void RecordLine::Widen(std::size_t n) {
  m_bytes.resize(std::max(m_length + n + kShort, 2 * m_bytes.size()));
}

}  // namespace geoproj
