// CBorviMtn: the measurements of an installed measuring device (inclinometer tube, settlement
// hose, flow gauge, pore-pressure gauge), kept in the file ID.MTN of a measurement point. Each
// measurement is a dated set of rows; the file may carry a road alignment. The host puts the
// object in the sounding file's measurement slot, whose header values the file repeats.
#pragma once

#include <memory>
#include <string>

#include "geoproj/database/bhdbstype.h"
#include "geoproj/foundation/list0.h"
#include "geoproj/platform/date_time.h"

class CBorviSnd;
class CMtnKol;
class CStdioFileMem;
class CVaglinje;
namespace geoproj::gvr {
class Lines;
}

// One measurement. Its rows are owned by the CBorviMtn that holds it.
struct mtntype {
  char datum[12];      // not filled here
  int ar;
  int man;
  int dag;
  char tid[9];         // hh:mm as read
  char flagga[2];      // "J": counts in the statistics
  char kommentar[70];
  CMtnKol* kol;        // the rows
};

class CBorviMtn : public list0<mtntype> {
 public:
  static const char* const m_cmetodkoder[];  // "INKL", "SLAN", "FLÖD", "PP"
  static const char* const m_matartyper[];   // their long names
  static const int m_antmatartyper;

  CBorviMtn();
  // snd: the owning sounding file, whose header values the file repeats (null: the object
  // keeps them in a sounding file of its own).
  CBorviMtn(int trace, CBorviSnd* snd);
  ~CBorviMtn() override;

  // Reads the file (nothing when it does not exist); 0.
  int Init(CStdioFileMem* file, const char* name);
  // Writes the file; 0, or -1 when it cannot be created.
  int Uppdat(CStdioFileMem* file, const char* name);
  // Gives the current measurement a new empty row list: 1, or 0 without a current one.
  int NyKol();
  // Makes the measurement of that date and hour:minute current: 1, or 0.
  int FindColumn(int year, int month, int day, int hour, int minute);
  // The current measurement's moment; invalid when its date does not form one. Returns 1.
  int GetOleTime(geoproj::OleDateTime* t);
  // Minimum, maximum and mean of row values: without a period the first row of the first
  // measurement; with one, every counted row of the counted measurements in it. Hose
  // settlement ("SLAN") is measured against the first measurement, in thousandths.
  int MinMaxMedel(double* min, double* max, double* mean, const geoproj::OleDateTime* from,
                  const geoproj::OleDateTime* to);
  // Measurement point and its method in the status bits; 0.
  int MtnStat(bhbit* bits);

  double reserv = 0.0;        // not read or written here
  double nummer6 = 0.0;       // second value of header line 6
  double nummer3 = 0.1;       // the value of text 3, when it has one
  std::string text2;          // after the number on header line 2
  CVaglinje* vaglinje = nullptr;  // owned; the LINJE section, none without one
  std::string text1;          // after the number on header line 1
  std::string ord2;           // second word of the method line
  char metod[5] = {};         // method code, one of m_cmetodkoder
  char text3[11] = {};        // after the number on header line 3
  char skapad[11] = {};       // creation date of the file, year-month-day
  char andrad[11] = {};       // last-write date of the file
  int trace = 1;
  std::string kommentar[4];
  int inklinometer = 0;       // 1 when the method line named "Inklinometer"
  CBorviSnd* snd = nullptr;
  // Places of the last Init the reader could not take (reported with file and line).
  int m_droppedContent = 0;

 private:
  void ReadHeader(geoproj::gvr::Lines& in);
  void ReadHeaderText(geoproj::gvr::Lines& in, const std::string& raw, int index);
  void ReadBody(geoproj::gvr::Lines& in);
  void ReadMeasurement(geoproj::gvr::Lines& in, const std::string& header);
  void ReadRow(geoproj::gvr::Lines& in, const std::string& line);
  void ReadAlignment(geoproj::gvr::Lines& in);
  void WriteFile(CStdioFileMem& file);
  void WriteMeasurement(CStdioFileMem& file, const mtntype& m);
  geoproj::OleDateTime Moment(const mtntype& m) const;
  void DeleteRows();

  std::unique_ptr<CBorviSnd> m_egenSnd;
};
