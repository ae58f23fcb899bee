// unlock DIR, lock files in the way of the reading commands, read-only projects and damaged
// databases as list and show report them.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>
#include <utime.h>

#include <ctime>
#include <string>
#include <vector>

#include <geoproj/database/borvi_dbs.h>
#include <geoproj/foundation/messages.h>
#include <geoproj/platform/proj_path.h>

#include "tool/tool_boreholes.h"
#include "tool/tool_project.h"

namespace geoproj::tooltest {
namespace {

// A database of count boreholes R0, R1, ... written from the format.
std::string Database(int count) {
  std::string bytes(kFirstRecord + count * kRecordSize, '\0');
  std::memcpy(&bytes[0], "3.0", 3);
  std::memcpy(&bytes[211], "LOK", 3);
  const std::int16_t boreholes = static_cast<std::int16_t>(count);
  std::memcpy(&bytes[216], &boreholes, 2);
  const std::int32_t end = static_cast<std::int32_t>(bytes.size());
  std::memcpy(&bytes[324], &end, 4);
  for (int i = 0; i < count; ++i) {
    const std::string id = "R" + std::to_string(i);
    char* record = &bytes[kFirstRecord + i * kRecordSize];
    std::memcpy(record, id.data(), id.size());
    record[9] = 0x01;
  }
  return bytes;
}

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

class ToolLockTest : public ToolTest {
 protected:
  std::string lock() const { return project_.file(kLockName); }

  // A lock file left behind 2 min 13 s ago.
  void LeaveLockFile() {
    project_.write(kLockName, "Database busy!");
    const std::time_t then = std::time(nullptr) - 133;
    utimbuf times{then, then};
    ASSERT_EQ(utime(lock().c_str(), &times), 0);
  }
};

TEST_F(ToolLockTest, UnlockRemovesALockFileLeftBehindOnlyWhenTold) {
  ToolResult none = Run({"unlock", project_.path()});
  EXPECT_EQ(none.status, 0);
  EXPECT_EQ(none.out, "no lock file in " + project_.path() + "\n");

  LeaveLockFile();
  // The age shown is the age when asked: 2 min 13 s and any second the run took since.
  const std::string question = "Remove the lock file " + lock() + ", held for 2 min 1";
  // Nobody to ask, No typed, or an empty line on a terminal: the default is No.
  for (ToolResult kept : {Run({"unlock", project_.path()}), Run({"--no", "unlock", project_.path()}),
                          RunToolOnTerminal({"unlock", project_.path()}, "\n")}) {
    EXPECT_EQ(kept.status, 1) << kept.err;
    EXPECT_TRUE(Has(kept.err, question)) << kept.err;
    EXPECT_TRUE(Has(kept.err, "left in place")) << kept.err;
    EXPECT_TRUE(locked());
  }
  ToolResult removed = Run({"unlock", project_.path(), "--yes"});
  EXPECT_EQ(removed.status, 0) << removed.err;
  EXPECT_EQ(removed.out, "removed " + lock() + "\n");
  EXPECT_FALSE(locked());
}

TEST_F(ToolLockTest, UnlockRefusesALockARunningProcessHolds) {
  project_.write(kDatabaseName, Database(1));
  CProjPath path;
  path.SetPath(project_.path().c_str());
  CBorviDbs holder(&path);
  holder.BeginUpdate();
  ASSERT_TRUE(locked());
  ToolResult r = Run({"--yes", "unlock", project_.path()});
  EXPECT_EQ(r.status, 1);
  EXPECT_TRUE(Has(r.err, "held by a running process of this machine; not removed")) << r.err;
  EXPECT_TRUE(locked());
  holder.EndUpdate();
  EXPECT_FALSE(locked());
}

TEST_F(ToolLockTest, AReadingCommandNamesTheLockFileInTheWayAndItsAge) {
  project_.write(kDatabaseName, Database(1));
  LeaveLockFile();
  ToolResult r = Run({"list", project_.path()});
  EXPECT_EQ(r.status, 1);
  // The library's own message first, then the lock file, its age (it aged during the wait)
  // and the way out.
  EXPECT_TRUE(Has(r.err, "Kan ikke opne database: " + project_.file(kDatabaseName))) << r.err;
  EXPECT_TRUE(Has(r.err, "lock file " + lock() + " held for 2 min 1")) << r.err;
  EXPECT_TRUE(Has(r.err, " s; if no one is working on this project, `geoproj unlock " +
                             project_.path() + "` removes it"))
      << r.err;
  EXPECT_TRUE(locked());
}

TEST_F(ToolLockTest, AReadOnlyProjectIsListedWithoutALockFile) {
  project_.write(kDatabaseName, Database(2));
  ::chmod(project_.path().c_str(), 0555);
  // Permissions do not bind root: the tool runs as an unprivileged user then.
  std::vector<std::string> args = {ToolPath(), "list", project_.path(), "--json"};
  std::string program = ToolPath();
  if (geteuid() == 0) {
    program = "setpriv";
    args.insert(args.begin(), {"--reuid=65534", "--regid=65534", "--clear-groups"});
  } else {
    args.erase(args.begin());
  }
  ToolResult r = RunProgram(program, args);
  ::chmod(project_.path().c_str(), 0755);
  if (r.status == -1 || r.status >= 126) GTEST_SKIP() << "cannot run as an unprivileged user";
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.Json().size(), 2u);
  EXPECT_EQ(r.err, "");
  EXPECT_FALSE(locked());
}

TEST_F(ToolLockTest, DamageIsToldByListAndShowWhileTheRecordsReadAreUsed) {
  project_.write("BH1.SND", Bh1Snd());
  project_.write(kDatabaseName, Database(20).substr(0, 600));
  const std::string warning =
      "warning: database Solumbra.dbs is damaged: the header counts 20 records, 1 could be read "
      "(the file ends inside a record); `geoproj restore " + project_.path() +
      "` rebuilds it from the borehole files";
  const std::string status =
      "Status: " + project_.file(kDatabaseName) + ", offset 562: 38 bytes of a cut record dropped";
  const std::vector<std::vector<std::string>> commands = {
      {"list", project_.path(), "--json"}, {"show", project_.path(), "BH1", "--json"}};
  for (const auto& command : commands) {
    ToolResult r = Run(command);
    EXPECT_EQ(r.status, 0) << command[0] << r.err;
    EXPECT_TRUE(Has(r.err, warning)) << command[0] << r.err;
    EXPECT_TRUE(Has(r.err, status)) << command[0] << r.err;
    std::vector<std::string> quiet = {"-q"};
    quiet.insert(quiet.end(), command.begin(), command.end());
    ToolResult q = Run(quiet);
    EXPECT_TRUE(Has(q.err, warning)) << command[0] << q.err;
    EXPECT_FALSE(Has(q.err, "Status:")) << command[0] << q.err;
  }
  EXPECT_EQ(Run({"list", project_.path(), "--json"}).Json().size(), 1u);
  EXPECT_EQ(project_.read(kDatabaseName), Database(20).substr(0, 600));

  // Nothing at all could be read: list fails, show still shows the borehole.
  project_.write(kDatabaseName, Database(20).substr(0, 540));
  ToolResult nothing = Run({"list", project_.path(), "--json"});
  EXPECT_EQ(nothing.status, 1);
  EXPECT_TRUE(Has(nothing.err, "the header counts 20 records, 0 could be read")) << nothing.err;
  EXPECT_EQ(nothing.out, "");
  EXPECT_EQ(Run({"show", project_.path(), "BH1", "--json"}).status, 0);
}

}  // namespace
}  // namespace geoproj::tooltest
