// A project directory for the project information sheet, the scripted message handler of the
// database tests, and the host services recorded while a test runs.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include <geoproj/platform/host_services.h>
#include <geoproj/project/property_info_frame.h>
#include <geoproj/project/sheet_view.h>

#include "database/dbs_test_util.h"

namespace sheettest {

inline const std::string kNoPermission =
    "Aktuell beh\xF6righet till\xE5ter ej \xE4ndringar!\nInformationen \xE5terst\xE4lls...";
inline const std::string kNoPermissionTitle = "Beh\xF6righet saknas";
inline const std::string kSaveQuestion =
    "Projektinformationen \xE4r f\xF6r\xE4ndrad!\nSka \xE4ndringarna sparas ?";
inline const std::string kSaveTitle = "Spara projektinformation";
inline const std::string kCloseQuestion =
    "Data \xE4r f\xF6r\xE4ndrat och inte sparade via 'Verkst\xE4ll'!\nSka vi avsluta \xE4nd\xE5?";

inline constexpr unsigned kWarnOk = geoproj::kMbOk | geoproj::kMbIconExclamation;
inline constexpr unsigned kWarnYesNo = geoproj::kMbYesNo | geoproj::kMbIconExclamation;
inline constexpr unsigned kAskYesNo = geoproj::kMbYesNo | geoproj::kMbIconQuestion;

// The twelve lines of an Info.prj as the writer puts them on disk.
inline const std::string kInfoPrj =
    "Geoteknik Nord AB\r\n"
    "Rapport.docx\r\n"
    "V\xE4g 42, etapp 2\r\n"
    "\r\n"
    "Tredje raden\r\n"
    "59.123456 59.654321 17.500000 18.250000 5 0\r\n"
    "SWEREF 99 18 00\r\n"
    "RH 2000\r\n"
    "Transformation 1\r\n"
    "\r\n"
    "Transformation 3\r\n"
    "59.400000 17.900000\r\n";

// A database header with project texts, counters and extents, and a database identifier (so
// that a header write adds none).
inline std::string ProjectHeader() {
  using namespace dbstest;
  std::string h = NewHeader(500 + 2 * 62);
  PutText(h, 6, "Borrbolaget Syd Aktiebolag AB");  // 29 characters
  PutText(h, 37, "V\xE4g 42 Norr");
  PutText(h, 73, "P-1234");
  PutText(h, 86, "15.03.2019");
  PutText(h, 97, "Anm\xE4rkning ett");
  PutText(h, 133, "Anm\xE4rkning tv\xE5");
  PutText(h, 169, "Kim Handl\xE4ggare");
  PutText(h, 190, "R-100, R-101");
  PutI16(h, kAntBh, 2);
  PutF64(h, kXMin, 6500000.125);
  PutF64(h, kXMax, 6500100.5);
  PutF64(h, kYMin, 150000.0);
  PutF64(h, kYMax, 150020.25);
  PutF64(h, kZMin, 10.0);
  PutF64(h, kZMax, 12.5);
  PutI32(h, kUppdnr, 7);
  PutI16(h, kSekSep, '/');
  PutI16(h, kGuidFlag, 1);
  for (int i = 0; i < 11; ++i) PutI32(h, kGuid + 4 * i, 0x11 * (i + 1));
  return h;
}

inline std::string ProjectDatabase(const std::string& header = ProjectHeader()) {
  using namespace dbstest;
  return FileBytes(header, {RecordBytes(Borehole("B1", 6500000.125, 150000.0, 10.0)),
                            RecordBytes(Borehole("B2", 6500100.5, 150020.25, 12.5))});
}

// The host services a test sees: associations it answers, programs it was asked to start,
// the file dialog's answer, and what the view handler was told.
class Desktop {
 public:
  Desktop() {
    assoc_ = geoproj::SetAssociationHandler([this](const std::string& path) {
      asked_association.push_back(path);
      return program;
    });
    shell_ = geoproj::SetShellHandler(
        [this](const std::string& verb, const std::string& path, const std::string& dir) {
          started.push_back(verb + " " + path + " in " + dir);
          return true;
        });
    dialog_ = geoproj::SetFileDialogHandler(
        [this](const std::string& title, const std::string& start, std::string* chosen) {
          dialog_title = title;
          dialog_start = start;
          if (choose.empty()) return false;
          *chosen = choose;
          return true;
        });
    view_ = geoproj::SetSheetViewHandler(
        [this](CPropertyInfo&, geoproj::SheetView what) { views.push_back(what); });
  }
  ~Desktop() {
    geoproj::SetAssociationHandler(assoc_);
    geoproj::SetShellHandler(shell_);
    geoproj::SetFileDialogHandler(dialog_);
    geoproj::SetSheetViewHandler(view_);
  }
  Desktop(const Desktop&) = delete;
  Desktop& operator=(const Desktop&) = delete;

  std::string program;  // the associated program to answer
  std::string choose;   // the file the dialog returns; empty cancels
  std::vector<std::string> asked_association;
  std::vector<std::string> started;
  std::string dialog_title;
  std::string dialog_start;
  std::vector<geoproj::SheetView> views;

 private:
  geoproj::AssociationHandler assoc_;
  geoproj::ShellHandler shell_;
  geoproj::FileDialogHandler dialog_;
  geoproj::SheetViewHandler view_;
};

// A project directory with Info.prj and, when asked, a borehole database.
struct SheetProject {
  geoproj::test::TempDir dir;
  CProjPath path;
  explicit SheetProject(bool database = true, const std::string& info = kInfoPrj) {
    path.SetPath(dir.path().c_str());
    dir.write("Info.prj", info);
    if (database) dir.write("Solumbra.dbs", ProjectDatabase());
  }
  std::string info() const { return dir.read("Info.prj"); }
  std::string db() const { return dir.read("Solumbra.dbs"); }
};

}  // namespace sheettest
