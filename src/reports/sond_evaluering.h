// SondEvaluering: what one borehole adds to an evaluation: the sounded length and a row for
// each method block dated within the period, and the layer depths of its interpretation.
#pragma once

#include <geoproj/database/bhdbstype.h>
#include <geoproj/reports/utv_dbs.h>

#include "reports/scan_period.h"

class CBorviSnd;
class CBorviDbs;
struct metlisttype;

namespace geoproj {

class SondEvaluering {
 public:
  SondEvaluering(metscantype* scan, const ScanPeriod& period) : m_scan(scan), m_period(period) {}

  // The blocks of snd, whose database record is rec, in the order Dreie, Dtrykk, Enkel, Fjell,
  // Ram, Total, CPT. A block that does not count lowers its method's count, and a borehole
  // without any block that counts lowers the borehole count; each only where MetodScan counted
  // the record, so that no count drops for what it never counted.
  void Sounding(CBorviSnd& snd, const bhdbstype& rec);

  // The interpretation of snd, when it has layers and its record is in database.
  void Interpretation(CBorviSnd& snd, CBorviDbs& database);

 private:
  // What the evaluation reads from a block, whatever its method.
  struct Block {
    char* datum = nullptr;
    int stopp = 0;
    const char* kodsystem = "";
    bool hasRecords = false;
    float firstDepth = 0.0f;
    bool firstValuePositive = false;  // the method's test of its first record's values
    float lastDepth = 0.0f;
  };
  template <class B, class Positive>
  static Block BlockOf(B& block, char* datum, int stopp, const char* kodsystem, Positive positive);

  bool Method(CBorviSnd& snd, const bhdbstype& rec, ScanMetod method, Block block);
  float StartDepth(const CBorviSnd& snd, const Block& block, bool cpt) const;
  void AddRow(CBorviSnd& snd, ScanMetod method, const Block& block, float length);
  CProjektMetodLista* List(metscanmetodtype& entry, const char* name);
  // Chainage and offset of (x, y) along the scan's road alignment; the list is marked as
  // holding such values. False without an alignment.
  bool AlongAlignment(CProjektMetodLista* list, double x, double y, metlisttype* row) const;
  void LowerCount(int* count, const bhdbstype& rec, BhBitPlace bit) const;

  metscantype* m_scan;
  const ScanPeriod& m_period;
};

}  // namespace geoproj
