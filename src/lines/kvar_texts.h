// Titles and texts of the line database's messages, shared by its source files.
#pragma once

namespace geoproj::lines {

inline constexpr const char* kTitleRead = "Inl\xE4sning av Kvartolin - databas";
inline constexpr const char* kTitleUpdate = "Uppdatering av Kvartolin - databas";
inline constexpr const char* kCannotOpen = "Kan ej \xF6ppna databas: %s";
inline constexpr const char* kCannotOpenStatus = "Kan ej \xF6ppna databas : %s";

// Marker files of the line program in the project directory, and the spare copy.
inline constexpr const char* kCadMarker = "TMPCAD.PB$";
inline constexpr const char* kProgMarker = "TMPPROG.PB$";
inline constexpr const char* kSpareCopy = "temp.sdbs";

// The pause after the status text that says where reading stopped, so that the user sees it.
// Tests and fuzz targets set it to 0.
inline int g_stopPauseMs = 300;

}  // namespace geoproj::lines
