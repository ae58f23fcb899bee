// CPropertyInfoFrame: the small floating window that holds the project information sheet. It
// switches the sheet from one project to the next, asking first whether changed project
// information is to be saved, and asks before closing while changes are not applied.
#pragma once

#include <string>

#include <geoproj/project/property_info.h>

class CBorvIni;
class CProjPath;
class CProjektStatus;

class CPropertyInfoFrame {
 public:
  CPropertyInfoFrame() = default;
  CPropertyInfoFrame(const CPropertyInfoFrame&) = delete;
  CPropertyInfoFrame& operator=(const CPropertyInfoFrame&) = delete;
  virtual ~CPropertyInfoFrame() = default;

  // Shows the project at path (named name) with its status list. The first settings given
  // choose the language library. 0 switched; -1 when the user cancelled the save question or
  // the changes could not be written: the window then keeps the project it showed, changes
  // and all.
  int SetProj(CProjPath* path, const char* name, CProjektStatus* status, CBorvIni* settings);
  // The window's close box. True when the window closed; false when the user chose to stay.
  bool OnClose();
  // Puts the window on the screen (through the host's view handler).
  void Show();

  const std::string& GetTitle() const { return m_sheet.m_title; }
  bool IsOpen() const { return m_open; }

  CPropertyInfo m_sheet;

 private:
  void TakeSettings(CBorvIni* settings);
  int SaveBeforeSwitch();

  bool m_settingsTaken = false;
  bool m_open = false;
};
