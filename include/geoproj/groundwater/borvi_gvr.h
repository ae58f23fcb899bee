// CBorviGvr: the groundwater pipe or settlement point of a borehole, its dated readings kept in
// the file ID.GVR beside the sounding file, in date order. Pipes of kind "GD" and settlement
// points "DB" and "MP" are read and written here; every other kind by the piezometer reader it
// owns (CBorviGvrPz), which always looks at the file first. The file repeats the borehole's
// header values, which live in the owning sounding file.
#pragma once

#include <ctime>
#include <memory>
#include <string>

#include "geoproj/database/bhdbstype.h"
#include "geoproj/foundation/list0.h"
#include "geoproj/platform/date_time.h"

class CBorviGvrPz;
class CBorviSnd;
class CBorvIni;
class CStdioFileMem;
namespace geoproj::gvr {
class Lines;
}

// One reading. Plain and copied bytewise; a new reading is all zero.
struct rortype {
  char datum[12];      // dd.mm.yyyy, made from the three numbers when read
  int ar;              // year
  int man;             // month 1 to 12
  int dag;             // day 1 to 31
  float niva;          // level in metres; -990 or less is "no value"
  char flagga[2];      // "J" counts, "X" is a drawing point, anything else is only stored
  char tid[9];         // hh:mm; "00:00" when the line has none
  char status[24];     // status word of the reading, empty when none
  char kommentar[45];  // free comment
  char reserv[8];
};

class CBorviGvr : public list0<rortype> {
 public:
  static const char* const m_typer[];      // pipe kinds offered to the user
  static const int m_anttyper;
  static const char* const m_dubbtyper[];  // settlement-point kinds
  static const int m_antdubbtyper;
  static const char* const m_symbol[];     // status words of pipe readings
  static const char* const m_kort[];       // their short forms
  static const int m_antsymb;
  static const char* const m_dubsymbol[];  // status words of settlement-point readings
  static const char* const m_dubkort[];
  static const int m_antdubsymb;

  // snd: the owning sounding file, whose header values the file repeats (null: the object keeps
  // them in a sounding file of its own).
  CBorviGvr(int trace, CBorviSnd* snd, CBorvIni* ini);
  ~CBorviGvr() override;

  // Reads ID.GVR: 0 = read (here or by the piezometer reader), -1 = missing, or damaged in the
  // piezometer part, 1 = a reading line or the GUID section is damaged (what was read stays).
  int Init(CStdioFileMem* file, const char* name);
  // Writes ID.GVR (sorted by date first); 0, or -1 when it cannot be created.
  int Uppdat(CStdioFileMem* file, const char* name);

  // The current reading's moment: its date at its time when the time flag is set, else 00:00.
  // Invalid when the date does not form one. Returns 1.
  int GetOleTime(geoproj::OleDateTime* t);
  // The same moment as a local calendar time. Throws std::out_of_range for a date the calendar
  // cannot hold (year before 1900, month or day out of range). Returns 1.
  int GetTime(std::time_t* t);
  // Makes the first reading of the moment's date (and hour:minute, for a reading with a time)
  // current: 1, or 0 when none.
  int FindDatum(std::time_t t);
  int FindDatum(geoproj::OleDateTime t);
  // Makes the drawing point ("X") of r's year, month, level and status current: 1, or 0.
  int FindRitX(const rortype* r);
  // Moves values 1 and 2 and every level by dz (levels marking "no value" stay as they are).
  void AddDZ(double dz);
  // Minimum, maximum and mean of the counted readings, over the period from..to (both given)
  // or over all of them (neither given); returns the number counted. Settlement points give
  // settlements from their first counted reading, and the last one as the mean.
  int MinMaxMedel(double* min, double* max, double* mean, const geoproj::OleDateTime* from,
                  const geoproj::OleDateTime* to);
  // The groundwater kind (and whether the file has a GUID section) in the status bits; 0.
  int GvrStat(bhbit* bits);

  // The kind that decides who reads, writes and sorts: the piezometer reader's, or this
  // object's while the reader has none (a pipe the host is creating).
  const char* Kind() const;
  // True when the piezometer reader holds the file (its kind is none of "GD", "DB", "MP").
  bool IsPiezometer() const;

  char typ[3] = {};       // kind: "GD" pipe, "DB"/"MP" settlement point
  char rortext[61] = {};  // end state of a pipe ("ÖPPEN"), description of a settlement point
  char skapad[11] = {};   // creation date of the file, year-month-day
  char andrad[11] = {};   // last-write date of the file
  float varde1 = 0.0f;    // first value of header line 7 (a level)
  float varde2 = 0.0f;    // first value of header line 8 (a level)
  float varde3 = 0.0f;    // first value of header line 9
  float medelniva = 0.0f; // mean of the counted readings; -999 when not known
  int dubbmod = 0;        // 1 for a settlement point
  int tidflagga = 0;      // 1 when the readings carry clock times
  int typnummer = 0;      // third number of the kind line, kept
  char guidmark[4] = {};  // "99" when the file has the GUID section
  int trace = 0;
  std::string guid;       // the pipe's own GUID, from the kind line
  std::string kommentar[4];
  CBorviGvrPz* pz = nullptr;  // owned
  CBorvIni* ini = nullptr;
  CBorviSnd* snd = nullptr;
  // Places of the last Init the reader could not take (reported with file and line).
  int m_droppedContent = 0;

 protected:
  // Key 1: ascending by date and time (a reading without a time first on its day).
  int Sortval(int key) override;

 private:
  void TakeOverPiezometer();
  int ReadFile(geoproj::gvr::Lines& in);
  bool ReadHeader(geoproj::gvr::Lines& in);
  void ReadLine9(std::string line, geoproj::gvr::Lines& in);
  int ReadReadings(geoproj::gvr::Lines& in);
  void CompleteMean();
  bool IsSorted();
  void WriteFile(CStdioFileMem& file);
  std::string ReadingLine(const rortype& r) const;
  bool Counts(const rortype& r) const;
  geoproj::OleDateTime Moment(const rortype& r) const;

  std::unique_ptr<CBorviSnd> m_egenSnd;  // stands in when no sounding file was given
};
