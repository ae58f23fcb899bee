// The method list report: the exact rich-text paragraphs of every list kind, the escapes a text
// needs, and the orders the list sorts by.
#include <geoproj/reports/projekt_metod_lista.h>

#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

#include <geoproj/foundation/stdio_file_mem.h>
#include <geoproj/foundation/text_helpers.h>

namespace {

using geoproj::CopyField;

const std::string kPar =
    "\\deflang1033\\pard\\tx1000\\tx2000\\tx3000\\tx3700\\tx4800\\tx5900\\tx7000\\tx8100\\plain\\f3"
    "\\fs20 ";

// A bold heading paragraph and a plain row paragraph as the report writes them.
std::string Bold(const std::string& rtf) { return kPar + "{\\b " + rtf + "}"; }
std::string Plain(const std::string& rtf) { return kPar + rtf; }

metlisttype SoundingRow() {
  metlisttype r{};
  CopyField(r.id, "B1");
  r.x = 100.5;
  r.y = 200.25;
  r.z = 10.0;
  r.sek = 1210.0;
  r.avst = -6.5;
  r.langd = 12.0;
  r.stopp = 93;
  CopyField(r.skapad, "01.02.2019");
  CopyField(r.andrad, "02.02.2019");
  CopyField(r.datum1, "15.03.2019");
  CopyField(r.extra, "GB2");
  return r;
}

class ReportTest : public ::testing::Test {
 protected:
  ReportTest() { file.SetMemFile(1); }

  std::string Write(const char* name, std::initializer_list<metlisttype> rows, int key = 0,
                    const char* parstart = nullptr) {
    list.m_namn = name;
    for (const metlisttype& r : rows) list.Ny(1, &r);
    list.SetUtfil(&file);
    EXPECT_EQ(list.Skriv(key, parstart), 0);
    return *file.MemFile();
  }

  CStdioFileMem file;
  CProjektMetodLista list;
};

TEST_F(ReportTest, SoundingListWithoutAlignment) {
  EXPECT_EQ(Write("Dreie", {SoundingRow()}),
            Bold("\\par Hull\\tab X\\tab Y\\tab Z\\tab Opprettet\\tab Revidert\\tab Utf\xF8rt\\tab "
                 "Boret dybde\\tab Stoppkode\\par ") +
                Plain("B1\\tab 100.500\\tab 200.250\\tab 10.000\\tab 01.02.2019\\tab 02.02.2019\\tab "
                      "15.03.2019\\tab 12.000\\tab 93\\tab GB2\\par "));
}

TEST_F(ReportTest, SoundingListWithAlignment) {
  list.m_vaglinje = 1;
  EXPECT_EQ(Write("total", {SoundingRow()}),
            Bold("\\par Hull\\tab Profil\\tab Avsett\\tab Z\\tab Opprettet\\tab Revidert\\tab "
                 "Utf\xF8rt\\tab Boret dybde\\tab Stoppkode\\par ") +
                Plain("B1\\tab 1210.000\\tab -6.500\\tab 10.000\\tab 01.02.2019\\tab 02.02.2019\\tab "
                      "15.03.2019\\tab 12.000\\tab 93\\par "));
}

TEST_F(ReportTest, NoLengthLeavesItsColumnEmpty) {
  metlisttype r = SoundingRow();
  r.langd = 0.0009;
  const std::string out = Write("CPT", {r});
  EXPECT_NE(out.find("15.03.2019\\tab \\tab 93\\tab GB2\\par "), std::string::npos) << out;
}

TEST_F(ReportTest, InterpretationListWhateverTheCaseOfItsName) {
  metlisttype r{};
  CopyField(r.id, "B2");
  const char* texts[5] = {"1.000", "", "6.000", "", "6.000"};
  for (int i = 0; i < 5; ++i) CopyField(r.text[i], texts[i]);
  EXPECT_EQ(Write("Tlk", {r}),
            Bold("\\par Hull\\tab Dybde uk F\\tab Dybde uk Let\\tab Dybde Le/Ko\\tab Dybde Fr\\tab "
                 "Dybde totalt\\par ") +
                Plain("B2\\tab 1.000\\tab \\tab 6.000\\tab \\tab 6.000\\par "));
}

TEST_F(ReportTest, GroundwaterPipes) {
  metlisttype r{};
  CopyField(r.id, "GW1");
  CopyField(r.text[0], "\xD6ppet r\xF6r");
  CopyField(r.datum1, "01.01.2020");
  CopyField(r.datum2, "31.12.2020");
  CopyField(r.text[1], "12.340");
  CopyField(r.text[2], "14.010");
  r.antal = 17;
  EXPECT_EQ(Write("gvr", {r}),
            Bold("\\par Id\\tab R\xF6rtyp\\tab Fr\xE5n Datum\\tab Till Datum\\tab Min Niv\xE5\\tab "
                 "Max Niv\xE5\\tab Antal pejlingar\\par ") +
                Plain("GW1\\tab \xD6ppet r\xF6r\\tab 01.01.2020\\tab 31.12.2020\\tab 12.340\\tab "
                      "14.010\\tab 17\\par "));
}

metlisttype MountedPipe() {
  metlisttype r{};
  CopyField(r.id, "GW2");
  r.x = 6583120.5;
  r.y = 152840.25;
  r.sek = 1300.0;
  r.avst = 12.125;
  r.z = 18.5;
  CopyField(r.datum1, "03.04.2020");
  CopyField(r.datum2, "05.04.2020");
  CopyField(r.text[1], "04.04.2020");
  r.langd = 6.456;
  r.antal = 3;
  return r;
}

TEST_F(ReportTest, MountedPipesByPosition) {
  EXPECT_EQ(Write("GVRMONTERADE", {MountedPipe()}),
            Bold("\\par Monterade r\xF6r\\par ") +
                Bold("\\par Id\\tab X\\tab Y\\tab Z\\tab Opprettet\\tab Revidert\\tab Utf\xF8rt\\tab "
                     "R\xF6rl\xE4ngd\\tab Antal pejl.\\par ") +
                Plain("GW2\\tab 6583120.500\\tab 152840.250\\tab 18.500\\tab 03.04.2020\\tab "
                      "05.04.2020\\tab 04.04.2020\\tab 6.46\\tab 3\\par "));
}

TEST_F(ReportTest, MountedPipesAlongTheAlignment) {
  list.m_vaglinje = 1;
  EXPECT_EQ(Write("GVRMONTERADE", {MountedPipe()}),
            Bold("\\par Monterade r\xF6r\\par ") +
                Bold("\\par Id\\tab Sekt\\tab Avst\\tab Z\\tab Opprettet\\tab Revidert\\tab "
                     "Utf\xF8rt\\tab R\xF6rl\xE4ngd\\tab Antal pejl.\\par ") +
                Plain("GW2\\tab 1300.000\\tab 12.125\\tab 18.500\\tab 03.04.2020\\tab "
                      "05.04.2020\\tab 04.04.2020\\tab 6.46\\tab 3\\par "));
}

TEST_F(ReportTest, Samples) {
  metlisttype r{};
  CopyField(r.id, "BH22");
  r.z = 15.0;
  r.langd = 3.25;
  CopyField(r.metod, "KV");
  const char* texts[6] = {"1.65", "45", "38", "12", "9.5", "Lera"};
  for (int i = 0; i < 6; ++i) CopyField(r.text[i], texts[i]);
  EXPECT_EQ(Write("PRV", {r}),
            Bold("\\par Hull\\tab Niv\xE5\\tab Dybde\\tab Metod\\tab Densitet\\tab Vkvot\\tab "
                 "Konfl\\tab Sens\\tab Skjuvh\\tab Jordart\\par ") +
                Plain("BH22\\tab 11.750\\tab 3.250\\tab KV\\tab 1.65\\tab 45\\tab 38\\tab 12\\tab "
                      "9.5\\tab Lera\\par "));
}

metlisttype MeanRow(int kind, double value, double level, double x, int number) {
  metlisttype r{};
  r.typ = kind;
  CopyField(r.id, "B5");
  r.langd = value;
  r.z = level;
  r.x = x;
  r.nummer = number;
  CopyField(r.text[0], "CPT B5");
  CopyField(r.text[1], "cu (kPa)");
  CopyField(r.text[2], "CPT");
  CopyField(r.text[3], "B5-1");
  return r;
}

TEST_F(ReportTest, MeanDataWithoutProfileColumns) {
  list.m_decimaler = 1;
  const std::string out = Write(
      "MEDELDATA", {MeanRow(3, 2.0, 8.0, 21.25, 4), MeanRow(5, 2.0005, 8.0, 23.5, 4),
                    MeanRow(4, 3.0, 7.0, 0, 12), MeanRow(7, 3.0, 7.0, 0, 13),
                    MeanRow(6, 4.0, 6.0, 1, 1), MeanRow(7, 5.0, 5.0, 0, 14)});
  EXPECT_EQ(out,
            Bold("\\par Underlag f\xF6r utv\xE4rderingen: CPT B5\\par ") +
                kPar + "{\\b {\\ul \\par Hull\\tab Niv\xE5 1\\tab Niv\xE5 2\\tab cu (kPa)\\tab Metod\\par }}" +
                Plain("B5\\tab 2.000\\tab 8.000\\tab 21.2\\tab CPT\\tab B5-1\\par ") +
                Plain("B5\\tab \\tab \\tab 23.5\\tab CPT\\tab B5-1\\par ") +
                Plain("B5\\tab 3.000\\tab 7.000\\tab 12\\tab CPT\\par ") +
                Plain("B5\\tab \\tab \\tab 13\\tab CPT\\par ") +
                Plain("B5\\tab 5.000\\tab 5.000\\tab 14\\tab CPT\\par "));
}

TEST_F(ReportTest, MeanDataWithProfileColumns) {
  list.m_medeldata = 51;
  const std::string out =
      Write("Medeldata", {MeanRow(3, 2.0, 8.0, 21.25, 4), MeanRow(3, 2.0, 8.0, 22.5, 5),
                          MeanRow(4, 3.0, 7.0, 0, 12)});
  EXPECT_EQ(out,
            Bold("\\par Underlag f\xF6r utv\xE4rderingen: CPT B5\\par ") + kPar +
                "{\\b {\\ul \\par Hull\\tab Niv\xE5 1\\tab Niv\xE5 2\\tab cu (kPa)\\tab Metod\\tab "
                "Profil\\tab Konflytgr\xE4ns\\par }}" +
                Plain("B5\\tab 2.000\\tab 8.000\\tab 21.250\\tab CPT\\tab B5-1\\tab 4\\par ") +
                Plain("B5\\tab \\tab \\tab 22.500\\tab CPT\\tab B5-1\\tab 5\\par ") +
                Plain("B5\\tab 3.000\\tab 7.000\\tab 12\\tab CPT\\par "));
}

TEST_F(ReportTest, TextsAreEscapedForRichText) {
  metlisttype r = SoundingRow();
  CopyField(r.extra, "a\tb {c} d\\e\ff");
  const std::string out = Write("Dreie", {r});
  EXPECT_NE(out.find("\\tab 93\\tab a\\tab b \\{c\\} d\\\\e\\page f\\par "), std::string::npos)
      << out;
}

TEST_F(ReportTest, GivenParagraphStartReplacesTheDefault) {
  const std::string out = Write("Tlk", {SoundingRow()}, 0, "\\pard ");
  EXPECT_EQ(out, "\\pard {\\b \\par Hull\\tab Dybde uk F\\tab Dybde uk Let\\tab Dybde Le/Ko\\tab "
                 "Dybde Fr\\tab Dybde totalt\\par }\\pard B1\\tab \\tab \\tab \\tab \\tab \\par ");
}

TEST_F(ReportTest, EmptyListWritesNothingAndNoFileIsRefused) {
  EXPECT_EQ(Write("Dreie", {}), "");
  CProjektMetodLista other("Dreie");
  const metlisttype r = SoundingRow();
  other.Ny(1, &r);
  EXPECT_EQ(other.Skriv(0), -1);
}

TEST_F(ReportTest, FieldsWithoutTerminatorStopAtTheirSize) {
  metlisttype r = SoundingRow();
  std::memset(r.id, 'A', sizeof r.id);
  std::memset(r.skapad, '1', sizeof r.skapad);
  const std::string out = Write("Dreie", {r});
  EXPECT_NE(out.find(Plain("AAAAAAAAA\\tab 100.500\\tab 200.250\\tab 10.000\\tab 111111111111\\tab ")),
            std::string::npos)
      << out;
}

// The order of the ids a sort of the list gives.
std::vector<std::string> SortedIds(int key) {
  struct Data {
    const char* id;
    const char* date;
    double sek, x, y;
    int stop;
  };
  const Data data[] = {{"B10", "15.03.2019", 3, 30, 20, 93},
                       {"b2", "02.04.2019", 1, 10, 30, 90},
                       {"A", "15.01.2019", 2, 20, 10, 94},
                       {"B2", "15.03.2019", 1, 10, 30, 90}};
  CProjektMetodLista list("Dreie");
  for (const Data& d : data) {
    metlisttype r{};
    CopyField(r.id, d.id);
    CopyField(r.datum1, d.date);
    r.sek = d.sek;
    r.x = d.x;
    r.y = d.y;
    r.stopp = d.stop;
    list.Ny(1, &r);
  }
  list.Sortera(key);
  std::vector<std::string> ids;
  list.Home();
  do ids.emplace_back(list.Get_aktel()->id);
  while (list++);
  return ids;
}

TEST(ReportOrder, SortKeys) {
  struct Case {
    int key;
    std::vector<std::string> ids;
  };
  const Case cases[] = {
      {1, {"A", "B10", "b2", "B2"}},       // no number in any: by the upper-cased text, stable
      {2, {"b2", "A", "B10", "B2"}},       // days 2, 15, 15, 15: then 15.01 before 15.03
      {3, {"b2", "B2", "A", "B10"}},
      {-3, {"B10", "A", "B2", "b2"}},      // descending; equal values come out reversed
      {4, {"b2", "B2", "A", "B10"}},
      {5, {"A", "B10", "b2", "B2"}},
      {6, {"b2", "B2", "B10", "A"}},
      {-6, {"A", "B10", "B2", "b2"}},
      {9, {"B10", "b2", "A", "B2"}},       // unknown key: list order
  };
  for (const Case& c : cases) EXPECT_EQ(SortedIds(c.key), c.ids) << "key " << c.key;
}

TEST_F(ReportTest, SortKeyGivenToSkrivSortsFirst) {
  metlisttype a = SoundingRow(), b = SoundingRow();
  CopyField(a.id, "10");
  CopyField(b.id, "9");
  const std::string out = Write("Dreie", {a, b}, 1);
  EXPECT_LT(out.find(Plain("9\\tab ")), out.find(Plain("10\\tab "))) << out;
}

}  // namespace
