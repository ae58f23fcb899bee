#include <geoproj/project/property_info_frame.h>

#include <geoproj/foundation/messages.h>
#include <geoproj/foundation/text_helpers.h>
#include <geoproj/platform/borv_ini.h>
#include <geoproj/platform/borvi_inst.h>
#include <geoproj/platform/files.h>
#include <geoproj/platform/proj_path.h>
#include <geoproj/project/sheet_view.h>

int CPropertyInfoFrame::SetProj(CProjPath* path, const char* name, CProjektStatus* status,
                                CBorvIni* settings) {
  TakeSettings(settings);
  if (SaveBeforeSwitch() != 0) return -1;
  if (path) {
    m_sheet.m_title = m_sheet.TxFormat(CPropertyInfo::IDS_TITLE, name ? name : "");
  }
  m_sheet.SetProject(path, status);
  geoproj::ShowSheet(m_sheet, geoproj::SheetView::kRefresh);
  return 0;
}

// The language library is the installation's "BorviProg" followed by the language setting,
// chosen once, with the first settings the window is given.
void CPropertyInfoFrame::TakeSettings(CBorvIni* settings) {
  if (!settings || m_settingsTaken) return;
  m_settingsTaken = true;
  const std::string lang = settings->ReadKey(CBorviInst::SystemSektion, "LANG");
  const std::string sep(1, geoproj::kPathSep);
  const std::string path = geoproj::Format("%s%s%s%s%s", settings->InstallDir().c_str(),
                                           sep.c_str(), "BorviProg", lang.c_str(), ".dll");
  m_sheet.TxLoadLangDll(path.c_str());
}

// Changes of the project shown are offered for saving before another project replaces it.
// Only Yes saves and only No discards: an answer that is neither (the box dismissed) keeps
// the project and its changes, as does a save that fails.
int CPropertyInfoFrame::SaveBeforeSwitch() {
  if (!m_sheet.m_info || !m_sheet.HasUnsavedChanges()) return 0;
  const std::string title = m_sheet.TxLoadString(CPropertyInfo::IDS_SAVE_TITLE);
  const int answer = geoproj::ShowMessage(
      m_sheet.TxLoadString(CPropertyInfo::IDS_SAVE_QUESTION),
      geoproj::kMbYesNo | geoproj::kMbIconExclamation, 0, title.c_str());
  if (answer == geoproj::kIdNo) return 0;
  if (answer != geoproj::kIdYes) return -1;
  return m_sheet.OnApply();
}

bool CPropertyInfoFrame::OnClose() {
  if (m_sheet.HasUnsavedChanges()) {
    const int answer = geoproj::ShowMessage(
        m_sheet.TxLoadString(CPropertyInfo::IDS_CLOSE_QUESTION),
        geoproj::kMbYesNo | geoproj::kMbIconQuestion);
    if (answer != geoproj::kIdYes) return false;
  }
  m_sheet.NotifyHost(CPropertyInfo::kNoticeClosed);
  m_open = false;
  geoproj::ShowSheet(m_sheet, geoproj::SheetView::kClose);
  return true;
}

void CPropertyInfoFrame::Show() {
  m_open = true;
  geoproj::ShowSheet(m_sheet, geoproj::SheetView::kShow);
}
