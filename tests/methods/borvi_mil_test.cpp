// The environmental data as the separate file ID.MIL and as an embedded block: the canonical
// form written back byte for byte, older and incomplete forms read and then written
// canonically, and damaged files reported with the file's name.
#include <string>

#include <geoproj/foundation/stdio_file_mem.h>
#include <geoproj/foundation/text_helpers.h>
#include <geoproj/methods/borvi_mil.h>
#include <gtest/gtest.h>

#include "sounding/snd_fixture.h"

namespace geoproj::test {
namespace {

const std::string kGuid = "3c4d5e6f-7a8b-4c9d-8e0f-1a2b3c4d5e6f";

class MilTest : public SndTest {
 protected:
  // Reads text as ID.MIL (or as a block after its code line) and writes it back.
  std::string ReadAndWrite(const std::string& lf, CBorviMil& mil, int expected = 0,
                           const std::string* datum = nullptr) {
    CStdioFileMem file;
    file.SetFilePath(Put("BH1.MIL", lf));
    EXPECT_EQ(mil.Init(&file, "BH1", datum), expected);
    if (file.IsOpen()) file.Close();
    return Written(mil);
  }

  static std::string Written(CBorviMil& mil) {
    CStdioFileMem out;
    out.SetMemFile(1);
    out.Open("mem", CStdioFileMem::modeCreate | CStdioFileMem::modeWrite);
    EXPECT_EQ(mil.Uppdat(&out), 0);
    return *out.MemFile();
  }

  int Reported() const {
    int n = 0;
    for (const std::string& text : status.shown())
      if (text.find("BH1.MIL, line ") != std::string::npos) ++n;
    return n;
  }
};

const std::string kSamples =
    "P1     1.50 a b cdef\n"
    "kind   12.5  x      12345678\n"
    "f\xF6rsta kommentaren\n"
    "P2    10.25  N \n"
    "        0.0        \n"
    "\n";
const std::string kCanonical = "12.05.2020 3 1 1.500000 GUID " + kGuid + "\n*\n" + kSamples + "*\n";

TEST_F(MilTest, CanonicalFileIsWrittenBackByteForByte) {
  CBorviMil mil(1, 0, 0);
  EXPECT_EQ(ReadAndWrite(kCanonical, mil), kCanonical);
  EXPECT_STREQ(mil.datum, "12.05.2020");
  EXPECT_EQ(mil.hkod, 3);
  EXPECT_STREQ(mil.kodsystem, "SGF");
  EXPECT_FLOAT_EQ(mil.hvarde, 1.5f);
  EXPECT_EQ(mil.guid, kGuid);
  ASSERT_EQ(mil.Home(), 0);
  const miljtype& p1 = *mil.Get_aktel();
  EXPECT_STREQ(p1.namn, "P1");
  EXPECT_FLOAT_EQ(p1.djup, 1.5f);
  EXPECT_STREQ(p1.m1, "a");
  EXPECT_STREQ(p1.m2, "b");
  EXPECT_STREQ(p1.m3, "cdef");
  EXPECT_STREQ(p1.m4, "kind");
  EXPECT_FLOAT_EQ(p1.mvarde, 12.5f);
  EXPECT_STREQ(p1.m6, "x");
  EXPECT_STREQ(p1.m5, "12345678");
  EXPECT_STREQ(p1.kommentar, "f\xF6rsta kommentaren");
  EXPECT_EQ(Reported(), 0);
  EXPECT_FALSE(mil.skapad[0] == '\0');
}

TEST_F(MilTest, EmbeddedBlockIsWrittenBackByteForByte) {
  CBorviMil mil(1, 0, 1);
  const std::string block = "3 1 1.500000 GUID " + kGuid + "\n" + kSamples;
  const std::string datum = "12.05.2020";
  EXPECT_EQ(ReadAndWrite(block + "*\n", mil, 0, &datum), "*\n45 12.05.2020\n" + block);
  // The block's date comes with its code line; the code system is read all the same.
  EXPECT_STREQ(mil.kodsystem, "SGF");
  EXPECT_EQ(mil.hkod, 3);
}

// Older and incomplete forms: what they read to, written canonically.
struct MilCase {
  const char* name;
  std::string input;
  std::string written;
};

class MilFormTest : public MilTest, public ::testing::WithParamInterface<MilCase> {};

TEST_P(MilFormTest, ReadsThenWritesCanonically) {
  CBorviMil mil(1, 0, 0);
  std::string written = ReadAndWrite(GetParam().input, mil);
  const std::size_t g = written.find("GUID ");
  ASSERT_NE(g, std::string::npos);
  written.replace(g + 5, 36, "G");
  EXPECT_EQ(written, GetParam().written);
  EXPECT_EQ(Reported(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, MilFormTest,
    ::testing::Values(
        MilCase{"date dash reads empty, written as dash", "- 2 0 0\n*\n*\n",
                "- 2 0 0.000000 GUID G\n*\n*\n"},
        MilCase{"name and depth only reads m2 N", "- 1 1 2.5 GUID x\n*\nabc 1.5\n 3\nk\n*\n",
                "- 1 1 2.500000 GUID G\n*\nabc    1.50  N \n        3.0        \nk\n*\n"},
        MilCase{"no mark before m5 keeps m5 whole", "- 0 0 0\n*\nP 1\nab      2.0        12345678\n\n*\n",
                "- 0 0 0.000000 GUID G\n*\nP      1.00  N \nab      2.0        12345678\n\n*\n"},
        MilCase{"wide kind moves m5 with it",
                "- 0 0 0\n*\nP 1\nabcdef    2.0  y      m5text\n\n*\n",
                "- 0 0 0.000000 GUID G\n*\nP      1.00  N \nabcdef    2.0  y      m5text\n\n*\n"},
        MilCase{"date beginning with a star keeps a blank before it", " *d 0 0 0\n*\n*\n",
                " *d 0 0 0.000000 GUID G\n*\n*\n"},
        MilCase{"short header: no code, code system BVF", "20.01.2001\n*\n*\n",
                "- 0 0 0.000000 GUID G\n*\n*\n"},
        MilCase{"empty lines before a sample begin none", "- 0 1 0\n*\n\n\nP 1 a b c\n\nx\n*\n",
                "- 0 1 0.000000 GUID G\n*\nP      1.00 a b c\n        0.0        \nx\n*\n"}),
    [](const auto& info) {
      std::string name = info.param.name;
      for (char& ch : name)
        if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
      return name;
    });

TEST_F(MilTest, MissingFileIsNoData) {
  CBorviMil mil(1, 0, 0);
  CStdioFileMem file;
  file.SetFilePath(dir.file("BH9.MIL"));
  EXPECT_EQ(mil.Init(&file, "BH9", nullptr), -1);
  EXPECT_TRUE(status.Contains("Info : Det finns inga milj\xF6tekniksdata f\xF6r id : BH9"));
}

// Damaged files: each place that cannot be read is reported with the file's name and counted;
// nothing overruns a field.
struct DamageCase {
  const char* name;
  std::string input;
  int reported;
};

class MilDamageTest : public MilTest, public ::testing::WithParamInterface<DamageCase> {};

TEST_P(MilDamageTest, ReportedWithTheFileName) {
  CBorviMil mil(1, 0, 0);
  ReadAndWrite(GetParam().input, mil);
  EXPECT_EQ(Reported(), GetParam().reported);
  EXPECT_EQ(mil.m_droppedContent, GetParam().reported);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MilDamageTest,
    ::testing::Values(
        DamageCase{"cut sample", "- 0 0 0\n*\nP 1 a b c\n", 2},
        DamageCase{"no end line", "- 0 0 0\n*\nP 1 a b c\n1\nk\n", 1},
        DamageCase{"word for the depth", "- 0 0 0\n*\nP x a b c\n1\nk\n*\n", 1},
        DamageCase{"overlong fields", "- 0 0 0\n*\n" + std::string(300, 'n') + " 1 " +
                                          std::string(50, 'm') + " b c\nk " +
                                          std::string(100, '9') + "\n" + std::string(400, 'k') +
                                          "\n*\n", 2},
        DamageCase{"garbage", std::string("- 0 0 0\n*\nP\x01 1\n1\nk\n*\n"), 1},
        DamageCase{"header cut", "- 0 0 0\n", 1}),
    [](const auto& info) {
      std::string name = info.param.name;
      for (char& ch : name)
        if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
      return name;
    });

// Blanks in place of the name would make the depth read back as the name.
TEST_F(MilTest, SampleWithoutNameIsWrittenWithADash) {
  CBorviMil mil(1, 0, 0);
  mil.guid = kGuid;
  mil.Ny(1, nullptr);
  mil.Get_aktel()->djup = 2.5f;
  CopyField(mil.Get_aktel()->m2, "N");
  const std::string written = Written(mil);
  EXPECT_NE(written.find("\n*\n-      2.50  N \n"), std::string::npos) << written;
  CBorviMil again(1, 0, 0);
  EXPECT_EQ(ReadAndWrite(written, again), written);
}

TEST_F(MilTest, SortsByDepth) {
  CBorviMil mil(1, 0, 0);
  for (float d : {3.0f, 1.0f, 2.0f}) {
    mil.Ny(1, nullptr);
    mil.Get_aktel()->djup = d;
  }
  mil.Sortera(1);
  std::vector<float> order;
  if (mil.Home() == 0) {
    do order.push_back(mil.Get_aktel()->djup);
    while (mil++);
  }
  EXPECT_EQ(order, (std::vector<float>{1.0f, 2.0f, 3.0f}));
}

}  // namespace
}  // namespace geoproj::test
