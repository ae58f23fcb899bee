// CBorviPrv: the samples taken in one borehole (method code 40), one record per sample with its
// sampling method, depth, laboratory values and comment, kept in the borehole's sample file
// ID.PRV. Files of four generations are read (no prefix, "A41", "A42", "A43"), with their depth
// conventions and test digits brought to the current form; "A43" is written.
#pragma once

#include <string>

#include "geoproj/database/bhdbstype.h"
#include "geoproj/foundation/list0.h"

class CStdioFileMem;

// One sample. Plain and copied bytewise; a new record is all zero.
struct provtype {
  char metod[4];   // sampling method or test code, up to three characters
  int analyser;    // tests performed: the negated bit set (old files: up to three digits)
  float djup;      // sample depth, metres
  float varde1;    // first group of three values
  float varde2;
  float varde3;
  float varde4;    // second group of three values
  float varde5;
  float varde6;
  int heltal;      // a small whole number
  float varde7;
  float varde8;
  char tecken[2];  // one marker character
  char text[62];   // comment, at most 60 characters
};

class CBorviPrv : public list0<provtype> {
 public:
  static constexpr int Metod = 40;
  // The host's list of sampling methods.
  static const char* const prvmet[10];
  static const int antprvmet;

  CBorviPrv();
  CBorviPrv(int option1, int option2, int inbaddad);
  ~CBorviPrv() override = default;

  // Reads the sample file through file, opening it at its path when it is not open. -1 when it
  // cannot be opened (status text), else 0. reserv is not used. What it cannot take is reported
  // as dropped content of the file and counted in m_droppedContent.
  int Init(CStdioFileMem* file, const char* id, std::string* reserv);
  // Writes the samples in the current form; gives the set a GUID when it has none. Always 0.
  int Uppdat(CStdioFileMem* file);
  // Sets the sample bits of a borehole's status bits from the kinds of samples; -1 with none.
  int PrvStat(bhbit* bits);
  int DataCheck(int) { return 0; }

  int hkod = 0;            // remainder part (0 to 99) of the header's whole number
  int reserverad = 0;
  char kodsystem[4] = {};  // code system text
  float hvarde = 0.0f;     // header number
  char datum[12] = {};     // sampling date, day.month.year
  int kodtyp = 0;          // filter of the records read: 0 all, 1 numbered, 10 "PG", 2 vane-like
  char skapad[11] = {};    // creation date of the file read, year-month-day
  char andrad[11] = {};    // last-write date of the file read
  int hkod100 = 0;         // hundreds part of the header's whole number
  int m_option1 = 0;
  int m_option2 = 0;
  int inbaddad = 0;        // embedded: written as a block into the sounding file
  std::string guid;
  // Places the last Init could not take: a line whose numbers do not parse, binary garbage,
  // lines skipped between the header and its end line.
  int m_droppedContent = 0;

 private:
  class Reader;
  void ReadFileDates(const std::string& path);
  int ReadHeader(Reader& reader);
  void ReadRecords(Reader& reader, int generation);
  void ReadRecord(Reader& reader, const std::string& line, int generation);
  void PlaceRecord(int generation);
  std::string RecordLine(const provtype& rec) const;

  std::string m_id;           // identifier of the borehole read, for status texts
  char m_forraMetod[4] = {};  // method and depth of the record read last
  float m_forraDjup = 0.0f;
};
