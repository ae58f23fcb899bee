// The core-drilling and water-loss blocks: their canonical form written back byte for byte,
// the older and incomplete forms read and then written canonically, the validity rules, and the
// rock level, which must stay where it is however often the block is saved.
#include <cmath>
#include <string>
#include <vector>

#include <geoproj/foundation/text_helpers.h>
#include <geoproj/methods/karnborr.h>
#include <geoproj/methods/vatten_f.h>
#include <gtest/gtest.h>

#include "support/sond_block_io.h"
#include "support/status_log.h"
#include "support/temp_dir.h"

namespace geoproj::test {
namespace {

const std::string kGuid = "5b2d7c1e-0a4f-4e3b-9c8d-7e6f5a4b3c2d";

// Without the "*" and code lines the sounding file reads.
std::string Body(const std::string& written) {
  const std::size_t code = written.find('\n', 2);
  return written.substr(code + 1);
}

template <class Block>
std::string ReadAndWrite(const TempDir& dir, const std::string& lf, Block& block) {
  std::string crlf;
  for (char c : lf) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
  EXPECT_EQ(ReadBlock(dir, block, crlf, "03.05.2019"), 0);
  return WriteBlock(block);
}

const std::string kCoreHeader = "1.000000 5 2 1234 1 0 2 GUID " + kGuid + "\n";
// A record line, its text at column 61, and an extension line.
const std::string kCoreRecords =
    DataLine("  1.50  3  2  45 -30 1 2 10  4 3 1200  80 1 0   12.345  15", 60, "sprucken") +
    "-1.50 0.5 1.25 2.0 3.5 4.0 65 32 32 32 32 66\n" +
    DataLine("  3.00  0  0   0   0 0 0  0  0 0    0   0 0 0    0.000   0", 60, "");

TEST(KarnborrTest, CanonicalBlockIsWrittenBackByteForByte) {
  TempDir dir;
  CKarnborr block;
  const std::string written = ReadAndWrite(dir, kCoreHeader + kCoreRecords + "*\n", block);
  EXPECT_EQ(written, "*\n13 03.05.2019\n" + kCoreHeader + kCoreRecords);
  EXPECT_EQ(block.areaflagga, 1);
  EXPECT_EQ(block.htal2, 5);
  EXPECT_EQ(block.htal3, 2);
  EXPECT_STREQ(block.kodsystem, "SGF");
  EXPECT_EQ(block.version, 2);
  EXPECT_EQ(block.guid, kGuid);
  double z = 0;
  ASSERT_EQ(block.ZBerg(&z), 0);
  EXPECT_DOUBLE_EQ(z, 12.34);
  ASSERT_EQ(block.Home(), 0);
  const kbtype& r = *block.Get_aktel();
  EXPECT_DOUBLE_EQ(r.djup, 1.5);
  EXPECT_EQ(r.k1, 3);
  EXPECT_EQ(r.k4, -30);
  EXPECT_EQ(r.k13, 0);
  EXPECT_DOUBLE_EQ(r.kvarde, 12.345);
  EXPECT_EQ(r.k14, 15);
  EXPECT_STREQ(r.text, "sprucken");
  EXPECT_EQ(r.b1, 'A');
  EXPECT_EQ(r.b6, 'B');
  EXPECT_DOUBLE_EQ(r.e1, 0.5);
  EXPECT_DOUBLE_EQ(r.e3, 1.25);
  EXPECT_DOUBLE_EQ(r.e2, 2.0);
}

TEST(KarnborrTest, NoRockLevel) {
  CKarnborr block;
  double z = 7.0;
  EXPECT_EQ(block.ZBerg(&z), -1);
  EXPECT_DOUBLE_EQ(z, 7.0);
}

// The rock level is kept in whole centimetres. A level below the datum must not move by a
// centimetre with every save; levels above it are written as they always were.
struct RockCase {
  double zberg;
  int centimetres;
};

class KarnborrRockTest : public ::testing::TestWithParam<RockCase> {};

TEST_P(KarnborrRockTest, LevelIsStableOverSaves) {
  TempDir dir;
  CKarnborr block;
  block.zberg = GetParam().zberg;
  block.guid = kGuid;
  std::string written = WriteBlock(block);
  const std::string expected = "*\n13 \n0.000000 0 0 " + std::to_string(GetParam().centimetres) +
                               " 1 0 2 GUID " + kGuid + "\n";
  EXPECT_EQ(written, expected);
  for (int save = 0; save < 3; ++save) {
    CKarnborr again;
    EXPECT_EQ(ReadAndWrite(dir, Body(written), again), "*\n13 03.05.2019\n" + Body(expected))
        << "save " << save;
  }
}

INSTANTIATE_TEST_SUITE_P(Levels, KarnborrRockTest,
                         ::testing::Values(RockCase{12.34, 1234}, RockCase{0.5, 50},
                                           RockCase{12.3449, 1234}, RockCase{-2.35, -235},
                                           RockCase{-0.07, -7}, RockCase{-12.344, -1234},
                                           RockCase{-12.346, -1235}));

// Input forms that read to given values and are then written in the canonical form.
struct CoreCase {
  const char* name;
  std::string header;
  std::string lines;
  std::string written;  // the record lines written, after the canonical header
  std::string header_written;
};

class KarnborrFormTest : public ::testing::TestWithParam<CoreCase> {};

TEST_P(KarnborrFormTest, ReadsThenWritesCanonically) {
  TempDir dir;
  StatusLog status;
  CKarnborr block;
  const CoreCase& c = GetParam();
  const std::string written = ReadAndWrite(dir, c.header + c.lines + "*\n", block);
  EXPECT_EQ(Body(written), c.header_written + c.written);
}

const std::string kCanonicalHeader = "1.000000 0 0 0 1 0 2 GUID " + kGuid + "\n";
const std::string kZeroLine =
    DataLine("  2.00  0  0   0   0 0 0  0  0 0    0   0 0 0    0.000   0", 60, "");

INSTANTIATE_TEST_SUITE_P(
    Forms, KarnborrFormTest,
    ::testing::Values(
        // Comment lines belong to no record, but a save must not lose them.
        CoreCase{"comment lines kept in place", kCanonicalHeader,
                 "% kommentar\n" + kZeroLine + "%\n" + kZeroLine + "% slut\n",
                 "% kommentar\n" + kZeroLine + "%\n" + kZeroLine + "% slut\n", kCanonicalHeader},
        CoreCase{"comment line of a block without records kept", kCanonicalHeader, "% tom\n",
                 "% tom\n", kCanonicalHeader},
        // Written whole, the line would end at the zero byte without its line end, and the
        // block's end would run into it.
        CoreCase{"comment line cut at a zero byte keeps its line end", kCanonicalHeader,
                 std::string("% ko\x08\0xx\n", 9) + kZeroLine, "% ko\x08\n" + kZeroLine,
                 kCanonicalHeader},
        CoreCase{"old layout lowers a first value above 31",
                 "1.0 0 0 0 1 0 0 GUID " + kGuid + "\n",
                 "2.00 40 1 0 0 0 0 0 0 0 0 0 0 0 0.0 0\n2.50 31 1 0 0 0 0 0 0 0 0 0 0 0 0.0 0\n",
                 DataLine("  2.00 39  1   0   0 0 0  0  0 0    0   0 0 0    0.000   0", 60, "") +
                     DataLine("  2.50 31  1   0   0 0 0  0  0 0    0   0 0 0    0.000   0", 60, ""),
                 kCanonicalHeader},
        CoreCase{"current layout keeps a first value above 31", kCanonicalHeader,
                 "2.00 40 1 0 0 0 0 0 0 0 0 0 0 0 0.0 0\n",
                 DataLine("  2.00 40  1   0   0 0 0  0  0 0    0   0 0 0    0.000   0", 60, ""),
                 kCanonicalHeader},
        CoreCase{"values outside their ranges become 0", kCanonicalHeader,
                 "2.00 -3 4 400 -95 0 7 2 -1 6 0 101 3 0 0.0 201\n",
                 DataLine("  2.00  0  0   0   0 0 0  2  0 0    0   0 0 0    0.000   0", 60, ""),
                 kCanonicalHeader},
        CoreCase{"fourteen values, text at its column", kCanonicalHeader,
                 DataLine("2.00 1 1 10 10 1 1 1 1 1 1 1 1 1", 60, "text"),
                 DataLine("  2.00  1  1  10  10 1 1  1  1 1    1   1 1 1    0.000   0", 60, "text"),
                 kCanonicalHeader},
        CoreCase{"line with fewer than 14 values dropped", kCanonicalHeader,
                 "2.00 1 1 10\n" + kZeroLine, kZeroLine, kCanonicalHeader},
        CoreCase{"BVF header, no rock, short header", "0.5 3 4 GUID " + kGuid + "\n", kZeroLine,
                 kZeroLine, "0.000000 3 4 0 0 0 2 GUID " + kGuid + "\n"},
        CoreCase{"extension line without its record skipped", kCanonicalHeader,
                 "-5.00 1 2 3 4 5 65 65 65 65 65 65\n" + kZeroLine, kZeroLine, kCanonicalHeader}),
    [](const auto& info) {
      std::string name = info.param.name;
      for (char& ch : name)
        if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
      return name;
    });

TEST(KarnborrTest, DamagedLinesAreReportedWithTheFileName) {
  TempDir dir;
  StatusLog status;
  CKarnborr block;
  ReadAndWrite(dir, kCanonicalHeader + "2.00 1 x\n-7.0 1 1\n" + kZeroLine + "*\n", block);
  int reported = 0;
  for (const std::string& text : status.shown())
    if (text.find("block.snd, line ") != std::string::npos) ++reported;
  EXPECT_EQ(reported, 2);
}

TEST(KarnborrTest, NoHeaderLine) {
  TempDir dir;
  CKarnborr block;
  std::string rest;
  EXPECT_EQ(ReadBlock(dir, block, "*\r\n21 03.05.2019\r\n", "", &rest), -1);
  EXPECT_EQ(rest, "21 03.05.2019\n");
  CKarnborr empty;
  EXPECT_EQ(ReadBlock(dir, empty, ""), -1);
}

TEST(KarnborrTest, WideNumbersPushTheTextRight) {
  struct Case {
    double djup, kvarde;
    std::int16_t k13, k14;
  };
  // Wide depth and value; and a coded value too wide for its one column, which leaves a blank
  // before the text column with the last value behind it.
  for (const Case& c : {Case{123456.5, 123456789.125, 0, 0}, Case{1.51, 80.0, 1200, 1}}) {
    TempDir dir;
    CKarnborr block;
    block.Ny(1, nullptr);
    kbtype& r = *block.Get_aktel();
    r.djup = c.djup;
    r.kvarde = c.kvarde;
    r.k13 = c.k13;
    r.k14 = c.k14;
    r.b1 = r.b2 = r.b3 = r.b4 = r.b5 = r.b6 = ' ';
    CopyField(r.text, "345 ord");
    block.guid = kGuid;
    const std::string first = WriteBlock(block);
    CKarnborr again;
    EXPECT_EQ(ReadAndWrite(dir, Body(first), again),
              first.substr(0, 5) + "03.05.2019" + first.substr(5));
    ASSERT_EQ(again.Home(), 0);
    EXPECT_STREQ(again.Get_aktel()->text, "345 ord");
    EXPECT_EQ(again.Get_aktel()->k14, c.k14);
  }
}

const std::string kWaterHeader = "1.000000 2 3 0 1 0 0 GUID " + kGuid + "\n";
const std::string kWaterRecords =
    DataLine("  1.000   4.500 0.5 12.0 3.5 0.250 7", 50, "t\xE4t") +
    DataLine(" 10.125  12.000 1.0 2.0 3.0 4.125 0", 50, "");

TEST(VattenFTest, CanonicalBlockIsWrittenBackByteForByte) {
  TempDir dir;
  CVattenF block;
  const std::string lf = kWaterHeader + kWaterRecords + "*\n";
  EXPECT_EQ(ReadAndWrite(dir, lf, block), "*\n14 03.05.2019\n" + kWaterHeader + kWaterRecords);
  EXPECT_EQ(block.areaflagga, 1);
  EXPECT_EQ(block.htal2, 2);
  EXPECT_EQ(block.htal3, 3);
  EXPECT_STREQ(block.kodsystem, "SGF");
  ASSERT_EQ(block.Home(), 0);
  EXPECT_DOUBLE_EQ(block.Get_aktel()->w2, 4.5);
  EXPECT_EQ(block.Get_aktel()->wtal, 7);
  EXPECT_STREQ(block.Get_aktel()->text, "t\xE4t");
}

// A value too wide for its column (1e16 here) leaves a blank before the text column with the
// last value behind it; the record reads back whole, its text behind its values.
TEST(VattenFTest, WideNumbersPushTheTextRight) {
  TempDir dir;
  CVattenF block;
  block.Ny(1, nullptr);
  vftype& r = *block.Get_aktel();
  r = vftype{1.0, 4.5, 1e16, 3.5, 0.5, 0.25, {}, 7};
  CopyField(r.text, "345 ord");
  block.guid = kGuid;
  const std::string first = WriteBlock(block);
  CVattenF again;
  EXPECT_EQ(ReadAndWrite(dir, Body(first), again),
            first.substr(0, 5) + "03.05.2019" + first.substr(5));
  ASSERT_EQ(again.Home(), 0);
  EXPECT_STREQ(again.Get_aktel()->text, "345 ord");
  EXPECT_EQ(again.Get_aktel()->wtal, 7);
}

TEST(VattenFTest, OlderFormsReadThenWriteCanonically) {
  TempDir dir;
  CVattenF block;
  const std::string lf = "0 2 3 0 0\n1 4.5 0.5 12 3.5 0.25 7\n\n" +
                         DataLine("2 3", 50, "kort") + "*\n";
  const std::string written = ReadAndWrite(dir, lf, block);
  EXPECT_EQ(Body(written),
            "0.000000 2 3 0 0 0 0 GUID " + block.guid + "\n" +
                DataLine("  1.000   4.500 0.5 12.0 3.5 0.250 7", 50, "") +
                DataLine("  2.000   3.000 0.0 0.0 0.0 0.000 0", 50, "kort"));
  EXPECT_STREQ(block.kodsystem, "BVF");
  EXPECT_EQ(block.guid.size(), 36u);
}

// The sounding file writes no "*" line after these blocks when it holds no sounding: the end of
// the file ends them without loss.
TEST(VattenFTest, EndOfFileEndsTheBlockQuietly) {
  TempDir dir;
  StatusLog status;
  CVattenF water;
  EXPECT_EQ(ReadBlock(dir, water, kWaterHeader + "1 2 3 4 5 6 7\r\n"), 0);
  CKarnborr core;
  EXPECT_EQ(ReadBlock(dir, core, kCoreHeader), 0);
  EXPECT_TRUE(status.shown().empty());
}

}  // namespace
}  // namespace geoproj::test
