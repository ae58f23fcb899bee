// Little-endian numbers in byte buffers, independent of the machine's byte order. The binary
// project files store every number this way.
#pragma once

#include <cstdint>
#include <cstddef>
#include <cstring>

namespace geoproj {

inline void PutLeU16(unsigned char* p, std::uint16_t v) {
  p[0] = static_cast<unsigned char>(v);
  p[1] = static_cast<unsigned char>(v >> 8);
}

inline void PutLeU32(unsigned char* p, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<unsigned char>(v >> (8 * i));
}

inline void PutLeU64(unsigned char* p, std::uint64_t v) {
  for (int i = 0; i < 8; ++i) p[i] = static_cast<unsigned char>(v >> (8 * i));
}

inline std::uint16_t GetLeU16(const unsigned char* p) {
  return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

inline std::uint32_t GetLeU32(const unsigned char* p) {
  std::uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | p[i];
  return v;
}

inline std::uint64_t GetLeU64(const unsigned char* p) {
  std::uint64_t v = 0;
  for (int i = 7; i >= 0; --i) v = (v << 8) | p[i];
  return v;
}

inline void PutLeI16(unsigned char* p, std::int16_t v) { PutLeU16(p, static_cast<std::uint16_t>(v)); }
inline void PutLeI32(unsigned char* p, std::int32_t v) { PutLeU32(p, static_cast<std::uint32_t>(v)); }
inline std::int16_t GetLeI16(const unsigned char* p) { return static_cast<std::int16_t>(GetLeU16(p)); }
inline std::int32_t GetLeI32(const unsigned char* p) { return static_cast<std::int32_t>(GetLeU32(p)); }

// IEEE floating point numbers keep their exact bit pattern (a text stored in a float's bytes
// survives the round trip).
inline void PutLeDouble(unsigned char* p, double v) {
  std::uint64_t bits;
  std::memcpy(&bits, &v, sizeof bits);
  PutLeU64(p, bits);
}

inline double GetLeDouble(const unsigned char* p) {
  std::uint64_t bits = GetLeU64(p);
  double v;
  std::memcpy(&v, &bits, sizeof v);
  return v;
}

inline void PutLeFloat(unsigned char* p, float v) {
  std::uint32_t bits;
  std::memcpy(&bits, &v, sizeof bits);
  PutLeU32(p, bits);
}

inline float GetLeFloat(const unsigned char* p) {
  std::uint32_t bits = GetLeU32(p);
  float v;
  std::memcpy(&v, &bits, sizeof v);
  return v;
}

// Fixed text fields of the binary databases. A damaged file may fill a field without its
// terminator; in memory every field ends inside its own bytes.
template <std::size_t N>
void GetFieldText(const unsigned char* in, std::size_t offset, char (&field)[N]) {
  std::memcpy(field, in + offset, N);
  field[N - 1] = '\0';
}

template <std::size_t N>
void PutFieldText(unsigned char* out, std::size_t offset, const char (&field)[N]) {
  std::memcpy(out + offset, field, N);
}

inline void PutLeDoubles(unsigned char* out, std::size_t offset, const double* values, int count) {
  for (int i = 0; i < count; ++i) PutLeDouble(out + offset + 8 * i, values[i]);
}

inline void GetLeDoubles(const unsigned char* in, std::size_t offset, double* values, int count) {
  for (int i = 0; i < count; ++i) values[i] = GetLeDouble(in + offset + 8 * i);
}

}  // namespace geoproj
