// An outcrop's ".LAD" file: byte-exact round trips, sub-objects with their coordinate lists,
// damaged lines, and the line-database record with its link.
#include <gtest/gtest.h>

#include <geoproj/lines/hellar_bv.h>

#include "lines/line_objects_fixture.h"
#include "support/status_log.h"

namespace {

using namespace kvartest;
using dbstest::Messages;

const std::string kOutcrop =
    "**\n"
    "H1\n"
    "1.000 2.000 3.000\n"
    "4.000 5.000 6.000\n"
    "7.500 1 \n"
    "3 2 1 4\n"
    "BH1\n"
    "H\xE4llen\n"
    "*\n"
    "6500000.000 1500000.000 0.000 A\n"
    "6500010.000 1500000.000 12.500 B\n"
    "6500010.000 1500010.000 0.000 \n"
    "**\n"
    "1 2\n"
    "5 6 3 4 1 2 7 8\n"
    "Spricka\n"
    "*\n"
    "6500001.000 1500001.000 1.000 S1\n"
    "6500002.000 1500002.000 2.000 S2\n"
    "**\n"
    "3 4\n"
    "0 0 0 0 0 0 0 0\n"
    "\n"
    "*\n"
    "**\n";

using OutcropFile = LineProject;

std::vector<std::string> PointTexts(CHkolistaBv* points) {
  std::vector<std::string> texts;
  if (!points) return texts;
  for (int rc = points->Home(); rc == 0; rc = (*points)++ ? 0 : -1) texts.emplace_back(points->Get_aktel()->text);
  return texts;
}

TEST_F(OutcropFile, ReadAndSavedBackByteForByteWithItsRecord) {
  WriteObject("H1.LAD", kOutcrop);
  AddRecord(1, "BH1");
  ASSERT_EQ(db.Uppdat(0), 0);
  CHellarBv outcrop(&p.path, "H1");
  ASSERT_EQ(outcrop.Init(), 0);
  EXPECT_EQ(outcrop.m_droppedContent, 0);
  EXPECT_EQ(outcrop.m_trip2[1], 5.0);
  EXPECT_EQ(outcrop.m_varde, 7.5);
  EXPECT_EQ(outcrop.m_nummer[3], 1);
  EXPECT_EQ(outcrop.m_nummer[4], 0);  // written as nothing: 0
  EXPECT_EQ(outcrop.m_nummer[5], 4);
  EXPECT_STREQ(outcrop.m_koppid, "BH1");
  EXPECT_STREQ(outcrop.m_text, "H\xE4llen");
  int n = 0;
  outcrop.Where(&n);
  ASSERT_EQ(n, 3);
  ASSERT_EQ(outcrop.Home(), 0);
  EXPECT_EQ(PointTexts(outcrop.Get_aktel()->punkter), (std::vector<std::string>{"A", "B", ""}));
  outcrop++;
  const helltype& sub = *outcrop.Get_aktel();
  EXPECT_EQ(sub.a, 1);
  EXPECT_EQ(sub.b, 2);
  for (int i = 0; i < 8; ++i) EXPECT_EQ(sub.v[i], i + 1);
  EXPECT_STREQ(sub.text, "Spricka");
  EXPECT_EQ(PointTexts(sub.punkter), (std::vector<std::string>{"S1", "S2"}));
  outcrop++;
  EXPECT_EQ(outcrop.Get_aktel()->punkter, nullptr);
  double x = 0, y = 0, z = 0;
  ASSERT_EQ(outcrop.FirstPoint(&x, &y, &z), 0);
  EXPECT_EQ(y, 1500000.0);

  AddRecord(CKvarBvDbs::kTypHall, "H1");
  ASSERT_EQ(outcrop.Save(&db), 0);
  EXPECT_EQ(ReadObject("H1.LAD"), Crlf(kOutcrop));
  CKvarBvDbs again(&p.path, nullptr);
  ASSERT_EQ(again.Init(1, 0), 0);
  std::string id = "H1";
  ASSERT_EQ(again.Findid(2, id.data()), 0);
  const sadbstype& r = *again.Get_aktel();
  EXPECT_EQ(r.x, 6500000.0);
  EXPECT_EQ(r.dx, 10.0);
  EXPECT_EQ(r.dy, 10.0);
  EXPECT_EQ(r.z, 12.5);  // points at z 0 do not count
  EXPECT_EQ(r.dz, 0.0);
  EXPECT_EQ(r.objv[0], 4.0);
  EXPECT_EQ(r.objv[2], 6.0);
  EXPECT_EQ(r.objekt, 3);
  EXPECT_STREQ(r.koppid, "BH1");
  EXPECT_EQ(r.kopptyp, 1);
}

TEST_F(OutcropFile, LinkTypeFollowsTheRecordFound) {
  AddRecord(6, "SIX");
  ASSERT_EQ(db.Uppdat(0), 0);
  struct Case {
    const char* link;
    int kopptyp;
    const char* koppid;
  };
  for (const Case& c : {Case{"six", 6, "six"}, Case{"NONE", -1, "NONE"}, Case{"", 9, "OLD"},
                        Case{" SIX", 9, "OLD"}}) {
    CHellarBv outcrop(&p.path, "H");
    outcrop.Init();
    geoproj::CopyField(outcrop.m_koppid, c.link);
    AddRecord(CKvarBvDbs::kTypHall, "H");
    geoproj::CopyField(db.Get_aktel()->koppid, "OLD");
    db.Get_aktel()->kopptyp = 9;
    const sadbstype* mine = db.Get_aktel();
    ASSERT_EQ(outcrop.Save(&db), 0);
    EXPECT_EQ(db.Get_aktel(), mine) << "the cursor stays on the outcrop's record";
    EXPECT_EQ(mine->kopptyp, c.kopptyp) << c.link;
    EXPECT_STREQ(mine->koppid, c.koppid) << c.link;
  }
}

TEST_F(OutcropFile, OutlineWithoutHeightsOrPoints) {
  CHellarBv flat(&p.path, "F");
  flat.Init();
  CHkolistaBv* points = new CHkolistaBv;
  for (double x : {10.0, 30.0}) {
    const kokotype k{x, x * 2, 0.0, {}};
    points->Ny(1, &k);
  }
  flat.Home();
  flat.Get_aktel()->punkter = points;
  AddRecord(CKvarBvDbs::kTypHall, "F");
  ASSERT_EQ(flat.SaveToDbs(&db), 0);
  EXPECT_EQ(db.Get_aktel()->x, 10.0);
  EXPECT_EQ(db.Get_aktel()->dy, 40.0);
  EXPECT_EQ(db.Get_aktel()->z, 0.0);
  EXPECT_EQ(db.Get_aktel()->dz, 0.0);
  CHellarBv empty(&p.path, "E");
  empty.Init();
  AddRecord(CKvarBvDbs::kTypHall, "E");
  db.Get_aktel()->x = 99;
  ASSERT_EQ(empty.SaveToDbs(&db), 0);
  EXPECT_EQ(db.Get_aktel()->x, 0.0);
  EXPECT_EQ(db.Get_aktel()->dx, 0.0);
}

TEST_F(OutcropFile, MissingFileGivesTheDefaults) {
  CHellarBv outcrop(&p.path, "NONE");
  EXPECT_EQ(outcrop.m_nummer[4], 0);
  EXPECT_EQ(outcrop.Init(), -1);
  EXPECT_EQ(outcrop.m_nummer[4], 90);
  EXPECT_EQ(outcrop.m_nummer[5], 4);
  int n = 0;
  outcrop.Where(&n);
  EXPECT_EQ(n, 1);  // the outline, without points
  EXPECT_EQ(outcrop.FirstPoint(nullptr, nullptr, nullptr), -1);
}

TEST_F(OutcropFile, ShortHeaderKeepsDefaultsAndNumberFiveWritesAsNothing) {
  WriteObject("S.LAD", "**\nS\n1 2 3\n4 5 6\n2.5\n*\n**\n");
  CHellarBv outcrop(&p.path, "S");
  ASSERT_EQ(outcrop.Init(), 0);
  EXPECT_EQ(outcrop.m_nummer[4], 90);
  EXPECT_EQ(outcrop.m_nummer[5], 4);
  ASSERT_EQ(outcrop.Save(nullptr), 0);
  EXPECT_EQ(ReadObject("S.LAD"), Crlf("**\n\n1.000 2.000 3.000\n4.000 5.000 6.000\n2.500 0 90\n"
                                      "0 0 0 4\n\n\n*\n**\n"));
  outcrop.m_nummer[4] = 0;
  ASSERT_EQ(outcrop.Save(nullptr), 0);
  CHellarBv back(&p.path, "S");
  ASSERT_EQ(back.Init(), 0);
  EXPECT_EQ(back.m_nummer[4], 0);
}

TEST_F(OutcropFile, LongTextsAreCutToTheirFields) {
  WriteObject("T.LAD", "**\nT\n0 0 0\n0 0 0\n0 0 0\n0 0 0 0\nABCDEFGHIJKLMNOPQRST\n"
                       "0123456789abcdef\n*\n1 2 3 LONG\n**\n1 1\n1 1 1 1 1 1 1 1\n"
                       "a sub-object text longer than eighteen\n*\n**\n");
  CHellarBv outcrop(&p.path, "T");
  ASSERT_EQ(outcrop.Init(), 0);
  EXPECT_STREQ(outcrop.m_koppid, "ABCDEFGHIJKLMNO");
  EXPECT_STREQ(outcrop.m_text, "0123456789");
  outcrop.Home();
  EXPECT_EQ(PointTexts(outcrop.Get_aktel()->punkter), std::vector<std::string>{"LON"});
  outcrop++;
  EXPECT_STREQ(outcrop.Get_aktel()->text, "a sub-object text ");
  EXPECT_EQ(outcrop.m_droppedContent, 0);
}

TEST_F(OutcropFile, DamagedLinesAreReportedCountedAndPassedOver) {
  WriteObject("D.LAD", "noise\n**\nD\nx y z\n1 2 3\n1 2 3\n1 2 3 4\nL\nT\nextra\n*\n"
                       "1 2 3 A\n1 2\n4 5 6 B C\n**\n1 2\n1 2 3 4 5 6 7 8\ntext\nfourth\n*\n"
                       "7 8 9\n**\n*\nleft over\n");
  geoproj::test::StatusLog status;
  CHellarBv outcrop(&p.path, "D");
  ASSERT_EQ(outcrop.Init(), 0);
  const std::string path = outcrop.GetFilePath();
  const std::vector<std::string> expected = {
      path + ", line 1: line before the header", path + ", line 4: three values do not parse",
      path + ", line 10: header line not read",
      path + ", line 13: point line with fewer than three numbers",
      path + ", line 19: sub-object line not read",
      path + ", line 24: line after the end line not read"};
  for (const std::string& text : expected) EXPECT_TRUE(status.Contains(text)) << text;
  EXPECT_EQ(outcrop.m_droppedContent, static_cast<int>(expected.size()));
  int n = 0;
  outcrop.Where(&n);
  EXPECT_EQ(n, 2);
}

TEST_F(OutcropFile, SavingIntoAMissingFolderIsRefused) {
  CProjPath elsewhere;
  elsewhere.SetPath(p.dir.file("missing").c_str());
  CHellarBv outcrop(&elsewhere, "H");
  outcrop.Init();
  Messages log;
  EXPECT_EQ(outcrop.Save(&db), -3);
  ASSERT_EQ(log.shown().size(), 1u);
  EXPECT_EQ(log.shown()[0].text, "Fel: kan ej \xF6ppna " + outcrop.GetFilePath());
  EXPECT_EQ(log.shown()[0].caption, "Fil\xF6ppning");
}

}  // namespace
