// The names of a borehole's files, case-insensitive lookup on disk, temporary names, memory mode
// and embedded mode.
#include <geoproj/methods/borvi_tlk.h>
#include <geoproj/platform/files.h>
#include <geoproj/sounding/borvi_dreie.h>
#include <geoproj/sounding/borvi_snd.h>
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <vector>

#include "sounding/snd_fixture.h"

namespace geoproj::test {
namespace {

using SndNamesTest = SndTest;

std::vector<std::string> Paths(CBorviSnd& snd) {
  return {snd.sndfil.GetFilePath(), snd.tlkfil.GetFilePath(), snd.prvfil.GetFilePath(),
          snd.gvrfil.GetFilePath(), snd.mtnfil.GetFilePath(), snd.milfil.GetFilePath(),
          snd.vbfil.GetFilePath()};
}

std::vector<std::string> InDir(const std::string& dir, std::vector<std::string> names) {
  for (std::string& name : names) name = JoinPath(dir, name);
  return names;
}

TEST_F(SndNamesTest, NamesComeFromTheUpperCasedIdentifier) {
  CBorviSnd snd(&proj, nullptr);
  EXPECT_EQ(snd.SetFilePath("bh1", nullptr), 0);
  EXPECT_EQ(Paths(snd), InDir(dir.path(), {"BH1.SND", "BH1.TLK", "BH1.PRV", "BH1.GVR", "BH1.MTN",
                                           "BH1.MIL", "BH1.VB"}));
  snd.SetFilePath("k\xE5-1", nullptr);
  EXPECT_EQ(snd.sndfil.GetFilePath(), JoinPath(dir.path(), "K\xC5-1.SND"));
}

TEST_F(SndNamesTest, GivenPathKeepsItsDirectoriesAndGetsTheExtension) {
  struct Case {
    std::string path;
    std::string snd;
    std::string vb;
  } cases[] = {
      {"/data/Proj.dir/bh7.snd", "/data/Proj.dir/BH7.SND", "/data/Proj.dir/BH7.VB"},
      {"/data/Lower/bh7", "/data/Lower/BH7.SND", "/data/Lower/BH7.VB"},
      {"C:\\Proj\\sub\\x1.Snd", "C:\\Proj\\sub\\X1.SND", "C:\\Proj\\sub\\X1.VB"},
      {"bh7.snd", "BH7.SND", "BH7.VB"},
  };
  for (const Case& c : cases) {
    CBorviSnd snd(&proj, nullptr);
    snd.SetFilePath("ignored", c.path.c_str());
    EXPECT_EQ(snd.sndfil.GetFilePath(), c.snd) << c.path;
    EXPECT_EQ(snd.vbfil.GetFilePath(), c.vb) << c.path;
  }
}

TEST_F(SndNamesTest, TemporaryNamesReplaceAllSeven) {
  CBorviSnd snd(&proj, nullptr);
  snd.SetMemFile(1);
  EXPECT_EQ(snd.tmpnamn, 1);
  snd.SetFilePath("bh1", nullptr);
  EXPECT_EQ(Paths(snd), InDir(dir.path(), {"SND.TMP", "TLK.TMP", "PRV.TMP", "GVR.TMP", "MTN.TMP",
                                           "MIL.TMP", "VB.TMP"}));
  snd.SetMemFile(0);
  EXPECT_EQ(snd.tmpnamn, 1);
}

TEST_F(SndNamesTest, FilesAreFoundWhateverTheirCase) {
  dir.write("bh1.snd", Crlf(SndWith(DreieBlock())));
  dir.write("Bh1.Tlk", Crlf("lera\n12.5\n\n"));
  CBorviSnd snd(&proj, nullptr);
  ASSERT_EQ(snd.Init("BH1", nullptr), 0);
  EXPECT_NE(snd.dreie, nullptr);
  EXPECT_NE(snd.tlk, nullptr);
  snd.Uppdat(nullptr, nullptr);
  // The existing case variants are rewritten; no second file appears.
  std::vector<std::string> names = ListDirectory(dir.path());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"Bh1.Tlk", "bh1.snd"}));
  EXPECT_EQ(dir.read("bh1.snd"), Crlf(SndWith(DreieBlock())));
}

TEST_F(SndNamesTest, InitWithAStringPath) {
  const std::string path = dir.write("elsewhere.snd", Crlf(SndWith(DreieBlock())));
  CBorviSnd snd(&proj, nullptr);
  ASSERT_EQ(snd.Init("bh9", path), 0);
  EXPECT_NE(snd.dreie, nullptr);
  EXPECT_EQ(snd.sndfil.GetFilePath(), JoinPath(dir.path(), "ELSEWHERE.SND"));
}

TEST_F(SndNamesTest, DeleteFilRemovesOnlyTheSeparateFileOfTheCode) {
  for (const char* name : {"D1.SND", "D1.TLK", "D1.PRV", "D1.MIL"}) dir.write(name, "x");
  CBorviSnd snd(&proj, nullptr);
  geoproj::CopyField(snd.id, "d1");
  const struct {
    int code;
    const char* gone;
  } cases[] = {{21, nullptr}, {60, "D1.TLK"}, {45, "D1.MIL"}, {40, "D1.PRV"}};
  for (const auto& c : cases) {
    EXPECT_EQ(snd.DeleteFil(c.code), 1);
    if (c.gone) {
      EXPECT_FALSE(dir.exists(c.gone)) << c.code;
    }
  }
  EXPECT_TRUE(dir.exists("D1.SND"));
}

TEST_F(SndNamesTest, NewBoreholeGetsItsIdentifierAndKind) {
  CBorviSnd snd(&proj, nullptr);
  snd.Init("nb1", nullptr);
  snd.Uppdat("nb1", nullptr);
  EXPECT_TRUE(dir.exists("NB1.SND"));
  EXPECT_STREQ(snd.id, "nb1");
  EXPECT_EQ(snd.typ, &CBorviSnd::Bh);
  CBorviSnd unnamed(&proj, nullptr);
  unnamed.Uppdat(nullptr, nullptr);
  EXPECT_STREQ(unnamed.id, "x");
  EXPECT_TRUE(dir.exists("X.SND"));
}

TEST_F(SndNamesTest, WithoutProjectTheTemporaryDirectoryIsUsed) {
  // One name per process: test runs may share the temporary directory.
  const std::string id = "g" + std::to_string(getpid() % 1000000);
  CBorviSnd snd;
  ASSERT_EQ(snd.Uppdat(id.c_str(), nullptr), 0);
  ASSERT_NE(snd.projpath, nullptr);
  const std::string path = JoinPath(TempDirectory(), "G" + id.substr(1) + ".SND");
  EXPECT_EQ(snd.sndfil.GetFilePath(), path);
  EXPECT_TRUE(FileExists(path));
  RemoveFile(path);
}

TEST_F(SndNamesTest, UnwritableFileIsReportedAndNothingElseHappens) {
  CBorviSnd snd(&proj, nullptr);
  const std::string path = JoinPath(JoinPath(dir.path(), "missing-dir"), "b.snd");
  EXPECT_EQ(snd.Uppdat("b", path.c_str()), 0);
  ASSERT_EQ(messages.shown().size(), 1u);
  EXPECT_EQ(messages.shown()[0].text, "Kan inte \xF6ppna protokollfilen:\n" +
                                          JoinPath(JoinPath(dir.path(), "missing-dir"), "B.SND") +
                                          "\nAvbryter!");
  EXPECT_EQ(messages.shown()[0].flags & 0xF0, kMbIconExclamation);
}

// Memory mode collects ID.SND after its marker line, writes the interpretation to its
// temporary name on disk, and leaves the borehole's own files alone.
TEST_F(SndNamesTest, MemoryModeCollectsTheSoundingFile) {
  Put("M1.SND", SndWith(DreieBlock()));
  Put("M1.TLK", "lera\n12.5\n\n");
  CBorviSnd snd(&proj, nullptr);
  ASSERT_EQ(snd.Init("m1", nullptr), 0);
  EXPECT_EQ(snd.MemFile(), nullptr);
  snd.SetMemFile(1);
  snd.Uppdat(nullptr, nullptr);
  ASSERT_NE(snd.MemFile(), nullptr);
  EXPECT_EQ(*snd.MemFile(), "#snd#\n" + SndWith(DreieBlock()) + "EOF\r\n");
  EXPECT_FALSE(dir.exists("SND.TMP"));
  EXPECT_EQ(dir.read("TLK.TMP"),
            Crlf("lera 11 0 0\n  12.5000 \n  0.00   0.00   0.00   0.00   0.00   0.00\n*\n"));
  EXPECT_EQ(dir.read("M1.SND"), Crlf(SndWith(DreieBlock())));
  EXPECT_EQ(dir.read("M1.TLK"), Crlf("lera\n12.5\n\n"));
  // The real names are back for reading, the temporary ones stay chosen for writing.
  EXPECT_EQ(snd.sndfil.GetFilePath(), dir.file("M1.SND"));
  EXPECT_EQ(snd.tmpnamn, 1);
}

TEST_F(SndNamesTest, EmbeddedModeMarksTheBoreholeAndCanDeleteTheSeparateFiles) {
  for (const char* name : {"E1.TLK", "E1.PRV", "E1.MIL"}) dir.write(name, "x");
  CBorviSnd snd(&proj, nullptr);
  snd.samlagring = 1;
  snd.option2 = 1;
  geoproj::CopyField(snd.orgnamn, "GUID");
  snd.guid = kBoreholeGuid;
  snd.Uppdat("e1", nullptr);
  EXPECT_EQ(dir.read("E1.SND"),
            Crlf("0.000000\n0.000000\n0.000000\n9999999.900000\n0.000000\n0.000000 0 90.000000\n"
                 "*\n97\n40 1\n*\n99\nGUID " + kBoreholeGuid + "\n"));
  for (const char* name : {"E1.TLK", "E1.PRV", "E1.MIL"}) EXPECT_FALSE(dir.exists(name)) << name;
}

TEST_F(SndNamesTest, EmbeddedModeKeepsSeparateFilesWithoutOption2) {
  dir.write("E2.TLK", "x");
  CBorviSnd snd(&proj, nullptr);
  snd.samlagring = 1;
  snd.New(21);
  snd.Uppdat("e2", nullptr);
  EXPECT_TRUE(dir.exists("E2.TLK"));
  const std::string text = dir.read("E2.SND");
  EXPECT_EQ(text.substr(text.size() - 3), "*\r\n");
}

}  // namespace
}  // namespace geoproj::test
