// Text into a fixed header field: cut to the field, zero-terminated and padded with zeros, so
// that a shorter text leaves nothing of the longer one it replaced in the file.
#pragma once

#include <cstddef>
#include <cstring>
#include <string>

#include <geoproj/foundation/text_helpers.h>

namespace geoproj {

template <std::size_t N>
void SetPaddedField(char (&field)[N], const std::string& text) {
  std::memset(field, 0, N);
  CopyField(field, text);
}

}  // namespace geoproj
