// CProjPath: the paths of one project. The host creates it and hands the library a pointer;
// the library never owns it.
#pragma once

#include <string>

class CProjPath {
 public:
  CProjPath() = default;
  CProjPath(const CProjPath&) = default;
  CProjPath& operator=(const CProjPath&) = default;
  virtual ~CProjPath() = default;

  // Sets the project directory (a trailing separator is dropped), the borehole-file directory
  // (the same directory) and the point list file in it. Returns 0, -1 for an empty text.
  int SetPath(const char* dir);
  // Keeps the borehole files in another directory than the project's.
  void SetBorrhalKat(const char* dir);

  // File names joined to a directory with the path separator.
  static const char* const BorvDbsNamn;  // the borehole database, "Solumbra.dbs"
  static const char* const BorvDbkNamn;  // its lock file, "Solumbra.dbk"
  static const char* const BorvParNamn;  // settings section holding "MTRLKOD"
  static const char* const BorvDbfKat;   // sub-folder of the project holding line files
  static const char* const KvarDbkNamn;  // lock file of the line database
  static const char* const KvarDbfKat;   // sub-folder of the line files
  static const char* const Gvrref;       // groundwater reference file
  static const char* const PktListNamn;  // point list file written by the symbol export

  std::string m_namn;      // project name (the last component of the directory)
  std::string m_projKat;   // the project directory, without trailing separator
  std::string m_borrKat;   // the directory of the borehole files
  std::string m_pktFil;    // the point list file
};
