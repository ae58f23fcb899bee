// The vane file ID.VB read and written through its sounding file, the calibration file
// "Vingebor.kal" and the calculations of the evaluation.
#include <cmath>
#include <filesystem>
#include <string>

#include <geoproj/methods/borvi_vb.h>
#include <geoproj/platform/borv_ini.h>
#include <geoproj/platform/files.h>
#include <geoproj/sounding/borvi_snd.h>
#include <gtest/gtest.h>

#include "sounding/snd_fixture.h"

namespace geoproj::test {
namespace {

const std::string kVaneGuid = "7d8e9f0a-1b2c-4d3e-8f4a-5b6c7d8e9f0a";

std::string VaneHeader(const std::string& comment = "kommentar") {
  return "6543210.125000\n1234567.500000\n20.000000\n9999999.900000\n0.000000\n"
         "1.500000\nSGI-65\n3\n" + comment + " GUID " + kVaneGuid + "\n";
}

const std::string kVaneRecords =
    "*\n"
    " 2.000 12.5 10.0 0.0 1.5 4 0.25 1 8.75 le\n"
    " 3.500 14.0 11.2 0.3 1.6 5 0.30 2 9.10 \n"
    "*\n";

std::string OriginSection() { return "*\n99\nGUID " + kBoreholeGuid + "\ntillagg 1\n"; }

std::string CanonicalVane() { return VaneHeader() + kVaneRecords + OriginSection(); }

class VaneFileTest : public SndTest {};

TEST_F(VaneFileTest, CanonicalFileIsWrittenBackByteForByte) {
  Put("BH1.VB", CanonicalVane());
  CBorviSnd snd(&proj, nullptr);
  ASSERT_EQ(snd.Init("BH1", nullptr), 0);
  ASSERT_NE(snd.vb, nullptr);
  EXPECT_EQ(snd.typ, &CBorviSnd::Vb);
  EXPECT_STREQ(snd.vb->vinge, "SGI-65");
  EXPECT_EQ(snd.vb->vingenr, 3);
  EXPECT_EQ(snd.vb->guid, kVaneGuid);
  EXPECT_EQ(snd.kommentar[0], "kommentar");
  EXPECT_DOUBLE_EQ(snd.hvarde[0], 6543210.125);
  EXPECT_FLOAT_EQ(snd.startdjup, 1.5f);
  EXPECT_STREQ(snd.orgnamn, "GUID");
  EXPECT_EQ(snd.guid, kBoreholeGuid);
  EXPECT_EQ(snd.guidrader[0], "tillagg 1");
  int antal = 0;
  snd.vb->Where(&antal);
  EXPECT_EQ(antal, 2);
  EXPECT_EQ(snd.m_droppedContent, 0);
  snd.Uppdat(nullptr, nullptr);
  EXPECT_EQ(Get("BH1.VB"), Crlf(CanonicalVane()));
  EXPECT_FALSE(dir.exists("BH1.SND"));
}

// The comment stands before the word GUID with one blank between; reading takes the blank
// away, so that saving again and again does not grow the comment.
TEST_F(VaneFileTest, CommentDoesNotGrowOverSaves) {
  for (const std::string comment : {"kommentar", "", "tv\xE5 ord ", " inledande"}) {
    Put("BH1.VB", VaneHeader(comment) + kVaneRecords + OriginSection());
    for (int save = 0; save < 3; ++save) {
      CBorviSnd snd(&proj, nullptr);
      ASSERT_EQ(snd.Init("BH1", nullptr), 0);
      EXPECT_EQ(snd.kommentar[0], comment);
      snd.Uppdat(nullptr, nullptr);
      EXPECT_EQ(Get("BH1.VB"), Crlf(VaneHeader(comment) + kVaneRecords + OriginSection()))
          << "comment '" << comment << "', save " << save;
    }
  }
}

// Older and incomplete forms: what they read to and the canonical form written.
TEST_F(VaneFileTest, OldOriginGetsGuidAndLosesFurtherLines) {
  Put("BH1.VB", VaneHeader() + kVaneRecords + "*\n99\nBH1 gammal\nrad\n");
  CBorviSnd snd(&proj, nullptr);
  ASSERT_EQ(snd.Init("BH1", nullptr), 0);
  EXPECT_STREQ(snd.orgnamn, "BH1");
  snd.Uppdat(nullptr, nullptr);
  const std::string written = Get("BH1.VB");
  const std::string head = Crlf(VaneHeader() + kVaneRecords + "*\n99\nGUID ");
  ASSERT_EQ(written.substr(0, head.size()), head);
  EXPECT_EQ(written.size(), head.size() + 36 + 2);
  // The borehole keeps the GUID it was read with until the file is read back.
  EXPECT_EQ(snd.guid, "gammal");
}

TEST_F(VaneFileTest, OlderFormsReadThenWriteCanonically) {
  // No GUID on line 9, a short record line, no origin section.
  Put("BH1.VB", "1\n2\n3\n4\n5\n0.5\nV\n7\nbara kommentar\n*\n1 2 3\n*\n");
  CBorviSnd snd(&proj, nullptr);
  ASSERT_EQ(snd.Init("BH1", nullptr), 0);
  EXPECT_TRUE(status.Contains("Fel i Vingeboring !!!, id=BH1"));
  EXPECT_EQ(snd.kommentar[0], "bara kommentar");
  snd.Uppdat(nullptr, nullptr);
  const std::string written = Get("BH1.VB");
  const std::string expected = Crlf(
      "1.000000\n2.000000\n3.000000\n4.000000\n5.000000\n0.500000\nV\n7\nbara kommentar GUID " +
      snd.vb->guid + "\n*\n 1.000 2.0 3.0 0.0 0.0 0 0.00 0 0.00 \n*\n*\n99\nGUID ");
  EXPECT_EQ(written.substr(0, expected.size()), expected);
  EXPECT_EQ(snd.m_droppedContent, 0);
}

struct DamageCase {
  const char* name;
  std::string input;
  int reported;
};

class VaneDamageTest : public VaneFileTest, public ::testing::WithParamInterface<DamageCase> {};

TEST_P(VaneDamageTest, ReportedWithTheFileName) {
  Put("BH1.VB", GetParam().input);
  CBorviSnd snd(&proj, nullptr);
  ASSERT_EQ(snd.Init("BH1", nullptr), 0);
  int reported = 0;
  for (const std::string& text : status.shown())
    if (text.find("BH1.VB, line ") != std::string::npos) ++reported;
  EXPECT_EQ(reported, GetParam().reported);
  EXPECT_EQ(snd.m_droppedContent, GetParam().reported);
  snd.Uppdat(nullptr, nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, VaneDamageTest,
    ::testing::Values(
        DamageCase{"cut header", "1\n2\n", 0},
        DamageCase{"word for a number", "1\nx\n3\n4\n5\n0\nV\n1\n GUID g\n*\n*\n", 1},
        DamageCase{"word in a record", VaneHeader() + "*\n 2.0 x 3\n*\n" + OriginSection(), 1},
        DamageCase{"overlong lines",
                   VaneHeader(std::string(500, 'c')) + "*\n 2 1 1 1 1 1 1 1 1 " +
                       std::string(300, 't') + "\n*\n*\n99\nGUID " + std::string(200, 'g') +
                       "\n",
                   0},
        DamageCase{"garbage", VaneHeader() + "*\n 2.0\x02 1\n*\n" + OriginSection(), 1},
        DamageCase{"unknown section after the records", VaneHeader() + kVaneRecords + "*\n77\nx\n",
                   2},
        DamageCase{"lines after the origin section", CanonicalVane() + "*\nmore\n", 1}),
    [](const auto& info) {
      std::string name = info.param.name;
      for (char& ch : name)
        if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
      return name;
    });

TEST_F(VaneFileTest, MemoryModeYieldsTheVaneMarker) {
  Put("BH1.VB", CanonicalVane());
  CBorviSnd snd(&proj, nullptr);
  ASSERT_EQ(snd.Init("BH1", nullptr), 0);
  snd.SetMemFile(1);
  snd.Uppdat(nullptr, nullptr);
  ASSERT_NE(snd.MemFile(), nullptr);
  EXPECT_EQ(*snd.MemFile(), "#vb #\n" + CanonicalVane() + "EOF\r\n");
  EXPECT_FALSE(dir.exists("VB.TMP"));
}

// The calibration file, in the project directory or one of the installation's two.
const std::string kKalfil =
    "  SGI-65  \n1\n*\n1 10\n2 20\n4 30\n*\n"
    "SGI-65\n2\n*\n1 5\n3 15\n*\n"
    "ABCDEFGHIJKL\n7\n*\n0.5 1\n1.5 2\n*\n"
    "Sista\n1\n*\n1 1\n*\n";

class VaneCalibrationTest : public SndTest {
 protected:
  CBorviSnd snd{&proj, nullptr};
  CBorviVb vb{1, &snd, nullptr};
};

TEST_F(VaneCalibrationTest, LoadsTheTableOfNameAndNumber) {
  Put("Vingebor.kal", kKalfil);
  EXPECT_EQ(vb.KalfilLoad("SGI-65", 1), 3);
  EXPECT_EQ(vb.kalantal, 3);
  EXPECT_DOUBLE_EQ(vb.KalValue(3), 25.0);
  EXPECT_DOUBLE_EQ(vb.KalValue(-3), 25.0);
  EXPECT_DOUBLE_EQ(vb.KalValue(1), 0.0);
  EXPECT_DOUBLE_EQ(vb.KalValue(5), -30.0);
  EXPECT_EQ(vb.KalfilLoad("SGI-65", 2), 2);
  EXPECT_DOUBLE_EQ(vb.KalValue(2), 10.0);
  // A name of 12 characters is matched by its first 10.
  EXPECT_EQ(vb.KalfilLoad("ABCDEFGHIJ", 7), 2);
  EXPECT_EQ(vb.KalfilLoad("Sista", 1), 1);
  EXPECT_EQ(vb.KalfilLoad("SGI-65", 3), 0);
  EXPECT_DOUBLE_EQ(vb.KalValue(3), 0.0);
  EXPECT_EQ(vb.KalfilLoad("Okand", 1), 0);
  EXPECT_EQ(vb.kalfil, nullptr);
}

TEST_F(VaneCalibrationTest, WalksNamesAndNumbers) {
  Put("Vingebor.kal", kKalfil);
  ASSERT_EQ(vb.KalfilInit(), 0);
  ASSERT_STREQ(vb.KalfilNext(), "SGI-65");
  EXPECT_EQ(vb.KalfilNextVinge(), 1);
  EXPECT_EQ(vb.KalfilNextVinge(), 2);
  EXPECT_EQ(vb.KalfilNextVinge(), 0);
  ASSERT_EQ(vb.KalfilInit(), 0);
  EXPECT_STREQ(vb.KalfilNext(), "SGI-65");
  EXPECT_STREQ(vb.KalfilNext(), "ABCDEFGHIJ");
  EXPECT_STREQ(vb.KalfilNext(), "Sista");
  EXPECT_EQ(vb.KalfilNext(), nullptr);
  EXPECT_EQ(vb.KalfilFind("SGI-65"), -1);
  EXPECT_EQ(vb.KalfilClose(), 0);
  EXPECT_EQ(vb.KalfilClose(), -1);
}

TEST_F(VaneCalibrationTest, SearchesProjectThenSettingsDirectories) {
  EXPECT_EQ(vb.KalfilInit(), -1);
  TempDir install;
  install.write("Borvi.ini", "[KATALOG]\r\nKALIBKAT1=" + dir.file("k1") +
                                 "\r\nKALIBKAT2=" + dir.file("k2") + "\r\n");
  CBorvIni ini(install.path().c_str());
  CBorviVb withSettings(1, &snd, &ini);
  std::filesystem::create_directories(dir.file("k2"));
  Put("k2/Vingebor.kal", "SECOND\n1\n*\n1 1\n*\n");
  ASSERT_EQ(withSettings.KalfilInit(), 0);
  EXPECT_STREQ(withSettings.KalfilNext(), "SECOND");
  std::filesystem::create_directories(dir.file("k1"));
  Put("k1/Vingebor.kal", "FIRST\n1\n*\n1 1\n*\n");
  ASSERT_EQ(withSettings.KalfilInit(), 0);
  EXPECT_STREQ(withSettings.KalfilNext(), "FIRST");
  Put("Vingebor.kal", "PROJECT\n1\n*\n1 1\n*\n");
  ASSERT_EQ(withSettings.KalfilInit(), 0);
  EXPECT_STREQ(withSettings.KalfilNext(), "PROJECT");
}

TEST(VaneCalculationTest, WorkedValues) {
  CBorviVb vb;
  EXPECT_EQ(vb.SensValue(7, 2), 4);
  EXPECT_EQ(vb.SensValue(-3, 1), 0);
  EXPECT_EQ(vb.SensValue(1, 0), 0);
  EXPECT_EQ(vb.SensValue(-1, 0), 0);
  EXPECT_DOUBLE_EQ(vb.ro0pValue(0, 2, 18, 0), 36.0);
  EXPECT_DOUBLE_EQ(vb.ro0pValue(2, 3, 8, 1), 44.0);
  EXPECT_DOUBLE_EQ(vb.ro0pValue(0, 1, 100, 0), 100.0);
  EXPECT_DOUBLE_EQ(vb.korrValue(0, 1, 10), 1.0);
  EXPECT_NEAR(vb.korrValue(1, 1, 50), 0.4927, 5e-5);
  EXPECT_NEAR(vb.korrValue(100, 1, 50), 0.6600, 5e-5);
  EXPECT_DOUBLE_EQ(vb.korrValue(-1, 1, 50), 0.0);
  EXPECT_DOUBLE_EQ(vb.korrValue(1, 0, 50), 0.0);
  EXPECT_DOUBLE_EQ(vb.korrValue(0, 1, 1000), -0.3146);
  EXPECT_DOUBLE_EQ(vb.korrValue(1, 1, 10), -1.4);
  EXPECT_DOUBLE_EQ(vb.korrValue(1, 1, 200), -0.34);
  EXPECT_DOUBLE_EQ(vb.korrValue(100, 1, 10), -1.4);
  EXPECT_NEAR(vb.korrValue(1, 1, 14), 0.4732 * std::pow(0.14, -0.4801), 1e-12);
  EXPECT_NEAR(vb.korrValue(1, 1, 70), 0.3235 * std::pow(0.7, -0.607), 1e-12);
  EXPECT_DOUBLE_EQ(vb.KalValue(3), 0.0);
}

}  // namespace
}  // namespace geoproj::test
