#include "reports/scan_period.h"

#include <cctype>
#include <climits>

namespace geoproj {
namespace {

// What "%d" reads at *p: blanks skipped, an optional sign, the digits (saturating where the
// number would not fit). False when no digit follows.
bool ReadNumber(const char*& p, int* out) {
  while (std::isspace(static_cast<unsigned char>(*p))) ++p;
  const bool negative = *p == '-';
  if (*p == '-' || *p == '+') ++p;
  if (!std::isdigit(static_cast<unsigned char>(*p))) return false;
  long long value = 0;
  for (; std::isdigit(static_cast<unsigned char>(*p)); ++p)
    if (value <= INT_MAX) value = value * 10 + (*p - '0');
  if (value > INT_MAX) value = INT_MAX;
  *out = static_cast<int>(negative ? -value : value);
  return true;
}

}  // namespace

bool ScanPeriod::Set(const char* from, const char* to) {
  m_hasFrom = !Blank(from);
  m_hasTo = !Blank(to);
  return (!m_hasFrom || Read(from, &m_from)) && (!m_hasTo || Read(to, &m_to));
}

bool ScanPeriod::Contains(const char* date) const {
  Day d;
  if (!Read(date, &d)) return !m_hasFrom && !m_hasTo;
  return (!m_hasFrom || d >= m_from) && (!m_hasTo || d <= m_to);
}

// As "%d%*c%d%*c%d" reads it, without the C library's cost for each block of a large project:
// each separator is exactly one character, whatever it is.
bool ScanPeriod::Read(const char* text, Day* out) {
  if (!text) return false;
  Day d;
  const char* p = text;
  if (!ReadNumber(p, &d.day) || !*p++ || !ReadNumber(p, &d.month) || !*p++ ||
      !ReadNumber(p, &d.year))
    return false;
  *out = d;
  return true;
}

bool ScanPeriod::Blank(const char* text) {
  if (!text) return true;
  for (const char* p = text; *p; ++p)
    if (*p != ' ' && *p != '\t') return false;
  return true;
}

}  // namespace geoproj
