// CPropertyPageDoc: the document page of the project information sheet (dialog "Info"): the
// company, the project document, three text lines, the project address, the project status and
// who created the project. The texts are kept in the project's Info.prj; the status and the
// creator belong to the host, which hands them over with SetProjectStatus and reads them back
// when the sheet saves.
//
// The page holds its fields as the dialog's controls would: an edit becomes the page's the
// moment the user leaves the field (SetField, ChooseStatus), and the project's data only when
// the sheet saves (Store).
#pragma once

#include <string>
#include <vector>

class CPropertyInfo;

class CPropertyPageDoc {
 public:
  enum Field { kCompany, kDocument, kText1, kText2, kText3, kCreatedBy };
  // Characters each field takes; the rest of a longer text is cut, as the control would.
  static int Limit(Field field);

  explicit CPropertyPageDoc(CPropertyInfo* sheet);
  CPropertyPageDoc(const CPropertyPageDoc&) = delete;
  CPropertyPageDoc& operator=(const CPropertyPageDoc&) = delete;
  virtual ~CPropertyPageDoc() = default;

  // The fields from the sheet's project information and the host's status.
  void Fill();
  // The fields back into the project information and the host's status.
  void Store();

  // The user left field holding text. A text that differs from the stored value is taken over
  // when the sheet allows changes (the page and the project information marked changed); a
  // read-only sheet says so and fills the page again. 1 taken over, 0 unchanged, -1 refused.
  int SetField(Field field, const std::string& text);
  // The user chose a status text of the choice list; as SetField.
  int ChooseStatus(const std::string& text);
  // The host's status and creator of the project.
  void SetProjectStatus(const std::string& status, const std::string& createdBy);
  // The status choices: the texts of the sheet's status list, or the built-in ones.
  void FillStatusChoices();

  // The document file the document field names: 0 with *full its path, -1 when none.
  int ResolveDocument(std::string* full) const;
  // "Open Document": opens the document with its associated program, or says why not.
  // 0 started, -1 not.
  int OnOpenDocument();
  // "Document...": the file-open dialog; a chosen file is taken over as the document, relative
  // to the project directory. 1 taken over, 0 cancelled or unchanged, -1 refused.
  int OnBrowseDocument();
  // "Open Explorer (Windows)": the desktop's file explorer on the project directory.
  int OnOpenExplorer();
  // Leaving the page: a document that cannot be found asks whether to go on. True to leave.
  bool OnKillActive();

  std::string m_company;
  std::string m_document;
  std::string m_text[3];
  std::string m_address;  // the project directory, shown only
  std::string m_status;
  std::string m_createdBy;
  std::vector<std::string> m_statusChoices;
  // The host's values, as last stored.
  std::string m_storedStatus;
  std::string m_storedCreatedBy;

 private:
  std::string* FieldText(Field field);
  std::string StoredText(Field field) const;
  int TakeOver(std::string* field, const std::string& text, const std::string& stored);

  CPropertyInfo* m_sheet;  // not owned
};
