// A line's ".LJE" file: byte-exact round trips, the reading rules, damaged lines and the
// line-database record it refreshes.
#include <gtest/gtest.h>

#include <geoproj/lines/linje_bv_data.h>

#include "lines/line_objects_fixture.h"
#include "support/status_log.h"

namespace {

using namespace kvartest;
using dbstest::Messages;

const std::string kLine =
    "L1\n"
    "0\n"
    "2 3 12.500\n"
    "90 t  \n"
    "*\n"
    "   0.00  6500010.000  1500020.000     12.345 P1\n"
    "  10.00  6500020.000  1500030.000     12.000 P2\n"
    "  20.50  6500030.500  1500035.250     11.500 \n"
    "*\n"
    "Berg\n"
    "     8.000 fb\n"
    "     7.500 \n"
    "     0.000 \n"
    "*\n"
    "Lera\n"
    "     2.000 \n"
    "     1.000 x\n"
    "     0.000 \n"
    "*\n";

using LineFile = LineProject;

TEST_F(LineFile, ReadAndSavedBackByteForByteWithItsRecord) {
  WriteObject("L1.LJE", kLine);
  CLinjeBvData line(&p.path, "L1", 0);
  ASSERT_EQ(line.Init(1), 0);
  EXPECT_EQ(line.m_droppedContent, 0);
  int n = 0;
  line.Where(&n);
  EXPECT_EQ(n, 3);
  EXPECT_EQ(line.m_typ, 2);
  EXPECT_STREQ(line.m_jordart, "t  ");
  EXPECT_EQ(line.m_varde, 12.5);
  EXPECT_STREQ(line.m_lagnamn[1], "Lera");
  double x = 0, y = 0, z = 0;
  ASSERT_EQ(line.FirstPoint(&x, &y, &z), 0);
  EXPECT_EQ(x, 6500010.0);
  EXPECT_EQ(z, 12.345);
  AddRecord(CKvarBvDbs::kTypLinje, "L1");
  ASSERT_EQ(line.Save(&db), 0);
  EXPECT_EQ(ReadObject("L1.LJE"), Crlf(kLine));
  CKvarBvDbs again(&p.path, nullptr);
  ASSERT_EQ(again.Init(1, 0), 0);
  ASSERT_EQ(again.Home(), 0);
  const sadbstype& r = *again.Get_aktel();
  EXPECT_EQ(r.typ, 5);
  EXPECT_EQ(r.flagg & 0xC0, 0x40);
  EXPECT_EQ(r.x, 6500010.0);
  EXPECT_EQ(r.y, 1500020.0);
  EXPECT_EQ(r.z, 1.0);  // a layer value below every point widens the z range
  EXPECT_DOUBLE_EQ(r.dx, 20.5);
  EXPECT_DOUBLE_EQ(r.dy, 15.25);
  EXPECT_DOUBLE_EQ(r.dz, 11.345);
  EXPECT_EQ(again.m_huv.antal, 1);
}

TEST_F(LineFile, MethodSetsTheStateBits) {
  for (int metod : {0, 1, 2}) {
    CLinjeBvData line(&p.path, "M", metod);
    const lintype pt{0, 1, 2, 3, {}, {}, {}};
    line.Ny(1, &pt);
    AddRecord(CKvarBvDbs::kTypLinje, "M");
    db.Get_aktel()->flagg = 0xC1;
    ASSERT_EQ(line.Save(&db), 0);
    EXPECT_EQ(db.Get_aktel()->flagg, metod == 0 ? 0x41 : metod == 1 ? 0x81 : 0x01) << metod;
  }
}

TEST_F(LineFile, LayersStopAtZMateAndTheFirstIsRockByDefault) {
  CLinjeBvData line(&p.path, "Z", 2);
  EXPECT_STREQ(line.m_lagnamn[0], "");
  lintype pt{1.5, 10, 20, 30, {4, 5, 6, 7, 8}, {}, {}};
  geoproj::CopyField(pt.text, "T");
  line.Ny(1, &pt);
  geoproj::CopyField(line.m_lagnamn[1], "Z-mate");
  geoproj::CopyField(line.m_lagnamn[2], "Lera");
  ASSERT_EQ(line.Save(nullptr), 0);
  EXPECT_EQ(ReadObject("Z.LJE"),
            Crlf("\n2\n0 -1 0.000\n90 \n*\n   1.50       10.000       20.000     30.000 T\n*\n"
                 "Berg\n     4.000 \n*\n"));
  // Read back, the empty first line is no header end.
  CLinjeBvData back(&p.path, "Z", 0);
  ASSERT_EQ(back.Init(1), 0);
  EXPECT_EQ(back.m_metod, 2);
  EXPECT_EQ(back.m_droppedContent, 0);
  ASSERT_EQ(back.Home(), 0);
  EXPECT_EQ(back.Get_aktel()->lager[0], 4.0);
}

struct HeaderCase {
  const char* line3;
  const char* line4;
  int typ;
  const char* jordart;
  int nummer;
};

TEST_F(LineFile, HeaderReadingRules) {
  for (const HeaderCase& c : {HeaderCase{"7 3 1.0", "12 t", 0, "t", 12},  // as the line holds it
                              HeaderCase{"1 3 1.0", "12 t  ", 1, "t  ", 12},
                              HeaderCase{"5 11 1.0", "90 mn ", 5, "mn ", 90},
                              HeaderCase{"3 12 1.0", "90 lerasilt", 3, "lerasilt", 90},
                              HeaderCase{"-1 -1 1.0", "90 mycketlangkod", 0, "mycketla", 90},
                              HeaderCase{"4", "33", 4, "", 33}}) {
    WriteObject("H.LJE", std::string("H\n1\n") + c.line3 + "\n" + c.line4 + "\n*\n*\n");
    CLinjeBvData line(&p.path, "H", 0);
    ASSERT_EQ(line.Init(0), 0);
    EXPECT_EQ(line.m_metod, 0) << "the method line is read only when asked";
    EXPECT_EQ(line.m_typ, c.typ) << c.line3;
    EXPECT_STREQ(line.m_jordart, c.jordart) << c.line4;
    EXPECT_EQ(line.m_nummer, c.nummer) << c.line4;
    EXPECT_EQ(line.m_droppedContent, 0) << c.line3;
  }
}

TEST_F(LineFile, DamagedLinesAreReportedCountedAndPassedOver) {
  WriteObject("D.LJE",
              "D\n0\n1 x 2\n90 f\nextra header\n*\n"
              "0 1 2 3 A\n"
              "0 1 2\n"           // three numbers: no point
              "0 5 6 7 B \x01\n"  // garbage
              "*\nBerg\n1 a\nvalue\n2 b\n3 c\n*\n");
  geoproj::test::StatusLog status;
  CLinjeBvData line(&p.path, "D", 0);
  ASSERT_EQ(line.Init(1), 0);
  int n = 0;
  line.Where(&n);
  EXPECT_EQ(n, 2);
  EXPECT_EQ(line.m_droppedContent, 7);
  const std::string path = line.GetFilePath();
  for (const std::string& text :
       {path + ", line 3: kind, soil and value do not parse", path + ", line 5: header line not read",
        path + ", line 8: point line with fewer than four numbers", path + ", line 9: binary garbage",
        path + ", line 13: layer value is not a number", path + ", line 14: layer value without a point", path + ", line 15: layer value without a point"})
    EXPECT_TRUE(status.Contains(text)) << text;
}

TEST_F(LineFile, MissingFileAndUnwritableFolder) {
  CLinjeBvData line(&p.path, "NONE", 0);
  EXPECT_EQ(line.Init(1), -1);
  CProjPath elsewhere;
  elsewhere.SetPath(p.dir.file("missing").c_str());
  CLinjeBvData lost(&elsewhere, "L", 0);
  Messages log;
  EXPECT_EQ(lost.Save(nullptr), -3);
  ASSERT_EQ(log.shown().size(), 1u);
  EXPECT_EQ(log.shown()[0].text, "Fel: Hittar inte " + lost.GetFilePath());
  EXPECT_EQ(log.shown()[0].caption, "Fil\xF6ppning");
  EXPECT_EQ(log.shown()[0].flags, geoproj::kMbOk | geoproj::kMbIconExclamation);
}

TEST_F(LineFile, FilePathIsInTheLineFolder) {
  CLinjeBvData line(&p.path, "Abc", 0);
  EXPECT_EQ(line.GetFilePath(), p.dir.file(std::string(CProjPath::BorvDbfKat) + "/Abc.LJE"));
  EXPECT_STREQ(CLinjeBvData::JORDART[4], "let");
}

}  // namespace
