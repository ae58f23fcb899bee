// The demo project's line database and line files round-trip byte for byte: each object read
// and saved into its record, and every record written back, leave the files as they were.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include <geoproj/lines/hellar_bv.h>
#include <geoproj/lines/linje_bv_data.h>

#include "lines/line_objects_fixture.h"

namespace {

namespace fs = std::filesystem;
using namespace kvartest;

#ifdef GEOPROJ_SOURCE_DIR
const fs::path kDemo = fs::path(GEOPROJ_SOURCE_DIR) / "examples" / "demo-project";
#else
const fs::path kDemo;
#endif

class DemoLines : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!fs::exists(kDemo / "KVARTOLI.SDBS")) GTEST_SKIP() << "no demo project";
    geoproj::lines::g_stopPauseMs = 0;
    fs::copy(kDemo / "KVARTOLI.SDBS", p.db());
    fs::copy(kDemo / CProjPath::BorvDbfKat, p.dir.file(CProjPath::BorvDbfKat));
  }
  void TearDown() override { geoproj::lines::g_stopPauseMs = 300; }
  std::string Object(const std::string& name) const {
    return p.dir.read(geoproj::JoinPath(CProjPath::BorvDbfKat, name));
  }
  Project p;
};

TEST_F(DemoLines, EveryObjectAndRecordRoundTrips) {
  const std::string db_before = p.bytes();
  CKvarBvDbs db(&p.path, nullptr);
  ASSERT_EQ(db.Init(0, 0), 0);
  EXPECT_FALSE(db.GetReadReport().Damaged());
  EXPECT_EQ(Ids(db), (std::vector<std::string>{"L1", "L2", "H1"}));
  for (int rc = db.Home(); rc == 0; rc = db++ ? 0 : -1) {
    const sadbstype rec = *db.Get_aktel();
    const std::string name = std::string(rec.fil) + (rec.typ == CKvarBvDbs::kTypLinje ? ".LJE" : ".LAD");
    const std::string before = Object(name);
    ASSERT_FALSE(before.empty()) << name;
    if (rec.typ == CKvarBvDbs::kTypLinje) {
      CLinjeBvData line(&p.path, rec.fil, 0);
      ASSERT_EQ(line.Init(1), 0);
      EXPECT_EQ(line.m_droppedContent, 0);
      ASSERT_EQ(line.Save(&db), 0);
    } else {
      CHellarBv outcrop(&p.path, rec.fil);
      ASSERT_EQ(outcrop.Init(), 0);
      EXPECT_EQ(outcrop.m_droppedContent, 0);
      ASSERT_EQ(outcrop.Save(&db), 0);
    }
    EXPECT_EQ(Object(name), before) << name;
    EXPECT_EQ(std::memcmp(db.Get_aktel(), &rec, sizeof rec), 0) << name;
  }
  EXPECT_EQ(p.bytes(), db_before);
}

}  // namespace
