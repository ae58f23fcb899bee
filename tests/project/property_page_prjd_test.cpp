// The project data page: filled from the database header, the enable modes, GetPrjd, the date
// control, and the edits written into the header byte for byte through the database's lock.
#include <geoproj/project/property_page_prjd.h>

#include <gtest/gtest.h>

#include <cstring>

#include <geoproj/database/borvi_dbs.h>
#include <geoproj/platform/date_time.h>
#include <geoproj/project/property_info_frame.h>

#include "project/sheet_fixture.h"

namespace {

using namespace sheettest;
using namespace dbstest;

class PrjdPage : public ::testing::Test {
 protected:
  void Open(int enable = 1) {
    ASSERT_EQ(frame.SetProj(&p.path, "Demo", nullptr, nullptr), 0);
    ASSERT_TRUE(sheet().HasPrjdPage());
    if (enable >= 0) page().PrjdEnable(enable);
  }
  CPropertyInfo& sheet() { return frame.m_sheet; }
  CPropertyPagePrjd& page() { return frame.m_sheet.m_pagePrjd; }

  SheetProject p;
  CPropertyInfoFrame frame;
};

TEST_F(PrjdPage, EditsAreWrittenIntoTheHeaderByteForByte) {
  Open(1);
  Messages log;
  EXPECT_EQ(page().SetField(CPropertyPagePrjd::kContractor, "GeoBorr"), 1);
  EXPECT_EQ(page().SetField(CPropertyPagePrjd::kProjectName, "  Ny v\xE4g  "), 1);
  EXPECT_EQ(page().SetField(CPropertyPagePrjd::kProjectNumber, "P-99"), 1);
  EXPECT_EQ(page().SetField(CPropertyPagePrjd::kRemark2, ""), 1);
  EXPECT_EQ(page().SetField(CPropertyPagePrjd::kDrawings, "R-200"), 1);
  const geoproj::DateTime date{2021, 6, 1};
  EXPECT_EQ(page().SetDateControl(&date), 1);
  EXPECT_EQ(page().ChooseKoord(1), 1);
  EXPECT_EQ(page().ChooseSeparator(1), 1);
  EXPECT_TRUE(sheet().IsApplyEnabled());
  EXPECT_EQ(p.db(), ProjectDatabase());
  ASSERT_EQ(sheet().OnApply(), 0);
  EXPECT_TRUE(log.shown().empty());

  std::string h = ProjectHeader();
  std::memset(&h[6], 0, 31);
  PutText(h, 6, "GeoBorr");
  std::memset(&h[37], 0, 36);
  PutText(h, 37, "Ny v\xE4g");
  std::memset(&h[73], 0, 13);
  PutText(h, 73, "P-99");
  PutText(h, 86, "01.06.2021");
  std::memset(&h[133], 0, 36);
  std::memset(&h[190], 0, 21);
  PutText(h, 190, "R-200");
  PutText(h, 211, "RAK");
  PutI16(h, kSekSep, '+');
  PutI32(h, kUppdnr, 8);
  EXPECT_EQ(p.db(), ProjectDatabase(h));
  EXPECT_FALSE(page().IsModified());
  EXPECT_FALSE(sheet().IsApplyEnabled());
  EXPECT_FALSE(p.dir.exists("Solumbra.dbk"));
  EXPECT_EQ(p.info(), kInfoPrj);  // Info.prj did not change
}

// A coordinate reference the page cannot choose ("NGO") and an unset separator stay as they
// are when another field is saved.
TEST_F(PrjdPage, ChoicesLeftAloneKeepTheHeaderValues) {
  std::string h = ProjectHeader();
  PutText(h, 211, "NGO");
  PutI16(h, kSekSep, 0);
  p.dir.write("Solumbra.dbs", ProjectDatabase(h));
  Open(1);
  EXPECT_EQ(page().m_koordChoice, 0);
  ASSERT_EQ(page().SetField(CPropertyPagePrjd::kRemark1, "Ny"), 1);
  ASSERT_EQ(sheet().OnApply(), 0);
  std::memset(&h[97], 0, 36);
  PutText(h, 97, "Ny");
  PutI32(h, kUppdnr, 8);
  EXPECT_EQ(p.db(), ProjectDatabase(h));
}

TEST_F(PrjdPage, ModeTwoNeverChangesNameOrNumber) {
  Open(0);
  EXPECT_EQ(page().GetEnableMode(), 2);
  EXPECT_FALSE(page().IsEditable(CPropertyPagePrjd::kProjectName));
  EXPECT_FALSE(page().IsEditable(CPropertyPagePrjd::kProjectNumber));
  EXPECT_TRUE(page().IsEditable(CPropertyPagePrjd::kDesigner));
  EXPECT_EQ(page().SetField(CPropertyPagePrjd::kProjectName, "Annat"), -1);
  EXPECT_EQ(page().SetField(CPropertyPagePrjd::kProjectNumber, "X"), -1);
  EXPECT_EQ(page().m_projnamn, "V\xE4g 42 Norr");
  EXPECT_EQ(page().SetField(CPropertyPagePrjd::kDesigner, "Ny"), 1);
  // The host's record holds other name and number; mode 2 leaves them.
  borviprjdattype rec{};
  std::strcpy(rec.projnamn, "Hostens namn");
  std::strcpy(rec.projnr, "H-1");
  page().m_projnamn = "Smuggled";  // a field set behind the controls' back is not handed over
  EXPECT_EQ(page().GetPrjd(&rec), 0);
  EXPECT_STREQ(rec.projnamn, "Hostens namn");
  EXPECT_STREQ(rec.projnr, "H-1");
  EXPECT_STREQ(rec.handlaggare, "Ny");
}

TEST_F(PrjdPage, NothingIsEditableUntilTheHostEnablesThePage) {
  Open(-1);
  EXPECT_EQ(page().GetEnableMode(), 0);
  EXPECT_EQ(page().SetField(CPropertyPagePrjd::kContractor, "X"), -1);
  EXPECT_EQ(page().ChooseKoord(1), -1);
  EXPECT_EQ(page().ChooseSeparator(1), -1);
  EXPECT_EQ(page().SetDateControl(nullptr), -1);
  borviprjdattype rec{};
  EXPECT_EQ(page().GetPrjd(&rec), -1);
  EXPECT_EQ(page().m_entrepr, "Borrbolaget Syd Aktiebolag AB");
}

struct GetPrjdCase {
  const char* name;
  const char* projnamn;  // typed into the page; null leaves it
  const char* projnr;
  int result;
};

class PrjdGet : public PrjdPage, public ::testing::WithParamInterface<GetPrjdCase> {};

TEST_P(PrjdGet, ReturnsWhichOfNameAndNumberChanged) {
  const GetPrjdCase& c = GetParam();
  Open(1);
  if (c.projnamn) {
    ASSERT_EQ(page().SetField(CPropertyPagePrjd::kProjectName, c.projnamn), 1);
  }
  if (c.projnr) {
    ASSERT_EQ(page().SetField(CPropertyPagePrjd::kProjectNumber, c.projnr), 1);
  }
  if (!c.projnamn && !c.projnr) {
    borviprjdattype unmodified{};
    EXPECT_EQ(page().GetPrjd(&unmodified), -1);
    ASSERT_EQ(page().SetField(CPropertyPagePrjd::kRemark1, "x"), 1);
  }
  borviprjdattype rec{};
  std::strcpy(rec.projnamn, "V\xE4g 42 Norr");
  std::strcpy(rec.projnr, "P-1234");
  EXPECT_EQ(page().GetPrjd(&rec), c.result);
  EXPECT_FALSE(page().IsModified());
  EXPECT_EQ(page().GetPrjd(&rec), -1);  // handed over once
}

INSTANTIATE_TEST_SUITE_P(
    Changes, PrjdGet,
    ::testing::Values(GetPrjdCase{"Neither", nullptr, nullptr, 0},
                      GetPrjdCase{"Name", "Nytt namn", nullptr, 1},
                      GetPrjdCase{"Number", nullptr, "P-2", 2},
                      GetPrjdCase{"Both", "Nytt namn", "P-2", 3}),
    [](const ::testing::TestParamInfo<GetPrjdCase>& info) { return info.param.name; });

// Texts longer than their fields (a host that sets the page's strings itself) are cut at the
// field, and the field after keeps its bytes.
TEST_F(PrjdPage, LongTextsAreCutToTheirHeaderFields) {
  Open(1);
  ASSERT_EQ(page().SetField(CPropertyPagePrjd::kContractor, std::string(50, 'c')), 1);
  EXPECT_EQ(page().m_entrepr, std::string(30, 'c'));
  page().m_projnamn = std::string(80, 'n');
  page().m_datum = std::string(40, '1');
  borviprjdattype rec;
  std::memset(&rec, 0x5A, sizeof rec);
  rec.projnr[0] = 'P';
  rec.projnr[1] = '\0';
  ASSERT_EQ(page().GetPrjd(&rec), 3);
  EXPECT_EQ(std::string(rec.entrepr), std::string(30, 'c'));
  EXPECT_EQ(std::string(rec.projnamn), std::string(35, 'n'));
  EXPECT_EQ(std::string(rec.datum), std::string(10, '1'));
  EXPECT_EQ(std::string(rec.projnr), "P-1234");
  EXPECT_EQ(rec.anm1[35], '\0');
  EXPECT_EQ(rec.antbh, 0x5A5A);  // past the project data nothing is touched
}

TEST_F(PrjdPage, ANewProjectNameIsOfferedToTheHost) {
  Open(1);
  std::vector<std::string> offered;
  int answer = 1;
  sheet().SetHostWindow([&](CPropertyInfo::Notice n, std::string* text) {
    if (n != CPropertyInfo::kNoticeProjectName) return 0;
    offered.push_back(*text);
    *text = "V\xE4g 43 (omd\xF6pt)";
    return answer;
  });
  EXPECT_EQ(page().SetField(CPropertyPagePrjd::kProjectName, "  V\xE4g 43 "), 1);
  ASSERT_EQ(offered.size(), 1u);
  EXPECT_EQ(offered[0], "V\xE4g 43");
  EXPECT_EQ(page().m_projnamn, "V\xE4g 43 (omd\xF6pt)");
  EXPECT_TRUE(page().IsModified());
  page().Refill();
  answer = 0;
  EXPECT_EQ(page().SetField(CPropertyPagePrjd::kProjectName, "Avvisat"), 0);
  EXPECT_EQ(page().m_projnamn, "V\xE4g 42 Norr");
  EXPECT_FALSE(page().IsModified());
}

TEST_F(PrjdPage, AHostWindowTakesTheDataItself) {
  Open(1);
  borviprjdattype taken{};
  int rc = -5;
  sheet().SetHostWindow([&](CPropertyInfo::Notice n, std::string*) {
    if (n == CPropertyInfo::kNoticeSaved) rc = page().GetPrjd(&taken);
    return 0;
  });
  ASSERT_EQ(page().SetField(CPropertyPagePrjd::kContractor, "Hostens"), 1);
  ASSERT_EQ(sheet().OnApply(), 0);
  EXPECT_EQ(rc, 3);  // the record started empty: name and number differ from it
  EXPECT_STREQ(taken.entrepr, "Hostens");
  EXPECT_STREQ(taken.koord, "LOK");
  EXPECT_EQ(taken.seksep, '/');
  EXPECT_EQ(p.db(), ProjectDatabase());  // the library did not write
}

struct DateCase {
  const char* name;
  const char* text;
  int year;  // 0: no date; -1: today
  int month;
  int day;
  bool message;
  const char* normalised;
};

class PrjdDate : public PrjdPage, public ::testing::WithParamInterface<DateCase> {};

TEST_P(PrjdDate, ShowingThePageSetsTheDateControl) {
  const DateCase& c = GetParam();
  std::string h = ProjectHeader();
  std::memset(&h[86], 0, 11);
  PutText(h, 86, c.text);
  p.dir.write("Solumbra.dbs", ProjectDatabase(h));
  Open(1);
  Messages log;
  page().OnSetActive();
  EXPECT_EQ(page().m_datum, c.normalised);
  if (c.year == 0) {
    EXPECT_FALSE(page().m_dateControl.has_value());
  } else {
    ASSERT_TRUE(page().m_dateControl.has_value());
    const geoproj::DateTime now = geoproj::LocalNow();
    const geoproj::DateTime want =
        c.year < 0 ? geoproj::DateTime{now.year, now.month, now.day}
                   : geoproj::DateTime{c.year, c.month, c.day};
    EXPECT_EQ(page().m_dateControl->year, want.year);
    EXPECT_EQ(page().m_dateControl->month, want.month);
    EXPECT_EQ(page().m_dateControl->day, want.day);
  }
  ASSERT_EQ(log.shown().size(), c.message ? 1u : 0u);
  if (c.message) {
    EXPECT_EQ(log.shown()[0].text, std::string("Datum = ") + c.normalised +
                                       " \xE4r felaktigt! \nS\xE4tter dagens datum f\xF6r metoden.");
    EXPECT_EQ(log.shown()[0].flags, geoproj::kMbOk);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, PrjdDate,
    ::testing::Values(DateCase{"Valid", "15.03.2019", 2019, 3, 15, false, "15.03.2019"},
                      DateCase{"Compact", "20190315", 2019, 3, 15, false, "15.03.2019"},
                      DateCase{"NoSuchDay", "31.02.2019", 0, 0, 0, false, "31.02.2019"},
                      DateCase{"NoSuchMonth", "15.13.2019", 0, 0, 0, false, "15.13.2019"},
                      DateCase{"Before1900", "01.01.1899", 0, 0, 0, false, "01.01.1899"},
                      DateCase{"Empty", "", -1, 0, 0, false, ""},
                      DateCase{"Letters", "abc", -1, 0, 0, false, ""},
                      DateCase{"TwoNumbers", "15.03", -1, 0, 0, true, "15.03"}),
    [](const ::testing::TestParamInfo<DateCase>& info) { return info.param.name; });

TEST_F(PrjdPage, AnEmptyDateControlLeavesTheDateText) {
  std::string h = ProjectHeader();
  PutText(h, 86, "31.02.2019");
  p.dir.write("Solumbra.dbs", ProjectDatabase(h));
  Open(1);
  page().OnSetActive();
  ASSERT_EQ(page().SetField(CPropertyPagePrjd::kDesigner, "Ny"), 1);
  sheet().SaveData();
  EXPECT_EQ(page().m_datum, "31.02.2019");
  const geoproj::DateTime d{2020, 2, 29};
  ASSERT_EQ(page().SetDateControl(&d), 1);
  sheet().SaveData();
  EXPECT_EQ(page().m_datum, "29.02.2020");
}

TEST_F(PrjdPage, TheDateControlOfTheLastProjectIsNotStoredIntoTheNext) {
  Open(1);
  page().OnSetActive();
  ASSERT_TRUE(page().m_dateControl.has_value());
  SheetProject next;
  std::string h = ProjectHeader();
  PutText(h, 86, "01.02.2003");
  next.dir.write("Solumbra.dbs", ProjectDatabase(h));
  ASSERT_EQ(frame.SetProj(&next.path, "Next", nullptr, nullptr), 0);
  ASSERT_EQ(page().SetField(CPropertyPagePrjd::kDesigner, "Ny"), 1);
  sheet().SaveData();
  EXPECT_EQ(page().m_datum, "01.02.2003");
}

// A database another user holds locked: the data are not written, the user is told, and the
// edits stay for a later Apply.
TEST_F(PrjdPage, ALockedDatabaseRefusesTheWriteAndKeepsTheEdits) {
  Open(1);
  ASSERT_EQ(page().SetField(CPropertyPagePrjd::kContractor, "Senare"), 1);
  p.dir.write("Solumbra.dbk", "held elsewhere");
  Messages log;
  EXPECT_EQ(sheet().OnApply(), -1);
  ASSERT_EQ(log.shown().size(), 1u);
  EXPECT_EQ(log.shown()[0].text, "Kan ikke opne database: " + p.dir.file("Solumbra.dbs"));
  EXPECT_EQ(p.db(), ProjectDatabase());
  EXPECT_EQ(p.dir.read("Solumbra.dbk"), "held elsewhere");
  EXPECT_TRUE(page().IsModified());
  EXPECT_TRUE(sheet().IsApplyEnabled());
  ASSERT_TRUE(geoproj::RemoveFile(p.dir.file("Solumbra.dbk")));
  EXPECT_EQ(sheet().OnApply(), 0);
  EXPECT_EQ(p.db().substr(6, 7), std::string("Senare\0", 7));
}

TEST(PrjdLocked, ALockedDatabaseLeavesThePageOut) {
  SheetProject p;
  p.dir.write("Solumbra.dbk", "held elsewhere");
  Messages log;
  CPropertyInfoFrame frame;
  ASSERT_EQ(frame.SetProj(&p.path, "Demo", nullptr, nullptr), 0);
  EXPECT_EQ(frame.m_sheet.GetPageCount(), 2);
  ASSERT_EQ(log.shown().size(), 1u);
  EXPECT_EQ(log.shown()[0].text, "Kan ikke opne database: " + p.dir.file("Solumbra.dbs"));
}

// Another user wrote the database between filling the page and saving it: the save catches
// up with that write and the project data still land, beside the other user's record.
TEST_F(PrjdPage, AWriteByAnotherUserInBetweenIsKept) {
  Open(1);
  ASSERT_EQ(page().SetField(CPropertyPagePrjd::kRemark1, "Efter"), 1);
  {
    Messages quiet;
    CBorviDbs other(&p.path);
    ASSERT_EQ(other.Init(0, 0), 0);
    ASSERT_EQ(Append(other, Borehole("B3", 6500050.0, 150010.0, 11.0)), 0);
  }
  ASSERT_EQ(sheet().OnApply(), 0);
  Messages quiet;
  CBorviDbs back(&p.path);
  ASSERT_EQ(back.Init(1, 0), 0);
  EXPECT_EQ(back.m_huv.antbh, 3);
  EXPECT_STREQ(back.m_huv.anm1, "Efter");
  EXPECT_STREQ(back.m_huv.entrepr, "Borrbolaget Syd Aktiebolag AB");
  EXPECT_EQ(Ids(back), (std::vector<std::string>{"B1", "B2", "B3"}));
}

}  // namespace
