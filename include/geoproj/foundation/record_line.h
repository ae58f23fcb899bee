// RecordLine: one record line of a data file being written, built field by field exactly as the
// printf format of its block would write it, into a buffer that serves line after line.
//
// A save writes every record of every block; formatting each through a format string and a new
// string per line was the larger part of the time spent writing a file.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace geoproj {

class RecordLine {
 public:
  RecordLine() { m_text.reserve(128); }
  void Clear() { m_text.clear(); }

  // printf's "%<width>.<precision>f" (precision 0 to 60).
  RecordLine& Fixed(double value, int width, int precision);
  // printf's "%<width>ld"; width 0 for "%ld".
  RecordLine& Integer(long value, int width = 0);
  // printf's "%s".
  RecordLine& Text(std::string_view text) {
    m_text.append(text);
    return *this;
  }
  RecordLine& Blank() {
    m_text.push_back(' ');
    return *this;
  }

  const std::string& Str() const { return m_text; }
  std::string& Bytes() { return m_text; }

 private:
  void RightAligned(const char* digits, std::size_t length, int width);

  std::string m_text;
};

}  // namespace geoproj
