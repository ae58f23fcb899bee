// How library values become JSON: texts leave code page 1252 as UTF-8, and a float keeps the
// digits it was written with (1.2, not 1.2000000476837158).
#pragma once

#include <charconv>
#include <cstddef>
#include <cstdlib>
#include <string>

#include <nlohmann/json.hpp>

#include <geoproj/foundation/text_helpers.h>

namespace geoproj::tool {

inline std::string Utf8(const std::string& cp1252) { return Cp1252ToUtf8(cp1252); }

template <std::size_t N>
std::string Utf8(const char (&field)[N]) {
  return Cp1252ToUtf8(FieldText(field));
}

// The shortest decimal that reads back as the same float, as a double.
inline double FloatValue(float value) {
  char text[32];
  auto result = std::to_chars(text, text + sizeof text - 1, value);
  *result.ptr = '\0';
  return std::strtod(text, nullptr);
}

}  // namespace geoproj::tool

#include <geoproj/database/bhdbstype.h>

namespace geoproj::tool {

// The seven status bytes as integers.
inline nlohmann::ordered_json BitsJson(const bhbit& bits) {
  nlohmann::ordered_json out = nlohmann::ordered_json::array();
  for (unsigned char b : bits.b) out.push_back(static_cast<int>(b));
  return out;
}

}  // namespace geoproj::tool
