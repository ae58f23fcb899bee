// CInfoPrj: the descriptive information of one project (company, document, free text lines,
// geographic extent, coordinate and height system, transformation texts), kept in the text file
// "Info.prj" of the project directory. Constructing the object reads the file, and creates an
// empty one when the project has none; Uppdat writes every field back.
#pragma once

#include <string>

#include "geoproj/foundation/stdio_file_mem.h"

class CProjPath;

class CInfoPrj {
 public:
  static const char* const FilNamn;  // "Info.prj"

  // Reads "Info.prj" of the project, or creates it empty. With a null path the object keeps
  // its defaults and touches no file; a file that cannot be opened or created leaves the
  // defaults too.
  explicit CInfoPrj(CProjPath* path);
  CInfoPrj(const CInfoPrj&) = delete;
  CInfoPrj& operator=(const CInfoPrj&) = delete;
  virtual ~CInfoPrj();

  // Writes the twelve lines of "Info.prj" in place of what it held. 0 = written, -1 = no
  // project path or the file could not be opened.
  int Uppdat();

  // The EPSG number of a coordinate (height) system by its table index; -1 for no system.
  static int EPGSsystem(int index);
  static int EPGSsystemHeight(int index);
  // The display name of a coordinate system by its table index; empty for no system.
  static std::string TextSystem(int index);

  // The file's path in the project directory; empty without a project path.
  std::string GetFileName() const;
  // Places the last reading could not take (binary garbage, numbers that do not parse, lines
  // after the last one); each was shown as a status text with the file and line.
  int GetDroppedCount() const { return m_dropped; }

  int changed = 0;               // set by the editing sheet; never stored
  std::string company;           // line 1
  std::string document;          // line 2: path of the project document
  std::string text[3];           // lines 3 to 5
  double latMin = 0.0;           // line 6: the project's extent
  double latMax = 0.0;
  double lonMin = 0.0;
  double lonMax = 0.0;
  double centreLat = 0.0;        // line 12: the project's reference point
  double centreLon = 0.0;
  int coordSystem = -1;          // line 6: index into the coordinate-system table, -1 none
  int heightSystem = -1;         // line 6: index into the height-system table, -1 none
  std::string heightText;        // line 8
  std::string coordText;         // line 7
  std::string transformation[3]; // lines 9 to 11
  CProjPath* projpath = nullptr; // not owned
  CStdioFileMem file;

 private:
  void Read();
  void ReadTextLine(std::string* field);
  void ReadExtentLine();
  void ReadCentreLine();
  void CreateEmpty();
  void WriteTextLine(const std::string& field);

  int m_dropped = 0;
};
