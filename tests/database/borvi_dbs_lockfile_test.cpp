// The lock file and the database file's OS lock between processes: whose lock a release
// removes, how a live holder is told from a stale file, waiting for the exclusive open,
// creating a database, and reading a project that cannot hold a lock file.
#include <gtest/gtest.h>

#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <functional>
#include <string>
#include <thread>

#include <geoproj/platform/files.h>

#include "database/dbs_io.h"
#include "database/dbs_test_util.h"

namespace {

using namespace dbstest;

constexpr const char* kBusy = "Database busy!";

std::string ThreeRecords() {
  std::string h = NewHeader(686);
  PutI16(h, kAntBh, 3);
  return FileBytes(h, {RecordBytes(Borehole("A")), RecordBytes(Borehole("B")),
                       RecordBytes(Borehole("C"))});
}

TEST(DbsLockFile, ReleaseRemovesOnlyTheFileThisObjectCreated) {
  Project p;
  p.write(ThreeRecords());
  Messages quiet;
  for (bool by_destructor : {false, true}) {
    SCOPED_TRACE(by_destructor);
    {
      CBorviDbs db(&p.path);
      db.BeginUpdate();
      ASSERT_EQ(p.dir.read("Solumbra.dbk"), kBusy);
      // Deleted by hand while held, and created anew by another process meanwhile.
      ASSERT_EQ(std::remove(p.lock().c_str()), 0);
      p.dir.write("Solumbra.dbk", "another process");
      if (!by_destructor) db.EndUpdate();
    }
    EXPECT_EQ(p.dir.read("Solumbra.dbk"), "another process");
    std::remove(p.lock().c_str());
  }
}

TEST(DbsLockFile, ALiveHolderIsToldFromAFileLeftBehind) {
  Project p;
  p.write(ThreeRecords());
  Messages quiet;
  {
    CBorviDbs db(&p.path);
    db.BeginUpdate();
    const geoproj::LockFileInfo held = geoproj::InspectLockFile(p.lock());
    EXPECT_TRUE(held.exists);
    EXPECT_TRUE(held.held_here);
    EXPECT_EQ(geoproj::RemoveStaleLockFile(p.lock(), held), geoproj::UnlockResult::kHeld);
    EXPECT_EQ(p.dir.read("Solumbra.dbk"), kBusy);
    db.EndUpdate();
  }
  EXPECT_FALSE(geoproj::InspectLockFile(p.lock()).exists);

  // A process killed inside an update leaves its lock file, with nobody holding it.
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    CBorviDbs db(&p.path);
    db.BeginUpdate();
    _exit(0);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  const geoproj::LockFileInfo stale = geoproj::InspectLockFile(p.lock());
  ASSERT_TRUE(stale.exists);
  EXPECT_FALSE(stale.held_here);
  EXPECT_EQ(p.dir.read("Solumbra.dbk"), kBusy);
  EXPECT_EQ(geoproj::RemoveStaleLockFile(p.lock(), stale), geoproj::UnlockResult::kRemoved);
  EXPECT_FALSE(p.dir.exists("Solumbra.dbk"));
}

TEST(DbsLockFile, StaleRemovalSparesALockFileCreatedSinceItWasInspected) {
  Project p;
  p.dir.write("Solumbra.dbk", kBusy);
  const geoproj::LockFileInfo inspected = geoproj::InspectLockFile(p.lock());
  ASSERT_TRUE(inspected.exists);
  // Between the look and the removal the old file went (kept under another name, so that its
  // inode is not reused) and another program put its own lock file in place.
  ASSERT_EQ(std::rename(p.lock().c_str(), p.dir.file("old").c_str()), 0);
  p.dir.write("Solumbra.dbk", "another program");
  EXPECT_EQ(geoproj::RemoveStaleLockFile(p.lock(), inspected), geoproj::UnlockResult::kChanged);
  EXPECT_EQ(p.dir.read("Solumbra.dbk"), "another program");
}

TEST(DbsLockFile, WriterWaitsForTheExclusiveOpenOfAnotherProcess) {
  Project p;
  p.write(ThreeRecords());
  CBorviDbs db(&p.path);
  Messages log;
  ASSERT_EQ(db.Init(0, 0), 0);
  // Another process has the database file open exclusively for a while.
  std::FILE* other = std::fopen(p.db().c_str(), "r+b");
  ASSERT_TRUE(geoproj::LockOpenFile(other));
  std::thread release([other] {
    geoproj::SleepMs(300);
    std::fclose(other);
  });
  const int rc = Append(db, Borehole("N"));
  release.join();
  EXPECT_EQ(rc, 0);
  EXPECT_TRUE(log.shown().empty());
  EXPECT_EQ(p.bytes().substr(686, kRec), RecordBytes(Borehole("N")));
  EXPECT_FALSE(p.dir.exists("Solumbra.dbk"));
}

// The racing creator's database appears at the last moment before ours would be created.
std::string g_racer_path;
void RacingCreatorWrites() { geoproj::WriteFileBytes(g_racer_path, ThreeRecords()); }

TEST(DbsCreate, ACreatorOvertakenByAnotherLeavesItsDatabaseAlone) {
  Project p;
  g_racer_path = p.db();
  geoproj::dbs::g_beforeCreateForTest = RacingCreatorWrites;
  Messages log;
  CBorviDbs db(&p.path);
  const int rc = db.Init(0, 1);
  geoproj::dbs::g_beforeCreateForTest = nullptr;
  EXPECT_EQ(rc, -1);
  EXPECT_EQ(log.texts(), (std::vector<std::string>{"Databasen finns redan !",
                                                    "Kan ikke opne database: " + p.db()}));
  EXPECT_EQ(p.bytes(), ThreeRecords());
  EXPECT_FALSE(p.dir.exists("Solumbra.dbk"));
}

// --- a project in a folder this user cannot write to ---

// Runs body in a child process that cannot write into dir: dir is made read-only, and a test
// running as root, for whom permissions do not bind, runs body as an unprivileged user. What
// body returns comes back; "skip" when no such user can be taken.
std::string WithoutWriteAccess(const std::string& dir, const std::function<std::string()>& body) {
  ::chmod(dir.c_str(), 0555);
  int out[2];
  if (pipe(out) != 0) return "pipe failed";
  const pid_t child = fork();
  if (child == 0) {
    close(out[0]);
    std::string result = "skip";
    const bool unprivileged = geteuid() != 0 || (setgroups(0, nullptr) == 0 && setgid(65534) == 0 &&
                                                 setuid(65534) == 0);
    if (unprivileged) result = body();
    (void)!write(out[1], result.data(), result.size());
    _exit(0);
  }
  close(out[1]);
  std::string result;
  char buffer[4096];
  for (ssize_t n; (n = read(out[0], buffer, sizeof buffer)) > 0;) result.append(buffer, n);
  close(out[0]);
  waitpid(child, nullptr, 0);
  ::chmod(dir.c_str(), 0755);
  return result;
}

std::string Joined(const std::vector<std::string>& parts) {
  std::string all;
  for (const std::string& part : parts) all += part + ";";
  return all;
}

TEST(DbsReadOnlyFolder, IsReadWithoutALockFile) {
  Project p;
  p.write(ThreeRecords());
  const std::string result = WithoutWriteAccess(p.dir.path(), [&p] {
    Messages log;
    CBorviDbs db(&p.path);
    const int rc = db.Init(1, 0);
    return std::to_string(rc) + " " + Joined(Ids(db)) + " " + Joined(log.texts());
  });
  if (result == "skip") GTEST_SKIP() << "no unprivileged user to read as";
  EXPECT_EQ(result, "0 A;B;C; ");
  EXPECT_FALSE(p.dir.exists("Solumbra.dbk"));
}

TEST(DbsReadOnlyFolder, AWriteDuringTheReadingMakesItReadAgain) {
  Project p;
  std::string damaged = ThreeRecords();
  damaged[kFirst + kRec + 10] = static_cast<char>(0x80);  // B: borehole and vane
  p.write(damaged);
  // A writer elsewhere repairs B and adds D while the first reading is under way.
  std::string repaired = NewHeader(748);
  PutI16(repaired, kAntBh, 4);
  PutI32(repaired, kUppdnr, 1);
  repaired = FileBytes(repaired, {RecordBytes(Borehole("A")), RecordBytes(Borehole("B")),
                                  RecordBytes(Borehole("C")), RecordBytes(Borehole("D"))});
  ::chmod(p.db().c_str(), 0666);
  const std::string result = WithoutWriteAccess(p.dir.path(), [&p, &repaired] {
    // Rewritten in place, as the writer does: the reader's open file sees the new bytes.
    geoproj::MessageHandler previous = geoproj::SetMessageHandler(
        [&](const std::string&, unsigned, const std::string&) {
          geoproj::WriteFileBytes(p.db(), repaired);
          return geoproj::kIdOk;
        });
    CBorviDbs db(&p.path);
    const int rc = db.Init(1, 0);
    geoproj::SetMessageHandler(previous);
    return std::to_string(rc) + " " + Joined(Ids(db)) + " " + std::to_string(db.m_huv.uppdnr);
  });
  if (result == "skip") GTEST_SKIP() << "no unprivileged user to read as";
  EXPECT_EQ(result, "0 A;B;C;D; 1");
}

}  // namespace
