#include <geoproj/platform/dir_sort.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include <geoproj/foundation/text_helpers.h>
#include <geoproj/platform/files.h>

#include "support/temp_dir.h"

namespace {

// The names in list order, walked as the callers walk it.
std::vector<std::string> Walk(CDirSort& list) {
  std::vector<std::string> names;
  if (list.Home() != 0) return names;
  do {
    names.push_back(geoproj::FieldText(list.Get_aktel()->name));
  } while (list++);
  return names;
}

class DirSortTest : public ::testing::Test {
 protected:
  void Make(const std::vector<std::string>& names) {
    for (const std::string& n : names) dir_.write(n, n);
  }
  std::string Pattern(const char* name, char sep = geoproj::kPathSep) const {
    return dir_.path() + sep + name;
  }

  geoproj::test::TempDir dir_;
  CDirSort list_;
};

TEST_F(DirSortTest, ListsOneBoreholesFilesSortedByName) {
  Make({"bh1.tlk", "BH1.SND", "BH10.SND", "XBH1.SND", "BH1", "BH1.GVR", "BH1.SND.bak", "BH2.SND"});
  std::filesystem::create_directory(dir_.file("BH1.DIR"));
  EXPECT_EQ(5, list_.Init(Pattern("BH1.*").c_str(), 0));
  EXPECT_EQ((std::vector<std::string>{"BH1", "BH1.GVR", "BH1.SND", "BH1.SND.bak", "bh1.tlk"}),
            Walk(list_));
  EXPECT_EQ(dir_.path(), list_.Dir());
}

// The listing tells files from directories; a symbolic link counts by what it names.
TEST_F(DirSortTest, SymbolicLinksCountByWhatTheyName) {
  Make({"BH1.SND"});
  std::filesystem::create_directory(dir_.file("BH1.SUB"));
  std::filesystem::create_symlink(dir_.file("BH1.SND"), dir_.file("BH1.TLK"));
  std::filesystem::create_directory_symlink(dir_.file("BH1.SUB"), dir_.file("BH1.VB"));
  std::filesystem::create_symlink(dir_.file("missing"), dir_.file("BH1.PRV"));
  EXPECT_EQ(2, list_.Init(Pattern("BH1.*").c_str(), 0));
  EXPECT_EQ((std::vector<std::string>{"BH1.SND", "BH1.TLK"}), Walk(list_));
}

TEST_F(DirSortTest, AllFilesPatternsAndEitherSeparator) {
  Make({"b.txt", "A.txt", "c.TXT", "a.TXT", "README"});
  std::filesystem::create_directory(dir_.file("sub"));
  const std::vector<std::string> all = {"A.txt", "a.TXT", "b.txt", "c.TXT", "README"};
  for (const char* pattern : {"*.*", "*"}) {
    for (char sep : {'/', '\\'}) {
      CDirSort list;
      EXPECT_EQ(5, list.Init(Pattern(pattern, sep).c_str(), 0)) << pattern << sep;
      EXPECT_EQ(all, Walk(list)) << pattern << sep;
    }
  }
}

TEST_F(DirSortTest, SortsByUpperCasedBytes) {
  // Code page 1252 names: o-umlaut (0xD6) sorts after Z; a-ring upper-cases to 0xC5.
  Make({"\xD6.DAT", "z.dat", "\xE5.dat", "\xC4.dat", "_.dat"});
  EXPECT_EQ(5, list_.Init(Pattern("*.dat").c_str()));
  EXPECT_EQ((std::vector<std::string>{"z.dat", "_.dat",
                                      "\xC4.dat", "\xE5.dat", "\xD6.DAT"}),
            Walk(list_));
}

TEST_F(DirSortTest, WalkPositionsAndCount) {
  Make({"C.SND", "A.SND", "B.SND"});
  ASSERT_EQ(3, list_.Init(Pattern("*.SND").c_str()));
  int count = 0;
  EXPECT_EQ(1, list_.Where(&count));
  EXPECT_EQ(3, count);
  EXPECT_STREQ("A.SND", list_.Get_aktel()->name);
  list_++;
  list_++;
  EXPECT_EQ(3, list_.Where(&count));
  EXPECT_STREQ("C.SND", list_.Get_aktel()->name);
  EXPECT_EQ(nullptr, list_++);
}

TEST_F(DirSortTest, ReInitReplacesAndUnreadableDirectoryEmpties) {
  Make({"A.SND", "B.SND", "A.TLK"});
  ASSERT_EQ(2, list_.Init(Pattern("*.SND").c_str()));
  EXPECT_EQ(1, list_.Init(Pattern("*.TLK").c_str()));
  EXPECT_EQ((std::vector<std::string>{"A.TLK"}), Walk(list_));
  EXPECT_EQ(0, list_.Init(Pattern("NONE.*").c_str()));
  EXPECT_TRUE(Walk(list_).empty());
  ASSERT_EQ(2, list_.Init(Pattern("*.SND").c_str()));
  const std::string missing = dir_.file("missing") + geoproj::kPathSep + "*.*";
  EXPECT_EQ(-1, list_.Init(missing.c_str()));
  int count = -1;
  EXPECT_EQ(-1, list_.Where(&count));
  EXPECT_EQ(0, count);
}

TEST(DirSortMatch, Wildcards) {
  struct Case {
    const char* pattern;
    const char* name;
    bool match;
  } cases[] = {
      {"BH1.*", "BH1.SND", true},     {"BH1.*", "bh1.snd", true},
      {"bh1.*", "BH1.SND", true},     {"BH1.*", "BH1", true},
      {"BH1.*", "BH1.", true},        {"BH1.*", "BH10.SND", false},
      {"BH1.*", "XBH1.SND", false},   {"BH1.*", "BH1.SND.BAK", true},
      {"*.*", "README", true},        {"*.*", ".hidden", true},
      {"*", "anything.at.all", true}, {"?H1.SND", "BH1.SND", true},
      {"?H1.SND", "H1.SND", false},   {"*.SND", "A.SND.BAK", false},
      {"A*B*C", "AxxBxxC", true},     {"A*B*C", "AxxBxxCx", false},
      {"A*B*C", "ABBBC", true},       {"\xE5*", "\xC5RE", true},
      {"*.TXT", "a.txt", true},       {"", "A", false},
      {"X*", "", false},              {"*", "", true},
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.match, CDirSort::Matches(c.pattern, c.name)) << c.pattern << " ~ " << c.name;
}

}  // namespace
