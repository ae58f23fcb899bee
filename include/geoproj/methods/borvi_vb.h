// CBorviVb: a vane test (method code 20), one record per test depth, kept in the borehole's
// file ID.VB, which carries the borehole's header numbers and origin section too: the vane
// object reads and writes those fields of its sounding object. It also offers the host the
// calculations of the evaluation: interpolation in a vane's calibration table from
// "Vingebor.kal", rounding to instrument units, a running stress sum and a correction factor.
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "geoproj/foundation/list0.h"
#include "geoproj/foundation/stdio_file_mem.h"

class CBorviSnd;
class CBorvIni;
class CBorviPrv;

// One test depth. Plain and copied bytewise; a new record is all zero.
struct vinbtype {
  float djup;     // test depth, metres
  float varde1;
  float varde2;
  float varde3;
  float varde4;
  int tal1;
  float varde5;
  int tal2;
  float varde6;
  char text[20];  // one word, up to 19 characters
};

class CBorviVb : public list0<vinbtype> {
 public:
  static constexpr int Metod = 20;
  static const char* const Kalfilnamn;  // "Vingebor.kal"

  CBorviVb();
  CBorviVb(int option1, CBorviSnd* snd, CBorvIni* ini);
  ~CBorviVb() override;

  // Reads the vane file passed (closed: it is opened here). 0 always; a file that was open
  // already or does not open is not read. Lines it cannot take are reported as dropped
  // content of the file and counted in m_droppedContent.
  int Init(CStdioFileMem* file, const char* id);
  // Writes the vane file (opened here unless it is open or in memory mode). -1 when it cannot
  // be created, else 0.
  int Uppdat(CStdioFileMem* file);
  void AddToPrv(CBorviPrv*) {}

  // The calibration file: found in the project directory, then in the settings' two
  // calibration directories. 0 = open, -1 = not found or not openable.
  int KalfilInit();
  // The next vane name in the file other than the one met last (it becomes kalnamn), or null
  // at the end.
  const char* KalfilNext();
  // Moves to the entries of the vane name; 0 = found, -1 = not there.
  int KalfilFind(const char* name);
  // The next calibration number of the current vane name; 0 when the next entry has another
  // name, -1 at the end or when a number line does not read.
  int KalfilNextVinge();
  int KalfilClose();
  // Loads the table of one vane name and number; the number of pairs.
  int KalfilLoad(const char* name, int nr);

  // Interpolates in the table loaded; outside it the negated last value.
  double KalValue(double x) const;
  // a / b in whole instrument units, rounded; never below 0.
  int SensValue(double a, double b) const;
  // Adds the stress of one layer to the running sum (restarted when fortsatt is 0).
  double ro0pValue(double z1, double z2, double g, int fortsatt);
  // The correction factor; negative values mark one outside the valid range.
  double korrValue(int typ, double x, double y) const;

  char skapad[11] = {};  // creation date of the file read, year-month-day
  char andrad[11] = {};  // last-write date of the file read
  int m_option1 = 0;     // non-zero: lines of the origin section go to the sounding's hook
  CBorviSnd* snd = nullptr;  // the owning sounding; its header fields live in the vane file
  CBorvIni* ini = nullptr;
  char vinge[12] = {};   // vane name of the test, up to 10 characters
  int vingenr = 0;       // vane number of the test
  std::string guid;
  std::unique_ptr<CStdioFileMem> kalfil;  // the calibration file while it is read
  char kalnamn[12] = {}; // vane name of the calibration entry met last
  int kalnr = 0;         // number of that entry; -1: a number line comes next
  std::vector<std::pair<double, double>> kaltabell;  // (x, y) pairs of the loaded table
  int kalantal = 0;
  double sigma = 0.0;    // running sum of ro0pValue
  int m_droppedContent = 0;

 private:
  void ReadFileDates(const std::string& path);
  void ReadHeader(CStdioFileMem* file);
  void ReadCommentLine(std::string line);
  void ReadRecords(CStdioFileMem* file, const char* id);
  void ReadOrigin(CStdioFileMem* file, const char* id);
  void WriteRecords(CStdioFileMem* file);
  void WriteOrigin(CStdioFileMem* file);
  bool KalLine(std::string& line);
  bool KalNextName(std::string* name);
  void ReadPairs();

  CBorviSnd& Sounding();

  int m_kalStjarnor = 2;  // "*" lines read since the last name line; 2 before the first
  std::unique_ptr<CBorviSnd> m_egenSnd;
};
