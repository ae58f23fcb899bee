#include <geoproj/platform/uuid.h>

#include <random>

namespace geoproj {
namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool IsDashPosition(size_t i) { return i == 8 || i == 13 || i == 18 || i == 23; }

}  // namespace

Uuid CreateUuid() {
  thread_local std::mt19937_64 engine{std::random_device{}()};
  Uuid uuid;
  for (size_t i = 0; i < 16; i += 8) {
    std::uint64_t r = engine();
    for (size_t k = 0; k < 8; ++k) uuid.bytes[i + k] = static_cast<std::uint8_t>(r >> (8 * k));
  }
  uuid.bytes[6] = static_cast<std::uint8_t>((uuid.bytes[6] & 0x0F) | 0x40);  // version 4
  uuid.bytes[8] = static_cast<std::uint8_t>((uuid.bytes[8] & 0x3F) | 0x80);  // RFC 4122 variant
  return uuid;
}

std::string FormatUuid(const Uuid& uuid) {
  static const char kHex[] = "0123456789abcdef";
  std::string text;
  text.reserve(36);
  for (size_t i = 0; i < 16; ++i) {
    if (i == 4 || i == 6 || i == 8 || i == 10) text += '-';
    text += kHex[uuid.bytes[i] >> 4];
    text += kHex[uuid.bytes[i] & 0x0F];
  }
  return text;
}

bool ParseUuid(const std::string& text, Uuid* uuid) {
  if (text.size() != 36) return false;
  Uuid parsed;
  size_t byte = 0;
  for (size_t i = 0; i < 36;) {
    if (IsDashPosition(i)) {
      if (text[i] != '-') return false;
      ++i;
      continue;
    }
    int hi = HexValue(text[i]), lo = HexValue(text[i + 1]);
    if (hi < 0 || lo < 0) return false;
    parsed.bytes[byte++] = static_cast<std::uint8_t>(hi << 4 | lo);
    i += 2;
  }
  if (uuid) *uuid = parsed;
  return true;
}

std::string NewUuidText() { return FormatUuid(CreateUuid()); }

}  // namespace geoproj
