// Look-ups between material names, material indices and the old material words.
#include <geoproj/methods/borvi_tlk.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

struct NameCase {
  const char* text;
  int sv;
  int no;
  int en;
};

// Exact comparison: case and blanks count, and the cp1252 letters must match byte for byte.
const NameCase kNameCases[] = {
    {"Lera", 11, 0, 0},
    {"lera", 0, 0, 0},
    {"Leire", 0, 11, 0},
    {"Clay", 0, 0, 11},
    {"Berg", 1, 1, 0},
    {"Sand", 20, 20, 20},
    {"Ospecificerat material ", 0, 0, 0},
    {"Ospecificerat material", 0, 0, 0},
    {"Block och stenmor\xE4n", 6, 0, 0},
    {"Block och stenmor\xC3\xA4n", 0, 0, 0},
    {" Leirblandet gytje", 0, 9, 0},
    {"Leirblandet gytje", 0, 0, 0},
    {"T\xF8rrskorpe leire", 0, 33, 0},
    {"Mor\xE4n", 35, 0, 0},
    {"V\xE4xtdelar", 38, 0, 0},
    {"Berg eller block", 40, 0, 0},
    {"Rock and Boulders", 0, 0, 40},
    {"Humus, topsoil", 0, 0, 19},
    {"", 0, 0, 0},
    {nullptr, 0, 0, 0},
};

TEST(BorviTlkTables, NameToIndexComparesExactlyPerLanguage) {
  CBorviTlk tlk(1, 0, 0);
  for (const NameCase& c : kNameCases) {
    SCOPED_TRACE(c.text ? c.text : "(null)");
    EXPECT_EQ(tlk.SvTextToIndex(c.text), c.sv);
    EXPECT_EQ(tlk.NoTextToIndex(c.text), c.no);
    EXPECT_EQ(tlk.EnTextToIndex(c.text), c.en);
  }
}

TEST(BorviTlkTables, EveryNameIsSingleByteText) {
  // A UTF-8 literal would put 0xC3 lead bytes into the tables and never match file content.
  for (const tlkmtrltype& row : CBorviTlk::m_mtrl)
    for (const char* name : {row.sv, row.no, row.en})
      EXPECT_EQ(std::strchr(name, '\xC3'), nullptr) << name;
  for (const tlknivakallatype& row : CBorviTlk::m_nivakalla)
    for (const char* name : {row.sv, row.no, row.en})
      EXPECT_EQ(std::strchr(name, '\xC3'), nullptr) << name;
  EXPECT_STREQ(CBorviTlk::m_nivakalla[7].sv, "Ber\xE4knas fr\xE5n My");
  EXPECT_STREQ(CBorviTlk::m_nivakalla[8].no, "Fra pr\xF8ve i felt");
  EXPECT_STREQ(CBorviTlk::m_mtrl[28].sv, "L\xE5ghumifierad torv");
}

TEST(BorviTlkTables, OldWordTablesHaveLeadingEmptyEntries) {
  CBorviTlk tlk(1, 0, 0);
  ASSERT_EQ(tlk.gamlaText.size(), 35u);
  ASSERT_EQ(tlk.gamlaIndex.size(), 35u);
  for (int i = 0; i < 17; ++i) {
    EXPECT_EQ(tlk.gamlaText[i], "");
    EXPECT_EQ(tlk.gamlaIndex[i], 0);
  }
  EXPECT_EQ(tlk.gamlaText[17], "fyllning");
  EXPECT_EQ(tlk.gamlaIndex[17], 13);
  EXPECT_EQ(tlk.gamlaText[34], "geokonst");
  ASSERT_EQ(tlk.gamlaOrd.size(), 14u);
  EXPECT_EQ(tlk.gamlaOrd[12], "MOR\xC4N");

  CBorviTlk bare;
  EXPECT_TRUE(bare.gamlaText.empty());
  EXPECT_TRUE(bare.gamlaIndex.empty());
  EXPECT_TRUE(bare.gamlaOrd.empty());
}

struct OldWordCase {
  const char* text;
  int index;
};

TEST(BorviTlkTables, OldtextToIndexIgnoresCase) {
  const OldWordCase cases[] = {
      {"lera", 11},   {"LERA", 11},     {"Moraen", 35}, {"x", 7},     {"X", 7},
      {"belbl", 40},  {"BERG", 1},      {"block", 2},   {"geokonst", 0},
      {"", 0},        {nullptr, 0},     {"lerig", 0},   {"lera ", 0}, {"mor\xE4n", 0},
  };
  CBorviTlk tlk(1, 0, 0);
  CBorviTlk bare;
  for (const OldWordCase& c : cases) {
    SCOPED_TRACE(c.text ? c.text : "(null)");
    EXPECT_EQ(tlk.OldtextToIndex(c.text), c.index);
    EXPECT_EQ(bare.OldtextToIndex(c.text), 0);
  }
}

TEST(BorviTlkTables, IndexToOldtextFindsFirstEntry) {
  struct Case {
    int index;
    const char* text;
    int result;
  };
  const Case cases[] = {
      {0, "", 0},       {1, "berg", 0}, {2, "block", 0}, {7, "X", 0},   {11, "lera", 0},
      {35, "moraen", 0}, {40, "BelBl", 0}, {3, "X", -1},   {41, "X", -1}, {-1, "X", -1},
  };
  CBorviTlk tlk(1, 0, 0);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.index);
    std::string text = "stale";
    EXPECT_EQ(tlk.IndexToOldtext(c.index, text), c.result);
    EXPECT_EQ(text, c.text);
  }
  // Materials that never had an old word.
  for (int index : {4, 5, 6, 9, 10, 12, 14, 15, 16, 17, 18, 22, 23, 24, 25, 26, 28, 29, 30, 31,
                    37, 38}) {
    std::string text;
    EXPECT_EQ(tlk.IndexToOldtext(index, text), -1) << index;
    EXPECT_EQ(text, "X") << index;
  }
  CBorviTlk bare;
  std::string text;
  EXPECT_EQ(bare.IndexToOldtext(0, text), -1);
  EXPECT_EQ(text, "X");
}

TEST(BorviTlkTables, IfFriktKnowsExactlyTheFiveWords) {
  CBorviTlk tlk(1, 0, 0);
  for (const char* word : {"friktjord", "sand", "sten", "grus", "moraen"})
    EXPECT_EQ(tlk.IfFrikt(word), 1) << word;
  for (const char* word : {"Sand", "lera", "block", "berg", "", "sand "})
    EXPECT_EQ(tlk.IfFrikt(word), 0) << word;
  EXPECT_EQ(tlk.IfFrikt(nullptr), 0);
}

}  // namespace
