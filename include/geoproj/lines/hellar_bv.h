// CHellarBv: an outcrop of the project map: its outline and further marked sub-objects, each
// with its own point list, kept in the ".LAD" file of its name in the project's line-file folder
// and summarised by a record of the line database.
#pragma once

#include <cstdint>
#include <string>

#include <geoproj/foundation/list0.h>
#include <geoproj/lines/hkolista_bv.h>

class CProjPath;
class CKvarBvDbs;
class CStdioFileMem;

// One element: the first is the outline, each further one a sub-object.
struct helltype {
  std::int16_t a, b;
  std::int16_t v[8];
  char text[24];          // at most 18 characters
  CHkolistaBv* punkter;   // owned; created with the element's first point
};

class CHellarBv : public list0<helltype> {
 public:
  CHellarBv(CProjPath* proj, const char* name);
  // Destroys every element's point list.
  ~CHellarBv() override;
  CHellarBv(const CHellarBv&) = delete;
  CHellarBv& operator=(const CHellarBv&) = delete;

  // Reads the ".LAD" file (the outline element is created first, without points). -1 with the
  // header at its defaults when the file does not exist or cannot be opened, else 0. Lines that
  // do not parse are reported (file and line) and counted in m_droppedContent.
  int Init();

  // Writes the ".LAD" file, then SaveToDbs. 0; -3 when the file cannot be created.
  int Save(CKvarBvDbs* db);

  // Refreshes the database's current record (which the caller has positioned on this outcrop's
  // record): the outline's box, the object values and the link to a point record. 0, or the
  // database's failure when the record cannot be written.
  int SaveToDbs(CKvarBvDbs* db);

  // The outline's first point; -1 when it has none.
  int FirstPoint(double* x, double* y, double* z);

  // The ".LAD" file of this outcrop.
  std::string GetFilePath() const;

  double m_trip1[3] = {};
  double m_trip2[3] = {};   // copied into the record's three object values
  double m_varde = 0.0;
  std::int16_t m_nummer[6] = {};  // numbers 1 to 6; number 1 is the record's object byte
  char m_koppid[16] = {};   // identifier of the point record the outcrop belongs to
  char m_text[11] = {};
  CProjPath* m_proj = nullptr;  // not owned
  std::string m_filnamn;
  int m_droppedContent = 0;     // lines the last Init could not take

 private:
  void SetDefaults();
  void FreePoints();
  bool ReadHeader(CStdioFileMem& file);
  void ReadHeaderLine(CStdioFileMem& file, int index, const std::string& line);
  // Points up to an empty or "*" line into element; false at the end of the file.
  bool ReadPoints(CStdioFileMem& file, helltype* element);
  bool ReadSubObject(CStdioFileMem& file);
  void WritePoints(CStdioFileMem& file, const helltype& element);
  void WriteSubObject(CStdioFileMem& file, const helltype& element);
};
