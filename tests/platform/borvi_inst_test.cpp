#include <geoproj/platform/borvi_inst.h>

#include <gtest/gtest.h>

#include <geoproj/platform/borv_ini.h>
#include <geoproj/platform/proj_path.h>

#include "support/temp_dir.h"

namespace {

class BorviInstTest : public ::testing::Test {
 protected:
  void SetUp() override {
    install_.write("Borvi.ini", std::string("[") + CProjPath::BorvParNamn +
                                    "]\r\nMTRLKOD=SGF\r\nTOM=\r\n"
                                    "[SYSTEM]\r\nLANG=NOR\r\nMTRLKOD=fel\r\n");
    path_.SetPath(install_.path().c_str());
  }

  geoproj::test::TempDir install_;
  CProjPath path_;
};

TEST_F(BorviInstTest, CodeTableChoiceIsReadFromItsSection) {
  CBorvIni ini(install_.path().c_str());
  CBorviInst inst;
  ASSERT_EQ(0, inst.Init(&ini, &path_));
  EXPECT_EQ("SGF", inst.ReadKey(CProjPath::BorvParNamn, "MTRLKOD"));
  EXPECT_EQ("", inst.ReadKey(CProjPath::BorvParNamn, "NOSUCH"));
  EXPECT_EQ("ALLA", inst.ReadKey(CProjPath::BorvParNamn, "NOSUCH", "ALLA"));
  EXPECT_EQ("", inst.ReadKey(CProjPath::BorvParNamn, "TOM", "ALLA"));
}

TEST_F(BorviInstTest, SettingByKeyLooksInTheParameterSectionFirst) {
  CBorvIni ini(install_.path().c_str());
  CBorviInst inst;
  inst.Init(&ini, &path_);
  EXPECT_EQ("SGF", inst.ReadSetting("MTRLKOD", "x"));
  EXPECT_EQ("NOR", inst.ReadSetting("lang", "x"));
  EXPECT_EQ("x", inst.ReadSetting("NOSUCH", "x"));
  EXPECT_EQ("", inst.ReadSetting("NOSUCH", nullptr));
}

TEST_F(BorviInstTest, WithoutSettingsEverySettingIsMissing) {
  CBorviInst fresh;
  EXPECT_EQ("", fresh.ReadKey(CProjPath::BorvParNamn, "MTRLKOD"));
  CBorviInst inst;
  EXPECT_EQ(-1, inst.Init(nullptr, &path_));
  EXPECT_EQ("", inst.ReadKey(CProjPath::BorvParNamn, "MTRLKOD"));
  EXPECT_EQ("d", inst.ReadKey(CProjPath::BorvParNamn, "MTRLKOD", "d"));
  EXPECT_EQ("d", inst.ReadSetting("MTRLKOD", "d"));
}

}  // namespace
