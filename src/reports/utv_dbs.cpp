// The two scans of an evaluation over a loaded borehole database.
#include <geoproj/reports/utv_dbs.h>

#include <cfloat>
#include <memory>
#include <utility>
#include <vector>

#include <geoproj/foundation/text_helpers.h>
#include <geoproj/platform/vaglinje.h>
#include <geoproj/reports/projekt_metod_lista.h>
#include <geoproj/sounding/borvi_snd.h>

#include "reports/scan_period.h"
#include "reports/sond_evaluering.h"

using geoproj::BhBitPlace;
using geoproj::HasBit;

namespace {

// The records in list order. The scans walk this copy of the order, so that the database's
// own cursor is free for the look-ups by identifier the interpretation makes.
std::vector<const bhdbstype*> Records(CBorviDbs& database) {
  std::vector<const bhdbstype*> records;
  int count = 0;
  database.Where(&count);
  records.reserve(static_cast<std::size_t>(count));
  if (database.Home() < 0) return records;
  do records.push_back(database.Get_aktel());
  while (database++);
  return records;
}

bool OutsideAlignment(const metscantype& scan, const bhdbstype& rec) {
  return scan.vaglinje && scan.vaglinje->PktIomr(rec.x, rec.y) != 0;
}

bool HasSounding(const bhdbstype& rec) {
  constexpr BhBitPlace kSoundingBits[] = {geoproj::kBitDreie, geoproj::kBitDtrykk,
                                          geoproj::kBitEnkel, geoproj::kBitFjell,
                                          geoproj::kBitRam,   geoproj::kBitTotal,
                                          geoproj::kBitCpt};
  if (!HasBit(rec.bit, geoproj::kBitBorehole)) return false;
  for (BhBitPlace bit : kSoundingBits)
    if (HasBit(rec.bit, bit)) return true;
  return false;
}

void StartExtents(metscantype* scan) {
  scan->sekmin = scan->avstmin = scan->xmin = scan->ymin = scan->zmin = DBL_MAX;
  scan->sekmax = scan->avstmax = scan->xmax = scan->ymax = scan->zmax = -DBL_MAX;
}

void Extents(CProjektMetodLista* list, metscantype* scan) {
  if (list) list->GransKoll(scan);
}

}  // namespace

const char* const CUtvDbs::m_listnamn[geoproj::kScanMetoder] = {
    "Dreie", "DreieTrykk", "Enkel", "Fjell", "Ram", "total", nullptr, "CPT"};
const char* const CUtvDbs::m_tlknamn = "Tlk";

CUtvDbs::CUtvDbs(CProjPath* proj, CBorvIni* ini) : m_projpath(proj), m_ini(ini) {}

int CUtvDbs::MetodScan(CBorviDbs* database, metscantype* scan) {
  if (!database || !scan || database->Home() < 0) return -1;
  using namespace geoproj;
  for (const bhdbstype* rec : Records(*database)) {
    if (OutsideAlignment(*scan, *rec)) continue;
    const bhbit& b = rec->bit;
    if (HasBit(b, kBitBorehole)) ++scan->antalbh;
    if (HasBit(b, kBitEnvironment)) ++scan->antalmil;
    if (HasBit(b, kBitAvp)) ++scan->antalavp;
    if (HasBit(b, kBitBorehole)) {
      constexpr BhBitPlace kBits[] = {kBitDreie, kBitDtrykk, kBitEnkel, kBitFjell,
                                      kBitRam,   kBitTotal,  kBitVane,  kBitCpt};
      for (int m = 0; m < kScanMetoder; ++m)
        if (m != kScanVb && HasBit(b, kBits[m])) ++scan->metodantal[m];
    }
    if (HasBit(b, kBitVane)) ++scan->metodantal[kScanVb];
  }
  return 0;
}

// Each borehole's files are read once, and only when the record says they hold something the
// evaluation takes: a sounding wanted, or an interpretation. The extents are widened once per
// list at the end: a list's rows only grow during the scan, so this takes in the same rows as
// widening after every borehole would, without walking each list again and again.
int CUtvDbs::SondScan(CBorviDbs* database, metscantype* scan) {
  if (!database || !scan || database->Home() < 0) return -1;
  geoproj::ScanPeriod period;
  if (!period.Set(geoproj::FieldText(scan->frandatum).c_str(),
                  geoproj::FieldText(scan->tilldatum).c_str()))
    return -1;
  StartExtents(scan);
  geoproj::SondEvaluering evaluation(scan, period);
  bool soundings = false, interpretations = false;
  const std::vector<const bhdbstype*> records = Records(*database);
  const int total = static_cast<int>(records.size());
  for (int done = 0; done < total; ++done) {
    const bhdbstype& rec = *records[static_cast<std::size_t>(done)];
    if (!OutsideAlignment(*scan, rec)) {
      const bool wanted =
          scan->sondering && (HasSounding(rec) || HasBit(rec.bit, geoproj::kBitVane));
      const bool layered =
          HasBit(rec.bit, geoproj::kBitBorehole) && HasBit(rec.bit, geoproj::kBitInterpretation);
      if (wanted || layered) {
        std::unique_ptr<CBorviSnd> snd = ReadBorehole(rec, database);
        if (wanted) {
          evaluation.Sounding(*snd, rec);
          soundings = true;
        }
        if (layered && snd->tlk) {
          evaluation.Interpretation(*snd, *database);
          interpretations = true;
        }
      }
    }
    if (m_progress) m_progress(done + 1, total);
  }
  if (soundings)
    for (metscanmetodtype& m : scan->metod) Extents(m.lista, scan);
  if (interpretations) Extents(scan->tlk.lista, scan);
  Extents(scan->ovrig, scan);
  return 0;
}

std::unique_ptr<CBorviSnd> CUtvDbs::ReadBorehole(const bhdbstype& rec, CBorviDbs* database) {
  std::unique_ptr<CBorviSnd> snd = m_ini ? std::make_unique<CBorviSnd>(m_projpath, database, m_ini)
                                         : std::make_unique<CBorviSnd>(m_projpath, database);
  char id[9];
  geoproj::CopyField(id, geoproj::FieldText(rec.id));
  snd->Init(id, nullptr);
  return snd;
}

namespace geoproj {

void DeleteScanLists(metscantype* scan) {
  if (!scan) return;
  for (metscanmetodtype& m : scan->metod) {
    delete m.lista;
    m.lista = nullptr;
  }
  delete scan->tlk.lista;
  scan->tlk.lista = nullptr;
  delete scan->ovrig;
  scan->ovrig = nullptr;
}

}  // namespace geoproj
