// CBorviMil: the environmental sampling data of a borehole (method code 45), kept in the
// borehole's separate file ID.MIL or, in embedded mode, as a block in a file the caller passes.
// Each sample is three lines: name, depth and three marks; a kind, a value and two marks; a
// comment.
#pragma once

#include <string>

#include "geoproj/foundation/list0.h"

class CStdioFileMem;

// One sample. Plain and copied bytewise; a new sample is all zero.
struct miljtype {
  char namn[8];        // sample name, first word of line 1
  float djup;          // metres; the sort key
  char m1[2];          // one character
  char m2[2];          // one character; "N" when line 1 is incomplete
  char m3[5];          // up to 4 characters
  char m4[7];          // up to 6 characters, first word of line 2
  float mvarde;        // value of line 2
  char m5[9];          // the 8 characters from column 21 of line 2
  char m6[2];          // one character
  char kommentar[33];  // line 3, up to 32 characters
};

class CBorviMil : public list0<miljtype> {
 public:
  static constexpr int Metod = 45;

  CBorviMil(int option1, int option2, int samlagring);
  ~CBorviMil() override = default;

  // Reads the file passed (opened here when it is closed) or, in embedded mode, the block after
  // its code line, whose date datum gives when not null. -1 when there is no data (the file
  // does not open), else 0. Lines it cannot take are reported as dropped content of the file
  // and counted in m_droppedContent.
  int Init(CStdioFileMem* file, const char* id, const std::string* datum);
  // Writes the file (or the block in embedded mode) to file, which is open for writing.
  // Gives the data a GUID when it has none. Always 0.
  int Uppdat(CStdioFileMem* file);

  int hkod = 0;             // header number
  char kodsystem[4] = {};   // "SGF" or "BVF"
  float hvarde = 0.0f;      // header number
  char datum[12] = {};      // block date; "-" in the file when unknown
  char skapad[11] = {};     // creation date of the file read, year-month-day
  char andrad[11] = {};     // last-write date of the file read, year-month-day
  int m_option1 = 0;
  int m_option2 = 0;
  int samlagring = 0;       // non-zero: a block in the caller's file
  std::string guid;
  int m_droppedContent = 0;

 protected:
  // Orders by depth, shallowest first, for keys 1 and -1.
  int Sortval(int key) override;

 private:
  void ReadFileDates(const std::string& path);
  void ReadHeader(CStdioFileMem* file, const std::string* datumArg);
  void ReadSamples(CStdioFileMem* file);
  void ReadFirstLine(CStdioFileMem* file, const std::string& line, miljtype* m);
  void ReadSecondLine(CStdioFileMem* file, const std::string& line, miljtype* m);
  void WriteLine(CStdioFileMem* file, const std::string& line) const;
};
