// The project information file: created when missing, byte-exact round trips, the defaults of
// missing lines and fields, DOS letters, damaged files, and the system-table lookups.
#include <geoproj/project/info_prj.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <geoproj/platform/proj_path.h>
#include <geoproj/platform/transformation.h>

#include "support/status_log.h"
#include "support/temp_dir.h"

namespace {

using geoproj::test::StatusLog;
using geoproj::test::TempDir;

// The twelve lines as the writer puts them on disk.
const char kWritten[] =
    "Geoteknik Nord AB\r\n"
    "C:\\Projekt\\V\xE4g 42\\Rapport.docx\r\n"
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

class InfoPrjFile : public ::testing::Test {
 protected:
  InfoPrjFile() { path.SetPath(dir.path().c_str()); }

  TempDir dir;
  CProjPath path;
};

TEST_F(InfoPrjFile, MissingFileIsCreatedEmptyWithDefaults) {
  ASSERT_FALSE(dir.exists("Info.prj"));
  CInfoPrj info(&path);
  EXPECT_TRUE(dir.exists("Info.prj"));
  EXPECT_EQ(dir.read("Info.prj"), "");
  EXPECT_EQ(info.company, "");
  EXPECT_EQ(info.document, "");
  EXPECT_EQ(info.text[2], "");
  EXPECT_EQ(info.latMin, 0.0);
  EXPECT_EQ(info.lonMax, 0.0);
  EXPECT_EQ(info.centreLat, 0.0);
  EXPECT_EQ(info.centreLon, 0.0);
  EXPECT_EQ(info.coordSystem, -1);
  EXPECT_EQ(info.heightSystem, -1);
  EXPECT_EQ(info.changed, 0);
  EXPECT_EQ(info.GetDroppedCount(), 0);
}

TEST_F(InfoPrjFile, NullPathTouchesNoFile) {
  CInfoPrj info(nullptr);
  EXPECT_EQ(info.Uppdat(), -1);
  EXPECT_FALSE(dir.exists("Info.prj"));
  EXPECT_EQ(info.coordSystem, -1);
}

TEST_F(InfoPrjFile, ReadsEveryLineAndWritesTheSameBytes) {
  dir.write("Info.prj", kWritten);
  CInfoPrj info(&path);
  EXPECT_EQ(info.company, "Geoteknik Nord AB");
  EXPECT_EQ(info.document, "C:\\Projekt\\V\xE4g 42\\Rapport.docx");
  EXPECT_EQ(info.text[0], "V\xE4g 42, etapp 2");
  EXPECT_EQ(info.text[1], "");
  EXPECT_EQ(info.text[2], "Tredje raden");
  EXPECT_DOUBLE_EQ(info.latMin, 59.123456);
  EXPECT_DOUBLE_EQ(info.latMax, 59.654321);
  EXPECT_DOUBLE_EQ(info.lonMin, 17.5);
  EXPECT_DOUBLE_EQ(info.lonMax, 18.25);
  EXPECT_EQ(info.coordSystem, 5);
  EXPECT_EQ(info.heightSystem, 0);
  EXPECT_EQ(info.coordText, "SWEREF 99 18 00");
  EXPECT_EQ(info.heightText, "RH 2000");
  EXPECT_EQ(info.transformation[0], "Transformation 1");
  EXPECT_EQ(info.transformation[2], "Transformation 3");
  EXPECT_DOUBLE_EQ(info.centreLat, 59.4);
  EXPECT_DOUBLE_EQ(info.centreLon, 17.9);
  EXPECT_EQ(info.GetDroppedCount(), 0);

  info.changed = 1;
  ASSERT_EQ(info.Uppdat(), 0);
  EXPECT_EQ(dir.read("Info.prj"), kWritten);
  EXPECT_EQ(info.changed, 1);  // the sheet clears it, not the write
}

TEST_F(InfoPrjFile, FieldsSetByAHostAreWrittenAsTwelveLines) {
  CInfoPrj info(&path);
  info.company = "Bolaget";
  info.latMin = 1.5;
  info.latMax = 2.5;
  info.lonMin = -3.0;
  info.lonMax = 4.0;
  info.coordSystem = 14;
  info.centreLat = 2.0;
  info.centreLon = 0.5;
  ASSERT_EQ(info.Uppdat(), 0);
  EXPECT_EQ(dir.read("Info.prj"),
            "Bolaget\r\n\r\n\r\n\r\n\r\n"
            "1.500000 2.500000 -3.000000 4.000000 14 -1\r\n"
            "\r\n\r\n\r\n\r\n\r\n"
            "2.000000 0.500000\r\n");
}

// A line break inside a field would move every later field onto another line of the file.
TEST_F(InfoPrjFile, ALineBreakInsideAFieldEndsTheField) {
  CInfoPrj info(&path);
  info.company = "Rad ett\r\nrad tv\xE5";
  info.text[0] = "bara\nden";
  info.coordSystem = 3;
  ASSERT_EQ(info.Uppdat(), 0);
  CInfoPrj back(&path);
  EXPECT_EQ(back.company, "Rad ett");
  EXPECT_EQ(back.text[0], "bara");
  EXPECT_EQ(back.coordSystem, 3);
  EXPECT_EQ(back.GetDroppedCount(), 0);
}

TEST_F(InfoPrjFile, DosLettersReadAsCodePageLetters) {
  dir.write("Info.prj", "F\x86ltgeo \x8E\x99\r\nx\r\n");
  CInfoPrj info(&path);
  EXPECT_EQ(info.company, "F\xE5ltgeo \xC4\xD6");
}

struct PartialCase {
  const char* name;
  std::string bytes;
  int coord;
  int height;
  double latMin;
  double centreLat;
  double centreLon;
  int dropped;
};

class InfoPrjPartial : public InfoPrjFile, public ::testing::WithParamInterface<PartialCase> {};

TEST_P(InfoPrjPartial, KeepsWhatItCanReadAndReportsTheRest) {
  const PartialCase& c = GetParam();
  dir.write("Info.prj", c.bytes);
  StatusLog status;
  CInfoPrj info(&path);
  EXPECT_EQ(info.coordSystem, c.coord);
  EXPECT_EQ(info.heightSystem, c.height);
  EXPECT_DOUBLE_EQ(info.latMin, c.latMin);
  EXPECT_DOUBLE_EQ(info.centreLat, c.centreLat);
  EXPECT_DOUBLE_EQ(info.centreLon, c.centreLon);
  EXPECT_EQ(info.GetDroppedCount(), c.dropped);
  EXPECT_EQ(static_cast<int>(status.shown().size()), c.dropped);
}

const std::string kFiveLines = "a\r\nb\r\nc\r\nd\r\ne\r\n";

INSTANTIATE_TEST_SUITE_P(
    Lines, InfoPrjPartial,
    ::testing::Values(
        PartialCase{"FiveNumbersLeaveNoHeightSystem", kFiveLines + "1 2 3 4 7\r\n", 7, -1, 1.0,
                    1.5, 3.5, 0},
        PartialCase{"FourNumbersLeaveNoSystems", kFiveLines + "1 2 3 4\r\n", -1, -1, 1.0, 1.5,
                    3.5, 0},
        PartialCase{"ElevenLinesTakeTheMiddleOfTheExtent",
                    kFiveLines + "10 20 30 50 1 2\r\nk\r\nh\r\nt1\r\nt2\r\nt3\r\n", 1, 2, 10.0,
                    15.0, 40.0, 0},
        PartialCase{"NoExtentLine", kFiveLines, -1, -1, 0.0, 0.0, 0.0, 0},
        PartialCase{"WordInTheExtent", kFiveLines + "1 2 x 4 7 1\r\n", -1, -1, 1.0, 1.5, 0.0, 1},
        PartialCase{"OneCentreValue",
                    kFiveLines + "0 2 0 4 1 2\r\nk\r\nh\r\n\r\n\r\n\r\n9.5\r\n", 1, 2, 0.0, 9.5,
                    2.0, 0},
        PartialCase{"WordInTheCentre",
                    kFiveLines + "0 2 0 4 1 2\r\nk\r\nh\r\n\r\n\r\n\r\nnorr 3\r\n", 1, 2, 0.0,
                    1.0, 2.0, 1},
        PartialCase{"LinesAfterTheLast",
                    kFiveLines + "0 2 0 4 1 2\r\nk\r\nh\r\n\r\n\r\n\r\n1 2\r\nmer\r\n\r\nmest\r\n",
                    1, 2, 0.0, 1.0, 2.0, 2},
        PartialCase{"GarbageInAText", std::string("a\x01\x02\r\n", 5) + "b\r\n", -1, -1, 0.0,
                    0.0, 0.0, 1},
        PartialCase{"LfOnlyAndNoLastLineEnd", "a\nb\nc\nd\ne\n1 2 3 4 5 6", 5, 6, 1.0, 1.5, 3.5,
                    0}),
    [](const ::testing::TestParamInfo<PartialCase>& info) { return info.param.name; });

TEST_F(InfoPrjFile, BinaryFileReadsWithoutHarm) {
  std::string bytes;
  for (int i = 0; i < 4096; ++i) bytes.push_back(static_cast<char>((i * 131 + 7) & 0xFF));
  dir.write("Info.prj", bytes);
  StatusLog status;
  CInfoPrj info(&path);
  EXPECT_GT(info.GetDroppedCount(), 0);
  // What was read is written as twelve lines, and reading those keeps every field.
  ASSERT_EQ(info.Uppdat(), 0);
  const std::string first = dir.read("Info.prj");
  CInfoPrj again(&path);
  ASSERT_EQ(again.Uppdat(), 0);
  EXPECT_EQ(dir.read("Info.prj"), first);
}

TEST_F(InfoPrjFile, UppdatFailsWhereTheFileCannotBeWritten) {
  CProjPath missing;
  missing.SetPath((dir.path() + "/no/such/dir").c_str());
  CInfoPrj info(&missing);
  EXPECT_EQ(info.Uppdat(), -1);
}

TEST(InfoPrjSystems, LookupsAcceptTheTableSizeAndNothingOutside) {
  EXPECT_EQ(CInfoPrj::EPGSsystem(-1), -1);
  EXPECT_EQ(CInfoPrj::TextSystem(-1), "");
  EXPECT_EQ(CInfoPrj::EPGSsystemHeight(-1), -1);
  EXPECT_EQ(CInfoPrj::EPGSsystem(0), 3006);
  EXPECT_EQ(CInfoPrj::EPGSsystem(5), 3011);
  EXPECT_EQ(CInfoPrj::TextSystem(5), "SWEREF 99 18 00");
  EXPECT_EQ(CInfoPrj::EPGSsystem(15), 25833);
  EXPECT_EQ(CInfoPrj::EPGSsystemHeight(0), 5613);
  // The index equal to the stated size is accepted and names no system.
  EXPECT_EQ(CInfoPrj::EPGSsystem(CTransformation::SIZE), 0);
  EXPECT_EQ(CInfoPrj::TextSystem(CTransformation::SIZE), "");
  EXPECT_EQ(CInfoPrj::EPGSsystemHeight(CTransformation::SIZEHEIGHT), 0);
  EXPECT_EQ(CInfoPrj::EPGSsystem(CTransformation::SIZE + 1), -1);
  EXPECT_EQ(CInfoPrj::EPGSsystemHeight(CTransformation::SIZEHEIGHT + 1), -1);
  EXPECT_EQ(CInfoPrj::TextSystem(1000000), "");
}

}  // namespace
