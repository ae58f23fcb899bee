#include <geoproj/project/property_page_doc.h>

#include <geoproj/foundation/messages.h>
#include <geoproj/platform/host_services.h>
#include <geoproj/platform/projekt_status.h>
#include <geoproj/project/property_info.h>
#include <geoproj/project/sheet_view.h>

#include "project/document_path.h"

namespace {

std::string Cut(const std::string& text, int limit) {
  return text.size() > static_cast<std::size_t>(limit) ? text.substr(0, limit) : text;
}

}  // namespace

int CPropertyPageDoc::Limit(Field field) {
  switch (field) {
    case kDocument: return 255;
    case kCreatedBy: return 32;
    default: return 79;
  }
}

CPropertyPageDoc::CPropertyPageDoc(CPropertyInfo* sheet) : m_sheet(sheet) {}

void CPropertyPageDoc::Fill() {
  for (Field f : {kCompany, kDocument, kText1, kText2, kText3, kCreatedBy})
    *FieldText(f) = StoredText(f);
  m_address = m_sheet->m_info ? m_sheet->m_proj.m_projKat : std::string();
  m_status = m_storedStatus.empty()
                 ? m_sheet->TxLoadString(CPropertyInfo::IDS_STATUS_UNKNOWN)
                 : m_storedStatus;
}

void CPropertyPageDoc::Store() {
  CInfoPrj* info = m_sheet->m_info.get();
  if (!info) return;
  info->company = m_company;
  info->document = m_document;
  for (int i = 0; i < 3; ++i) info->text[i] = m_text[i];
  m_storedStatus = m_status;
  m_storedCreatedBy = m_createdBy;
}

void CPropertyPageDoc::SetProjectStatus(const std::string& status, const std::string& createdBy) {
  m_storedStatus = status;
  m_storedCreatedBy = Cut(createdBy, Limit(kCreatedBy));
  Fill();
}

void CPropertyPageDoc::FillStatusChoices() {
  m_statusChoices.clear();
  if (CProjektStatus* list = m_sheet->m_status) {
    const projektstatustype* current = list->Get_aktel();  // the host's cursor stays
    for (int rc = list->Home(); rc == 0; rc = (*list)++ ? 0 : -1)
      m_statusChoices.emplace_back(list->Get_aktel()->text);
    if (current) list->Set_aktel(current);
  }
  if (!m_statusChoices.empty()) return;
  for (int id = CPropertyInfo::IDS_STATUS_FIRST; id < CPropertyInfo::IDS_STATUS_UNKNOWN; ++id)
    m_statusChoices.push_back(m_sheet->TxLoadString(id));
}

std::string* CPropertyPageDoc::FieldText(Field field) {
  switch (field) {
    case kCompany: return &m_company;
    case kDocument: return &m_document;
    case kText1: return &m_text[0];
    case kText2: return &m_text[1];
    case kText3: return &m_text[2];
    case kCreatedBy: return &m_createdBy;
  }
  return &m_company;
}

std::string CPropertyPageDoc::StoredText(Field field) const {
  const CInfoPrj* info = m_sheet->m_info.get();
  switch (field) {
    case kCompany: return info ? info->company : std::string();
    case kDocument: return info ? info->document : std::string();
    case kText1: return info ? info->text[0] : std::string();
    case kText2: return info ? info->text[1] : std::string();
    case kText3: return info ? info->text[2] : std::string();
    case kCreatedBy: return m_storedCreatedBy;
  }
  return std::string();
}

int CPropertyPageDoc::SetField(Field field, const std::string& text) {
  return TakeOver(FieldText(field), Cut(text, Limit(field)), StoredText(field));
}

int CPropertyPageDoc::ChooseStatus(const std::string& text) {
  return TakeOver(&m_status, text, m_status);
}

int CPropertyPageDoc::TakeOver(std::string* field, const std::string& text,
                               const std::string& stored) {
  const int rc = m_sheet->TakeOverEdit(field, text, stored);
  if (rc < 0 && m_sheet->m_info) {
    Fill();
    geoproj::ShowSheet(*m_sheet, geoproj::SheetView::kRefresh);
  }
  return rc;
}

int CPropertyPageDoc::ResolveDocument(std::string* full) const {
  return geoproj::ResolveDocumentName(m_document, m_sheet->m_proj.m_projKat, full);
}

int CPropertyPageDoc::OnOpenDocument() {
  std::string full;
  if (ResolveDocument(&full) != 0) {
    geoproj::ShowMessage(m_sheet->TxFormat(CPropertyInfo::IDS_DOC_MISSING, m_document),
                         geoproj::kMbOk | geoproj::kMbIconExclamation);
    return -1;
  }
  if (geoproj::FindAssociatedProgram(full).empty()) {
    geoproj::ShowMessage(m_sheet->TxFormat(CPropertyInfo::IDS_NO_PROGRAM, full));
    return -1;
  }
  return geoproj::ShellStart("open", full, m_sheet->m_proj.m_projKat) ? 0 : -1;
}

int CPropertyPageDoc::OnBrowseDocument() {
  if (!m_sheet->m_info) return 0;
  std::string chosen;
  if (!geoproj::ShowFileOpenDialog(m_sheet->TxLoadString(CPropertyInfo::IDS_CHOOSE_DOC),
                                   m_document, &chosen) ||
      chosen.empty())
    return 0;
  return SetField(kDocument, geoproj::RelativeToDirectory(m_sheet->m_proj.m_projKat, chosen));
}

int CPropertyPageDoc::OnOpenExplorer() {
  if (!m_sheet->m_info) return -1;
  const std::string& dir = m_sheet->m_proj.m_projKat;
  return geoproj::ShellStart("explore", dir, dir) ? 0 : -1;
}

bool CPropertyPageDoc::OnKillActive() {
  std::string full;
  if (m_document.empty() || ResolveDocument(&full) == 0) return true;
  return geoproj::ShowMessage(m_sheet->TxFormat(CPropertyInfo::IDS_DOC_NOT_FOUND, m_document),
                              geoproj::kMbYesNo) == geoproj::kIdYes;
}
