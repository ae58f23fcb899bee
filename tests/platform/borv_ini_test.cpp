#include <geoproj/platform/borv_ini.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <geoproj/platform/files.h>

#include "support/status_log.h"
#include "support/temp_dir.h"

namespace {

using geoproj::JoinPath;

class BorvIniTest : public ::testing::Test {
 protected:
  geoproj::test::TempDir install_;
};

TEST_F(BorvIniTest, ReadsSectionsAndKeysWithoutRegardToCase) {
  install_.write("Borvi.ini",
                 "orphan=before any section\r\n"
                 "; a comment line\r\n"
                 "[BORVPAR]\r\n"
                 "  MTRLKOD  =  SGF  \r\n"
                 "Tom=\r\n"
                 "no equals sign here\r\n"
                 "\r\n"
                 "  [ System ]  \n"
                 "Lang = SWE\n"
                 "lang = second wins not\n"
                 "Formel = a=b=c\n"
                 "  ; indented comment = not a key\n"
                 "Namn=F\xF6rr\xE5" "d\n"
                 "[borvpar]\n"
                 "Extra=1");
  geoproj::test::StatusLog status;
  CBorvIni ini(install_.path().c_str());
  EXPECT_TRUE(ini.Loaded());
  // The setting before any section and the line without "=" are not taken, and told so.
  const std::string file = JoinPath(install_.path(), "Borvi.ini");
  EXPECT_EQ(status.shown(), (std::vector<std::string>{
                                file + ", line 1: neither a section nor a setting",
                                file + ", line 6: neither a section nor a setting"}));
  EXPECT_EQ(2, ini.DroppedContent());
  struct Case {
    const char* section;
    const char* key;
    const char* value;
  } cases[] = {
      {"BORVPAR", "MTRLKOD", "SGF"},
      {"borvpar", "mtrlkod", "SGF"},
      {" BorvPar ", " MtrlKod ", "SGF"},
      {"BORVPAR", "TOM", ""},
      {"SYSTEM", "LANG", "SWE"},
      {"SYSTEM", "FORMEL", "a=b=c"},
      {"SYSTEM", "NAMN", "F\xF6rr\xE5" "d"},
      {"BORVPAR", "EXTRA", "1"},
      {"", "ORPHAN", ""},
      {"SYSTEM", "; INDENTED COMMENT", ""},
      {"SYSTEM", "MTRLKOD", ""},
      {"NOSUCH", "LANG", ""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.value, ini.ReadKey(c.section, c.key)) << c.section << "/" << c.key;
  EXPECT_TRUE(ini.HasKey("BORVPAR", "TOM"));
  EXPECT_FALSE(ini.HasKey("BORVPAR", "NOSUCH"));
  EXPECT_FALSE(ini.HasKey("SYSTEM", "; indented comment"));
}

TEST_F(BorvIniTest, MissingFileMeansNoSettingsAndDefaultDirectories) {
  CBorvIni ini((install_.path() + "/").c_str());
  EXPECT_FALSE(ini.Loaded());
  EXPECT_EQ("", ini.ReadKey("BORVPAR", "MTRLKOD"));
  EXPECT_EQ(install_.path(), ini.InstallDir());
  EXPECT_EQ(JoinPath(install_.path(), "Kalib"), ini.KalibKat1());
  EXPECT_EQ(JoinPath(install_.path(), "Data"), ini.KalibKat2());
}

TEST_F(BorvIniTest, FileNameIsFoundWithoutRegardToCase) {
  install_.write("BORVI.INI", "[A]\nB=c\n");
  CBorvIni ini(install_.path().c_str());
  EXPECT_EQ("c", ini.ReadKey("a", "b"));
}

TEST_F(BorvIniTest, CalibrationDirectoriesComeFromTheSettings) {
  struct Case {
    const char* file;
    std::string kat1;
    std::string kat2;
  } cases[] = {
      {"[KATALOG]\nKALIBKAT1=/opt/kalib/\nKALIBKAT2=/srv/data\n", "/opt/kalib", "/srv/data"},
      {"[katalog]\nkalibkat1=Egen\\\n", JoinPath(install_.path(), "Egen"),
       JoinPath(install_.path(), "Data")},
      {"[KATALOG]\nKALIBKAT1=\nKALIBKAT2=  \n", JoinPath(install_.path(), "Kalib"),
       JoinPath(install_.path(), "Data")},
      {"[ANNAT]\nKALIBKAT1=/x\n", JoinPath(install_.path(), "Kalib"),
       JoinPath(install_.path(), "Data")},
      {"[KATALOG]\nKALIBKAT2=D:\\Kal\n", JoinPath(install_.path(), "Kalib"), "D:\\Kal"},
  };
  for (const Case& c : cases) {
    install_.write("Borvi.ini", c.file);
    CBorvIni ini(install_.path().c_str());
    EXPECT_EQ(c.kat1, ini.KalibKat1()) << c.file;
    EXPECT_EQ(c.kat2, ini.KalibKat2()) << c.file;
  }
}

TEST(BorvIni, EmptyInstallDirectoryReadsNothing) {
  CBorvIni ini(nullptr);
  EXPECT_EQ("", ini.InstallDir());
  EXPECT_FALSE(ini.Loaded());
  EXPECT_EQ("", ini.ReadKey("SYSTEM", "LANG"));
}

TEST_F(BorvIniTest, LongAndBinaryLinesDoNotDisturbTheRest) {
  std::string bytes = "[S]\n";
  bytes += "K1=" + std::string(100000, 'x') + "\n";
  bytes += std::string("K2=a\0b\n", 7);
  bytes += "K3=ok\n";
  install_.write("Borvi.ini", bytes);
  geoproj::test::StatusLog status;
  CBorvIni ini(install_.path().c_str());
  EXPECT_EQ(100000u, ini.ReadKey("S", "K1").size());
  EXPECT_EQ("ok", ini.ReadKey("S", "K3"));
  EXPECT_TRUE(status.Contains(JoinPath(install_.path(), "Borvi.ini") + ", line 3: binary garbage"));
  EXPECT_EQ(1, ini.DroppedContent());
}

}  // namespace
