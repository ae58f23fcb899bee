// Titles and texts of the database's messages, shared by its source files.
#pragma once

#include <cstring>
#include <string>

#include <geoproj/database/bhdbstype.h>

namespace geoproj::dbs {

// A record's identifier as the database uses it: at most 8 characters, even when the field
// lacks its terminator.
inline std::string IdText(const char* id) { return std::string(id, strnlen(id, 8)); }
inline std::string IdText(const bhdbstype& r) { return IdText(r.id); }

inline constexpr const char* kTitleRead = "Innlesning av Solumbra - databas";
inline constexpr const char* kTitleUpdate = "Uppdatering av Solumbra - databas";
inline constexpr const char* kTitleCheck = "Kontroll av databas";

inline constexpr const char* kLockContent = "Database busy!";

}  // namespace geoproj::dbs
