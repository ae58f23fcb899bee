// restore DIR [--name TEXT] [--second TEXT] [--date DD.MM.YYYY]: the database rebuilt from the
// project's files, its five counts and the log of duplicate GUIDs; a restore killed part-way.
#include <gtest/gtest.h>

#include <signal.h>

#include <string>
#include <vector>

#include "tool/tool_project.h"

namespace geoproj::tooltest {
namespace {

constexpr const char* kShared = "5a5a5a5a-1b1b-4c2c-8d3d-00000000c0de";

std::string Cpt(const char* x, const char* own, const char* cpt) {
  return CrLf({x, "20.000000", "3.000000", "9999999.900000", "0.000000", "0.000000 0 90.000000",
               "*", "97", "40 0", "*", "99", std::string("GUID ") + own, "*", "7 2021-05-03",
               std::string("1.000000 92 0 0 1 0 CPT15 GUID ") + cpt, "  0.100   8553     77    142  ",
               "*"});
}

class ToolRestoreTest : public ToolTest {
 protected:
  void WriteProject() {
    project_.write("B1.SND", Cpt("10.000000", "5a5a5a5a-1b1b-4c2c-8d3d-000000000b01", kShared));
    project_.write("b2.snd", Cpt("13.000000", "5a5a5a5a-1b1b-4c2c-8d3d-000000000b02", kShared));
    project_.write("X Y.SND", Cpt("1.0", "5a5a5a5a-1b1b-4c2c-8d3d-000000000b09", kShared));
    project_.write("PUNKTLISTA.TXT", CrLf({"P1 1 2 3 4 5 FIX", "*"}));
  }
};

TEST_F(ToolRestoreTest, PrintsTheCountsAndTheLog) {
  WriteProject();
  const ToolResult r = Ok({"restore", project_.path(), "--name", "V\xC3\xA4g 42", "--second", "P-7",
                           "--date", "01.02.2023"});
  EXPECT_EQ(r.out, "soundings 2\ngroundwater 0\nmeasurements 0\nterrain points 1\nlines 0\nlog " +
                       project_.file("GUIDFaults.txt") + "\n");
  EXPECT_EQ(project_.read("GUIDFaults.txt"),
            "Error duplicate GUID! Id = B1 MethodCode = 7 CPT and Id = B2\r\n"
            "Distance 3.00 between Id = B1 and Id = B2\r\n");
  const std::string db = database();
  ASSERT_GE(db.size(), kFirstRecord + 3 * kRecordSize);
  EXPECT_EQ(std::string(db.c_str() + 37), "V\xE4g 42");  // code page 1252 in the file
  EXPECT_EQ(std::string(db.c_str() + 73), "P-7");
  EXPECT_EQ(std::string(db.c_str() + 86), "01.02.2023");
  EXPECT_EQ(RecordAt(db, kFirstRecord).id, "B1");
  EXPECT_EQ(RecordAt(db, kFirstRecord + kRecordSize).id, "B2");
  EXPECT_EQ(RecordAt(db, kFirstRecord + 2 * kRecordSize).id, "P1");
  EXPECT_FALSE(locked());
  // The question whether to show the log is answered No without --yes: nothing waits for it.
  EXPECT_EQ(r.err.find("no terminal to ask"), std::string::npos) << r.err;

  // Restoring again keeps the project texts of the database just made; the log takes a new name.
  const ToolResult again = Ok({"-q", "restore", project_.path()});
  EXPECT_NE(again.out.find("log " + project_.file("GUIDFaults1.txt")), std::string::npos);
  EXPECT_EQ(std::string(database().c_str() + 37), "V\xE4g 42");
}

TEST_F(ToolRestoreTest, WithoutDuplicatesPrintsFiveLines) {
  project_.write("B1.SND", Cpt("10.000000", "5a5a5a5a-1b1b-4c2c-8d3d-000000000b01", kShared));
  const ToolResult r = Ok({"restore", project_.path()});
  EXPECT_EQ(r.out, "soundings 1\ngroundwater 0\nmeasurements 0\nterrain points 0\nlines 0\n");
  EXPECT_FALSE(project_.exists("GUIDFaults.txt"));
}

TEST_F(ToolRestoreTest, RefusesALockedProjectAndABadDate) {
  project_.write("B1.SND", Cpt("10.000000", "5a5a5a5a-1b1b-4c2c-8d3d-000000000b01", kShared));
  EXPECT_EQ(Run({"restore", project_.path(), "--date", "2023-02-01"}).status, 2);
  project_.write(kLockName, "Database busy!");
  const ToolResult r = Run({"restore", project_.path()});
  EXPECT_EQ(r.status, 1);
  EXPECT_TRUE(r.out.empty());
  EXPECT_NE(r.err.find("locked"), std::string::npos) << r.err;
  EXPECT_FALSE(project_.exists(kDatabaseName));
}

TEST_F(ToolRestoreTest, ProgressWithTheCountsOnATerminalOnly) {
  WriteProject();
  const ToolResult shown = RunToolWithTerminalErrors({"restore", project_.path()});
  EXPECT_EQ(shown.status, 0);
  EXPECT_NE(shown.err.find("soundings 2, groundwater 0"), std::string::npos) << shown.err;
  const ToolResult quiet = RunToolWithTerminalErrors({"-q", "restore", project_.path()});
  EXPECT_EQ(quiet.err.find("soundings"), std::string::npos) << quiet.err;
  const ToolResult piped = Ok({"restore", project_.path()});
  EXPECT_EQ(piped.err.find("soundings"), std::string::npos) << piped.err;
}

// The tool killed at once and at random moments of a restore of many boreholes: the project's
// database opens afterwards (once the killed process's lock file is removed, as after any
// killed writer), and a restore run again completes with every borehole.
TEST_F(ToolRestoreTest, KilledRestoreLeavesAProjectThatRestoresAgain) {
  const int count = 300;
  for (int i = 1; i <= count; ++i)
    project_.write("S" + std::to_string(i) + ".SND",
                   CrLf({"1.0", "2.0", "3.0", "9999999.9", "0.0", "0.000000 0 90.000000", "*",
                         "21 12.04.2021", "1.000000 90 0 0 1 0 GB2", "  0.200   15 100      ", "*"}));
  Ok({"-q", "restore", project_.path()});
  const std::string first = database();
  for (int delay_ms : {0, 20, 60}) {
    pid_t pid = -1;
    {
      posix_spawn_file_actions_t actions;
      posix_spawn_file_actions_init(&actions);
      posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
      posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
      std::vector<std::string> args = {ToolPath(), "-q", "restore", project_.path()};
      std::vector<char*> argv;
      for (std::string& a : args) argv.push_back(a.data());
      argv.push_back(nullptr);
      ASSERT_EQ(posix_spawn(&pid, ToolPath(), &actions, nullptr, argv.data(), environ), 0);
      posix_spawn_file_actions_destroy(&actions);
    }
    usleep(static_cast<useconds_t>(delay_ms) * 1000);
    kill(pid, SIGKILL);
    int status = 0;
    waitpid(pid, &status, 0);
    Run({"--yes", "unlock", project_.path()});
    const ToolResult list = Run({"-q", "list", project_.path(), "--json"});
    ASSERT_EQ(list.status, 0) << "after a kill at " << delay_ms << " ms: " << list.err;
    EXPECT_EQ(list.Json().size(), static_cast<std::size_t>(count)) << delay_ms;
    EXPECT_EQ(database().size(), first.size()) << delay_ms;
  }
  const ToolResult again = Ok({"-q", "restore", project_.path()});
  EXPECT_EQ(again.out.substr(0, 14), "soundings 300\n");
  EXPECT_EQ(Ok({"-q", "list", project_.path(), "--json"}).Json().size(), static_cast<std::size_t>(count));
}

}  // namespace
}  // namespace geoproj::tooltest
