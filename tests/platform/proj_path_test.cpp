#include <geoproj/platform/proj_path.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include <geoproj/platform/files.h>

namespace {

struct SetPathCase {
  const char* given;
  const char* dir;
  const char* name;
};

TEST(ProjPath, SetPathFillsDirectoriesWithoutTrailingSeparator) {
  const SetPathCase cases[] = {
      {"/data/proj/E4", "/data/proj/E4", "E4"},
      {"/data/proj/E4/", "/data/proj/E4", "E4"},
      {"/data/proj/E4//", "/data/proj/E4", "E4"},
      {"C:\\proj\\E4\\", "C:\\proj\\E4", "E4"},
      {"E4", "E4", "E4"},
  };
  for (const SetPathCase& c : cases) {
    CProjPath path;
    ASSERT_EQ(0, path.SetPath(c.given)) << c.given;
    EXPECT_EQ(c.dir, path.m_projKat) << c.given;
    EXPECT_EQ(c.dir, path.m_borrKat) << c.given;
    EXPECT_EQ(c.name, path.m_namn) << c.given;
    EXPECT_EQ(std::string(c.dir) + geoproj::kPathSep + CProjPath::PktListNamn, path.m_pktFil)
        << c.given;
  }
}

TEST(ProjPath, EmptyDirectoryIsRefusedAndChangesNothing) {
  CProjPath path;
  ASSERT_EQ(0, path.SetPath("/data/proj"));
  EXPECT_EQ(-1, path.SetPath(""));
  EXPECT_EQ(-1, path.SetPath(nullptr));
  EXPECT_EQ("/data/proj", path.m_projKat);
}

TEST(ProjPath, BorrholeDirectoryCanDifferAndCopiesCarryEverything) {
  CProjPath path;
  path.SetPath("/data/proj");
  path.SetBorrhalKat("/data/borr/");
  EXPECT_EQ("/data/proj", path.m_projKat);
  EXPECT_EQ("/data/borr", path.m_borrKat);
  CProjPath copy;
  copy = path;
  EXPECT_EQ(path.m_projKat, copy.m_projKat);
  EXPECT_EQ(path.m_borrKat, copy.m_borrKat);
  EXPECT_EQ(path.m_pktFil, copy.m_pktFil);
  EXPECT_EQ(path.m_namn, copy.m_namn);
}

TEST(ProjPath, StaticNames) {
  EXPECT_STREQ("Solumbra.dbs", CProjPath::BorvDbsNamn);
  EXPECT_STREQ("Solumbra.dbk", CProjPath::BorvDbkNamn);
  // The rest are ours to choose, but each must name something distinct.
  const char* const names[] = {CProjPath::BorvDbsNamn, CProjPath::BorvDbkNamn,
                               CProjPath::BorvParNamn, CProjPath::BorvDbfKat,
                               CProjPath::KvarDbkNamn, CProjPath::KvarDbfKat,
                               CProjPath::Gvrref,      CProjPath::PktListNamn};
  for (const char* a : names) {
    ASSERT_NE(nullptr, a);
    EXPECT_NE('\0', a[0]);
    for (const char* b : names) {
      if (a != b) {
        EXPECT_STRNE(a, b);
      }
    }
  }
}

}  // namespace
