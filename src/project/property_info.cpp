#include <geoproj/project/property_info.h>

#include <geoproj/foundation/messages.h>
#include <geoproj/platform/files.h>
#include <geoproj/platform/host_services.h>
#include <geoproj/platform/projekt_status.h>
#include <geoproj/project/sheet_view.h>

namespace {

struct SheetString {
  int id;
  const char* text;
};

constexpr SheetString kStrings[] = {
    {CPropertyInfo::IDS_PROPSHT_CAPTION, "Property Sheet"},
    {CPropertyInfo::IDS_NO_PROGRAM,
     "Inget program \xE4r associerat med genv\xE4gen :\n%s\nAssociera filtyp i Windows!"},
    {CPropertyInfo::IDS_DOC_MISSING, "Document: %s is missing !"},
    {CPropertyInfo::IDS_CHOOSE_DOC, "V\xE4lj Dokumentfil f\xF6r projektet"},
    {CPropertyInfo::IDS_DOC_NOT_FOUND, "Dokumentet: %s finns inte\nFors\xE4tt \xE4nd\xE5?"},
    {CPropertyInfo::IDS_NO_PERMISSION_TITLE, "Beh\xF6righet saknas"},
    {CPropertyInfo::IDS_NO_PERMISSION,
     "Aktuell beh\xF6righet till\xE5ter ej \xE4ndringar!\nInformationen \xE5terst\xE4lls..."},
    {5006, "Active"},
    {5007, "Avslutat"},
    {5008, "Arkiverat"},
    {5009, "Levererat"},
    {5010, "Vilande"},
    {5011, "Ska arkiveras"},
    {CPropertyInfo::IDS_STATUS_UNKNOWN, "Status unknown"},
    {CPropertyInfo::IDS_APPLY, "Apply"},
    {CPropertyInfo::IDS_SAVE_TITLE, "Spara projektinformation"},
    {CPropertyInfo::IDS_SAVE_QUESTION,
     "Projektinformationen \xE4r f\xF6r\xE4ndrad!\nSka \xE4ndringarna sparas ?"},
    {CPropertyInfo::IDS_TITLE, "Projektinformation: %s"},
    {CPropertyInfo::IDS_CLOSE_QUESTION,
     "Data \xE4r f\xF6r\xE4ndrat och inte sparade via 'Verkst\xE4ll'!\nSka vi avsluta \xE4nd\xE5?"},
};

// Shown when Info.prj cannot be written; the edits stay in the sheet.
constexpr char kInfoNotWritten[] = "Kan inte spara projektinformationen i\n%s";

}  // namespace

CPropertyInfo::CPropertyInfo() : m_pageDoc(this), m_pagePrjd(this), m_pageKsyst(this) {}

CPropertyInfo::~CPropertyInfo() = default;

std::string CPropertyInfo::TxLoadString(int id) const {
  std::string text;
  bool found = !m_langDll.empty() && geoproj::LanguageString(m_langDll, id, &text);
  for (const SheetString& s : kStrings) {
    if (found) break;
    if (s.id == id) {
      text = s.text;
      found = true;
    }
  }
  if (text.size() > static_cast<std::size_t>(kStringMax)) text.resize(kStringMax);
  return text;
}

std::string CPropertyInfo::TxFormat(int id, const std::string& arg) const {
  const std::string format = TxLoadString(id);
  std::string out;
  bool filled = false;
  for (std::size_t i = 0; i < format.size(); ++i) {
    if (format[i] == '%' && i + 1 < format.size()) {
      if (format[i + 1] == '%') {
        out += '%';
        ++i;
        continue;
      }
      if (format[i + 1] == 's' && !filled) {
        out += arg;
        filled = true;
        ++i;
        continue;
      }
    }
    out += format[i];
  }
  return out;
}

void CPropertyInfo::TxLoadLangDll(const char* path) {
  m_langDll = (path && geoproj::FileExists(path)) ? std::string(path) : std::string();
}

void CPropertyInfo::SetProject(const CProjPath* path, CProjektStatus* status) {
  m_info.reset();
  m_status = status;
  m_proj = path ? *path : CProjPath();
  if (path) m_info = std::make_unique<CInfoPrj>(&m_proj);
  m_applyEnabled = false;
  // The status and creator are the host's for each project; none until it hands them over.
  m_pageDoc.m_storedStatus.clear();
  m_pageDoc.m_storedCreatedBy.clear();
  m_pageDoc.FillStatusChoices();
  UpdatePage();
}

void CPropertyInfo::UpdatePage() {
  m_pageDoc.Fill();
  m_hasPrjd = m_info && m_pagePrjd.Fill(&m_proj) == 0;
  m_pageKsyst.Fill();
}

void CPropertyInfo::SaveData() {
  if (m_info && m_info->changed) {
    m_pageKsyst.Store();
    m_pageDoc.Store();
  }
  if (m_hasPrjd && m_pagePrjd.IsModified()) m_pagePrjd.Store();
}

bool CPropertyInfo::HasUnsavedChanges() const {
  return (m_info && m_info->changed) || m_applyEnabled ||
         (m_hasPrjd && m_pagePrjd.IsModified());
}

bool CPropertyInfo::CheckPermission() const {
  if (m_applyVisible) return true;
  const std::string title = TxLoadString(IDS_NO_PERMISSION_TITLE);
  geoproj::ShowMessage(TxLoadString(IDS_NO_PERMISSION),
                       geoproj::kMbOk | geoproj::kMbIconExclamation, 0, title.c_str());
  return false;
}

int CPropertyInfo::TakeOverEdit(std::string* field, const std::string& text,
                                const std::string& stored) {
  if (!m_info) return -1;
  if (text == stored) {
    *field = text;
    return 0;
  }
  if (!CheckPermission()) return -1;
  *field = text;
  m_applyEnabled = true;
  m_info->changed = 1;
  return 1;
}

int CPropertyInfo::OnApply() {
  SaveData();
  int rc = WriteInfo();
  if (NotifyHost(kNoticeSaved) < 0) rc = -1;
  m_applyEnabled = (m_info && m_info->changed) || (m_hasPrjd && m_pagePrjd.IsModified());
  return rc;
}

// Writes Info.prj when it changed. A file that could not be written is said so, and the
// project information stays marked changed, so that neither closing nor switching the
// project passes over it in silence.
int CPropertyInfo::WriteInfo() {
  if (!m_info || !m_info->changed) return 0;
  int rc = -1;
  try {
    rc = m_info->Uppdat();
  } catch (const geoproj::FileError&) {
    rc = -1;
  }
  if (rc != 0) {
    const std::string title = TxLoadString(IDS_SAVE_TITLE);
    geoproj::ShowMessageF(geoproj::kMbOk | geoproj::kMbIconExclamation, title.c_str(),
                          kInfoNotWritten, m_info->GetFileName().c_str());
    return -1;
  }
  m_info->changed = 0;
  return 0;
}

int CPropertyInfo::NotifyHost(Notice notice, std::string* text) {
  if (m_host) return m_host(notice, text);
  switch (notice) {
    case kNoticeSaved: return m_hasPrjd ? m_pagePrjd.UppdatDbs(&m_proj) : 0;
    case kNoticeProjectName: return 1;
    case kNoticeClosed: return 0;
  }
  return 0;
}
