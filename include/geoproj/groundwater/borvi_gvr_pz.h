// CBorviGvrPz: the reader and writer of every groundwater file ID.GVR whose kind is not a
// groundwater pipe ("GD") or a settlement point ("DB", "MP"): piezometers "PZ", "GV" and the
// rest. The file has the pipe's header and a reading line of its own. Every CBorviGvr owns one
// and lets it look at the file first.
#pragma once

#include <memory>
#include <string>

#include "geoproj/database/bhdbstype.h"
#include "geoproj/foundation/list0.h"

class CBorviSnd;
class CBorvIni;
class CPoreKalFil;
class CStdioFileMem;
namespace geoproj::gvr {
class Lines;
}

// One piezometer reading; the fields are the host's, stored and written in this order.
struct pzrortype {
  char falt1[4];    // one word, at most 3 characters
  int falt2;
  float falt3;      // written with three decimals
  int falt4;
  float falt5;      // written with three decimals
  char falt6[12];   // one word, at most 11 characters
};

class CBorviGvrPz : public list0<pzrortype> {
 public:
  static const char* const m_typer[];
  static const int m_anttyper;
  static const char* const m_dubbtyper[];
  static const int m_antdubbtyper;

  // snd: the owning sounding file, whose header values the file repeats (null: the reader keeps
  // them in a sounding file of its own).
  CBorviGvrPz(int trace, CBorviSnd* snd, CBorvIni* ini);
  ~CBorviGvrPz() override;

  // 0 = the file was read here; 1 = its kind is "GD", "DB" or "MP" and the pipe reader must read
  // it (only the header was looked at); -1 = the file is missing or a reading line is damaged.
  int Init(CStdioFileMem* file, const char* name);
  // Writes the file; 0, or -1 when it cannot be created.
  int Uppdat(CStdioFileMem* file, const char* name);
  // The groundwater kind of the borehole status bits; returns 0.
  int GvrStat(bhbit* bits);
  // Loads the pore-pressure calibration table once; the result of its Init, 0 when loaded.
  int ReadPoreKal();

  // True for the kinds the pipe reader reads ("GD", "DB", "MP", and "RÖ", which it writes as
  // "GD").
  static bool PipeKind(const char* kind);

  char typ[3] = {};       // kind; "PP" read from a file is stored as "PZ"
  char skapad[11] = {};   // creation date of the file, year-month-day
  char andrad[11] = {};   // last-write date of the file
  float varde1 = 0.0f;    // first value of header line 7
  float varde2 = 0.0f;    // first value of header line 8
  float reserv = 0.0f;    // not read or written here
  float varde3 = 0.0f;    // header line 9
  int nummer1 = 0;        // first number of the kind line
  int nummer2 = 0;        // second number of the kind line
  char guidmark[4] = {};  // "99" when the file has the GUID section
  int trace = 0;
  std::string guid;       // the piezometer's own GUID, from the kind line
  std::string guidtext;   // the borehole GUID read from the GUID section
  std::string kommentar[4];
  CBorvIni* ini = nullptr;
  CPoreKalFil* porekal = nullptr;  // owned; none until ReadPoreKal
  CBorviSnd* snd = nullptr;
  // Places of the last Init the reader could not take (reported with file and line).
  int m_droppedContent = 0;

 private:
  int ReadHeader(geoproj::gvr::Lines& in);
  int ReadBody(geoproj::gvr::Lines& in);
  void WriteFile(CStdioFileMem& file);

  std::unique_ptr<CBorviSnd> m_egenSnd;  // stands in when no sounding file was given
};
