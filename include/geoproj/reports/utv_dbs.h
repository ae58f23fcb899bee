// CUtvDbs: the evaluation of a project over a period. MetodScan counts the database's records
// by their status bits; SondScan reads every borehole's files, measures the sounded length of
// each method block dated within the period, lowers MetodScan's counts for the blocks it does
// not count, and collects one row per block and per interpretation in lists of the scan record.
//
// The host owns the scan record and every list in it, also the lists SondScan creates
// (DeleteScanLists frees them all).
#pragma once

#include <functional>
#include <memory>

#include <geoproj/database/borvi_dbs.h>

class CProjPath;
class CBorvIni;
class CBorviSnd;
class CProjektMetodLista;
class CVaglinje;

namespace geoproj {

// The methods of the scan record, in the order of its arrays.
enum ScanMetod {
  kScanDreie = 0,
  kScanDtrykk,
  kScanEnkel,
  kScanFjell,
  kScanRam,
  kScanTotal,
  kScanVb,
  kScanCpt,
  kScanMetoder
};

// Told by SondScan after each record it has looked at: how many of how many.
using ScanProgress = std::function<void(int done, int total)>;

}  // namespace geoproj

// What SondScan gathers for one method.
struct metscanmetodtype {
  double meter;               // sounded metres of the blocks counted
  int antal;                  // blocks counted
  CProjektMetodLista* lista;  // their rows; none until the first
};

// The scan record: the period and options the host sets, and the results of both scans.
struct metscantype {
  char frandatum[12];  // first day of the period, day.month.year; empty: no lower bound
  char tilldatum[12];  // last day, likewise; empty: no upper bound
  // Extents over every row of every list (SondScan).
  double sekmin, sekmax;
  double avstmin, avstmax;
  double xmin, xmax;
  double ymin, ymax;
  double zmin, zmax;
  int sondering;   // non-zero: boreholes with sounding blocks are evaluated
  int antalbh;     // records of the borehole kind; less those SondScan found nothing in
  int antalmil;    // records with environmental data
  int antalavp;    // AVP points
  int metodantal[geoproj::kScanMetoder];  // records per method (MetodScan), less the blocks
                                          // SondScan did not count
  double totmeter;  // all sounded metres
  int cptdatum;     // 2: a CPT block is dated by its sounding file's creation date
  metscanmetodtype metod[geoproj::kScanMetoder];  // SondScan never fills the vane entry
  metscanmetodtype tlk;                           // interpretations: total depths and rows
  CProjektMetodLista* ovrig;  // a list the host fills itself; its rows enter the extents
  CVaglinje* vaglinje;        // restricts both scans to its corridor; none: the whole project
};

class CUtvDbs : public CBorviDbs {
 public:
  // Neither is owned; settings may be none.
  CUtvDbs(CProjPath* proj, CBorvIni* ini);
  ~CUtvDbs() override = default;

  // Counts the records of the database by their bits. -1 when the database is none or empty.
  int MetodScan(CBorviDbs* database, metscantype* scan);
  // Evaluates the boreholes' files over the period. -1 when the database is none or empty, or
  // when a period text that is not empty does not read as day.month.year.
  int SondScan(CBorviDbs* database, metscantype* scan);

  // The names of the method lists SondScan creates, by ScanMetod (none for the vane entry),
  // and of the interpretation list.
  static const char* const m_listnamn[geoproj::kScanMetoder];
  static const char* const m_tlknamn;

  // A host that shows how far SondScan has come sets this; none by default.
  void SetProgress(geoproj::ScanProgress progress) { m_progress = std::move(progress); }

 private:
  // The borehole of a record read from its files, as the scans see it.
  std::unique_ptr<CBorviSnd> ReadBorehole(const bhdbstype& rec, CBorviDbs* database);

  CProjPath* m_projpath;
  CBorvIni* m_ini;
  geoproj::ScanProgress m_progress;
};

namespace geoproj {

// Deletes every list the scan record points to and clears the pointers.
void DeleteScanLists(metscantype* scan);

}  // namespace geoproj
