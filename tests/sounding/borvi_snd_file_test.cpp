// Reading and writing ID.SND: byte-exact round trips, header defaults, block dates, the GUID
// section, unknown method codes and the code page conversion of the lines that need it.
#include <geoproj/methods/borvi_tlk.h>
#include <geoproj/platform/uuid.h>
#include <geoproj/sounding/borvi_dpt.h>
#include <geoproj/sounding/borvi_dreie.h>
#include <geoproj/sounding/borvi_dtrykk.h>
#include <geoproj/sounding/borvi_enkel.h>
#include <geoproj/sounding/borvi_fjell.h>
#include <geoproj/sounding/borvi_ram.h>
#include <geoproj/sounding/borvi_snd.h>
#include <geoproj/sounding/borvi_total.h>
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cctype>
#include <cstdio>
#include <cstring>

#include <geoproj/platform/date_time.h>

#include "sounding/snd_fixture.h"

namespace geoproj::test {
namespace {

using SndFileTest = SndTest;

TEST_F(SndFileTest, EveryBlockRoundTripsByteForByte) {
  Put("BH1.SND", CanonicalSnd());
  CBorviSnd snd(&proj, nullptr);
  ASSERT_EQ(snd.Init("bh1", nullptr), 0);
  ASSERT_TRUE(snd.dreie && snd.ram && snd.total && snd.fjell && snd.dtrykk && snd.enkel && snd.dpt);
  EXPECT_EQ(snd.Uppdat(nullptr, nullptr), 0);
  EXPECT_EQ(Get("BH1.SND"), Crlf(CanonicalSnd()));
  EXPECT_TRUE(messages.shown().empty());
}

TEST_F(SndFileTest, HeaderValuesAreRead) {
  Put("BH1.SND", CanonicalSnd());
  CBorviSnd snd(&proj, nullptr);
  ASSERT_EQ(snd.Init("bh1", nullptr), 0);
  EXPECT_DOUBLE_EQ(snd.hvarde[0], 6543210.125);
  EXPECT_DOUBLE_EQ(snd.hvarde[1], 1234567.5);
  EXPECT_DOUBLE_EQ(snd.hvarde[2], 20.0);
  EXPECT_DOUBLE_EQ(snd.hvarde[3], CBorviSnd::Seknoll);
  EXPECT_EQ(snd.kommentar[0], "Kommentar ett");
  EXPECT_EQ(snd.kommentar[1], "");
  EXPECT_EQ(snd.kommentar[2], "tredje rad");
  EXPECT_STREQ(snd.orgnamn, "GUID");
  EXPECT_EQ(snd.guid, kBoreholeGuid);
  EXPECT_EQ(snd.guidrader[0], "tillagg 1");
  EXPECT_EQ(snd.guidrader[1], "tillagg 2");
  EXPECT_STREQ(snd.id, "bh1");
  EXPECT_EQ(snd.typ, &CBorviSnd::Bh);
  int antal = 0;
  snd.dreie->Where(&antal);
  EXPECT_EQ(antal, 3);
  EXPECT_STREQ(snd.dreie->m_datum, "03.05.2019");
  EXPECT_EQ(snd.dreie->m_stopp, 93);
  EXPECT_EQ(snd.total->m_varde4, 4);
  EXPECT_EQ(snd.fjell->m_varde4, 3);
  EXPECT_STREQ(snd.enkel->m_kodtyp, "BVF");
  EXPECT_EQ(snd.dpt->m_guid, BlockGuid(35));
}

// A borehole built in memory is written in the file's layout, and that file reads back into
// an object that writes the same bytes again.
TEST_F(SndFileTest, WrittenBoreholeReadsBackToTheSameBytes) {
  CBorviSnd snd(&proj, nullptr);
  snd.hvarde[0] = 100.5;
  snd.hvarde[1] = 200.25;
  snd.hvarde[2] = 12.0;
  snd.hvarde[3] = 1500.0;
  snd.hvarde[4] = -3.5;
  snd.startdjup = 1.5f;
  snd.riktning = 45;
  snd.lutning = 80.0;
  snd.kommentar[1] = "andra";
  geoproj::CopyField(snd.orgnamn, "GUID");
  snd.guid = kBoreholeGuid;
  ASSERT_EQ(snd.New(21), 1);
  geoproj::CopyField(snd.dreie->m_datum, "01.02.2020");
  snd.dreie->m_stopp = 91;
  snd.dreie->m_guid = BlockGuid(21);
  dreietype rec{};
  geoproj::CopyField(rec.vikt, "50");
  rec.djup = 2.5f;
  rec.varde = 14;
  geoproj::CopyField(rec.text, "LE");
  snd.dreie->Ny(1, &rec);
  ASSERT_EQ(snd.Uppdat("bh2", nullptr), 0);

  const std::string expected =
      "100.500000\n200.250000\n12.000000\n1500.000000\n-3.500000\n"
      "1.500000 45 80.000000\n"
      "\nandra\n\n\n"
      "*\n97\n40 0\n"
      "*\n99\nGUID " + kBoreholeGuid + "\n" +
      "*\n21 01.02.2020\n0.000000 91 0 0 1 0  GUID " + BlockGuid(21) + "\n" +
      Row("  2.500   14 50", 22, "LE") + "*\n";
  EXPECT_EQ(Get("BH2.SND"), Crlf(expected));

  CBorviSnd again(&proj, nullptr);
  ASSERT_EQ(again.Init("bh2", nullptr), 0);
  again.Uppdat(nullptr, nullptr);
  EXPECT_EQ(Get("BH2.SND"), Crlf(expected));
}

TEST_F(SndFileTest, BlocksAreWrittenInTheFixedOrder) {
  Put("BH1.SND", SndWith(DptBlock() + EnkelBlock() + TotalBlock() + DreieBlock()));
  CBorviSnd snd(&proj, nullptr);
  ASSERT_EQ(snd.Init("BH1", nullptr), 0);
  snd.Uppdat(nullptr, nullptr);
  EXPECT_EQ(Get("BH1.SND"), Crlf(SndWith(DreieBlock() + TotalBlock() + EnkelBlock() + DptBlock())));
}

TEST_F(SndFileTest, BoreholeWithoutSoundingsHasNoClosingLine) {
  CBorviSnd snd(&proj, nullptr);
  geoproj::CopyField(snd.orgnamn, "GUID");
  snd.guid = kBoreholeGuid;
  ASSERT_EQ(snd.New(60), 1);
  ASSERT_EQ(snd.tlk->InsertBerg(12.345f, 5), 0);
  snd.Uppdat("bh3", nullptr);
  EXPECT_EQ(Get("BH3.SND"),
            Crlf("0.000000\n0.000000\n0.000000\n9999999.900000\n0.000000\n0.000000 0 90.000000\n"
                 "*\n97\n40 0\n*\n99\nGUID " + kBoreholeGuid + "\n"));
  EXPECT_EQ(Get("BH3.TLK"), Crlf("berg 1 5 5\n  12.3500 \n  0.00   0.00   0.00   0.00   0.00   0.00\n*\n"));
}

struct HeaderCase {
  const char* name;
  std::string text;
  double hvarde[5];
  float startdjup;
  int riktning;
  double lutning;
  std::string kommentar[4];
};

class SndHeaderTest : public SndTest, public ::testing::WithParamInterface<HeaderCase> {};

TEST_P(SndHeaderTest, ReadsValuesAndDefaults) {
  const HeaderCase& c = GetParam();
  Put("H.SND", c.text);
  CBorviSnd snd(&proj, nullptr);
  snd.Init("h", nullptr);
  for (int i = 0; i < 5; ++i) EXPECT_DOUBLE_EQ(snd.hvarde[i], c.hvarde[i]) << "header number " << i + 1;
  EXPECT_FLOAT_EQ(snd.startdjup, c.startdjup);
  EXPECT_EQ(snd.riktning, c.riktning);
  EXPECT_DOUBLE_EQ(snd.lutning, c.lutning);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(snd.kommentar[i], c.kommentar[i]) << "comment " << i + 1;
}

const double S = CBorviSnd::Seknoll;

INSTANTIATE_TEST_SUITE_P(
    Cases, SndHeaderTest,
    ::testing::Values(
        HeaderCase{"full", "1\n2\n3\n4\n5\n2.5 7 60\na\nb\nc\nd\n*\n97\n40 0\n",
                   {1, 2, 3, 4, 5}, 2.5f, 7, 60.0, {"a", "b", "c", "d"}},
        HeaderCase{"two values on the sixth line", "1\n2\n3\n4\n5\n12.5 3\n*\n",
                   {1, 2, 3, 4, 5}, 12.5f, 0, 90.0, {}},
        HeaderCase{"no sixth line", "1\n2\n3\n4\n5\n", {1, 2, 3, 4, 5}, 0.0f, 0, 90.0, {}},
        HeaderCase{"empty sixth line", "1\n2\n3\n4\n5\n\nkept out\n*\n",
                   {1, 2, 3, 4, 5}, 0.0f, 0, 90.0, {}},
        HeaderCase{"starred sixth line", "1\n2\n3\n4\n5\n*\n97\n40 0\n",
                   {1, 2, 3, 4, 5}, 0.0f, 0, 90.0, {}},
        HeaderCase{"empty number lines keep their defaults", "1\n\n3\n\n\n0 0 90\n*\n",
                   {1, 0, 3, S, 0}, 0.0f, 0, 90.0, {}},
        HeaderCase{"empty file", "", {0, 0, 0, S, 0}, 0.0f, 0, 90.0, {}},
        HeaderCase{"three lines only", "7\n8\n9\n", {7, 8, 9, S, 0}, 0.0f, 0, 90.0, {}},
        HeaderCase{"empty comment lines count, a fifth is ignored",
                   "1\n2\n3\n4\n5\n0 0 90\n\nb\n\nd\ne\n*\n", {1, 2, 3, 4, 5}, 0.0f, 0, 90.0,
                   {"", "b", "", "d"}},
        HeaderCase{"no comment lines", "1\n2\n3\n4\n5\n0 0 90\n*\n97\n40 0\n",
                   {1, 2, 3, 4, 5}, 0.0f, 0, 90.0, {}}),
    [](const ::testing::TestParamInfo<HeaderCase>& info) {
      std::string name;
      for (const char* p = info.param.name; *p; ++p)
        name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
      return name;
    });

struct DateCase {
  std::string codeLine;
  std::string written;  // the code line as written back
};

class SndBlockDateTest : public SndTest, public ::testing::WithParamInterface<DateCase> {};

TEST_P(SndBlockDateTest, DateOfTheCodeLineIsKeptOrRewrittenDayFirst) {
  const DateCase& c = GetParam();
  const std::string block = "\n0.000000 90 0 0 1 0 x GUID " + BlockGuid(21) + "\n";
  Put("D.SND", SndWith("*\n" + c.codeLine + block));
  CBorviSnd snd(&proj, nullptr);
  ASSERT_EQ(snd.Init("d", nullptr), 0);
  snd.Uppdat(nullptr, nullptr);
  EXPECT_EQ(Get("D.SND"), Crlf(SndWith("*\n" + c.written + block)));
}

INSTANTIATE_TEST_SUITE_P(Cases, SndBlockDateTest,
                         ::testing::Values(DateCase{"21 2019-05-03", "21 03.05.2019"},
                                           DateCase{"21 03.05.2019", "21 03.05.2019"},
                                           DateCase{"21 2099/12/31", "21 31.12.2099"},
                                           DateCase{"21 1801-01-02", "21 02.01.1801"},
                                           DateCase{"21 1700-05-03", "21 1700-05-03"},
                                           DateCase{"21 2100-05-03", "21 2100-05-03"},
                                           DateCase{"21", "21 "},
                                           DateCase{"21 03.05.2019 and more", "21 03.05.2019"}));

// The block date of sections without an object of their own still follows the code line rules:
// one-digit codes drop two characters, codes up to 96 three, and 40, 45, 60 and higher codes
// leave the date as the previous section set it.
TEST_F(SndFileTest, BlockDateOfEachCodeRange) {
  struct Case {
    std::string lines;
    const char* datum;
  } cases[] = {
      {"*\n7 2019-05-03\n", "03.05.2019"},
      {"*\n77 2019-05-03\n", "03.05.2019"},
      {"*\n21 01.01.2001\n0 90\n*\n40 2019-05-03\n", "01.01.2001"},
      {"*\n21 01.01.2001\n0 90\n*\n60 2019-05-03\n", "01.01.2001"},
      {"*\n21 01.01.2001\n0 90\n*\n150 2019-05-03\n", "01.01.2001"},
      {"*\n-5 2019-05-03\n", "03.05.2019"},
  };
  for (const Case& c : cases) {
    Put("D.SND", SndWith(c.lines, false));
    CBorviSnd snd(&proj, nullptr);
    snd.Init("d", nullptr);
    EXPECT_STREQ(snd.datum, c.datum) << c.lines;
  }
}

TEST_F(SndFileTest, GuidSectionKeepsAGuidAndItsFurtherLines) {
  const std::string section = "*\n99\nGUID " + kBoreholeGuid + "\nrad 1\n\nrad 3\nrad 4\n";
  Put("G.SND", CanonicalHeader() + section + DreieBlock() + "*\n");
  CBorviSnd snd(&proj, nullptr);
  ASSERT_EQ(snd.Init("g", nullptr), 0);
  EXPECT_EQ(snd.guidrader[0], "rad 1");
  EXPECT_EQ(snd.guidrader[1], "");
  EXPECT_EQ(snd.guidrader[2], "rad 3");
  snd.Uppdat(nullptr, nullptr);
  // Writing stops at the first empty further line.
  EXPECT_EQ(Get("G.SND"), Crlf(CanonicalHeader() + "*\n99\nGUID " + kBoreholeGuid + "\nrad 1\n" +
                              DreieBlock() + "*\n"));
}

// Comment lines holding nothing before a stray zero byte are written as no comment at all, as
// they read back.
TEST_F(SndFileTest, CommentsEmptyUpToAZeroByteAreNoComments) {
  std::string header = CanonicalHeader();
  const std::string comments = "Kommentar ett\n\ntredje rad\n\n";
  header.replace(header.find(comments), comments.size(), std::string(1, '\0') + "xyz\n");
  Put("C.SND", header + CanonicalGuidSection() + DreieBlock() + "*\n");
  CBorviSnd snd(&proj, nullptr);
  ASSERT_EQ(snd.Init("c", nullptr), 0);
  snd.Uppdat(nullptr, nullptr);
  std::string expected = CanonicalHeader();
  expected.erase(expected.find(comments), comments.size());
  EXPECT_EQ(Get("C.SND"), Crlf(expected + CanonicalGuidSection() + DreieBlock() + "*\n"));
}

// A stray zero byte ends what a line of the section can hold: the line keeps its line end, and
// a GUID cut short by one is replaced, so that the written file reads back to itself.
TEST_F(SndFileTest, ZeroByteInTheGuidSectionNeverJoinsLines) {
  const std::string zero(1, '\0');
  const struct {
    std::string guidLine;
    bool keepsGuid;
  } cases[] = {{"GUID " + kBoreholeGuid + zero + "x", true},
               {"GUID 6f1c" + zero + kBoreholeGuid, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.keepsGuid);
    Put("Z.SND", CanonicalHeader() + "*\n99\n" + c.guidLine + "\nrad" + zero + " 1\nrad 2\n" +
                     DreieBlock() + "*\n");
    CBorviSnd snd(&proj, nullptr);
    ASSERT_EQ(snd.Init("z", nullptr), 0);
    snd.Uppdat(nullptr, nullptr);
    const std::string section = c.keepsGuid ? "GUID " + kBoreholeGuid + "\nrad\nrad 2\n*\n21 "
                                            : "GUID " + snd.guid + "\n*\n21 ";
    EXPECT_EQ(c.keepsGuid, snd.guid.substr(0, 36) == kBoreholeGuid);
    const std::string written = Get("Z.SND");
    EXPECT_NE(written.find(Crlf(section)), std::string::npos);
    CBorviSnd again(&proj, nullptr);
    ASSERT_EQ(again.Init("z", nullptr), 0);
    again.Uppdat(nullptr, nullptr);
    EXPECT_EQ(Get("Z.SND"), written);
  }
}

struct OriginCase {
  std::string guidLine;  // the line after the code line 99, or none
  bool hasLine;
  std::string orgnamn;
  bool missingStatus;
};

class SndOriginTest : public SndTest, public ::testing::WithParamInterface<OriginCase> {};

// Any origin other than GUID followed by a GUID gets a new GUID on writing, without further
// lines, and keeps that GUID through later writes.
TEST_P(SndOriginTest, OldOriginGetsANewGuidOnce) {
  const OriginCase& c = GetParam();
  std::string section = c.hasLine ? "*\n99\n" + c.guidLine + "\nold further\n" : "";
  Put("O.SND", CanonicalHeader() + section + DreieBlock() + "*\n");
  CBorviSnd snd(&proj, nullptr);
  ASSERT_EQ(snd.Init("o", nullptr), 0);
  EXPECT_STREQ(snd.orgnamn, c.orgnamn.c_str());
  EXPECT_EQ(status.Contains("Originalnamnet saknas (id=o)!"), c.missingStatus);
  snd.Uppdat(nullptr, nullptr);
  ASSERT_EQ(snd.guid.size(), 36u);
  EXPECT_NE(snd.guid, kBoreholeGuid);
  Uuid parsed;
  EXPECT_TRUE(ParseUuid(snd.guid, &parsed));
  const std::string expected =
      Crlf(CanonicalHeader() + "*\n99\nGUID " + snd.guid + "\n" + DreieBlock() + "*\n");
  EXPECT_EQ(Get("O.SND"), expected);
  snd.Uppdat(nullptr, nullptr);
  EXPECT_EQ(Get("O.SND"), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SndOriginTest,
    ::testing::Values(OriginCase{"BH12 " + kBoreholeGuid, true, "BH12", false},
                      OriginCase{"BH12", true, "o", true},
                      OriginCase{"", true, "o", true},
                      OriginCase{"GUID", true, "o", true},
                      OriginCase{"GUID short", true, "GUID", false},
                      OriginCase{"VERYLONGOLDNAME " + kBoreholeGuid, true, "VERYLONG", false},
                      OriginCase{"", false, "", false}));

TEST_F(SndFileTest, UnknownCodeIsReportedAndItsLinesSkipped) {
  Put("U1.SND", SndWith("*\n77 01.01.2000\n21 this line belongs to 77\nmore\n" + DreieBlock()));
  CBorviSnd snd(&proj, nullptr);
  ASSERT_EQ(snd.Init("U1", nullptr), 0);
  EXPECT_TRUE(status.Contains("Ok\xE4nd metodkod (77) f\xF6r Id: U1"));
  ASSERT_NE(snd.dreie, nullptr);
  int antal = 0;
  snd.dreie->Where(&antal);
  EXPECT_EQ(antal, 3);
  EXPECT_EQ(snd.dreie->m_guid, BlockGuid(21));
}

// Blocks whose class the library lacks are reported and skipped whole: a data line that starts
// with a method code must not become a block of its own.
TEST_F(SndFileTest, BlockWithoutClassIsSkippedWhole) {
  const struct {
    int code;
    const char* text;
  } cases[] = {
      {107, "Kan inte skapa klassinformation f\xF6r CPTHeader (Id=C)"},
  };
  for (const auto& c : cases) {
    StatusLog log;
    Put("C.SND", SndWith("*\n" + std::to_string(c.code) + " 01.01.2000\n21.000 5 GUID x\n" +
                         "22.000 5 6\n" + EnkelBlock()));
    CBorviSnd snd(&proj, nullptr);
    ASSERT_EQ(snd.Init("C", nullptr), 0);
    EXPECT_TRUE(log.Contains(c.text)) << c.code;
    EXPECT_EQ(snd.dreie, nullptr) << c.code;
    ASSERT_NE(snd.enkel, nullptr) << c.code;
    EXPECT_EQ(snd.enkel->m_guid, BlockGuid(22));
  }
}

TEST_F(SndFileTest, SecondBlockOfACodeReplacesTheFirst) {
  Put("R.SND", SndWith(DreieBlock() + "*\n21 09.09.2009\n0 90 GUID " + BlockGuid(99) + "\n"));
  CBorviSnd snd(&proj, nullptr);
  ASSERT_EQ(snd.Init("r", nullptr), 0);
  ASSERT_NE(snd.dreie, nullptr);
  EXPECT_EQ(snd.dreie->m_guid, BlockGuid(99));
  EXPECT_STREQ(snd.dreie->m_datum, "09.09.2009");
}

TEST_F(SndFileTest, StraySeparatorsAndEmptySectionsAreNoSections) {
  Put("S.SND", SndWith("*\n98\n*\n\n" + DreieBlock() + "*\n*\n" + EnkelBlock()));
  CBorviSnd snd(&proj, nullptr);
  ASSERT_EQ(snd.Init("s", nullptr), 0);
  EXPECT_TRUE(status.shown().empty());
  EXPECT_NE(snd.dreie, nullptr);
  EXPECT_NE(snd.enkel, nullptr);
}

// Comment lines and the GUID line are converted from the DOS code page; the further lines after
// the GUID line are kept as read.
TEST_F(SndFileTest, DosLettersAreConvertedWhereTheFileHoldsText) {
  const std::string dosWord = "\x94l \x86r \x84ng";  // DOS öl år äng
  const std::string winWord = "\xF6l \xE5r \xE4ng";
  Put("K.SND", "1\n2\n3\n4\n5\n0 0 90\n" + dosWord + "\n\n\n\n*\n97\n40 0\n*\n99\nGUID " +
                   kBoreholeGuid + "\n" + dosWord + "\n*\n");
  CBorviSnd snd(&proj, nullptr);
  ASSERT_EQ(snd.Init("k", nullptr), 0);
  EXPECT_EQ(snd.kommentar[0], winWord);
  EXPECT_EQ(snd.guidrader[0], dosWord);

  Put("N.SND", "1\n2\n3\n4\n5\n0 0 90\n*\n97\n40 0\n*\n99\n\x8F" "LD " + kBoreholeGuid + "\n");
  CBorviSnd old(&proj, nullptr);
  ASSERT_EQ(old.Init("n", nullptr), 0);
  EXPECT_STREQ(old.orgnamn, "\xC5LD");
}

TEST_F(SndFileTest, MissingSoundingFileStillReadsTheSeparateFiles) {
  Put("T.TLK", "lera\n12.5\n\n");
  CBorviSnd snd(&proj, nullptr);
  ASSERT_EQ(snd.Init("t", nullptr), 0);
  EXPECT_EQ(snd.typ, nullptr);
  EXPECT_STREQ(snd.skapad, "");
  ASSERT_NE(snd.tlk, nullptr);
  int antal = 0;
  snd.tlk->Where(&antal);
  EXPECT_EQ(antal, 1);
}

TEST_F(SndFileTest, UnreadableInterpretationIsDropped) {
  for (const std::string tlk : {"", "*\r\n"}) {
    Put("T.SND", SndWith(DreieBlock()));
    dir.write("T.TLK", tlk);
    CBorviSnd snd(&proj, nullptr);
    ASSERT_EQ(snd.Init("t", nullptr), 0);
    EXPECT_EQ(snd.tlk, nullptr);
    // The file that did not read is left alone by a write.
    snd.Uppdat(nullptr, nullptr);
    EXPECT_TRUE(dir.exists("T.TLK"));
    EXPECT_EQ(Get("T.TLK"), tlk);
  }
}

TEST_F(SndFileTest, DatesOfTheSoundingFile) {
  Put("BH1.SND", CanonicalSnd());
  CBorviSnd snd(&proj, nullptr);
  snd.Init("bh1", nullptr);
  DateTime created, modified;
  ASSERT_TRUE(FileTimes(dir.file("BH1.SND"), &created, &modified));
  EXPECT_EQ(std::string(snd.skapad), FormatDate(created));
  EXPECT_EQ(std::string(snd.andrad), FormatDate(modified));
  EXPECT_EQ(std::strlen(snd.andrad), 10u);
}

// Between two readings of a borehole another process adds its interpretation file and takes
// it away again.
TEST_F(SndFileTest, SeparateFileAddedOrRemovedBehindTheReaderIsSeenOnTheNextRead) {
  Put("U.SND", SndWith(DreieBlock()));
  for (const char* name : {"U.TLK"}) {
    CBorviSnd before(&proj, nullptr);
    ASSERT_EQ(before.Init("u", nullptr), 0);
    EXPECT_EQ(before.tlk, nullptr) << name;
    dir.write(name, "lera\r\n12.5\r\n\r\n");
    CBorviSnd after(&proj, nullptr);
    ASSERT_EQ(after.Init("u", nullptr), 0);
    EXPECT_NE(after.tlk, nullptr) << name;
    ASSERT_EQ(std::remove(dir.file(name).c_str()), 0);
    CBorviSnd gone(&proj, nullptr);
    ASSERT_EQ(gone.Init("u", nullptr), 0);
    EXPECT_EQ(gone.tlk, nullptr) << name;
    EXPECT_EQ(gone.m_droppedContent, 0) << name;
  }
}

TEST_F(SndFileTest, ADirectoryNamedLikeTheSoundingFileGivesNoDatesAndNoBlocks) {
  ASSERT_EQ(::mkdir(dir.file("V.SND").c_str(), 0755), 0);
  CBorviSnd snd(&proj, nullptr);
  ASSERT_EQ(snd.Init("v", nullptr), 0);
  EXPECT_STREQ(snd.skapad, "");
  EXPECT_STREQ(snd.andrad, "");
  EXPECT_EQ(snd.typ, nullptr);
}

}  // namespace
}  // namespace geoproj::test
