// CLinjeBvData: a line of the project map, a list of points with up to five layer values per
// point, kept in the ".LJE" file of its name in the project's line-file folder and summarised by
// a record of the line database.
#pragma once

#include <string>

#include <geoproj/foundation/list0.h>

class CProjPath;
class CKvarBvDbs;
class CStdioFileMem;

// One point of a line.
struct lintype {
  double forst;          // first value, written with two decimals; not part of the box
  double x, y, z;
  double lager[5];       // value of layer 1 to 5 at this point
  char lagtext[5][8];    // text of layer 1 to 5 at this point, one word
  char text[8];          // point text, one word
};

class CLinjeBvData : public list0<lintype> {
 public:
  // Kinds of line.
  static constexpr int KR = 0;
  static constexpr int SP = 1;
  static constexpr int FP = 2;
  static constexpr int KV = 3;
  static constexpr int JG = 4;
  static constexpr int LI = 5;
  // Soil codes a line can carry by index, each three characters padded with blanks.
  static const char* const JORDART[12];

  CLinjeBvData();
  CLinjeBvData(CProjPath* proj, const char* name, int metod);
  ~CLinjeBvData() override = default;

  int SetMetod(int metod) {
    m_metod = metod;
    return 0;
  }

  // Reads the ".LJE" file; the method line is taken only with read_method 1. -1 when the file
  // does not exist or cannot be opened, else 0. Lines that do not parse are reported (file and
  // line) and counted in m_droppedContent.
  int Init(int read_method);

  // Writes the ".LJE" file, then refreshes the database's current record (which the caller has
  // positioned on this line's record) with the line's box and state. 0; -3 when the file cannot
  // be created; the database's failure when the record cannot be written.
  int Save(CKvarBvDbs* db);

  // The first point's coordinates; -1 when the line has none.
  int FirstPoint(double* x, double* y, double* z);

  // The ".LJE" file of this line.
  std::string GetFilePath() const;

  char m_lagnamn[5][16] = {};  // name of layer 1 to 5; empty = no layer
  int m_typ = 0;               // kind, KR to LI
  int m_nummer = 90;
  double m_varde = 0.0;
  int m_metod = 0;
  char m_jordart[9] = {};      // soil code: a JORDART entry or another word
  CProjPath* m_proj = nullptr;  // not owned
  std::string m_filnamn;
  int m_droppedContent = 0;    // lines the last Init could not take

 private:
  struct Box;
  void ReadHeaderLine(CStdioFileMem& file, int index, const std::string& line,
                      int read_method);
  void ReadPoints(CStdioFileMem& file);
  void ReadLayers(CStdioFileMem& file);
  void WriteHeader(CStdioFileMem& file, CKvarBvDbs* db);
  void WritePoints(CStdioFileMem& file, Box& box);
  void WriteLayers(CStdioFileMem& file, Box& box);
  int UpdateRecord(CKvarBvDbs* db, const Box& box);
  int JordartIndex() const;
};
