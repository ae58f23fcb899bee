// CPropertyInfo: the project information sheet with its three pages: the document page, the
// project data page (present only while the project's database can be read) and the
// coordinate-system page. The document and coordinate-system pages edit the project's
// CInfoPrj; the project data page edits the database header's project data, which it hands to
// the host window.
//
// The sheet is a model: it holds what the dialog shows, which buttons are there, and the
// questions it asks through the message handler. Showing it is the host's (see sheet_view.h).
// A sheet whose Apply button is hidden is read-only: every change is refused with a message
// and undone.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include <geoproj/platform/proj_path.h>
#include <geoproj/project/info_prj.h>
#include <geoproj/project/property_page_doc.h>
#include <geoproj/project/property_page_ksyst.h>
#include <geoproj/project/property_page_prjd.h>

class CProjektStatus;

class CPropertyInfo {
 public:
  // The sheet's string table.
  enum StringId : int {
    IDS_PROPSHT_CAPTION = 101,       // "Property Sheet"
    IDS_NO_PROGRAM = 5000,           // no program associated with the document
    IDS_DOC_MISSING = 5001,          // the document to open is missing
    IDS_CHOOSE_DOC = 5002,           // title of the file-open dialog
    IDS_DOC_NOT_FOUND = 5003,        // leaving the page with a document that is missing
    IDS_NO_PERMISSION_TITLE = 5004,
    IDS_NO_PERMISSION = 5005,
    IDS_STATUS_FIRST = 5006,         // 5006 to 5011: built-in status texts
    IDS_STATUS_UNKNOWN = 5012,
    IDS_APPLY = 5013,
    IDS_SAVE_TITLE = 5014,
    IDS_SAVE_QUESTION = 5015,
    IDS_TITLE = 5016,                // window title, "%s" the project name
    IDS_CLOSE_QUESTION = 5017,
  };
  static constexpr int kStringMax = 255;  // characters of a string-table text

  // What the sheet tells its host window.
  enum Notice {
    kNoticeSaved,        // the data were stored; the host takes the project data (GetPrjd)
    kNoticeClosed,       // the window closes
    kNoticeProjectName,  // a new project name (*text, trimmed) is offered; 1 accepts it, and
                         // the name field shows what the host left in *text
  };
  // The host window. For kNoticeSaved a negative answer means the host could not store the
  // project data.
  using HostWindow = std::function<int(Notice notice, std::string* text)>;

  CPropertyInfo();
  CPropertyInfo(const CPropertyInfo&) = delete;
  CPropertyInfo& operator=(const CPropertyInfo&) = delete;
  virtual ~CPropertyInfo();

  // Takes over a project: its path, its status list (not owned) and a new CInfoPrj for it,
  // then fills the pages. A null path shows no project.
  void SetProject(const CProjPath* path, CProjektStatus* status);
  // Fills the document page, then the project data page (present when the project's database
  // can be read), then the coordinate-system page.
  void UpdatePage();
  // The pages' fields into the project information (when it changed) and the project data
  // page's choices (when that page is present and modified).
  void SaveData();
  // Whether anything is changed and not yet written: the project information, or the sheet.
  bool HasUnsavedChanges() const;

  // The Apply button: stores the data, writes Info.prj when it changed and lets the host take
  // the project data. 0, or -1 when something could not be written; what was not written stays
  // marked changed. "OK" does the same.
  int OnApply();
  int OnOK() { return OnApply(); }

  // Hides the Apply button: the sheet becomes read-only.
  void NoApplyButton() { m_applyVisible = false; }
  bool IsApplyVisible() const { return m_applyVisible; }
  // Apply is enabled while the sheet holds changes not applied.
  bool IsApplyEnabled() const { return m_applyEnabled; }
  void SetModified(bool modified = true) { m_applyEnabled = modified; }
  // Before a page takes over a change: true when the sheet allows changes; otherwise the user
  // is told and false is returned (the page then fills itself again).
  bool CheckPermission() const;

  // Takes a page's edit of the project information over into *field: 0 when text is the
  // stored value, 1 when the sheet allows the change (Apply enabled, the project information
  // marked changed), -1 when it does not or no project is shown (the caller then fills its
  // page again).
  int TakeOverEdit(std::string* field, const std::string& text, const std::string& stored);

  bool HasPrjdPage() const { return m_hasPrjd; }
  int GetPageCount() const { return m_hasPrjd ? 3 : 2; }

  // A text of the string table: the language library's when one is loaded and holds it, else
  // the sheet's own; at most kStringMax characters.
  std::string TxLoadString(int id) const;
  // A text of the string table with its "%s" replaced by arg. Only that one place is filled:
  // a language library's text is never taken as a format.
  std::string TxFormat(int id, const std::string& arg) const;
  // Uses the language library at path when that file exists, none otherwise.
  void TxLoadLangDll(const char* path);
  const std::string& GetLangDll() const { return m_langDll; }

  void SetHostWindow(HostWindow host) { m_host = std::move(host); }
  // Tells the host window. Without one the sheet is its own host: it writes the project data
  // into the project's database when saved and accepts every project name.
  int NotifyHost(Notice notice, std::string* text = nullptr);

  CPropertyPageDoc m_pageDoc;
  CPropertyPagePrjd m_pagePrjd;
  CPropertyPageKsyst m_pageKsyst;
  CProjPath m_proj;                    // a copy of the project's path object
  std::unique_ptr<CInfoPrj> m_info;    // none before the first project
  CProjektStatus* m_status = nullptr;  // not owned
  std::string m_title;                 // the window title

 private:
  int WriteInfo();

  HostWindow m_host;
  std::string m_langDll;
  bool m_applyVisible = true;
  bool m_applyEnabled = false;
  bool m_hasPrjd = false;
};
