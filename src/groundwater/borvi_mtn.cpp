// CBorviMtn: the measurements in time, their statistics and the status bits.
#include "geoproj/groundwater/borvi_mtn.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "geoproj/foundation/text_helpers.h"
#include "geoproj/groundwater/mtn_kol.h"
#include "geoproj/platform/files.h"
#include "geoproj/platform/vaglinje.h"
#include "geoproj/sounding/borvi_snd.h"

const char* const CBorviMtn::m_cmetodkoder[] = {"INKL", "SLAN",
                                                "FL\xD6"
                                                "D",
                                                "PP"};
const char* const CBorviMtn::m_matartyper[] = {"Inklinometer", "Slangs\xE4ttning",
                                               "Fl\xF6"
                                               "desm\xE4tning",
                                               "Portrycksm\xE4tning"};
const int CBorviMtn::m_antmatartyper = 4;

namespace {

constexpr double kNoValue = -990.0;
// Hose settlements are given in thousandths of the stored unit.
constexpr double kSlanScale = 1000.0;

bool Counted(const mtntype& m) { return geoproj::FieldText(m.flagga) == "J"; }

bool HasRows(const mtntype& m) {
  int rows = 0;
  if (m.kol) m.kol->Where(&rows);
  return rows > 0;
}

double Value(CMtnKol* kol) { return kol ? kol->Get_aktel()->varde : 0.0; }

// Moves a row cursor on; a missing list (no reference) never stops the walk.
bool NextRow(CMtnKol* kol) { return !kol || (*kol)++ != nullptr; }

void Take(double v, double* min, double* max) {
  *min = std::min(*min, v);
  *max = std::max(*max, v);
}

}  // namespace

CBorviMtn::CBorviMtn() : CBorviMtn(1, nullptr) {}

CBorviMtn::CBorviMtn(int traceFlag, CBorviSnd* owner) : trace(traceFlag), snd(owner) {
  if (!snd) {
    m_egenSnd = std::make_unique<CBorviSnd>();
    snd = m_egenSnd.get();
  }
}

CBorviMtn::~CBorviMtn() {
  DeleteRows();
  delete vaglinje;
}

void CBorviMtn::DeleteRows() {
  if (Home() != 0) return;
  do {
    delete pael->kol;
    pael->kol = nullptr;
  } while ((*this)++);
}

int CBorviMtn::NyKol() {
  mtntype* m = Get_aktel();
  if (!m) return 0;
  delete m->kol;
  m->kol = new CMtnKol;
  return 1;
}

int CBorviMtn::FindColumn(int year, int month, int day, int hour, int minute) {
  if (Home() != 0) return 0;
  const std::string tid = geoproj::Format("%02d:%02d", hour, minute);
  do {
    const mtntype& m = *pael;
    if (m.ar == year && m.man == month && m.dag == day &&
        geoproj::EqualsNoCase(geoproj::FieldText(m.tid), tid))
      return 1;
  } while ((*this)++);
  return 0;
}

geoproj::OleDateTime CBorviMtn::Moment(const mtntype& m) const {
  std::string tid = geoproj::FieldText(m.tid);
  std::replace(tid.begin(), tid.end(), ':', ' ');
  int hour = 0, minute = 0;
  if (std::sscanf(tid.c_str(), "%d %d", &hour, &minute) != 2) hour = minute = 0;
  return geoproj::MakeOleDateTime(m.ar, m.man, m.dag, hour, minute);
}

int CBorviMtn::GetOleTime(geoproj::OleDateTime* t) {
  const mtntype* m = Get_aktel();
  *t = m ? Moment(*m) : geoproj::OleDateTime{};
  return 1;
}

int CBorviMtn::MinMaxMedel(double* min, double* max, double* mean,
                           const geoproj::OleDateTime* from, const geoproj::OleDateTime* to) {
  double scale = 1.0;
  CMtnKol* ref = nullptr;
  if (Home() != 0) {
    *min = *max = *mean = 0.0;
    return 0;
  }
  if (geoproj::FieldText(metod) == m_cmetodkoder[1]) {
    ref = pael->kol;
    scale = kSlanScale;
    if (!(*this)++) return 0;
  }
  // A reference without rows gives nothing to measure against.
  if (ref && ref->Home() != 0) return 0;
  const auto at = [&](const mtntype& m, bool checkFrom) {
    const geoproj::OleDateTime t = Moment(m);
    if (!t.valid) return false;
    if (checkFrom && (!from->valid || geoproj::CompareOleDate(t.dt, from->dt) < 0)) return false;
    return !to || (to->valid && geoproj::CompareOleDate(t.dt, to->dt) <= 0);
  };
  int count = 0;
  if (!from) {
    const mtntype& m = *pael;
    if (!HasRows(m)) return 0;
    m.kol->Home();
    *min = *max = *mean = Value(m.kol) - Value(ref);
    count = 1;
  } else {
    // The first counted measurement in the period; the reference's cursor moves one row for
    // every measurement passed over.
    for (;;) {
      const mtntype& m = *pael;
      if (Counted(m) && HasRows(m)) {
        m.kol->Home();
        if (ref) ref->Home();
        if (at(m, true)) break;
      }
      if (!NextRow(ref) || !(*this)++) return 0;
    }
    mtntype& first = *pael;
    *min = *max = *mean = Value(first.kol) - Value(ref);
    count = 1;
    bool rowsLeft = (*first.kol)++ != nullptr;
    if (NextRow(ref)) {
      bool firstMeasurement = true;
      do {
        mtntype& m = *pael;
        if (!Counted(m) || !at(m, false)) continue;
        if (!firstMeasurement) {
          if (!HasRows(m)) break;
          m.kol->Home();
          if (ref) ref->Home();
          rowsLeft = true;
        }
        firstMeasurement = false;
        while (rowsLeft) {
          const double value = Value(m.kol);
          if (value > kNoValue) {
            const double d = value - Value(ref);
            Take(d, min, max);
            *mean += d;
            ++count;
          }
          rowsLeft = (*m.kol)++ != nullptr && NextRow(ref);
        }
      } while ((*this)++);
    }
  }
  *mean /= count;
  *min *= scale;
  *max *= scale;
  *mean *= scale;
  return count;
}

int CBorviMtn::MtnStat(bhbit* bits) {
  bits->b[2] = static_cast<unsigned char>((bits->b[2] & ~0x0E) | (4 << 1));
  for (int i = 0; i < m_antmatartyper; ++i) {
    if (geoproj::FieldText(metod) == m_cmetodkoder[i])
      bits->b[6] = static_cast<unsigned char>((bits->b[6] & ~0x1F) | (i + 1));
  }
  return 0;
}
