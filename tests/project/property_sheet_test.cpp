// The project information sheet: the string table, switching projects with the save question,
// the permission of a read-only sheet, edits taken over into Info.prj, and closing.
#include <geoproj/project/property_info_frame.h>

#include <gtest/gtest.h>

#include <functional>
#include <sys/stat.h>

#include <geoproj/foundation/messages.h>
#include <geoproj/platform/borv_ini.h>
#include <geoproj/platform/files.h>
#include <geoproj/platform/projekt_status.h>

#include "project/sheet_fixture.h"

namespace {

using namespace sheettest;
using dbstest::Messages;

// A frame showing the project p, named "Demo", with no message left over from opening it.
void Open(CPropertyInfoFrame& frame, SheetProject& p, CProjektStatus* status = nullptr) {
  ASSERT_EQ(frame.SetProj(&p.path, "Demo", status, nullptr), 0);
}

TEST(SheetStrings, OwnTableHoldsTheSheetTexts) {
  CPropertyInfo sheet;
  EXPECT_EQ(sheet.TxLoadString(101), "Property Sheet");
  EXPECT_EQ(sheet.TxLoadString(5000),
            "Inget program \xE4r associerat med genv\xE4gen :\n%s\nAssociera filtyp i Windows!");
  EXPECT_EQ(sheet.TxLoadString(5003), "Dokumentet: %s finns inte\nFors\xE4tt \xE4nd\xE5?");
  EXPECT_EQ(sheet.TxLoadString(5004), kNoPermissionTitle);
  EXPECT_EQ(sheet.TxLoadString(5005), kNoPermission);
  EXPECT_EQ(sheet.TxLoadString(5006), "Active");
  EXPECT_EQ(sheet.TxLoadString(5011), "Ska arkiveras");
  EXPECT_EQ(sheet.TxLoadString(5012), "Status unknown");
  EXPECT_EQ(sheet.TxLoadString(5013), "Apply");
  EXPECT_EQ(sheet.TxLoadString(5015), kSaveQuestion);
  EXPECT_EQ(sheet.TxLoadString(5017), kCloseQuestion);
  EXPECT_EQ(sheet.TxLoadString(4999), "");
  EXPECT_EQ(sheet.TxFormat(5001, "a%sb.doc"), "Document: a%sb.doc is missing !");
}

TEST(SheetStrings, LanguageLibraryTextsWinWhereItHoldsThem) {
  geoproj::test::TempDir dir;
  const std::string dll = dir.write("BorviProgNO.dll", "resources");
  std::vector<std::string> asked;
  const auto previous = geoproj::SetLanguageHandler(
      [&](const std::string& library, int id, std::string* text) {
        asked.push_back(library);
        if (id == 5013) *text = "Bruk";
        if (id == 5016) *text = "Prosjekt %d %s " + std::string(300, 'x');
        return id == 5013 || id == 5016;
      });
  CPropertyInfo sheet;
  sheet.TxLoadLangDll(dir.file("BorviProgXX.dll").c_str());  // no such file: no library
  EXPECT_EQ(sheet.GetLangDll(), "");
  EXPECT_EQ(sheet.TxLoadString(5013), "Apply");
  EXPECT_TRUE(asked.empty());
  sheet.TxLoadLangDll(dll.c_str());
  EXPECT_EQ(sheet.GetLangDll(), dll);
  EXPECT_EQ(sheet.TxLoadString(5013), "Bruk");
  EXPECT_EQ(sheet.TxLoadString(5014), "Spara projektinformation");  // not in the library
  EXPECT_EQ(sheet.TxLoadString(5016).size(), 255u);
  // A library text is never a format: "%d" stays, only "%s" is filled.
  EXPECT_EQ(sheet.TxFormat(5016, "P").substr(0, 14), "Prosjekt %d P ");
  geoproj::SetLanguageHandler(previous);
}

TEST(SheetFrame, FirstSettingsChooseTheLanguageLibrary) {
  geoproj::test::TempDir install;
  install.write("Borvi.ini", "[SYSTEM]\r\nLANG = SV\r\n");
  install.write("BorviProgSV.dll", "resources");
  CBorvIni settings(install.path().c_str());
  SheetProject p;
  CPropertyInfoFrame frame;
  ASSERT_EQ(frame.SetProj(&p.path, "Demo", nullptr, &settings), 0);
  EXPECT_EQ(frame.m_sheet.GetLangDll(), install.file("BorviProgSV.dll"));
  geoproj::test::TempDir other;
  CBorvIni later(other.path().c_str());
  ASSERT_EQ(frame.SetProj(&p.path, "Demo", nullptr, &later), 0);
  EXPECT_EQ(frame.m_sheet.GetLangDll(), install.file("BorviProgSV.dll"));
}

TEST(SheetFrame, SetProjTitlesTheWindowAndFillsEveryPage) {
  SheetProject p;
  Desktop desktop;
  CPropertyInfoFrame frame;
  Open(frame, p);
  const CPropertyInfo& s = frame.m_sheet;
  EXPECT_EQ(frame.GetTitle(), "Projektinformation: Demo");
  EXPECT_EQ(s.GetPageCount(), 3);
  EXPECT_EQ(s.m_pageDoc.m_company, "Geoteknik Nord AB");
  EXPECT_EQ(s.m_pageDoc.m_text[0], "V\xE4g 42, etapp 2");
  EXPECT_EQ(s.m_pageDoc.m_address, p.dir.path());
  EXPECT_EQ(s.m_pageDoc.m_status, "Status unknown");
  EXPECT_EQ(s.m_pageKsyst.m_coordName, "SWEREF 99 18 00");
  EXPECT_EQ(s.m_pageKsyst.m_heightName, "RH 2000");
  EXPECT_EQ(s.m_pageKsyst.m_transformation[2], "Transformation 3");
  EXPECT_DOUBLE_EQ(s.m_pageKsyst.m_lonMax, 18.25);
  EXPECT_EQ(s.m_pagePrjd.m_entrepr, "Borrbolaget Syd Aktiebolag AB");
  EXPECT_EQ(s.m_pagePrjd.m_antbh, "2");
  EXPECT_EQ(s.m_pagePrjd.m_xmin, "6500000.12");  // printf rounds the exact .125 to even
  EXPECT_EQ(s.m_pagePrjd.m_ymax, "150020.25");
  EXPECT_EQ(s.m_pagePrjd.m_zmax, "12.50");
  EXPECT_EQ(s.m_pagePrjd.m_koordChoice, 0);
  EXPECT_EQ(s.m_pagePrjd.m_sepChoice, 0);
  EXPECT_FALSE(s.IsApplyEnabled());
  ASSERT_EQ(desktop.views.size(), 1u);
  EXPECT_EQ(desktop.views[0], geoproj::SheetView::kRefresh);
}

TEST(SheetFrame, WithoutADatabaseTheSheetHasTwoPages) {
  SheetProject p(false);
  CPropertyInfoFrame frame;
  Open(frame, p);
  EXPECT_EQ(frame.m_sheet.GetPageCount(), 2);
  EXPECT_FALSE(frame.m_sheet.HasPrjdPage());
  EXPECT_FALSE(p.dir.exists("Solumbra.dbs"));
}

TEST(SheetFrame, NoSystemsShowAsUnknown) {
  SheetProject p(false, "");
  CPropertyInfoFrame frame;
  Open(frame, p);
  EXPECT_EQ(frame.m_sheet.m_pageKsyst.m_coordName, "Ok\xE4nt");
  EXPECT_EQ(frame.m_sheet.m_pageKsyst.m_heightName, "Ok\xE4nt");
}

TEST(SheetFrame, MissingInfoPrjIsCreated) {
  geoproj::test::TempDir dir;
  CProjPath path;
  path.SetPath(dir.path().c_str());
  CPropertyInfoFrame frame;
  ASSERT_EQ(frame.SetProj(&path, "Ny", nullptr, nullptr), 0);
  EXPECT_TRUE(dir.exists("Info.prj"));
  EXPECT_EQ(frame.m_sheet.GetPageCount(), 2);
}

// Each edit a read-only sheet refuses: the message, the old value back, nothing marked.
struct RefusedEdit {
  const char* name;
  std::function<int(CPropertyInfo&)> edit;
  std::function<std::string(const CPropertyInfo&)> value;
  std::string old_value;
};

class SheetReadOnly : public ::testing::TestWithParam<RefusedEdit> {};

TEST_P(SheetReadOnly, RefusesTheEditAndShowsTheStoredValueAgain) {
  SheetProject p;
  Desktop desktop;
  desktop.choose = p.dir.file("Annan.docx");
  CPropertyInfoFrame frame;
  Open(frame, p);
  CPropertyInfo& s = frame.m_sheet;
  s.NoApplyButton();
  s.m_pagePrjd.PrjdEnable(1);
  desktop.views.clear();
  Messages log;
  EXPECT_EQ(GetParam().edit(s), -1);
  ASSERT_EQ(log.shown().size(), 1u);
  EXPECT_EQ(log.shown()[0].text, kNoPermission);
  EXPECT_EQ(log.shown()[0].flags, kWarnOk);
  EXPECT_EQ(log.shown()[0].caption, kNoPermissionTitle);
  EXPECT_EQ(GetParam().value(s), GetParam().old_value);
  EXPECT_EQ(s.m_info->changed, 0);
  EXPECT_FALSE(s.IsApplyEnabled());
  EXPECT_FALSE(s.m_pagePrjd.IsModified());
  ASSERT_EQ(desktop.views.size(), 1u);
  EXPECT_EQ(desktop.views[0], geoproj::SheetView::kRefresh);
  // Nothing was written.
  EXPECT_EQ(s.OnApply(), 0);
  EXPECT_EQ(p.info(), kInfoPrj);
  EXPECT_EQ(p.db(), ProjectDatabase());
}

INSTANTIATE_TEST_SUITE_P(
    Fields, SheetReadOnly,
    ::testing::Values(
        RefusedEdit{"Company",
                    [](CPropertyInfo& s) {
                      return s.m_pageDoc.SetField(CPropertyPageDoc::kCompany, "Annat AB");
                    },
                    [](const CPropertyInfo& s) { return s.m_pageDoc.m_company; },
                    "Geoteknik Nord AB"},
        RefusedEdit{"TextLine3",
                    [](CPropertyInfo& s) {
                      return s.m_pageDoc.SetField(CPropertyPageDoc::kText3, "");
                    },
                    [](const CPropertyInfo& s) { return s.m_pageDoc.m_text[2]; },
                    "Tredje raden"},
        RefusedEdit{"Status",
                    [](CPropertyInfo& s) { return s.m_pageDoc.ChooseStatus("Avslutat"); },
                    [](const CPropertyInfo& s) { return s.m_pageDoc.m_status; },
                    "Status unknown"},
        RefusedEdit{"BrowsedDocument",
                    [](CPropertyInfo& s) { return s.m_pageDoc.OnBrowseDocument(); },
                    [](const CPropertyInfo& s) { return s.m_pageDoc.m_document; },
                    "Rapport.docx"},
        RefusedEdit{"CoordinateText",
                    [](CPropertyInfo& s) {
                      return s.m_pageKsyst.SetField(CPropertyPageKsyst::kCoordText, "RT 90");
                    },
                    [](const CPropertyInfo& s) { return s.m_pageKsyst.m_coordText; },
                    "SWEREF 99 18 00"},
        RefusedEdit{"Transformation2",
                    [](CPropertyInfo& s) {
                      return s.m_pageKsyst.SetField(CPropertyPageKsyst::kTransformation2, "x");
                    },
                    [](const CPropertyInfo& s) { return s.m_pageKsyst.m_transformation[1]; },
                    ""},
        RefusedEdit{"Contractor",
                    [](CPropertyInfo& s) {
                      return s.m_pagePrjd.SetField(CPropertyPagePrjd::kContractor, "Nytt");
                    },
                    [](const CPropertyInfo& s) { return s.m_pagePrjd.m_entrepr; },
                    "Borrbolaget Syd Aktiebolag AB"},
        RefusedEdit{"CoordinateChoice",
                    [](CPropertyInfo& s) { return s.m_pagePrjd.ChooseKoord(1); },
                    [](const CPropertyInfo& s) {
                      return std::to_string(s.m_pagePrjd.m_koordChoice);
                    },
                    "0"}),
    [](const ::testing::TestParamInfo<RefusedEdit>& info) { return info.param.name; });

TEST(SheetEdits, ApplyWritesTheEditedFieldsIntoInfoPrj) {
  SheetProject p(false);
  CPropertyInfoFrame frame;
  Open(frame, p);
  CPropertyInfo& s = frame.m_sheet;
  Messages log;
  EXPECT_EQ(s.m_pageDoc.SetField(CPropertyPageDoc::kCompany, "F\xE4ltgeo AB"), 1);
  EXPECT_EQ(s.m_pageDoc.SetField(CPropertyPageDoc::kText2, "Andra raden"), 1);
  EXPECT_EQ(s.m_pageDoc.SetField(CPropertyPageDoc::kText3, std::string(100, 'z')), 1);
  EXPECT_EQ(s.m_pageDoc.SetField(CPropertyPageDoc::kDocument, "Rapport.docx"), 0);
  EXPECT_EQ(s.m_pageKsyst.SetField(CPropertyPageKsyst::kHeightText, "RH 70"), 1);
  EXPECT_EQ(s.m_pageKsyst.SetField(CPropertyPageKsyst::kTransformation1, ""), 1);
  EXPECT_EQ(s.m_info->changed, 1);
  EXPECT_TRUE(s.IsApplyEnabled());
  EXPECT_EQ(p.info(), kInfoPrj);  // nothing written before Apply
  ASSERT_EQ(s.OnApply(), 0);
  EXPECT_EQ(p.info(),
            "F\xE4ltgeo AB\r\n"
            "Rapport.docx\r\n"
            "V\xE4g 42, etapp 2\r\n"
            "Andra raden\r\n" +
                std::string(79, 'z') +
                "\r\n"
                "59.123456 59.654321 17.500000 18.250000 5 0\r\n"
                "SWEREF 99 18 00\r\n"
                "RH 70\r\n"
                "\r\n"
                "\r\n"
                "Transformation 3\r\n"
                "59.400000 17.900000\r\n");
  EXPECT_EQ(s.m_info->changed, 0);
  EXPECT_FALSE(s.IsApplyEnabled());
  EXPECT_TRUE(log.shown().empty());
  EXPECT_TRUE(frame.OnClose());  // nothing left to ask about
  EXPECT_TRUE(log.shown().empty());
}

TEST(SheetEdits, StatusAndCreatorGoBackToTheHost) {
  SheetProject p(false);
  CProjektStatus status;
  status.LoadDefault();
  CPropertyInfoFrame frame;
  Open(frame, p, &status);
  CPropertyInfo& s = frame.m_sheet;
  ASSERT_EQ(s.m_pageDoc.m_statusChoices.size(), 7u);
  EXPECT_EQ(s.m_pageDoc.m_statusChoices[1], "P\xE5g\xE5" "ende");
  s.m_pageDoc.SetProjectStatus("Planerat", "Kim");
  EXPECT_EQ(s.m_pageDoc.ChooseStatus("Planerat"), 0);
  EXPECT_EQ(s.m_pageDoc.ChooseStatus("Vilande"), 1);
  EXPECT_EQ(s.m_pageDoc.SetField(CPropertyPageDoc::kCreatedBy, std::string(40, 'k')), 1);
  int saved = 0;
  s.SetHostWindow([&](CPropertyInfo::Notice n, std::string*) {
    if (n == CPropertyInfo::kNoticeSaved) ++saved;
    return 0;
  });
  ASSERT_EQ(s.OnApply(), 0);
  EXPECT_EQ(saved, 1);
  EXPECT_EQ(s.m_pageDoc.m_storedStatus, "Vilande");
  EXPECT_EQ(s.m_pageDoc.m_storedCreatedBy, std::string(32, 'k'));
  // Another project starts without the host's status of this one.
  SheetProject next(false);
  ASSERT_EQ(frame.SetProj(&next.path, "Next", &status, nullptr), 0);
  EXPECT_EQ(s.m_pageDoc.m_status, "Status unknown");
  EXPECT_EQ(s.m_pageDoc.m_createdBy, "");
}

TEST(SheetEdits, WithoutAStatusListTheBuiltInStatusesAreOffered) {
  SheetProject p(false);
  CPropertyInfoFrame frame;
  Open(frame, p);
  EXPECT_EQ(frame.m_sheet.m_pageDoc.m_statusChoices,
            (std::vector<std::string>{"Active", "Avslutat", "Arkiverat", "Levererat", "Vilande",
                                      "Ska arkiveras"}));
}

// Info.prj that cannot be written (here a folder took its place) is no save: the user is told,
// the edit stays and stays marked, and switching projects does not drop it.
TEST(SheetEdits, AnInfoPrjThatCannotBeWrittenIsReportedAndKept) {
  SheetProject p(false);
  SheetProject next(false);
  CPropertyInfoFrame frame;
  Open(frame, p);
  CPropertyInfo& s = frame.m_sheet;
  ASSERT_EQ(s.m_pageDoc.SetField(CPropertyPageDoc::kCompany, "Nytt AB"), 1);
  ASSERT_TRUE(geoproj::RemoveFile(p.dir.file("Info.prj")));
  ASSERT_EQ(::mkdir(p.dir.file("Info.prj").c_str(), 0755), 0);
  Messages log({geoproj::kIdOk, geoproj::kIdYes, geoproj::kIdOk});
  EXPECT_EQ(s.OnApply(), -1);
  ASSERT_EQ(log.shown().size(), 1u);
  EXPECT_EQ(log.shown()[0].text, "Kan inte spara projektinformationen i\n" + p.dir.file("Info.prj"));
  EXPECT_EQ(log.shown()[0].caption, kSaveTitle);
  EXPECT_EQ(log.shown()[0].flags, kWarnOk);
  EXPECT_EQ(s.m_info->changed, 1);
  EXPECT_TRUE(s.IsApplyEnabled());
  EXPECT_EQ(frame.SetProj(&next.path, "Next", nullptr, nullptr), -1);
  ASSERT_EQ(log.shown().size(), 3u);
  EXPECT_EQ(log.shown()[1].text, kSaveQuestion);
  EXPECT_EQ(frame.GetTitle(), "Projektinformation: Demo");
  EXPECT_EQ(s.m_pageDoc.m_company, "Nytt AB");
  EXPECT_EQ(s.m_proj.m_projKat, p.dir.path());
}

// Switching to another project with the save question answered each way.
struct SwitchCase {
  const char* name;
  int answer;
  int result;
  bool written;
  bool switched;
};

class SheetSwitch : public ::testing::TestWithParam<SwitchCase> {};

TEST_P(SheetSwitch, AnswersDecideWhatHappensToTheEdit) {
  const SwitchCase& c = GetParam();
  SheetProject p(false);
  SheetProject next(false, "Annat bolag\r\n");
  CPropertyInfoFrame frame;
  Open(frame, p);
  CPropertyInfo& s = frame.m_sheet;
  int saved = 0;
  s.SetHostWindow([&](CPropertyInfo::Notice n, std::string*) {
    if (n == CPropertyInfo::kNoticeSaved) ++saved;
    return 0;
  });
  ASSERT_EQ(s.m_pageDoc.SetField(CPropertyPageDoc::kCompany, "Nytt AB"), 1);
  Messages log({c.answer});
  EXPECT_EQ(frame.SetProj(&next.path, "Next", nullptr, nullptr), c.result);
  ASSERT_EQ(log.shown().size(), 1u);
  EXPECT_EQ(log.shown()[0].text, kSaveQuestion);
  EXPECT_EQ(log.shown()[0].flags, kWarnYesNo);
  EXPECT_EQ(log.shown()[0].caption, kSaveTitle);
  EXPECT_EQ(saved, c.written ? 1 : 0);
  EXPECT_EQ(p.info().substr(0, 9), c.written ? "Nytt AB\r\n" : "Geoteknik");
  if (c.switched) {
    EXPECT_EQ(frame.GetTitle(), "Projektinformation: Next");
    EXPECT_EQ(s.m_pageDoc.m_company, "Annat bolag");
    EXPECT_EQ(s.m_info->changed, 0);
    EXPECT_FALSE(s.IsApplyEnabled());
  } else {
    // Dismissing the question keeps the project and the edit.
    EXPECT_EQ(frame.GetTitle(), "Projektinformation: Demo");
    EXPECT_EQ(s.m_pageDoc.m_company, "Nytt AB");
    EXPECT_EQ(s.m_info->changed, 1);
    EXPECT_TRUE(s.IsApplyEnabled());
  }
}

INSTANTIATE_TEST_SUITE_P(
    Answers, SheetSwitch,
    ::testing::Values(SwitchCase{"Yes", geoproj::kIdYes, 0, true, true},
                      SwitchCase{"No", geoproj::kIdNo, 0, false, true},
                      SwitchCase{"Cancel", geoproj::kIdCancel, -1, false, false}),
    [](const ::testing::TestParamInfo<SwitchCase>& info) { return info.param.name; });

TEST(SheetSwitch, NothingChangedAsksNothing) {
  SheetProject p;
  SheetProject next(false);
  CPropertyInfoFrame frame;
  Open(frame, p);
  Messages log;
  EXPECT_EQ(frame.SetProj(&next.path, "Next", nullptr, nullptr), 0);
  EXPECT_TRUE(log.shown().empty());
  EXPECT_EQ(p.info(), kInfoPrj);
  EXPECT_EQ(p.db(), ProjectDatabase());
}

// Closing with the question answered each way.
struct CloseCase {
  const char* name;
  bool edit;
  int answer;
  bool asked;
  bool closed;
};

class SheetClose : public ::testing::TestWithParam<CloseCase> {};

TEST_P(SheetClose, UnappliedChangesAskBeforeClosing) {
  const CloseCase& c = GetParam();
  SheetProject p(false);
  Desktop desktop;
  CPropertyInfoFrame frame;
  Open(frame, p);
  frame.Show();
  CPropertyInfo& s = frame.m_sheet;
  int closed_notices = 0;
  s.SetHostWindow([&](CPropertyInfo::Notice n, std::string*) {
    if (n == CPropertyInfo::kNoticeClosed) ++closed_notices;
    return 0;
  });
  if (c.edit) {
    ASSERT_EQ(s.m_pageKsyst.SetField(CPropertyPageKsyst::kCoordText, "RT 90"), 1);
  }
  Messages log({c.answer});
  EXPECT_EQ(frame.OnClose(), c.closed);
  ASSERT_EQ(log.shown().size(), c.asked ? 1u : 0u);
  if (c.asked) {
    EXPECT_EQ(log.shown()[0].text, kCloseQuestion);
    EXPECT_EQ(log.shown()[0].flags, kAskYesNo);
    EXPECT_EQ(log.shown()[0].caption, geoproj::ApplicationTitle());
  }
  EXPECT_EQ(closed_notices, c.closed ? 1 : 0);
  EXPECT_EQ(frame.IsOpen(), !c.closed);
  EXPECT_EQ(desktop.views.back(),
            c.closed ? geoproj::SheetView::kClose : geoproj::SheetView::kShow);
  EXPECT_EQ(p.info(), kInfoPrj);  // closing never writes
}

INSTANTIATE_TEST_SUITE_P(
    Answers, SheetClose,
    ::testing::Values(CloseCase{"Unchanged", false, geoproj::kIdNo, false, true},
                      CloseCase{"Yes", true, geoproj::kIdYes, true, true},
                      CloseCase{"No", true, geoproj::kIdNo, true, false},
                      CloseCase{"Cancel", true, geoproj::kIdCancel, true, false}),
    [](const ::testing::TestParamInfo<CloseCase>& info) { return info.param.name; });

}  // namespace
