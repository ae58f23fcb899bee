// CBorviGvr: the readings in time, their statistics and the pipe's status bits.
#include "geoproj/groundwater/borvi_gvr.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <stdexcept>

#include "geoproj/foundation/text_helpers.h"
#include "geoproj/platform/files.h"
#include "geoproj/groundwater/borvi_gvr_pz.h"
#include "geoproj/sounding/borvi_snd.h"
#include "groundwater/gvr_format.h"

const char* const CBorviGvr::m_typer[] = {"R\xD6", "RF", "PP", "BG", "BB", "BS", "HB", "KB"};
const int CBorviGvr::m_anttyper = 8;
const char* const CBorviGvr::m_dubbtyper[] = {"DB", "MP"};
const int CBorviGvr::m_antdubbtyper = 2;
const char* const CBorviGvr::m_symbol[] = {"TORR",
                                           "FL\xD6"
                                           "DAR",
                                           "ERSATT",
                                           "AVSLUTAT",
                                           "HINDER",
                                           "FUNKTIONSKONTROLL OK",
                                           "FUNKTIONSKONTROLL EJ OK",
                                           "SPOLAT",
                                           "FRUSET"};
const char* const CBorviGvr::m_kort[] = {"T", "FL", "E", "A", "H", "FO", "FE", "S", "FR"};
const int CBorviGvr::m_antsymb = 9;
const char* const CBorviGvr::m_dubsymbol[] = {"HINDER", "SKADAD", "OS\xC4KER"};
const char* const CBorviGvr::m_dubkort[] = {"H", "S", "O"};
const int CBorviGvr::m_antdubsymb = 3;

namespace {

// "No value" levels lie at or below this marker.
constexpr float kNoValue = -990.0f;

bool SameDate(const rortype& r, const geoproj::DateTime& t) {
  return r.ar == t.year && r.man == t.month && r.dag == t.day;
}

// A reading without a time matches on its date alone.
bool SameMoment(const rortype& r, const geoproj::DateTime& t) {
  if (!SameDate(r, t)) return false;
  const std::string tid = geoproj::FieldText(r.tid);
  return tid.empty() || geoproj::EqualsNoCase(tid, geoproj::Format("%02d:%02d", t.hour, t.minute));
}

// The sort key as text, for dates whose fields do not fit the key's widths.
std::string SortKey(const rortype& r) {
  std::string tid = geoproj::FieldText(r.tid);
  geoproj::UpperId(tid);
  return geoproj::Format("%04d-%02d-%02d:%s", r.ar, r.man, r.dag, tid.c_str());
}

bool FitsKey(const rortype& r) {
  return r.ar >= 0 && r.ar <= 9999 && r.man >= 0 && r.man <= 99 && r.dag >= 0 && r.dag <= 99;
}

// Compares the keys "%04d-%02d-%02d:TIME" of two readings as byte strings, without making
// them where the numbers fit their widths (then the numbers order as their texts would).
int CompareKeys(const rortype& a, const rortype& b) {
  if (!FitsKey(a) || !FitsKey(b)) return SortKey(a).compare(SortKey(b));
  if (a.ar != b.ar) return a.ar < b.ar ? -1 : 1;
  if (a.man != b.man) return a.man < b.man ? -1 : 1;
  if (a.dag != b.dag) return a.dag < b.dag ? -1 : 1;
  std::string ta = geoproj::FieldText(a.tid), tb = geoproj::FieldText(b.tid);
  geoproj::UpperId(ta);
  geoproj::UpperId(tb);
  // The key holds ':' before the time, so comparing the times compares the keys.
  return ta.compare(tb);
}

}  // namespace

CBorviGvr::CBorviGvr(int traceFlag, CBorviSnd* owner, CBorvIni* settings)
    : trace(traceFlag), ini(settings), snd(owner) {
  if (!snd) {
    m_egenSnd = std::make_unique<CBorviSnd>();
    snd = m_egenSnd.get();
  }
  pz = new CBorviGvrPz(traceFlag, snd, settings);
}

CBorviGvr::~CBorviGvr() { delete pz; }

const char* CBorviGvr::Kind() const { return pz && pz->typ[0] ? pz->typ : typ; }

bool CBorviGvr::IsPiezometer() const { return pz && !CBorviGvrPz::PipeKind(Kind()); }

int CBorviGvr::Sortval(int key) {
  if (IsPiezometer()) return 0;
  if (key == 1) return CompareKeys(*markel, *pael) < 0 ? 1 : 0;
  return key == -1 ? 1 : 0;
}

bool CBorviGvr::IsSorted() {
  if (Home() != 0) return true;
  const rortype* previous = pael;
  while ((*this)++) {
    if (CompareKeys(*previous, *pael) > 0) return false;
    previous = pael;
  }
  return true;
}

geoproj::OleDateTime CBorviGvr::Moment(const rortype& r) const {
  int hour = 0, minute = 0;
  if (tidflagga) {
    std::string tid = geoproj::FieldText(r.tid);
    std::replace(tid.begin(), tid.end(), ':', ' ');
    if (std::sscanf(tid.c_str(), "%d %d", &hour, &minute) != 2) hour = minute = 0;
  }
  return geoproj::MakeOleDateTime(r.ar, r.man, r.dag, hour, minute);
}

int CBorviGvr::GetOleTime(geoproj::OleDateTime* t) {
  const rortype* r = Get_aktel();
  *t = r ? Moment(*r) : geoproj::OleDateTime{};
  return 1;
}

int CBorviGvr::GetTime(std::time_t* t) {
  const rortype* r = Get_aktel();
  if (!r) return 1;
  const geoproj::OleDateTime moment = Moment(*r);
  geoproj::DateTime local;
  std::time_t made = 0;
  if (r->ar < 1900 || !moment.valid || !geoproj::FromOleDate(moment.dt, &local) ||
      !geoproj::CalendarTimeFromLocal(local, &made))
    throw std::out_of_range("CBorviGvr::GetTime: the reading's date is no calendar time");
  *t = made;
  return 1;
}

int CBorviGvr::FindDatum(std::time_t t) {
  const geoproj::DateTime local = geoproj::LocalFromTime(t);
  if (Home() != 0) return 0;
  do {
    if (SameMoment(*pael, local)) return 1;
  } while ((*this)++);
  return 0;
}

int CBorviGvr::FindDatum(geoproj::OleDateTime t) {
  geoproj::DateTime moment;
  if (!t.valid || !geoproj::FromOleDate(t.dt, &moment) || Home() != 0) return 0;
  do {
    if (SameMoment(*pael, moment)) return 1;
  } while ((*this)++);
  return 0;
}

int CBorviGvr::FindRitX(const rortype* r) {
  if (Home() != 0) return 0;
  const std::string status = geoproj::FieldText(r->status);
  do {
    const rortype& x = *pael;
    if (x.ar == r->ar && x.man == r->man && std::fabs(x.niva - r->niva) < 0.001f &&
        geoproj::FieldText(x.status) == status && geoproj::FieldText(x.flagga) == "X")
      return 1;
  } while ((*this)++);
  return 0;
}

// A "no value" marker moved by dz would become a level.
void CBorviGvr::AddDZ(double dz) {
  varde1 = static_cast<float>(varde1 + dz);
  varde2 = static_cast<float>(varde2 + dz);
  if (Home() != 0) return;
  do {
    if (pael->niva > kNoValue) pael->niva = static_cast<float>(pael->niva + dz);
  } while ((*this)++);
}

bool CBorviGvr::Counts(const rortype& r) const {
  if (geoproj::FieldText(r.flagga) != "J" || !(r.niva > kNoValue)) return false;
  const std::string status = geoproj::FieldText(r.status);
  if (dubbmod) {
    for (int i = 0; i < m_antdubsymb; ++i)
      if (status == m_dubsymbol[i]) return false;
    return true;
  }
  return status != m_symbol[0] && status != m_symbol[1] && status != m_symbol[4];
}

int CBorviGvr::MinMaxMedel(double* min, double* max, double* mean,
                           const geoproj::OleDateTime* from, const geoproj::OleDateTime* to) {
  *mean = 0.0;
  if (Home() != 0) {
    *min = *max = 0.0;
    return 0;
  }
  // A period has both bounds; with one of them alone nothing lies in it.
  if ((from == nullptr) != (to == nullptr)) return 0;
  const bool period = from != nullptr;
  const auto within = [&](const rortype& r, bool checkFrom) {
    if (!period) return true;
    const geoproj::OleDateTime m = Moment(r);
    if (!m.valid || !to->valid) return false;
    if (checkFrom && (!from->valid || geoproj::CompareOleDate(m.dt, from->dt) < 0)) return false;
    return geoproj::CompareOleDate(m.dt, to->dt) <= 0;
  };
  while (!(Counts(*pael) && within(*pael, true)))
    if (!(*this)++) return 0;
  const double first = pael->niva;
  int count = 1;
  if (dubbmod) {
    Set_mark();
    *min = *max = *mean = 0.0;
  } else {
    *min = *max = *mean = first;
  }
  while ((*this)++) {
    if (!Counts(*pael) || !within(*pael, false)) continue;
    const double value = dubbmod ? pael->niva - first : pael->niva;
    *min = std::min(*min, value);
    *max = std::max(*max, value);
    if (dubbmod)
      *mean = value;
    else
      *mean += value;
    ++count;
  }
  if (!dubbmod) *mean /= count;
  return count;
}

int CBorviGvr::GvrStat(bhbit* bits) {
  // The GUID bit tells whether the file has a GUID section, whoever read it.
  const char* mark = IsPiezometer() ? pz->guidmark : guidmark;
  geoproj::gvr::SetKindBits(bits, Kind(), std::strncmp(mark, "99", 3) == 0);
  return 0;
}
