#include "reports/scan_period.h"

#include <cstdio>

namespace geoproj {

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

bool ScanPeriod::Read(const char* text, Day* out) {
  if (!text) return false;
  Day d;
  if (std::sscanf(text, "%d%*c%d%*c%d", &d.day, &d.month, &d.year) != 3) return false;
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
