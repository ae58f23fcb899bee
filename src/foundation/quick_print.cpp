#include "foundation/quick_print.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdint>
#include <cstring>
#include <limits>

namespace geoproj {
namespace {

// One conversion of a printf format: "%[-][width][.precision][l]conversion".
struct Conversion {
  bool left = false;
  int width = 0;
  int precision = -1;
  bool isLong = false;
  char conversion = 0;
};

int ReadDigits(const char*& p) {
  int value = 0;
  while (*p >= '0' && *p <= '9' && value < 1000) value = value * 10 + (*p++ - '0');
  return value;
}

// Reads a conversion after '%'; false for flags, '*' widths and conversions handled elsewhere.
bool ReadConversion(const char*& p, Conversion& conv) {
  if (*p == '-') {
    conv.left = true;
    ++p;
  }
  if (*p == '-' || *p == '+' || *p == ' ' || *p == '#' || *p == '0' || *p == '*') return false;
  conv.width = ReadDigits(p);
  if (*p == '.') {
    ++p;
    if (*p == '*' || *p == '-') return false;
    conv.precision = ReadDigits(p);
  }
  if (*p == 'l') {
    conv.isLong = true;
    ++p;
  }
  conv.conversion = *p;
  if (conv.conversion == 0) return false;
  ++p;
  switch (conv.conversion) {
    case 'd': case 'i': case 'f': case '%': return true;
    case 's': case 'c': return !conv.isLong;  // wide texts are the C library's
    default: return false;
  }
}

// The text being formatted, on the stack: a record line is one allocation, made at the end.
class LineBuffer {
 public:
  // False when the text would not fit; vsnprintf then formats the whole call.
  bool Append(const char* text, std::size_t length) {
    if (length > sizeof m_bytes - m_length) return false;
    std::memcpy(m_bytes + m_length, text, length);
    m_length += length;
    return true;
  }
  bool Fill(std::size_t count) {
    if (count > sizeof m_bytes - m_length) return false;
    std::memset(m_bytes + m_length, ' ', count);
    m_length += count;
    return true;
  }
  std::string Text() const { return std::string(m_bytes, m_length); }

 private:
  char m_bytes[256];
  std::size_t m_length = 0;
};

bool Pad(LineBuffer& out, const Conversion& conv, const char* text, std::size_t length) {
  const std::size_t width = static_cast<std::size_t>(conv.width);
  const std::size_t fill = width > length ? width - length : 0;
  if (conv.left) return out.Append(text, length) && out.Fill(fill);
  return out.Fill(fill) && out.Append(text, length);
}

// Fixed notation with few decimals, exactly as printf rounds: the value is m * 2^e exactly, so
// m * 10^precision (at most 67 bits) shifted right by -e is the value times 10^precision, and
// the bits shifted out decide the one rounding, half to even as printf does in the default
// rounding mode. All in integers: a save writes every depth of every record this way. Null when
// the value is too large; then to_chars does it.
char* FixedFew(char* digits, double value, int precision) {
  __extension__ typedef unsigned __int128 Wide;
  static constexpr std::uint64_t kScale[] = {1, 10, 100, 1000, 10000};
  if (precision > 4 || !(std::fabs(value) < 1e14)) return nullptr;
  std::uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  const int biased = static_cast<int>((bits >> 52) & 0x7FF);
  std::uint64_t mantissa = bits & ((std::uint64_t{1} << 52) - 1);
  if (biased != 0) mantissa |= std::uint64_t{1} << 52;
  // Below 1e14 the exponent is negative: shift is at least 6.
  const int shift = (biased != 0 ? 1075 - biased : 1074);
  const Wide scaled = static_cast<Wide>(mantissa) * kScale[precision];
  std::uint64_t whole = 0;
  if (shift < 100) {
    whole = static_cast<std::uint64_t>(scaled >> shift);
    const Wide rest = scaled - (static_cast<Wide>(whole) << shift);
    const Wide half = static_cast<Wide>(1) << (shift - 1);
    if (rest > half || (rest == half && (whole & 1) != 0)) ++whole;
  }  // else far below half a unit of the last decimal: 0
  // The digits, led by zeros up to one before the point; then copied with the point put in,
  // each part as one fixed-size move (below 1e14 the whole part has at most 15 digits, and
  // digits has room far beyond; the buffer's tail is read, never used).
  char buffer[48] = {};
  char* const end = buffer + 32;
  char* first = DigitsBefore(end, whole);
  while (end - first <= precision) *--first = '0';
  const std::size_t before = static_cast<std::size_t>(end - first - precision);
  char* p = digits;
  if (std::signbit(value)) *p++ = '-';
  std::memcpy(p, first, 16);
  p += before;
  if (precision > 0) {
    *p++ = '.';
    std::memcpy(p, end - precision, 4);
    p += precision;
  }
  return p;
}

// Writes one conversion; false when vsnprintf must do the whole call.
bool Convert(LineBuffer& out, const Conversion& conv, va_list& args) {
  char digits[kFixedDigitsSize];
  switch (conv.conversion) {
    case '%':
      return out.Append("%", 1);
    case 'c': {
      const char c = static_cast<char>(va_arg(args, int));
      return Pad(out, conv, &c, 1);
    }
    case 's': {
      const char* text = va_arg(args, const char*);
      if (text == nullptr) return false;
      const std::size_t length = conv.precision < 0
                                     ? std::strlen(text)
                                     : strnlen(text, static_cast<std::size_t>(conv.precision));
      return Pad(out, conv, text, length);
    }
    case 'd':
    case 'i': {
      if (conv.precision >= 0) return false;
      const long value = conv.isLong ? va_arg(args, long) : va_arg(args, int);
      const auto r = std::to_chars(digits, digits + sizeof digits, value);
      return Pad(out, conv, digits, static_cast<std::size_t>(r.ptr - digits));
    }
    case 'f': {
      const double value = va_arg(args, double);
      const int precision = conv.precision < 0 ? 6 : conv.precision;
      if (!std::isfinite(value) || precision > 60) return false;
      return Pad(out, conv, digits, FixedDigits(digits, value, precision));
    }
    default:
      return false;
  }
}

bool IsBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A plain decimal number ("-12", "3.", "-.5", "0.25") read in one pass: where it ends, and its
// digits as one whole number with the count of decimals behind the point.
struct PlainNumber {
  const char* end = nullptr;
  bool negative = false;
  std::uint64_t digits = 0;  // exact while count <= 19
  int count = 0;             // digits in all
  int whole = 0;             // digits before the point
  int decimals = 0;
};

// False when what stands at p is anything scanf reads by rules of its own (sign '+', exponent,
// hexadecimal, inf, nan) or no number at all.
bool ReadPlainNumber(const char* p, bool fraction, PlainNumber& n) {
  n.negative = *p == '-';
  if (n.negative) ++p;
  std::uint64_t digits = 0;
  const char* start = p;
  for (; IsDigit(*p); ++p) digits = digits * 10 + static_cast<unsigned>(*p - '0');
  n.whole = static_cast<int>(p - start);
  n.decimals = 0;
  if (fraction && *p == '.') {
    const char* after = ++p;
    for (; IsDigit(*p); ++p) digits = digits * 10 + static_cast<unsigned>(*p - '0');
    n.decimals = static_cast<int>(p - after);
  }
  n.count = n.whole + n.decimals;
  if (n.count == 0) return false;
  if (fraction && (*p == 'e' || *p == 'E' || *p == 'x' || *p == 'X')) return false;
  n.digits = digits;
  n.end = p;
  return true;
}

// A number of at most seven significant digits and ten decimals as a float: both the digits
// and the power of ten are exact floats, so the one division rounds as the correctly rounded
// reading does. False for any other number.
bool ShortDecimal(const PlainNumber& n, float& value) {
  if (n.count > 19 || n.digits >= (1u << 24) || n.decimals > 10) return false;
  static constexpr float kPowers[] = {1e0f, 1e1f, 1e2f, 1e3f, 1e4f, 1e5f,
                                      1e6f, 1e7f, 1e8f, 1e9f, 1e10f};
  const float magnitude = static_cast<float>(n.digits) / kPowers[n.decimals];
  value = n.negative ? -magnitude : magnitude;
  return true;
}

// A whole number of at most eighteen digits, which no long overflows. False for a longer one.
bool ShortInteger(const PlainNumber& n, long& value) {
  if (n.whole > 18) return false;
  const long magnitude = static_cast<long>(n.digits);
  value = n.negative ? -magnitude : magnitude;
  return true;
}

enum class ScanResult { Assigned, Stored, Fallback, InputEnd };

// One conversion of a scanf format at text; advances both.
ScanResult ScanOne(const char*& f, const char* start, const char*& p, va_list& args) {
  bool isLong = false;
  if (*f == 'l') {
    isLong = true;
    ++f;
  }
  const char conversion = *f++;
  if (conversion == 'n') {
    *va_arg(args, int*) = static_cast<int>(p - start);
    return ScanResult::Stored;
  }
  if (conversion != 'f' && conversion != 'd') return ScanResult::Fallback;
  while (IsBlank(*p)) ++p;
  if (*p == 0) return ScanResult::InputEnd;
  PlainNumber number;
  if (!ReadPlainNumber(p, conversion == 'f', number)) return ScanResult::Fallback;
  const char* end = number.end;
  std::from_chars_result r{};
  if (conversion == 'f' && isLong) {
    r = std::from_chars(p, end, *va_arg(args, double*));
  } else if (conversion == 'f') {
    float value = 0;
    if (ShortDecimal(number, value)) {
      r.ptr = end;
    } else {
      r = std::from_chars(p, end, value);
    }
    if (r.ec == std::errc()) *va_arg(args, float*) = value;
  } else if (isLong) {
    long value = 0;
    if (ShortInteger(number, value)) {
      r.ptr = end;
    } else {
      r = std::from_chars(p, end, value);
    }
    if (r.ec == std::errc()) *va_arg(args, long*) = value;
  } else {
    int value = 0;
    long wide = 0;
    if (ShortInteger(number, wide) && wide >= INT_MIN && wide <= INT_MAX) {
      value = static_cast<int>(wide);
      r.ptr = end;
    } else {
      r = std::from_chars(p, end, value);
    }
    if (r.ec == std::errc()) *va_arg(args, int*) = value;
  }
  if (r.ec != std::errc() || r.ptr != end) return ScanResult::Fallback;
  p = end;
  return ScanResult::Assigned;
}

// -2 when the C library must read the line.
int QuickScan(const char* text, const char* format, va_list& args) {
  const char* p = text;
  int assigned = 0;
  for (const char* f = format; *f;) {
    if (IsBlank(*f)) {
      while (IsBlank(*f)) ++f;
      while (IsBlank(*p)) ++p;
      continue;
    }
    if (*f++ != '%') return -2;
    switch (ScanOne(f, text, p, args)) {
      case ScanResult::Assigned: ++assigned; break;
      case ScanResult::Stored: break;
      case ScanResult::Fallback: return -2;
      case ScanResult::InputEnd: return assigned == 0 ? EOF : assigned;
    }
  }
  return assigned;
}

}  // namespace

std::size_t FixedDigits(char* digits, double value, int precision) {
  if (std::isfinite(value) && precision >= 0 && precision <= 60) {
    char* end = FixedFew(digits, value, precision);
    if (end != nullptr) return static_cast<std::size_t>(end - digits);
    const auto r = std::to_chars(digits, digits + kFixedDigitsSize, value,
                                 std::chars_format::fixed, precision);
    if (r.ec == std::errc()) return static_cast<std::size_t>(r.ptr - digits);
  }
  // Infinite and undefined values, and what does not fit: the C library's own spelling.
  char text[kFixedDigitsSize + 1];
  const int n = std::snprintf(text, sizeof text, "%.*f", precision, value);
  const std::size_t length = n < 0 ? 0 : std::min<std::size_t>(n, kFixedDigitsSize);
  std::memcpy(digits, text, length);
  return length;
}

bool QuickFormat(std::string& out, const char* format, va_list args) {
  va_list own;
  va_copy(own, args);
  LineBuffer line;
  bool handled = true;
  for (const char* p = format; *p && handled;) {
    const char* literal = std::strchr(p, '%');
    if (literal == nullptr) {
      handled = line.Append(p, std::strlen(p));
      break;
    }
    handled = line.Append(p, static_cast<std::size_t>(literal - p));
    p = literal + 1;
    Conversion conv;
    handled = handled && ReadConversion(p, conv) && Convert(line, conv, own);
  }
  va_end(own);
  if (handled) out = line.Text();
  return handled;
}

int ScanLine(const char* text, const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list quick;
  va_copy(quick, args);
  int read = QuickScan(text, format, quick);
  va_end(quick);
  if (read == -2) read = std::vsscanf(text, format, args);
  va_end(args);
  return read;
}

}  // namespace geoproj
