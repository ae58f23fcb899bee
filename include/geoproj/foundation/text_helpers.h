// Text helpers every reader and writer uses: DOS code page conversion, identifier upper-casing,
// path splitting, code page 1252 <-> UTF-8, and bounded copies into fixed fields.
#pragma once

#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

namespace geoproj {

// Replaces the twelve DOS code page letters (å ä ö Å Ä Ö æ Æ ø Ø é É) with their code page
// 1252 bytes, in place: up to the terminating zero, or the whole string.
void DosToWin(char* text);
void DosToWin(std::string& text);

// Upper-cases an identifier the way the database compares them: a-z, å æ ø and the DOS forms of
// å æ ø. ä and ö (and their DOS forms) stay as they are. Extent as for DosToWin.
void UpperId(char* text);
void UpperId(std::string& text);

// Splits a path at its last separator (either "\" or "/") after trimming blanks and then double
// quotes. dir gets the part before (empty when none), name the part after. Returns 0.
int SplitPath(const char* path, std::string* dir, std::string* name);

// Code page 1252 <-> UTF-8. Characters 1252 cannot hold become "?".
std::string Cp1252ToUtf8(std::string_view text);
std::string Utf8ToCp1252(std::string_view text);

// Copies src into a fixed field of size bytes, cut to size - 1 characters and zero-terminated.
void CopyField(char* dst, std::size_t size, const char* src);
template <std::size_t N>
void CopyField(char (&dst)[N], const char* src) {
  CopyField(dst, N, src);
}
template <std::size_t N>
void CopyField(char (&dst)[N], const std::string& src) {
  CopyField(dst, N, src.c_str());
}
// The same for a piece of a text: up to its end or a zero byte in it.
void CopyField(char* dst, std::size_t size, std::string_view src);
template <std::size_t N>
void CopyField(char (&dst)[N], std::string_view src) {
  CopyField(dst, N, src);
}

// The text of a fixed field, which may lack its terminator in a damaged file.
template <std::size_t N>
std::string FieldText(const char (&field)[N]) {
  return std::string(field, strnlen(field, N));
}
template <std::size_t N>
std::string_view FieldView(const char (&field)[N]) {
  return std::string_view(field, strnlen(field, N));
}

// printf into a std::string.
std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace geoproj
