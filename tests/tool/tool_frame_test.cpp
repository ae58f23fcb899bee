// The command line of the tool: version, help, usage errors and missing directories.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <geoproj/version.h>

#include "tool/tool_project.h"

namespace geoproj::tooltest {
namespace {

using ToolFrameTest = ToolTest;

TEST_F(ToolFrameTest, VersionAndHelpEndSuccessfully) {
  ToolResult version = Run({"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out, std::string("geoproj ") + geoproj::Version() + "\n");

  ToolResult help = Run({"--help"});
  EXPECT_EQ(help.status, 0);
  for (const char* word :
       {"init", "list", "show", "save", "unlock", "--yes", "--no", "--install-dir", "-q"})
    EXPECT_NE(help.out.find(word), std::string::npos) << word;

  ToolResult list_help = Run({"list", "--help"});
  EXPECT_EQ(list_help.status, 0);
  EXPECT_NE(list_help.out.find("--sort"), std::string::npos);
}

TEST_F(ToolFrameTest, BadCommandLinesAreUsageErrors) {
  const std::string dir = project_.path();
  const std::vector<std::vector<std::string>> cases = {
      {},
      {"frobnicate"},
      {"init"},
      {"list"},
      {"show", dir},
      {"save", dir},
      {"--yes", "--no", "list", dir},
      {"list", dir, "--sort", "0"},
      {"list", dir, "--sort", "22"},
      {"list", dir, "--sort", "-22"},
      {"list", dir, "--sort", "abc"},
      {"list", dir, "--bogus"},
      {"init", dir, "extra"},
      {"show", dir, "NINECHARS"},
      {"show", dir, "a/b"},
      {"show", dir, ""},
      {"save", dir, "BH1", "..\\BH2"},
  };
  for (const auto& args : cases) {
    std::string shown;
    for (const std::string& a : args) shown += "'" + a + "' ";
    ToolResult r = Run(args);
    EXPECT_EQ(r.status, 2) << shown << "\n" << r.err;
    EXPECT_FALSE(r.err.empty()) << shown;
    EXPECT_TRUE(r.out.empty()) << shown;
  }
  // Nothing was touched on the way.
  EXPECT_FALSE(project_.exists(kDatabaseName));
  EXPECT_FALSE(locked());
}

TEST_F(ToolFrameTest, MissingDirectoriesAreReported) {
  const std::string missing = project_.file("no-such-project");
  const std::vector<std::vector<std::string>> cases = {
      {"init", missing},
      {"list", missing},
      {"show", missing, "BH1"},
      {"save", missing, "BH1"},
  };
  for (const auto& args : cases) {
    ToolResult r = Run(args);
    EXPECT_EQ(r.status, 1) << args[0];
    EXPECT_NE(r.err.find("no such project directory: " + missing), std::string::npos) << r.err;
  }

  ToolResult r = Run({"--install-dir", project_.file("no-such-install"), "init", project_.path()});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("no such installation directory"), std::string::npos) << r.err;
  r = Run({"init", project_.path()}, {{"GEOPROJ_HOME", project_.file("no-such-install")}});
  EXPECT_EQ(r.status, 1);
  EXPECT_FALSE(project_.exists(kDatabaseName));
}

}  // namespace
}  // namespace geoproj::tooltest
