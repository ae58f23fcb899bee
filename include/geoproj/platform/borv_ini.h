// CBorvIni: the installation settings. The host creates it with the installation directory and
// hands the library a pointer; the library never owns it.
//
// The settings are the INI file "Borvi.ini" in the installation directory, read once by the
// constructor (a missing or unreadable file means no settings):
//   [SECTION]        a section header; blanks around the name are ignored
//   key = value      a setting of the current section; blanks around key and value are ignored
//   ; comment        ignored, as are blank lines, lines without "=" and settings before the
//                    first section header
// Lines end with CR LF or LF. Section and key names are compared without regard to case; the
// first occurrence of a key in a section wins. Values are code page 1252 text, kept as written.
// The ignored lines other than blank lines and comments, and lines holding binary garbage, are
// reported as dropped content (status text with the file and line) and counted.
//
// The directories searched for calibration files after the project directory are the settings
// KALIBKAT1 and KALIBKAT2 of section [KATALOG]. A relative directory is taken relative to the
// installation directory; a missing or empty one defaults to the installation directory's
// sub-folders "Kalib" and "Data".
#pragma once

#include <map>
#include <string>
#include <utility>

class CBorvIni {
 public:
  static const char* const IniNamn;     // "Borvi.ini"
  static const char* const KatSektion;  // "KATALOG", the section naming the directories

  explicit CBorvIni(const char* installDir);
  CBorvIni(const CBorvIni&) = default;
  CBorvIni& operator=(const CBorvIni&) = default;
  virtual ~CBorvIni() = default;

  // The value of key in section; empty when either is missing.
  std::string ReadKey(const char* section, const char* key) const;
  // Whether section holds key (an empty value counts as present).
  bool HasKey(const char* section, const char* key) const;

  // The installation directory, without trailing separator. It holds "Kodfil.dat".
  const std::string& InstallDir() const { return m_installDir; }
  // The first and second further directory searched for "Vingebor.kal" and "Poretryk.kal",
  // without trailing separator.
  std::string KalibKat1() const;
  std::string KalibKat2() const;

  // Whether "Borvi.ini" was found and read.
  bool Loaded() const { return m_loaded; }
  // Lines of "Borvi.ini" that were not taken (see above).
  int DroppedContent() const { return m_droppedContent; }

 private:
  using Key = std::pair<std::string, std::string>;  // upper-cased section and key

  static Key MakeKey(const char* section, const char* key);
  void Load();
  std::string Directory(const char* key, const char* defaultSub) const;

  std::string m_installDir;
  std::map<Key, std::string> m_values;
  bool m_loaded = false;
  int m_droppedContent = 0;
};
