#include <geoproj/project/property_page_prjd.h>

#include <algorithm>
#include <cstdio>

#include <geoproj/database/borvi_dbs.h>
#include <geoproj/foundation/messages.h>
#include <geoproj/foundation/text_helpers.h>
#include <geoproj/foundation/trim_blanks.h>
#include <geoproj/platform/files.h>
#include <geoproj/platform/proj_path.h>
#include <geoproj/project/property_info.h>
#include <geoproj/project/sheet_view.h>

#include "project/padded_field.h"

namespace {

constexpr char kRak[] = "RAK";
constexpr char kLok[] = "LOK";
constexpr int kSepSlash = '/';
constexpr int kSepPlus = '+';

std::string Cut(const std::string& text, int limit) {
  return text.size() > static_cast<std::size_t>(limit) ? text.substr(0, limit) : text;
}

geoproj::DateTime Today() {
  geoproj::DateTime now = geoproj::LocalNow();
  return geoproj::DateTime{now.year, now.month, now.day};
}

}  // namespace

int CPropertyPagePrjd::Limit(Field field) {
  switch (field) {
    case kContractor: return 30;
    case kProjectNumber: return 12;
    case kDate: return 10;
    case kDesigner:
    case kDrawings: return 20;
    default: return 35;
  }
}

CPropertyPagePrjd::CPropertyPagePrjd(CPropertyInfo* sheet) : m_sheet(sheet) {}

int CPropertyPagePrjd::Fill(CProjPath* proj) {
  m_modified = false;
  m_dateControl.reset();  // another project's date must not be stored into this one
  m_active = false;
  if (!geoproj::FileExists(geoproj::JoinPath(proj->m_projKat, CProjPath::BorvDbsNamn)))
    return -1;
  CBorviDbs dbs(proj);
  if (dbs.Init(1, 0) != 0) return -1;
  geoproj::PrjdFromHeader(dbs.m_huv, &m_read);
  Refill();
  return 0;
}

void CPropertyPagePrjd::Refill() {
  Show(m_read);
  m_modified = false;
  if (m_active) OnSetActive();
}

void CPropertyPagePrjd::Show(const borviprjdattype& p) {
  m_entrepr = geoproj::FieldText(p.entrepr);
  m_projnamn = geoproj::FieldText(p.projnamn);
  m_projnr = geoproj::FieldText(p.projnr);
  m_datum = geoproj::FieldText(p.datum);
  m_anm1 = geoproj::FieldText(p.anm1);
  m_anm2 = geoproj::FieldText(p.anm2);
  m_handlaggare = geoproj::FieldText(p.handlaggare);
  m_ritningar = geoproj::FieldText(p.ritningar);
  m_antbh = geoproj::Format("%d", p.antbh);
  m_xmin = geoproj::Format("%.2lf", p.xmin);
  m_xmax = geoproj::Format("%.2lf", p.xmax);
  m_ymin = geoproj::Format("%.2lf", p.ymin);
  m_ymax = geoproj::Format("%.2lf", p.ymax);
  m_zmin = geoproj::Format("%.2lf", p.zmin);
  m_zmax = geoproj::Format("%.2lf", p.zmax);
  m_koord = geoproj::FieldText(p.koord);
  m_koordChoice = m_koord == kRak ? 1 : 0;
  m_seksep = p.seksep;
  m_sepChoice = m_seksep == kSepPlus ? 1 : 0;
}

// The date control shows the date text when it names a real date; a text that is no date at
// all gives today's date, and one that names an impossible date leaves the control empty.
void CPropertyPagePrjd::OnSetActive() {
  m_active = true;
  if (CBorviDbs::DatumFix(m_datum) != 0) {
    m_dateControl = Today();
    return;
  }
  std::string spaced = m_datum;
  std::replace(spaced.begin(), spaced.end(), '.', ' ');
  int day = 0, month = 0, year = 0;
  if (std::sscanf(spaced.c_str(), "%d %d %d", &day, &month, &year) != 3) {
    geoproj::ShowMessageF(geoproj::kMbOk, nullptr,
                          "Datum = %s \xE4r felaktigt! \nS\xE4tter dagens datum f\xF6r metoden.",
                          m_datum.c_str());
    m_dateControl = Today();
    return;
  }
  const geoproj::DateTime date{year, month, day};
  const bool plausible = year >= 1900 && month >= 1 && month <= 12 && day >= 1 && day <= 31;
  if (plausible && geoproj::IsValidDateTime(date))
    m_dateControl = date;
  else
    m_dateControl.reset();
}

void CPropertyPagePrjd::Store() {
  StoreChoices();
  StoreDate();
  m_sheet->SetModified(false);
}

// A choice the user left alone keeps the header's text: a database may hold a coordinate
// reference the page cannot show (an older "NGO"), or no separator yet, and saving another
// field must not replace them.
void CPropertyPagePrjd::StoreChoices() {
  const int readKoord = geoproj::FieldText(m_read.koord) == kRak ? 1 : 0;
  if (m_koordChoice != readKoord) m_koord = m_koordChoice == 1 ? kRak : kLok;
  const int readSep = m_read.seksep == kSepPlus ? 1 : 0;
  if (m_sepChoice != readSep) m_seksep = m_sepChoice == 1 ? kSepPlus : kSepSlash;
}

// A control without a date leaves the text as it was rather than writing a date nobody chose.
void CPropertyPagePrjd::StoreDate() {
  if (m_dateControl) m_datum = geoproj::FormatDate(*m_dateControl);
}

void CPropertyPagePrjd::PrjdEnable(int all) { m_enable = all ? 1 : 2; }

bool CPropertyPagePrjd::IsEditable(Field field) const {
  if (m_enable == 0) return false;
  return m_enable == 1 || (field != kProjectName && field != kProjectNumber);
}

std::string* CPropertyPagePrjd::FieldText(Field field) {
  switch (field) {
    case kContractor: return &m_entrepr;
    case kProjectName: return &m_projnamn;
    case kProjectNumber: return &m_projnr;
    case kDate: return &m_datum;
    case kRemark1: return &m_anm1;
    case kRemark2: return &m_anm2;
    case kDesigner: return &m_handlaggare;
    case kDrawings: return &m_ritningar;
  }
  return &m_entrepr;
}

void CPropertyPagePrjd::MarkModified() {
  m_modified = true;
  m_sheet->SetModified();
}

// A read-only sheet: the user is told, and the page shows the header again.
int CPropertyPagePrjd::Refuse() {
  Refill();
  geoproj::ShowSheet(*m_sheet, geoproj::SheetView::kRefresh);
  return -1;
}

int CPropertyPagePrjd::SetField(Field field, const std::string& text) {
  if (!IsEditable(field)) return -1;
  const std::string cut = Cut(text, Limit(field));
  std::string* value = FieldText(field);
  if (cut == *value) return 0;
  if (!m_sheet->CheckPermission()) return Refuse();
  if (field == kProjectName) return TakeProjectName(cut);
  *value = cut;
  MarkModified();
  return 1;
}

// The host decides on a new project name (it may have to rename the project); a name it does
// not accept is not taken over.
int CPropertyPagePrjd::TakeProjectName(const std::string& text) {
  std::string offered(geoproj::TrimBlanks(text));
  if (m_sheet->NotifyHost(CPropertyInfo::kNoticeProjectName, &offered) != 1) return 0;
  m_projnamn = Cut(offered, Limit(kProjectName));
  MarkModified();
  return 1;
}

int CPropertyPagePrjd::ChooseKoord(int choice) {
  if (m_enable == 0) return -1;
  choice = choice == 1 ? 1 : 0;
  if (choice == m_koordChoice) return 0;
  if (!m_sheet->CheckPermission()) return Refuse();
  m_koordChoice = choice;
  MarkModified();
  return 1;
}

int CPropertyPagePrjd::ChooseSeparator(int choice) {
  if (m_enable == 0) return -1;
  choice = choice == 1 ? 1 : 0;
  if (choice == m_sepChoice) return 0;
  if (!m_sheet->CheckPermission()) return Refuse();
  m_sepChoice = choice;
  MarkModified();
  return 1;
}

int CPropertyPagePrjd::SetDateControl(const geoproj::DateTime* date) {
  if (!IsEditable(kDate)) return -1;
  if (!m_sheet->CheckPermission()) return Refuse();
  if (date)
    m_dateControl = geoproj::DateTime{date->year, date->month, date->day};
  else
    m_dateControl.reset();
  MarkModified();
  return 1;
}

int CPropertyPagePrjd::GetPrjd(borviprjdattype* prjd) {
  if (!prjd || !m_modified || m_enable == 0) return -1;
  geoproj::SetPaddedField(prjd->entrepr, m_entrepr);
  geoproj::SetPaddedField(prjd->datum, m_datum);
  geoproj::SetPaddedField(prjd->anm1, m_anm1);
  geoproj::SetPaddedField(prjd->anm2, m_anm2);
  geoproj::SetPaddedField(prjd->handlaggare, m_handlaggare);
  geoproj::SetPaddedField(prjd->ritningar, m_ritningar);
  int changed = 0;
  if (m_enable == 1) {
    if (geoproj::FieldText(prjd->projnamn) != Cut(m_projnamn, Limit(kProjectName))) changed |= 1;
    if (geoproj::FieldText(prjd->projnr) != Cut(m_projnr, Limit(kProjectNumber))) changed |= 2;
    geoproj::SetPaddedField(prjd->projnamn, m_projnamn);
    geoproj::SetPaddedField(prjd->projnr, m_projnr);
  }
  geoproj::SetPaddedField(prjd->koord, m_koord);
  prjd->seksep = static_cast<std::int16_t>(m_seksep);
  m_modified = false;
  return changed;
}

int CPropertyPagePrjd::UppdatDbs(CProjPath* proj) {
  if (!m_modified || m_enable == 0) return 0;
  CBorviDbs dbs(proj);
  if (dbs.Init(1, 0) != 0) return -1;
  borviprjdattype prjd;
  geoproj::PrjdFromHeader(dbs.m_huv, &prjd);
  if (GetPrjd(&prjd) < 0) return 0;
  if (WriteHeader(dbs, prjd) != 0) {
    MarkModified();
    return -1;
  }
  geoproj::PrjdFromHeader(dbs.m_huv, &m_read);
  return 0;
}

// Under the lock for both writes: when the first caught up with another writer, the database
// took that writer's header, and the project data go in again on top of it.
int CPropertyPagePrjd::WriteHeader(CBorviDbs& dbs, const borviprjdattype& prjd) {
  int rc = -1;
  dbs.BeginUpdate();
  try {
    geoproj::PrjdToHeader(prjd, &dbs.m_huv);
    rc = dbs.Uppdat(4, nullptr, 1);
    if (rc == 0 && !geoproj::HeaderHoldsPrjd(dbs.m_huv, prjd)) {
      geoproj::PrjdToHeader(prjd, &dbs.m_huv);
      rc = dbs.Uppdat(4, nullptr, 1);
    }
  } catch (const geoproj::FileError&) {
    rc = -1;
  }
  dbs.EndUpdate();
  return rc == 0 ? 0 : -1;
}
