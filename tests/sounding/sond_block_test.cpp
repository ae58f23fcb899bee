// What the penetration-sounding blocks share: the header line, the code line, the end of a
// block, the DOS code page conversion, and robustness against damaged files.
#include <cstring>
#include <random>
#include <string>
#include <vector>

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

#include "support/sond_block_io.h"
#include "support/temp_dir.h"

namespace {

using geoproj::FieldText;
using geoproj::test::DataLine;
using geoproj::test::ReadBlock;
using geoproj::test::WriteBlock;

const std::string kGuid = "0f8e2d3c-1b2a-4c5d-9e8f-a1b2c3d4e5f6";

class SondBlockTest : public ::testing::Test {
 protected:
  geoproj::test::TempDir dir_;
};

struct HeaderCase {
  std::string line;
  int flagga1;
  int stopp;
  int varde3;
  long varde6;
  std::string text7;
  const char* kodtyp;
  std::string guid;     // empty: a new GUID is expected on write
  std::string written;  // the header line written back, up to the GUID
};

TEST_F(SondBlockTest, HeaderLineFormsReadAndWriteCanonically) {
  const std::vector<HeaderCase> cases = {
      {"1.0 93 0 0 1 0 x GUID " + kGuid, 1, 93, 0, 0, "x", "SGF", kGuid,
       "1.000000 93 0 0 1 0 x GUID "},
      {"0 90", 0, 90, 0, 0, "", "BVF", "", "0.000000 90 0 0 0 0  GUID "},
      {"1.0 93 2 7 1 12345 ABC", 1, 93, 2, 12345, "ABC", "SGF", "",
       "1.000000 93 2 0 1 12345 ABC GUID "},
      {"0.995 91 0 0 0", 1, 91, 0, 0, "", "BVF", "", "1.000000 91 0 0 0 0  GUID "},
      {"1.02 91 0 0 1", 0, 91, 0, 0, "", "SGF", "", "0.000000 91 0 0 1 0  GUID "},
      {"1 92 0 0 2 5 w GUID " + kGuid, 1, 92, 0, 5, "w", "BVF", kGuid,
       "1.000000 92 0 0 0 5 w GUID "},
      {"1 93 0 0 1 0 x y z", 1, 93, 0, 0, "x", "SGF", "", "1.000000 93 0 0 1 0 x GUID "},
      {"1\t94\t1\t0\t1\t3\tx GUID " + kGuid, 1, 94, 1, 3, "x", "SGF", kGuid,
       "1.000000 94 1 0 1 3 x GUID "},
      {"", 0, 0, 0, 0, "", "BVF", "", "0.000000 0 0 0 0 0  GUID "},
      // A line that begins with the word GUID holds no header values.
      {"GUID " + kGuid, 0, 0, 0, 0, "", "BVF", "", "0.000000 0 0 0 0 0  GUID "},
      {"1 93 0 0 1 0 x GUID", 1, 93, 0, 0, "x", "SGF", "", "1.000000 93 0 0 1 0 x GUID "},
      // Text 7 that contains the word is kept whole; the marker is the last GUID.
      {"1 93 0 0 1 0 NOGUID GUID " + kGuid, 1, 93, 0, 0, "NOGUID", "SGF", kGuid,
       "1.000000 93 0 0 1 0 NOGUID GUID "},
  };
  for (const HeaderCase& c : cases) {
    SCOPED_TRACE(c.line);
    CBorviDreie dreie(1, 0, 0);
    ASSERT_EQ(ReadBlock(dir_, dreie, c.line + "\r\n"), 0);
    EXPECT_EQ(dreie.m_flagga1, c.flagga1);
    EXPECT_EQ(dreie.m_stopp, c.stopp);
    EXPECT_EQ(dreie.m_varde3, c.varde3);
    EXPECT_EQ(dreie.m_varde6, c.varde6);
    EXPECT_EQ(FieldText(dreie.m_text7), c.text7);
    EXPECT_EQ(FieldText(dreie.m_kodtyp), c.kodtyp);
    EXPECT_EQ(dreie.m_guid, c.guid);

    std::string out = WriteBlock(dreie);
    const std::string code = "*\n21 03.05.2019\n";
    ASSERT_EQ(out.substr(0, code.size() + c.written.size()), code + c.written);
    std::string guid = out.substr(code.size() + c.written.size());
    ASSERT_FALSE(guid.empty());
    EXPECT_EQ(guid.back(), '\n');
    guid.pop_back();
    if (c.guid.empty()) {
      geoproj::Uuid uuid;
      EXPECT_TRUE(geoproj::ParseUuid(guid, &uuid)) << guid;
    } else {
      EXPECT_EQ(guid, c.guid);
    }
    EXPECT_EQ(dreie.m_guid, guid);
  }
}

TEST_F(SondBlockTest, HeaderValueFourIsKeptOnlyByFjellAndTotal) {
  const std::string text = "1 93 0 7 1 0 x GUID " + kGuid + "\n";
  const std::string dropped = "1.000000 93 0 0 1 0 x GUID " + kGuid + "\n";

  CBorviFjell fjell(1, 0, 0);
  ReadBlock(dir_, fjell, text);
  EXPECT_EQ(fjell.m_varde4, 7);
  EXPECT_EQ(WriteBlock(fjell), "*\n26 03.05.2019\n1.000000 93 0 7 1 0 x GUID " + kGuid + "\n");

  CBorviTotal total(1, 0, 0);
  ReadBlock(dir_, total, text);
  EXPECT_EQ(total.m_varde4, 7);
  EXPECT_EQ(WriteBlock(total), "*\n25 03.05.2019\n1.000000 93 0 7 1 0 x GUID " + kGuid + "\n");

  CBorviDreie dreie(1, 0, 0);
  ReadBlock(dir_, dreie, text);
  EXPECT_EQ(WriteBlock(dreie), "*\n21 03.05.2019\n" + dropped);
  CBorviDpt dpt(1, 0, 0);
  ReadBlock(dir_, dpt, text);
  EXPECT_EQ(WriteBlock(dpt), "*\n35 03.05.2019\n" + dropped);

  CBorviFjell kort(1, 0, 0);
  kort.m_varde4 = 5;
  ReadBlock(dir_, kort, "1 93 0\n");
  EXPECT_EQ(kort.m_varde4, 0);
}

TEST_F(SondBlockTest, TextSevenIsOneWordCutToItsField) {
  const std::string lang(300, 'a');
  CBorviDreie dreie(1, 0, 0);
  ReadBlock(dir_, dreie, "1 93 0 0 1 0 " + lang + " GUID " + kGuid + "\n");
  EXPECT_EQ(FieldText(dreie.m_text7), std::string(255, 'a'));
  EXPECT_EQ(dreie.m_guid, kGuid);

  CBorviRam ram(1, 0, 0);
  ReadBlock(dir_, ram, "1 93 0 0 1 0 " + lang + " GUID " + kGuid + "\n");
  EXPECT_EQ(FieldText(ram.m_text7), std::string(15, 'a'));
  EXPECT_EQ(WriteBlock(ram), "*\n24 03.05.2019\n1.000000 93 0 0 1 0 " + std::string(15, 'a') +
                                 " GUID " + kGuid + "\n");
}

TEST_F(SondBlockTest, ConstructorStoresOptionsAndStartsEmpty) {
  CBorviTotal total(1, 2, 3);
  EXPECT_EQ(total.m_option1, 1);
  EXPECT_EQ(total.m_option2, 2);
  EXPECT_EQ(total.m_inbaddad, 3);
  EXPECT_EQ(FieldText(total.m_kodtyp), CBorviSnd::Kodtyp);
  EXPECT_EQ(total.m_stopp, 0);
  EXPECT_EQ(total.m_varde3, 0);
  EXPECT_EQ(total.m_varde6, 0);
  EXPECT_EQ(total.m_flagga1, 0);
  EXPECT_EQ(FieldText(total.m_datum), "");
  EXPECT_EQ(FieldText(total.m_text7), "");
  EXPECT_TRUE(total.m_guid.empty());
  EXPECT_EQ(total.Where(nullptr), -1);
}

TEST_F(SondBlockTest, EmptyBlockWritesItsCodeAndHeaderLinesOnly) {
  CBorviEnkel enkel(1, 0, 0);
  ReadBlock(dir_, enkel, "0 91 0 0 1 0 GUID " + kGuid + "\r\n*\r\n", "01.02.2003");
  EXPECT_EQ(enkel.Where(nullptr), -1);
  EXPECT_EQ(WriteBlock(enkel), "*\n22 01.02.2003\n0.000000 91 0 0 1 0  GUID " + kGuid + "\n");
}

TEST_F(SondBlockTest, BlockEndsAfterItsStarLineOrAtTheEndOfTheFile) {
  CBorviDtrykk dtrykk(1, 0, 0);
  std::string rest;
  const std::string text = "0 90\n" + DataLine("  1.000   12  ", 15, "SA") + "*\n" +
                           "22 03.05.2019\n0 90\n";
  ASSERT_EQ(ReadBlock(dir_, dtrykk, text, "03.05.2019", &rest), 0);
  EXPECT_EQ(rest, "22 03.05.2019\n0 90\n");
  int antal = 0;
  dtrykk.Where(&antal);
  EXPECT_EQ(antal, 1);

  CBorviDtrykk slut(1, 0, 0);
  rest.clear();
  ASSERT_EQ(ReadBlock(dir_, slut, "0 90\n  1.000   12\n  2.000   13", "x", &rest), 0);
  slut.Where(&antal);
  EXPECT_EQ(antal, 2);
  EXPECT_EQ(rest, "");
}

TEST_F(SondBlockTest, NoHeaderLineReadsNothingAndChangesNothing) {
  for (const std::string& text : {std::string(), std::string("*\n22 03.05.2019\n0 90\n")}) {
    CBorviDreie dreie(1, 0, 0);
    std::string rest;
    EXPECT_EQ(ReadBlock(dir_, dreie, text, "03.05.2019", &rest), -1);
    EXPECT_EQ(dreie.Where(nullptr), -1);
    EXPECT_EQ(FieldText(dreie.m_datum), "");
    EXPECT_EQ(FieldText(dreie.m_kodtyp), "SGF");
    // The next section stays for the sounding file to read.
    EXPECT_EQ(rest, text.empty() ? "" : "22 03.05.2019\n0 90\n");
  }
}

TEST_F(SondBlockTest, BlockDateIsTakenAsGivenAndCutToItsField) {
  CBorviRam ram(1, 0, 0);
  ReadBlock(dir_, ram, "0 90\n", "2019-05-03T10:00:00");
  EXPECT_EQ(FieldText(ram.m_datum), "2019-05-03T");
  CBorviRam dos(1, 0, 0);
  ReadBlock(dir_, dos, "0 90\n", "0\x86.05.2019");
  EXPECT_EQ(FieldText(dos.m_datum), "0\x86.05.2019");
}

// Lines read from the file pass the DOS code page conversion before they are parsed; what is
// written goes out as it is held.
TEST_F(SondBlockTest, DosLettersAreConvertedOnReadOnly) {
  CBorviDreie dreie(1, 0, 0);
  const std::string text = "1 93 0 0 1 0 \x8F\x99 GUID " + kGuid + "\n" +
                           DataLine("  1.000   10 25", 22, "T\xED \x94\x86") +
                           DataLine("  2.000   11 25", 22, "\xF6\xE5\xC5");
  ASSERT_EQ(ReadBlock(dir_, dreie, text), 0);
  EXPECT_EQ(FieldText(dreie.m_text7), "\xC5\xD6");
  dreie.Home();
  EXPECT_EQ(FieldText(dreie.Get_aktel()->text), "T\xD8 \xF6\xE5");
  // The letter code of code 31 holds the converted letter, so the symbol is found.
  EXPECT_EQ(std::string(dreie.Get_aktel()->symbol, 1), "\xDE");
  dreie++;
  EXPECT_EQ(FieldText(dreie.Get_aktel()->text), "\xF6\xE5\xC5");

  const std::string expected = "*\n21 03.05.2019\n1.000000 93 0 0 1 0 \xC5\xD6 GUID " + kGuid +
                               "\n" + DataLine("  1.000   10 25", 22, "T\xD8 \xF6\xE5") +
                               DataLine("  2.000   11 25", 22, "\xF6\xE5\xC5");
  EXPECT_EQ(WriteBlock(dreie), expected);
}

// Damaged files: every block class reads them without overrunning a field and writes them again.
template <class Block>
class DamagedBlock : public SondBlockTest {};

using BlockTypes = ::testing::Types<CBorviDreie, CBorviEnkel, CBorviDtrykk, CBorviRam,
                                    CBorviTotal, CBorviFjell, CBorviDpt>;
TYPED_TEST_SUITE(DamagedBlock, BlockTypes);

template <class Block>
void ExpectFieldsBounded(Block& block) {
  EXPECT_LT(strnlen(block.m_kodtyp, sizeof block.m_kodtyp), sizeof block.m_kodtyp);
  EXPECT_LT(strnlen(block.m_datum, sizeof block.m_datum), sizeof block.m_datum);
  EXPECT_LT(strnlen(block.m_text7, sizeof block.m_text7), sizeof block.m_text7);
  if (block.Home() < 0) return;
  do {
    const auto& rec = *block.Get_aktel();
    EXPECT_LE(strnlen(rec.text, sizeof rec.text), 25u);
    if constexpr (requires { rec.vikt; }) {
      EXPECT_LE(strnlen(rec.vikt, sizeof rec.vikt), 9u);
    }
    if constexpr (requires { rec.mod; }) {
      EXPECT_LE(strnlen(rec.mod, sizeof rec.mod), 2u);
    }
  } while (block++);
}

TYPED_TEST(DamagedBlock, LongLinesAreCutToTheirFields) {
  const std::string lang(100000, 'B');
  const std::string text = "1 93 0 2 1 99 " + lang + " GUID " + kGuid + lang + "\n" +
                           "  1.000   12 " + lang + "\n" + lang + "\n" +
                           "1.5 -3 -4 -5 " + lang + "\n";
  TypeParam block(1, 0, 0);
  ASSERT_EQ(ReadBlock(this->dir_, block, text, lang.c_str()), 0);
  ExpectFieldsBounded(block);
  int antal = 0;
  block.Where(&antal);
  EXPECT_EQ(antal, 3);
  std::string out = WriteBlock(block);
  EXPECT_LT(out.size(), 3 * lang.size());  // the GUID is kept, every field is cut
}

TYPED_TEST(DamagedBlock, BinaryGarbageNeverOverrunsAField) {
  std::mt19937 random(4711);
  for (int round = 0; round < 40; ++round) {
    std::string text;
    const int n = 1 + static_cast<int>(random() % 3000);
    for (int i = 0; i < n; ++i) text += static_cast<char>(random() % 256);
    TypeParam block(1, 0, 0);
    ReadBlock(this->dir_, block, text);
    ExpectFieldsBounded(block);
    WriteBlock(block);
  }
}

TYPED_TEST(DamagedBlock, EmptyAndUnparsableLinesStillAppendZeroRecords) {
  TypeParam block(1, 0, 0);
  ASSERT_EQ(ReadBlock(this->dir_, block, "0 90\n\nnot a number\n\r\n*\n"), 0);
  int antal = 0;
  block.Where(&antal);
  EXPECT_EQ(antal, 3);
  block.Home();
  do {
    const auto& rec = *block.Get_aktel();
    if constexpr (requires { rec.djup; }) {
      EXPECT_EQ(rec.djup, 0.0f);
    }
    if constexpr (requires { rec.varde1; }) {
      EXPECT_EQ(rec.varde1, 0);
    }
  } while (block++);
}

}  // namespace
