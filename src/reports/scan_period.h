// The period of an evaluation: two day.month.year texts, each end included, an empty text
// leaving its end open.
#pragma once

#include <compare>

namespace geoproj {

class ScanPeriod {
 public:
  // False when a text that is not empty does not read as three numbers.
  bool Set(const char* from, const char* to);
  // Whether a block date lies within the period, comparing year, then month, then day. A date
  // that does not read as a day lies within an open period only.
  bool Contains(const char* date) const;

 private:
  struct Day {
    int year = 0, month = 0, day = 0;
    auto operator<=>(const Day&) const = default;
  };
  // The text read with "%d%*c%d%*c%d" as day, month and year.
  static bool Read(const char* text, Day* out);
  static bool Blank(const char* text);

  bool m_hasFrom = false;
  bool m_hasTo = false;
  Day m_from, m_to;
};

}  // namespace geoproj
