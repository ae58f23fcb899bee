#include "reports/sond_evaluering.h"

#include <algorithm>
#include <cmath>
#include <string>

#include <geoproj/database/borvi_dbs.h>
#include <geoproj/foundation/text_helpers.h>
#include <geoproj/methods/borvi_cpt.h>
#include <geoproj/methods/borvi_tlk.h>
#include <geoproj/platform/vaglinje.h>
#include <geoproj/reports/projekt_metod_lista.h>
#include <geoproj/sounding/borvi_dreie.h>
#include <geoproj/sounding/borvi_dtrykk.h>
#include <geoproj/sounding/borvi_enkel.h>
#include <geoproj/sounding/borvi_fjell.h>
#include <geoproj/sounding/borvi_ram.h>
#include <geoproj/sounding/borvi_snd.h>
#include <geoproj/sounding/borvi_total.h>

namespace geoproj {
namespace {

constexpr BhBitPlace kMethodBits[kScanMetoder] = {kBitDreie, kBitDtrykk, kBitEnkel, kBitFjell,
                                                  kBitRam,   kBitTotal,  kBitVane,  kBitCpt};

// The interpretation depths, by the old material words that make them.
enum Depth { kFill, kCrust, kClay, kFriction, kDepths };

int DepthOf(const std::string& word) {
  if (word == "FYLLNING") return kFill;
  if (word == "TORRSKORPA") return kCrust;
  if (word == "LERA") return kClay;
  if (word == "SAND" || word == "MOR\xC4N" || word == "GRUS" || word == "FRIKTJORD") return kFriction;
  return -1;
}

bool IsOldWord(const CBorviTlk& tlk, const std::string& word) {
  return std::find(tlk.gamlaOrd.begin(), tlk.gamlaOrd.end(), word) != tlk.gamlaOrd.end();
}

// A layer's material word as the evaluation compares it.
std::string UpperWord(const matetype& layer) {
  std::string word = FieldText(layer.namn);
  UpperId(word);
  return word == "MORAEN" ? std::string("MOR\xC4N") : word;
}

// A depth as text with the sounding file's decimals; empty when it is none.
std::string DepthText(double depth, int decimals) {
  if (std::fabs(depth) <= 0.001) return std::string();
  return Format("%.*lf", std::clamp(decimals, 0, 17), depth);
}

}  // namespace

template <class B, class Positive>
SondEvaluering::Block SondEvaluering::BlockOf(B& block, char* datum, int stopp,
                                              const char* kodsystem, Positive positive) {
  Block b;
  b.datum = datum;
  b.stopp = stopp;
  b.kodsystem = kodsystem;
  if (block.Home() < 0) return b;
  b.hasRecords = true;
  b.firstDepth = block.Get_aktel()->djup;
  b.firstValuePositive = positive(*block.Get_aktel());
  block.End();
  b.lastDepth = block.Get_aktel()->djup;
  return b;
}

void SondEvaluering::Sounding(CBorviSnd& snd, const bhdbstype& rec) {
  const auto value = [](const auto& r) { return r.varde > 0; };
  bool counted = false;
  if (snd.dreie)
    counted |= Method(snd, rec, kScanDreie,
                      BlockOf(*snd.dreie, snd.dreie->m_datum, snd.dreie->m_stopp,
                              snd.dreie->m_kodtyp, value));
  if (snd.dtrykk)
    counted |= Method(snd, rec, kScanDtrykk,
                      BlockOf(*snd.dtrykk, snd.dtrykk->m_datum, snd.dtrykk->m_stopp,
                              snd.dtrykk->m_kodtyp, value));
  if (snd.enkel)
    counted |= Method(snd, rec, kScanEnkel,
                      BlockOf(*snd.enkel, snd.enkel->m_datum, snd.enkel->m_stopp,
                              snd.enkel->m_kodtyp, value));
  if (snd.fjell)
    counted |= Method(snd, rec, kScanFjell,
                      BlockOf(*snd.fjell, snd.fjell->m_datum, snd.fjell->m_stopp,
                              snd.fjell->m_kodtyp, value));
  if (snd.ram)
    counted |= Method(snd, rec, kScanRam,
                      BlockOf(*snd.ram, snd.ram->m_datum, snd.ram->m_stopp, snd.ram->m_kodtyp,
                              [](const ramsondtype& r) { return r.varde2 != 0 || r.varde1 > 0; }));
  if (snd.total)
    counted |= Method(snd, rec, kScanTotal,
                      BlockOf(*snd.total, snd.total->m_datum, snd.total->m_stopp,
                              snd.total->m_kodtyp,
                              [](const totaltype& r) { return r.varde1 > 0 || r.varde3 > 0; }));
  if (snd.cpt) {
    if (m_scan->cptdatum == 2) CopyField(snd.cpt->datum, FieldText(snd.skapad));
    counted |= Method(snd, rec, kScanCpt,
                      BlockOf(*snd.cpt, snd.cpt->datum, snd.cpt->htal2, snd.cpt->kodsystem,
                              [](const cpttype&) { return false; }));
  }
  if (!counted && HasBit(rec.bit, kBitBorehole)) --m_scan->antalbh;
}

bool SondEvaluering::Method(CBorviSnd& snd, const bhdbstype& rec, ScanMetod method, Block block) {
  CBorviDbs::DatumFix(block.datum);
  if (!block.hasRecords || !m_period.Contains(block.datum)) {
    LowerCount(&m_scan->metodantal[method], rec, kMethodBits[method]);
    return false;
  }
  const float start = StartDepth(snd, block, method == kScanCpt);
  const float length = block.lastDepth - start;
  metscanmetodtype& entry = m_scan->metod[method];
  entry.meter += length;
  entry.antal += 1;
  m_scan->totmeter += length;
  AddRow(snd, method, block, length);
  return true;
}

// Soundings begin at the file's start depth, unless the first record lies above it and already
// shows resistance, when they are measured from the surface. A CPT in the borehole fixes the
// start depth of every method.
float SondEvaluering::StartDepth(const CBorviSnd& snd, const Block& block, bool cpt) const {
  float start = snd.startdjup;
  if (block.firstDepth < start) {
    if (cpt)
      start = block.firstDepth - 0.025f;
    else if (block.firstValuePositive)
      start = 0.0f;
  }
  if (snd.cpt) start = snd.startdjup > 0.0f ? snd.startdjup : 0.0f;
  return start;
}

void SondEvaluering::AddRow(CBorviSnd& snd, ScanMetod method, const Block& block, float length) {
  CProjektMetodLista* list = List(m_scan->metod[method], CUtvDbs::m_listnamn[method]);
  metlisttype row{};
  CopyField(row.id, FieldText(snd.id));
  row.x = snd.hvarde[0];
  row.y = snd.hvarde[1];
  row.z = snd.hvarde[2];
  if (!AlongAlignment(list, row.x, row.y, &row)) {
    row.sek = snd.hvarde[3];
    row.avst = snd.hvarde[4];
  }
  row.stopp = snd.StoppKod(block.stopp, block.kodsystem);
  CopyField(row.datum1, block.datum);
  CopyField(row.skapad, FieldText(snd.skapad));
  CopyField(row.andrad, FieldText(snd.andrad));
  row.langd = length;
  list->Ny(1, &row);
}

void SondEvaluering::Interpretation(CBorviSnd& snd, CBorviDbs& database) {
  CBorviTlk* tlk = snd.tlk;
  if (!tlk || tlk->Home() < 0) return;
  char id[9];
  CopyField(id, FieldText(snd.id));
  if (database.Findid(id) != 0) return;
  const bhdbstype rec = *database.Get_aktel();
  m_scan->tlk.antal += 1;
  double depth[kDepths] = {};
  float lastLevel = 0.0f;
  do {
    const matetype& layer = *tlk->Get_aktel();
    const std::string word = UpperWord(layer);
    const int which = IsOldWord(*tlk, word) ? DepthOf(word) : -1;
    if (which >= 0) depth[which] = rec.z - layer.niva;
    lastLevel = layer.niva;
  } while ((*tlk)++);
  const double total = rec.z - lastLevel;

  CProjektMetodLista* list = List(m_scan->tlk, CUtvDbs::m_tlknamn);
  metlisttype row{};
  CopyField(row.id, FieldText(rec.id));
  row.x = rec.x;
  row.y = rec.y;
  // The level takes part in the scan's extents: a row without it would pull the lowest level
  // of every project with an interpretation down to 0.
  row.z = rec.z;
  if (!AlongAlignment(list, row.x, row.y, &row)) {
    row.sek = rec.sek;
    row.avst = rec.avst;
  }
  for (int i = 0; i < kDepths; ++i) CopyField(row.text[i], DepthText(depth[i], snd.option0));
  CopyField(row.text[kDepths], DepthText(total, snd.option0));
  list->Ny(1, &row);
  m_scan->tlk.meter += total;
}

CProjektMetodLista* SondEvaluering::List(metscanmetodtype& entry, const char* name) {
  if (!entry.lista) entry.lista = new CProjektMetodLista(name);
  return entry.lista;
}

bool SondEvaluering::AlongAlignment(CProjektMetodLista* list, double x, double y,
                                    metlisttype* row) const {
  if (!m_scan->vaglinje) return false;
  list->m_vaglinje = 1;
  row->sek = 0.0;
  row->avst = 0.0;
  m_scan->vaglinje->Vagstv(x, y, &row->sek, &row->avst);
  return true;
}

void SondEvaluering::LowerCount(int* count, const bhdbstype& rec, BhBitPlace bit) const {
  if (HasBit(rec.bit, kBitBorehole) && HasBit(rec.bit, bit)) --*count;
}

}  // namespace geoproj
