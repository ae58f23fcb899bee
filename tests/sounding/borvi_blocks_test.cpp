// The data lines of each penetration-sounding block: every accepted input form, the canonical
// form written back, byte-exact round trips, the Total formats, and the code searches.
#include <cstring>
#include <string>
#include <vector>

#include <geoproj/foundation/text_helpers.h>
#include <geoproj/sounding/borvi_dpt.h>
#include <geoproj/sounding/borvi_dreie.h>
#include <geoproj/sounding/borvi_dtrykk.h>
#include <geoproj/sounding/borvi_enkel.h>
#include <geoproj/sounding/borvi_fjell.h>
#include <geoproj/sounding/borvi_ram.h>
#include <geoproj/sounding/borvi_total.h>
#include <gtest/gtest.h>

#include "support/sond_block_io.h"
#include "support/temp_dir.h"

namespace {

using geoproj::CopyField;
using geoproj::FieldText;
using geoproj::test::DataLine;
using geoproj::test::ReadBlock;
using geoproj::test::WriteBlock;

const std::string kGuid = "6a1c1e0e-52b4-4f0e-8d3a-0c9b7e2f4d11";
const std::string kHeader = "1.000000 93 0 0 1 0 x GUID " + kGuid + "\n";

std::string Symbol(const char (&symbol)[4]) { return std::string(symbol, strnlen(symbol, 4)); }

class BlockLines : public ::testing::Test {
 protected:
  // Reads header plus one data line (ending in CR LF); the block must hold exactly one record.
  template <class Block>
  auto ReadOne(Block& block, const std::string& line, const std::string& header = kHeader) {
    std::string crlf = line;
    if (!crlf.empty() && crlf.back() == '\n') crlf.pop_back();
    EXPECT_EQ(ReadBlock(dir_, block, header + crlf + "\r\n"), 0);
    int antal = 0;
    block.Where(&antal);
    EXPECT_EQ(antal, 1);
    block.Home();
    return *block.Get_aktel();
  }

  // The block as written, without its code and header lines.
  template <class Block>
  std::string DataWritten(Block& block, int metod, const std::string& header = kHeader) {
    std::string out = WriteBlock(block);
    std::string head = "*\n" + std::to_string(metod) + " 03.05.2019\n" + header;
    EXPECT_EQ(out.substr(0, head.size()), head);
    return out.substr(std::min(head.size(), out.size()));
  }

  geoproj::test::TempDir dir_;
};

struct DreieCase {
  std::string in;
  float djup;
  long varde;
  const char* vikt;
  std::string text;
  std::string symbol;
  std::string out;
};

TEST_F(BlockLines, DreieReadsWeightsAndWritesTheCanonicalLine) {
  const std::string lang = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123";
  const std::vector<DreieCase> cases = {
      // A negative value goes with the weight "SL", whether or not the line gives it.
      {DataLine("  1.200  -12", 22, "KA"), 1.2f, -12, "SL", "KA", "",
       DataLine("  1.200  -12 SL", 22, "KA")},
      {DataLine("  1.200  -12 25", 22, "KA"), 1.2f, -12, "SL", "KA", "",
       DataLine("  1.200  -12 SL", 22, "KA")},
      {DataLine("  2.000   25 25", 22, "SA"), 2.0f, 25, "25", "SA", "\x3A",
       DataLine("  2.000   25 25", 22, "SA")},
      {DataLine("  3.000   10 SL1", 22, "11"), 3.0f, 10, "SL1", "11", "\x3E\x35",
       DataLine("  3.000   10 SL1", 22, "11")},
      // The weight is at most nine characters, up to the first blank; the text starts at 22.
      {"  1.000   10 ABCDEFGHIJKL", 1.0f, 10, "ABCDEFGHI", "JKL", "",
       "  1.000   10 ABCDEFGHIJKL\n"},
      {"  1.000   10 5 xx", 1.0f, 10, "5", "", "", DataLine("  1.000   10 5", 22, "")},
      {"  1.000   10", 1.0f, 10, "", "", "", DataLine("  1.000   10 ", 22, "")},
      {"1.2 -12", 1.2f, -12, "SL", "", "", DataLine("  1.200  -12 SL", 22, "")},
      // Table order picks the symbol; the rock mark is not a code of this method.
      {DataLine("  4.000   15 15", 22, "ST SA"), 4.0f, 15, "15", "ST SA", "\x3A",
       DataLine("  4.000   15 15", 22, "ST SA")},
      {DataLine("  5.000    5 5", 22, "F"), 5.0f, 5, "5", "F", "",
       DataLine("  5.000    5 5", 22, "F")},
      {DataLine("  6.000    5 5", 22, lang), 6.0f, 5, "5", lang.substr(0, 25), "",
       DataLine("  6.000    5 5", 22, lang.substr(0, 25))},
  };
  for (const DreieCase& c : cases) {
    SCOPED_TRACE(c.in);
    CBorviDreie dreie(1, 0, 0);
    dreietype rec = ReadOne(dreie, c.in);
    EXPECT_FLOAT_EQ(rec.djup, c.djup);
    EXPECT_EQ(rec.varde, c.varde);
    EXPECT_EQ(FieldText(rec.vikt), c.vikt);
    EXPECT_EQ(FieldText(rec.text), c.text);
    EXPECT_EQ(Symbol(rec.symbol), c.symbol);
    EXPECT_EQ(DataWritten(dreie, 21), c.out);
  }
}

TEST_F(BlockLines, DreieWritesSlForANegativeValueSetByTheHost) {
  CBorviDreie dreie(1, 0, 0);
  dreie.m_guid = kGuid;
  CopyField(dreie.m_datum, "03.05.2019");
  CopyField(dreie.m_text7, "x");
  dreie.m_stopp = 93;
  dreie.m_flagga1 = 1;
  dreietype rec{};
  CopyField(rec.vikt, "25");
  rec.djup = 0.4f;
  rec.varde = -3;
  CopyField(rec.text, "GR");
  dreie.Ny(1, &rec);
  EXPECT_EQ(DataWritten(dreie, 21), DataLine("  0.400   -3 SL", 22, "GR"));
  dreie.Home();
  EXPECT_EQ(FieldText(dreie.Get_aktel()->vikt), "SL");
}

// Enkel, Fjell and Dtrykk share one line layout; Dtrykk's text starts at 15.
template <class Block>
struct PlainLayout;
template <>
struct PlainLayout<CBorviEnkel> {
  static constexpr int kMetod = 22;
  static constexpr std::size_t kKolumn = 22;
  static constexpr const char* kRockSymbol = "";
  static constexpr const char* kR1Symbol = "";
};
template <>
struct PlainLayout<CBorviFjell> {
  static constexpr int kMetod = 26;
  static constexpr std::size_t kKolumn = 22;
  static constexpr const char* kRockSymbol = "\x2E";
  static constexpr const char* kR1Symbol = "";
};
template <>
struct PlainLayout<CBorviDtrykk> {
  static constexpr int kMetod = 23;
  static constexpr std::size_t kKolumn = 15;
  static constexpr const char* kRockSymbol = "";
  static constexpr const char* kR1Symbol = "\x52\x31";
};

template <class Block>
class PlainBlockLines : public BlockLines {};
using PlainBlocks = ::testing::Types<CBorviEnkel, CBorviFjell, CBorviDtrykk>;
TYPED_TEST_SUITE(PlainBlockLines, PlainBlocks);

TYPED_TEST(PlainBlockLines, ReadAndWriteTheCanonicalLine) {
  using L = PlainLayout<TypeParam>;
  const std::size_t k = L::kKolumn;
  struct Case {
    std::string in;
    float djup;
    long varde;
    std::string text;
    std::string symbol;
    std::string out;
  };
  const std::vector<Case> cases = {
      {DataLine("  1.000   12  ", k, "SA"), 1.0f, 12, "SA", "\x3A",
       DataLine("  1.000   12  ", k, "SA")},
      {"1 12", 1.0f, 12, "", "", DataLine("  1.000   12  ", k, "")},
      {DataLine("  2.500 -7", k, "GR"), 2.5f, -7, "GR", "\x6F", DataLine("  2.500   -7  ", k, "GR")},
      {DataLine("  3.000 12345", k, "KA"), 3.0f, 12345, "KA", "",
       DataLine("  3.000 12345   ", k, "KA")},
      {DataLine("  4.000    1  ", k, "F"), 4.0f, 1, "F", L::kRockSymbol,
       DataLine("  4.000    1  ", k, "F")},
      {DataLine("  5.000    1  ", k, "r1"), 5.0f, 1, "r1", L::kR1Symbol,
       DataLine("  5.000    1  ", k, "r1")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.in);
    TypeParam block(1, 0, 0);
    auto rec = this->ReadOne(block, c.in);
    EXPECT_FLOAT_EQ(rec.djup, c.djup);
    EXPECT_EQ(rec.varde, c.varde);
    EXPECT_EQ(FieldText(rec.text), c.text);
    EXPECT_EQ(Symbol(rec.symbol), c.symbol);
    EXPECT_EQ(this->DataWritten(block, L::kMetod), c.out);
  }
}

TEST_F(BlockLines, RamReadsTwoValues) {
  struct Case {
    std::string in;
    float djup;
    long varde1;
    int varde2;
    std::string text;
    std::string symbol;
    std::string out;
  };
  const std::vector<Case> cases = {
      {DataLine("  1.000 123 45", 22, "SA"), 1.0f, 123, 45, "SA", "\x3A",
       DataLine("  1.000 123 45", 22, "SA")},
      {"1.0 123", 1.0f, 123, 0, "", "", DataLine("  1.000 123 0", 22, "")},
      {"  2.000 -5 -6", 2.0f, -5, -6, "", "", DataLine("  2.000 -5 -6", 22, "")},
      {DataLine("  1.000 1234567 89", 22, "MY"), 1.0f, 1234567, 89, "MY", "\xF0",
       DataLine("  1.000 1234567 89", 22, "MY")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.in);
    CBorviRam ram(1, 0, 0);
    ramsondtype rec = ReadOne(ram, c.in);
    EXPECT_FLOAT_EQ(rec.djup, c.djup);
    EXPECT_EQ(rec.varde1, c.varde1);
    EXPECT_EQ(rec.varde2, c.varde2);
    EXPECT_EQ(FieldText(rec.text), c.text);
    EXPECT_EQ(Symbol(rec.symbol), c.symbol);
    EXPECT_EQ(DataWritten(ram, 24), c.out);
  }
}

struct TotalCase {
  int format;
  std::string in;
  const char* mod;
  long varde1, varde2, varde3;
  std::string text;
  std::string symbol;
  std::string out;
};

std::string TotalHeader(int format) {
  return "1.000000 93 0 " + std::to_string(format) + " 1 0 x GUID " + kGuid + "\n";
}

TEST_F(BlockLines, TotalReadsEachFormat) {
  const std::vector<TotalCase> cases = {
      {0, DataLine("  1.000    25     3 SL", 29, "ST"), "SL", 25, 3, 0, "ST", "\x7F",
       DataLine("  1.000    25     3 SL", 29, "ST")},
      {0, DataLine("  1.000    25     3 TR", 29, "B1"), "TR", 25, 3, 0, "B1", "\x42\x31",
       DataLine("  1.000    25     3 TR", 29, "B1")},
      // Any mode other than "SL" is rotation.
      {0, "  1.000    25     3", "TR", 25, 3, 0, "", "", DataLine("  1.000    25     3 TR", 29, "")},
      {1, "  1.000    25     3 sl", "TR", 25, 3, 0, "", "",
       DataLine("  1.000    25     3 TR", 29, "")},
      {0, "1 25 3 SL", "TR", 25, 3, 0, "", "", DataLine("  1.000    25     3 TR", 29, "")},
      {4, DataLine("  1.000    25     3   250", 29, "Y1"), "", 25, 3, 250, "Y1", "\x59\x31",
       DataLine("  1.000    25     3   250", 29, "Y1")},
      {2, "1 25 3", "", 25, 3, 0, "", "", DataLine("  1.000    25     3     0", 29, "")},
      {5, DataLine("  2.000 -1 -2 -3", 29, "f"), "", -1, -2, -3, "f", "\x2E",
       DataLine("  2.000    -1    -2    -3", 29, "f")},
  };
  for (const TotalCase& c : cases) {
    SCOPED_TRACE(c.in);
    CBorviTotal total(1, 0, 0);
    totaltype rec = ReadOne(total, c.in, TotalHeader(c.format));
    EXPECT_EQ(total.m_varde4, c.format);
    EXPECT_EQ(FieldText(rec.mod), c.mod);
    EXPECT_EQ(rec.varde1, c.varde1);
    EXPECT_EQ(rec.varde2, c.varde2);
    EXPECT_EQ(rec.varde3, c.varde3);
    EXPECT_EQ(FieldText(rec.text), c.text);
    EXPECT_EQ(Symbol(rec.symbol), c.symbol);
    EXPECT_EQ(DataWritten(total, 25, TotalHeader(c.format)), c.out);
  }
}

TEST_F(BlockLines, ConvertToFormat4BringsOlderTotalBlocksToFormat4Or5) {
  struct Rec {
    const char* mod;
    long varde1, varde3;
  };
  struct Case {
    int format;
    std::vector<Rec> before;
    int after_format;
    std::vector<Rec> after;
  };
  const std::vector<Case> cases = {
      {0, {{"SL", 25, 0}, {"TR", 7, 0}}, 4, {{"", 0, 250}, {"", 7, 0}}},
      {1, {{"SL", 3, 0}}, 5, {{"", 0, 30}}},
      {2, {{"", 25, 3}}, 4, {{"", 25, 30}}},
      {3, {{"", 25, 3}, {"", 1, -2}}, 5, {{"", 25, 30}, {"", 1, -20}}},
      {4, {{"", 25, 3}}, 4, {{"", 25, 3}}},
      {5, {{"", 25, 3}}, 5, {{"", 25, 3}}},
      {0, {}, 4, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.format);
    CBorviTotal total(1, 0, 0);
    total.m_varde4 = c.format;
    for (const Rec& r : c.before) {
      totaltype rec{};
      CopyField(rec.mod, r.mod);
      rec.varde1 = r.varde1;
      rec.varde3 = r.varde3;
      total.Ny(1, &rec);
    }
    total.ConvertToFormat4();
    EXPECT_EQ(total.m_varde4, c.after_format);
    std::vector<Rec> got;
    std::vector<std::string> mods;
    if (total.Home() == 0) {
      do {
        const totaltype& rec = *total.Get_aktel();
        mods.push_back(FieldText(rec.mod));
        got.push_back({"", rec.varde1, rec.varde3});
      } while (total++);
    }
    ASSERT_EQ(got.size(), c.after.size());
    for (std::size_t i = 0; i < got.size(); ++i) {
      EXPECT_EQ(mods[i], c.after[i].mod);
      EXPECT_EQ(got[i].varde1, c.after[i].varde1);
      EXPECT_EQ(got[i].varde3, c.after[i].varde3);
    }
  }
}

TEST_F(BlockLines, ConvertedTotalBlockIsWrittenInTheNewFormat) {
  CBorviTotal total(1, 0, 0);
  ReadBlock(dir_, total,
            TotalHeader(0) + DataLine("  1.000    25     3 SL", 29, "SA") +
                DataLine("  1.200     8     4 TR", 29, ""));
  total.ConvertToFormat4();
  EXPECT_EQ(DataWritten(total, 25, TotalHeader(4)),
            DataLine("  1.000     0     3   250", 29, "SA") +
                DataLine("  1.200     8     4     0", 29, ""));
}

TEST_F(BlockLines, DptReadsThreeValuesAndNoCodes) {
  struct Case {
    std::string in;
    double v1, v2, v3;
    std::string text;
    std::string out;
  };
  const std::vector<Case> cases = {
      {DataLine("    1.000     2.500   3.000", 30, "SA"), 1.0, 2.5, 3.0, "SA",
       DataLine("    1.000     2.500   3.000", 30, "SA")},
      {"1 2.5", 1.0, 2.5, 0.0, "", DataLine("    1.000     2.500   0.000", 30, "")},
      {"12.25 -3 0.25 9", 12.25, -3.0, 0.25, "", DataLine("   12.250    -3.000   0.250", 30, "")},
      {DataLine("  100.000  1234.567 123.456", 30, "ABCDEFGHIJKLMNOPQRSTUVWXYZ"), 100.0,
       1234.567, 123.456, "ABCDEFGHIJKLMNOPQRSTUVWXY",
       DataLine("  100.000  1234.567 123.456", 30, "ABCDEFGHIJKLMNOPQRSTUVWXY")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.in);
    CBorviDpt dpt(1, 0, 0);
    dpttype rec = ReadOne(dpt, c.in);
    EXPECT_DOUBLE_EQ(rec.varde1, c.v1);
    EXPECT_DOUBLE_EQ(rec.varde2, c.v2);
    EXPECT_DOUBLE_EQ(rec.varde3, c.v3);
    EXPECT_EQ(FieldText(rec.text), c.text);
    EXPECT_EQ(DataWritten(dpt, 35), c.out);
  }
}

// A block in its canonical form is written back byte for byte.
template <class Block>
void ExpectRoundTrip(const geoproj::test::TempDir& dir, int metod, const std::string& block) {
  Block first(1, 0, 0);
  ASSERT_EQ(ReadBlock(dir, first, block, "21.11.2021"), 0);
  const std::string expected = "*\n" + std::to_string(metod) + " 21.11.2021\n" + block;
  EXPECT_EQ(WriteBlock(first), expected);
  // And the written text, read again, gives the same bytes once more.
  Block second(1, 0, 0);
  ASSERT_EQ(ReadBlock(dir, second, expected.substr(expected.find('\n', 2) + 1), "21.11.2021"), 0);
  EXPECT_EQ(WriteBlock(second), expected);
}

TEST_F(BlockLines, CanonicalBlocksRoundTripByteForByte) {
  const std::string sgf = "1.000000 93 2 0 1 17 ref GUID " + kGuid + "\n";
  const std::string bvf = "0.000000 91 0 0 0 0  GUID " + kGuid + "\n";
  ExpectRoundTrip<CBorviDreie>(dir_, 21,
                               sgf + DataLine("  0.200    5 25", 22, "SA") +
                                   DataLine("  0.400  -12 SL", 22, "KA MY") +
                                   DataLine("  0.600   14 SL1", 22, "T\xD8 <1>") +
                                   DataLine("  0.800    0 100", 22, ""));
  ExpectRoundTrip<CBorviEnkel>(dir_, 22, bvf + DataLine("  0.200    5  ", 22, "GR") +
                                             DataLine(" 10.000 1000  ", 22, ""));
  ExpectRoundTrip<CBorviDtrykk>(dir_, 23, sgf + DataLine("  0.200    5  ", 15, "R1 P2") +
                                              DataLine("  0.400   -6  ", 15, "S1,x"));
  ExpectRoundTrip<CBorviRam>(dir_, 24, bvf + DataLine("  0.200 5 1", 22, "ST") +
                                           DataLine("  0.400 17 -2", 22, ""));
  ExpectRoundTrip<CBorviTotal>(dir_, 25,
                               "1.000000 93 0 1 1 0 x GUID " + kGuid + "\n" +
                                   DataLine("  0.200    25     3 SL", 29, "B2") +
                                   DataLine("  0.400     8     4 TR", 29, ""));
  ExpectRoundTrip<CBorviTotal>(dir_, 25,
                               "1.000000 94 1 5 1 0 x GUID " + kGuid + "\n" +
                                   DataLine("  0.200    25     3    70", 29, "D1 F") +
                                   DataLine("  0.400     8     4     0", 29, ""));
  ExpectRoundTrip<CBorviFjell>(dir_, 26, "1.000000 94 0 3 1 0 x GUID " + kGuid + "\n" +
                                             DataLine("  5.000   12  ", 22, "B1") +
                                             DataLine("  6.000    2  ", 22, "F"));
  ExpectRoundTrip<CBorviDpt>(dir_, 35, bvf + DataLine("    0.100     5.000   0.250", 30, "x") +
                                           DataLine("    0.200    12.000   0.000", 30, ""));
}

// Values too wide for their columns (a damaged file written back) push the weight, the mode and
// the text right, with a blank between a digit and the text; such a line reads back to the same
// values and text.
TEST_F(BlockLines, ValuesTooWideForTheirColumnsRoundTrip) {
  const std::string sgf = "1.000000 93 2 0 1 17 ref GUID " + kGuid + "\n";
  ExpectRoundTrip<CBorviDreie>(dir_, 21, sgf + DataLine("12345.500 123456 SL1", 22, "KA") +
                                             "1234567.500 123456789 100 SA\n" +
                                             "  2.800 6543210 1250005000\n" +
                                             "1234567.500 123456789 7777777777 x\n" +
                                             "1541.000    0 +++++++++ " + std::string(25, '+') +
                                             "\n");
  ExpectRoundTrip<CBorviEnkel>(dir_, 22, sgf + "1234567.500 1234567890   GR\n");
  ExpectRoundTrip<CBorviDtrykk>(dir_, 23, sgf + "100.500 12345   LE\n");
  ExpectRoundTrip<CBorviRam>(dir_, 24, sgf + "1234567.500 1234567890 7 ST\n" +
                                           "1234567.500 0 123456787ST\n" +
                                           "1234567.500 0 1234567811T\n");
  ExpectRoundTrip<CBorviTotal>(dir_, 25, "1.000000 93 0 1 1 0 x GUID " + kGuid + "\n" +
                                             DataLine("99999.500 1234567     3 SL", 29, "B2"));
  ExpectRoundTrip<CBorviTotal>(dir_, 25, "1.000000 94 1 5 1 0 x GUID " + kGuid + "\n" +
                                             "1234567.500 1234567 1234567 1234567 F\n");
  // Values filling the numbers part exactly: the text follows the last digit, even a digit.
  ExpectRoundTrip<CBorviTotal>(dir_, 25, "1.000000 94 1 5 1 0 x GUID " + kGuid + "\n" +
                                             "99999.500 1234567     3     02\n");
  ExpectRoundTrip<CBorviFjell>(dir_, 26, sgf + "1234567.500 1234567890   F\n");
  ExpectRoundTrip<CBorviDpt>(dir_, 35, sgf + "123456789.000     5.000   0.250 x\n");
}

// A GUID cut short by a stray zero byte is no GUID: the block gets a new one once and keeps it.
TEST_F(BlockLines, GuidCutByAZeroByteIsReplacedOnce) {
  const std::string header =
      "1.000000 93 0 0 1 0 x GUID 6a1c" + std::string(1, '\0') + kGuid + "\n";
  CBorviDreie first(1, 0, 0);
  ASSERT_EQ(ReadBlock(dir_, first, header + DataLine("  0.200    5 25", 22, "SA")), 0);
  const std::string written = WriteBlock(first);
  EXPECT_EQ(first.m_guid.size(), 36u);
  EXPECT_NE(first.m_guid, kGuid);
  CBorviDreie second(1, 0, 0);
  ASSERT_EQ(ReadBlock(dir_, second, written.substr(written.find('\n', 2) + 1)), 0);
  EXPECT_EQ(WriteBlock(second), written);
}

// The own-sounding code "MY" in any record's text.
template <class Block>
class OwnCode : public BlockLines {};
using CodedBlocks = ::testing::Types<CBorviDreie, CBorviEnkel, CBorviDtrykk, CBorviRam,
                                     CBorviTotal, CBorviFjell>;
TYPED_TEST_SUITE(OwnCode, CodedBlocks);

TYPED_TEST(OwnCode, MyKodFindsTheOwnSoundingCode) {
  const std::vector<std::pair<std::vector<std::string>, int>> cases = {
      {{"SA", "KA MY", "ST"}, 0},
      {{"my"}, 0},
      {{"81 SA"}, 0},
      {{"SA,MY", "KA"}, -1},
      {{"SA", "MYR"}, -1},
      {{}, -1},
  };
  for (const auto& [texts, expected] : cases) {
    TypeParam block(1, 0, 0);
    std::string text = "1 93 0 4 1 0\n";
    for (const std::string& t : texts) text += DataLine("  1.000   10", 30, t);
    ReadBlock(this->dir_, block, text);
    EXPECT_EQ(block.MyKod(), expected) << ::testing::PrintToString(texts);
  }
}

// The rock check of Fjell and Total: rock only counts in a sounding stopped against it.
template <class Block>
class RockCheck : public BlockLines {};
using RockBlocks = ::testing::Types<CBorviFjell, CBorviTotal>;
TYPED_TEST_SUITE(RockCheck, RockBlocks);

TYPED_TEST(RockCheck, BergKontrollGivesTheDepthOfTheFirstRockMark) {
  struct Case {
    int stopp;
    std::vector<std::pair<const char*, const char*>> lines;  // depth, text
    int rc;
    float djup;
  };
  const std::vector<Case> cases = {
      {93, {{"1.0", "SA"}, {"14.2", "F"}, {"15.0", "F"}}, 0, 14.2f},
      {94, {{"2.0", "KA f"}}, 0, 2.0f},
      {93, {{"3.5", "43"}}, 0, 3.5f},
      {92, {{"14.2", "F"}}, -1, -1.0f},
      {90, {{"14.2", "F"}}, -1, -1.0f},
      {93, {{"1.0", "SA"}, {"2.0", "ST"}}, -1, -1.0f},
      {93, {{"1.0", "SA,F"}}, -1, -1.0f},
      {93, {}, -1, -1.0f},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stopp);
    TypeParam block(1, 0, 0);
    std::string text = "1 " + std::to_string(c.stopp) + " 0 4 1 0\n";
    for (const auto& [djup, t] : c.lines) text += DataLine(std::string(djup) + " 10", 30, t);
    ReadBlock(this->dir_, block, text);
    float djup = -1.0f;
    EXPECT_EQ(block.BergKontroll(&djup), c.rc);
    EXPECT_FLOAT_EQ(djup, c.djup);
  }
}

}  // namespace
