// Titles and texts of the database's messages, shared by its source files.
#pragma once

namespace geoproj::dbs {

inline constexpr const char* kTitleRead = "Innlesning av Solumbra - databas";
inline constexpr const char* kTitleUpdate = "Uppdatering av Solumbra - databas";
inline constexpr const char* kTitleCheck = "Kontroll av databas";

inline constexpr const char* kLockContent = "Database busy!";

}  // namespace geoproj::dbs
