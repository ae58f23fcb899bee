#include <geoproj/platform/path_text.h>

#include <gtest/gtest.h>

namespace {

TEST(PathText, StripTrailingSeparators) {
  const struct {
    const char* in;
    const char* out;
  } cases[] = {
      {"/a/b/", "/a/b"}, {"/a/b//", "/a/b"}, {"C:\\a\\", "C:\\a"}, {"/a/b\\/", "/a/b"},
      {"/", "/"},        {"\\", "\\"},       {"", ""},             {"a", "a"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.out, geoproj::StripTrailingSeparators(c.in)) << c.in;
}

TEST(PathText, IsAbsolutePath) {
  const struct {
    const char* path;
    bool absolute;
  } cases[] = {
      {"/opt", true}, {"\\\\server\\share", true}, {"C:\\x", true}, {"d:", true},
      {"Kalib", false}, {"./Kalib", false}, {"", false}, {"1:x", false},
  };
  for (const auto& c : cases) EXPECT_EQ(c.absolute, geoproj::IsAbsolutePath(c.path)) << c.path;
}

}  // namespace
