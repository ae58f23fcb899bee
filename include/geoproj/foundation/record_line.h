// RecordLine: one record line of a data file being written, built field by field exactly as the
// printf format of its block would write it, into a buffer that serves line after line.
//
// A save writes every record of every block; formatting each through a format string and a new
// string per line was the larger part of the time spent writing a file. A reader that needs to
// know how wide a record would be written uses a measuring line, which counts the characters
// without writing their digits.
#pragma once

#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

namespace geoproj {

class RecordLine {
 public:
  struct Measure {};

  RecordLine();
  // A line that only counts: Size() is what a writing line would hold, View() is empty.
  explicit RecordLine(Measure) : m_measuring(true) {}

  void Clear() { m_length = 0; }

  // printf's "%<width>.<precision>f" (precision 0 to 60).
  RecordLine& Fixed(double value, int width, int precision);
  // printf's "%<width>ld"; width 0 for "%ld".
  RecordLine& Integer(long value, int width = 0);
  // printf's "%s".
  RecordLine& Text(std::string_view text) {
    if (m_measuring) {
      m_length += text.size();
    } else if (!text.empty()) {
      std::memcpy(Grow(text.size()), text.data(), text.size());
    }
    return *this;
  }
  RecordLine& Blank() { return Blanks(1); }
  // Blanks up to column characters; nothing when the line holds that many.
  RecordLine& PadTo(std::size_t column) {
    return m_length < column ? Blanks(column - m_length) : *this;
  }

  std::size_t Size() const { return m_length; }
  // The last character; the line must not be empty.
  char Back() const { return m_bytes[m_length - 1]; }
  std::string_view View() const { return std::string_view(m_bytes.data(), m_measuring ? 0 : m_length); }

 private:
  // Every copy of up to this many characters is one fixed-size copy, which the compiler does in
  // two moves; the room always holds this much beyond the line.
  static constexpr std::size_t kShort = 16;

  RecordLine& Blanks(std::size_t count) {
    if (m_measuring)
      m_length += count;
    else
      FillBlanks(Grow(count), count);
    return *this;
  }
  // count blanks at p, as one fixed-size move when they are few (the slack takes the rest).
  static void FillBlanks(char* p, std::size_t count) {
    std::memset(p, ' ', count <= kShort ? kShort : count);
  }
  // Digits as printf writes them right-aligned in width (a writing line only).
  void RightAligned(const char* digits, std::size_t length, int width);
  // Room for n more characters (and the slack the short copies use); the line grows by n.
  char* Grow(std::size_t n) {
    if (m_length + n + kShort > m_bytes.size()) Widen(n);
    char* p = m_bytes.data() + m_length;
    m_length += n;
    return p;
  }
  void Widen(std::size_t n);

  bool m_measuring = false;
  std::string m_bytes;  // sized to the room, not to the line: growing writes no zeros first
  std::size_t m_length = 0;
};

}  // namespace geoproj
