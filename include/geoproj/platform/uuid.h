// UUIDs: random version 4, written as 36 lower-case characters, parsed in either case.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace geoproj {

struct Uuid {
  std::array<std::uint8_t, 16> bytes{};
  bool operator==(const Uuid&) const = default;
};

Uuid CreateUuid();
// "xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx", lower case.
std::string FormatUuid(const Uuid& uuid);
// Parses the 36-character form (either case, nothing before or after); false when malformed.
bool ParseUuid(const std::string& text, Uuid* uuid);
// A new UUID in its text form.
std::string NewUuidText();

}  // namespace geoproj
