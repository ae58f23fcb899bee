// printf and scanf for the shapes every record line uses, without the C library's cost per call.
//
// A save formats and parses every record of every block, so these two run millions of times on a
// large project. Each handles the plain conversions those lines need and gives the whole call to
// the C library the moment it meets anything else, so the result is always what vsnprintf or
// vsscanf would give: same digits, same rounding, same count of fields read.
#pragma once

#include <cstdarg>
#include <cstddef>
#include <cstring>
#include <string>

namespace geoproj {

// Formats into out as vsnprintf would, for texts of up to 256 characters. Handles %d %i %ld %s
// %c %f %lf %% with an optional '-' flag, width and precision; false (out and args untouched)
// for anything else, a number that is not finite, or a longer text.
bool QuickFormat(std::string& out, const char* format, va_list args);

// Writes the decimal digits of value so that they end just before end; returns where they
// begin (at most 20 characters before end).
inline char* DigitsBefore(char* end, unsigned long long value) {
  // Two digits a step, from a table of the hundred pairs.
  static constexpr char kPairs[] =
      "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
      "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
      "8081828384858687888990919293949596979899";
  char* p = end;
  while (value >= 100) {
    p -= 2;
    std::memcpy(p, kPairs + 2 * (value % 100), 2);
    value /= 100;
  }
  if (value >= 10) {
    p -= 2;
    std::memcpy(p, kPairs + 2 * value, 2);
  } else {
    *--p = static_cast<char>('0' + value);
  }
  return p;
}

// The number of decimal digits of value (1 for 0).
inline int DecimalDigits(unsigned long long value) {
  int n = 1;
  for (; value >= 10000; value /= 10000) n += 4;
  return value >= 1000 ? n + 3 : value >= 100 ? n + 2 : value >= 10 ? n + 1 : n;
}

// Room FixedDigits needs.
inline constexpr std::size_t kFixedDigitsSize = 400;

// Writes value as printf's "%.*f" with precision (0 to 60) would, into digits (kFixedDigitsSize
// bytes, not terminated); returns the number of characters.
std::size_t FixedDigits(char* digits, double value, int precision);

// sscanf for %f %lf %d %ld %n and blanks; any other directive, and any number not in plain
// decimal form (a '+', an exponent, a hexadecimal or infinite value, one out of range), is read
// by the C library from the start of the line. Returns what sscanf returns.
int ScanLine(const char* text, const char* format, ...) __attribute__((format(scanf, 2, 3)));

}  // namespace geoproj
