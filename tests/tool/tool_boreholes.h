// Boreholes in the current file form, written line by line from the formats: saving them must
// give the same bytes back.
#pragma once

#include <cstdarg>
#include <cstdio>
#include <string>

#include "tool/tool_project.h"

namespace geoproj::tooltest {

inline std::string Printf(const char* format, ...) __attribute__((format(printf, 1, 2)));
inline std::string Printf(const char* format, ...) {
  char buffer[256];
  va_list args;
  va_start(args, format);
  std::vsnprintf(buffer, sizeof buffer, format, args);
  va_end(args);
  return buffer;
}

// A data line: the numbers padded with blanks to the text column, then the text.
inline std::string DataLine(const std::string& numbers, std::size_t column,
                            const std::string& text) {
  std::string line = numbers;
  if (line.size() < column) line.append(column - line.size(), ' ');
  return line + text;
}

inline std::string DreieLine(double depth, long value, const char* weight, const char* text) {
  return DataLine(Printf("%7.3f %4ld %s", depth, value, weight), 22, text);
}

inline std::string TotalLine(double depth, long v1, long v2, long v3, const char* text) {
  return DataLine(Printf("%7.3f %5ld %5ld %5ld", depth, v1, v2, v3), 29, text);
}

// BH1: a weight sounding with weights, "SL", soil codes and the own-sounding code "MY", two
// comment lines (one with a code page 1252 letter) and a full interpretation with a
// groundwater level and a commented layer.
inline std::string Bh1Snd() {
  return CrLf({"6583120.500000", "152840.250000", "18.420000", "1210.000000", "-6.500000",
               "0.000000 0 90.000000", "L\xF6s lera under torrskorpan", "Borrbandvagn GB2", "",
               "", "*", "97", "40 0", "*", "99", "GUID 3f2c1a9e-5b7d-4e21-9c3a-0d4e5f6a7b8c",
               "*", "21 12.04.2021",
               "1.000000 90 0 0 1 0 GB2 GUID 0a1b2c3d-4e5f-4a6b-8c7d-9e0f1a2b3c4d",
               DreieLine(0.2, 0, "25", "FY"), DreieLine(0.4, 0, "50", ""),
               DreieLine(0.6, 12, "100", "LE MY"), DreieLine(0.8, -15, "SL", ""),
               DreieLine(1.0, 34, "100", "SA"), "*"});
}

inline std::string Bh1Tlk() {
  return CrLf({"gvy", "  16.8500", "", "fyllning 13 2 2", "  18.4200 ",
               "  0.00   0.00   0.00   0.00   0.00   0.00",
               "lera 11 2 2              l\xF6s", "  17.6000 enl. CPT",
               " 12.50   0.00   0.00   0.00   0.00   0.00", "*"});
}

// BH2: a total sounding (format 4) stopped against rock (93) with the rock mark "F" 3.2 m above
// its deepest depth; no chainage; no interpretation yet.
inline std::string Bh2Snd() {
  std::string text = CrLf({"6583150.000000", "152860.000000", "20.000000", "9999999.900000",
                           "0.000000", "0.000000 0 90.000000", "*", "97", "40 0", "*", "99",
                           "GUID 6d1e2f30-4152-4637-8849-5a6b7c8d9e0f", "*", "25 14.04.2021",
                           "1.000000 93 0 4 1 0 GM75 GUID 7e8f9a0b-1c2d-4e3f-a041-526374859607"});
  for (int i = 0; i <= 18; ++i) {
    const double depth = 13.8 + 0.2 * i;
    const char* code = i == 0 ? "MO" : i == 2 ? "F" : "";
    text += CrLf({TotalLine(depth, 1650 + 20 * i, 30 + i, i >= 2 ? 60 : 0, code)});
  }
  return text + CrLf({"*"});
}

// The interpretation the rock mark of BH2 gives: rock at 20.0 - 14.2 m, level code and source 5
// (the sounding went on more than 3 m into it).
inline std::string Bh2RockTlk() {
  return CrLf({"berg 1 5 5", "   5.8000 ", "  0.00   0.00   0.00   0.00   0.00   0.00", "*"});
}

}  // namespace geoproj::tooltest
