// CPropertyPagePrjd: the project data page of the project information sheet (dialog "ZQ
// Presentation"): the project texts kept in the borehole database header, the number of
// boreholes and the extents (shown only), the coordinate reference ("LOK" or "RAK") and the
// chainage separator ("/" or "+").
//
// The page reads the header from a read-only database object and hands the edited values to
// the host through GetPrjd; UppdatDbs writes them into the project's database the way every
// writer of the database does (lock, catching up with other writers, header at offset 0).
// Which fields may be edited is the host's choice (PrjdEnable); until it chooses, none.
#pragma once

#include <optional>
#include <string>

#include <geoproj/platform/date_time.h>
#include <geoproj/project/borviprjdattype.h>

class CPropertyInfo;
class CBorviDbs;
class CProjPath;

class CPropertyPagePrjd {
 public:
  enum Field {
    kContractor, kProjectName, kProjectNumber, kDate, kRemark1, kRemark2, kDesigner, kDrawings
  };
  // Characters each field takes; the rest of a longer text is cut, as the control would.
  static int Limit(Field field);

  explicit CPropertyPagePrjd(CPropertyInfo* sheet);
  CPropertyPagePrjd(const CPropertyPagePrjd&) = delete;
  CPropertyPagePrjd& operator=(const CPropertyPagePrjd&) = delete;
  virtual ~CPropertyPagePrjd() = default;

  // Reads the project's database header into the page. 0, or -1 when the project has no
  // database or it cannot be read (the sheet then goes without this page).
  int Fill(CProjPath* proj);
  // Fills the fields again from the header last read, undoing what was not stored.
  void Refill();
  // The page is shown: the date control takes the date text (see m_dateControl).
  void OnSetActive();
  // The choices and the date control into the page's fields; the sheet's Apply is disabled.
  void Store();

  // Non-zero: every field editable (mode 1); 0: all but the project name and number (mode 2).
  void PrjdEnable(int all);
  int GetEnableMode() const { return m_enable; }
  bool IsEditable(Field field) const;
  bool IsModified() const { return m_modified; }

  // The user left field holding text; a changed project name is first offered to the host.
  // 1 taken over, 0 unchanged (or not accepted by the host), -1 refused (field not editable,
  // or a read-only sheet: the page is filled again).
  int SetField(Field field, const std::string& text);
  // The user chose a coordinate reference (0 "LOK", 1 "RAK") or separator (0 "/", 1 "+").
  int ChooseKoord(int choice);
  int ChooseSeparator(int choice);
  // The user set the date control; null leaves it without a date.
  int SetDateControl(const geoproj::DateTime* date);

  // Copies the edited project data into prjd when the page is modified and editable: the
  // texts, and in mode 1 the project name and number, the coordinate text and the separator.
  // -1 when there is nothing to hand over; else 1 when the name changed plus 2 when the number
  // changed. The page is no longer modified afterwards.
  int GetPrjd(borviprjdattype* prjd);
  // Writes the edited project data into the project's database header. 0 written or nothing
  // to write, -1 when the database could not be read or written (the page stays modified).
  int UppdatDbs(CProjPath* proj);

  std::string m_entrepr;
  std::string m_projnamn;
  std::string m_projnr;
  std::string m_datum;
  std::string m_anm1;
  std::string m_anm2;
  std::string m_handlaggare;
  std::string m_ritningar;
  std::string m_antbh;                  // "%d", shown only
  std::string m_xmin, m_xmax;           // "%.2lf", shown only
  std::string m_ymin, m_ymax;
  std::string m_zmin, m_zmax;
  int m_koordChoice = 0;                // 0 "LOK", 1 "RAK"
  int m_sepChoice = 0;                  // 0 "/", 1 "+"
  std::string m_koord;                  // the coordinate text handed over
  int m_seksep = '/';                   // the separator handed over
  // The date control: the date shown, or none.
  std::optional<geoproj::DateTime> m_dateControl;

 private:
  std::string* FieldText(Field field);
  void Show(const borviprjdattype& prjd);
  int TakeProjectName(const std::string& text);
  void StoreChoices();
  void StoreDate();
  void MarkModified();
  int Refuse();
  int WriteHeader(CBorviDbs& dbs, const borviprjdattype& prjd);

  CPropertyInfo* m_sheet;  // not owned
  borviprjdattype m_read{};  // the header as last read or written
  bool m_modified = false;
  bool m_active = false;     // the page was shown since it was filled: the date control is set
  int m_enable = 0;          // 0 nothing editable, 1 all, 2 all but name and number
};
