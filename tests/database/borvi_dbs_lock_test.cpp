// Opening, locking and saving, and writers in several objects and processes.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cfloat>
#include <cstdlib>
#include <cstring>
#include <set>

#include <geoproj/foundation/text_helpers.h>
#include <geoproj/platform/files.h>

#include "database/dbs_test_util.h"
#include "support/status_log.h"

extern char** environ;

namespace {

using namespace dbstest;

void CreateDatabase(const Project& p) {
  Messages quiet;
  CBorviDbs db(const_cast<CProjPath*>(&p.path));
  ASSERT_EQ(db.Init(0, 1), 0);
}

TEST(DbsLock, HeldLockMakesInitFailAndStaysInPlace) {
  Project p;
  CreateDatabase(p);
  p.dir.write("Solumbra.dbk", "held elsewhere");
  Messages log;
  CBorviDbs db(&p.path);
  EXPECT_EQ(db.Init(1, 0), -1);
  EXPECT_TRUE(db.LockWasBusy());
  EXPECT_EQ(db.GetLockFileName(), p.lock());
  ASSERT_EQ(log.shown().size(), 1u);
  EXPECT_EQ(log.shown()[0].text, "Kan ikke opne database: " + p.db());
  EXPECT_EQ(log.shown()[0].caption, kReadTitle);
  EXPECT_EQ(log.shown()[0].flags, kWarn);
  EXPECT_EQ(p.dir.read("Solumbra.dbk"), "held elsewhere");
  // Closing an object that never got the lock leaves it alone, too.
  db.EndUpdate();
  EXPECT_EQ(p.dir.read("Solumbra.dbk"), "held elsewhere");
}

TEST(DbsLock, LockFileHoldsItsTextOnlyWhileUpdating) {
  Project p;
  CreateDatabase(p);
  CBorviDbs db(&p.path);
  ASSERT_EQ(db.Init(0, 0), 0);
  EXPECT_FALSE(p.dir.exists("Solumbra.dbk"));
  db.BeginUpdate();
  EXPECT_EQ(p.dir.read("Solumbra.dbk"), "Database busy!");
  ASSERT_EQ(Append(db, Borehole("A")), 0);
  ASSERT_EQ(Append(db, Borehole("B")), 0);
  EXPECT_TRUE(p.dir.exists("Solumbra.dbk"));
  db.EndUpdate();
  EXPECT_FALSE(p.dir.exists("Solumbra.dbk"));
  CBorviDbs again(&p.path);
  ASSERT_EQ(again.Init(1, 0), 0);
  EXPECT_EQ(Ids(again), (std::vector<std::string>{"A", "B"}));
}

TEST(DbsLock, ObjectDestroyedInsideAnUpdateReleasesTheLock) {
  Project p;
  CreateDatabase(p);
  {
    CBorviDbs db(&p.path);
    db.BeginUpdate();
    EXPECT_TRUE(p.dir.exists("Solumbra.dbk"));
  }
  EXPECT_FALSE(p.dir.exists("Solumbra.dbk"));
}

TEST(DbsLock, CreatingOverAnExistingDatabaseIsRefused) {
  Project p;
  CreateDatabase(p);
  const std::string before = p.bytes();
  Messages log;
  CBorviDbs db(&p.path);
  EXPECT_EQ(db.Init(0, 1), -1);
  EXPECT_EQ(log.texts(), (std::vector<std::string>{"Databasen finns redan !",
                                                    "Kan ikke opne database: " + p.db()}));
  EXPECT_EQ(log.shown()[0].flags, kWarn);
  EXPECT_FALSE(p.dir.exists("Solumbra.dbk"));
  EXPECT_EQ(p.bytes(), before);
}

TEST(DbsLock, MissingFolderCannotHoldALockFile) {
  geoproj::test::TempDir dir;
  CProjPath path;
  path.SetPath(dir.file("missing").c_str());
  Messages log;
  CBorviDbs db(&path);
  EXPECT_EQ(db.Init(0, 1), -1);
  const std::string lock = geoproj::JoinPath(dir.file("missing"), "Solumbra.dbk");
  EXPECT_EQ(log.texts(),
            (std::vector<std::string>{
                "Failed to create a Lockfile " + lock + "\nDo you have write access in this folder?",
                "Kan ikke opne database: " + geoproj::JoinPath(dir.file("missing"), "Solumbra.dbs")}));
}

TEST(DbsLock, ExplicitNameOnALoadedListIsRefused) {
  Project p;
  CreateDatabase(p);
  CBorviDbs db(&p.path);
  ASSERT_EQ(db.Init(0, 0), 0);
  ASSERT_EQ(Append(db, Borehole("A")), 0);
  Messages log;
  EXPECT_EQ(db.Init(0, 0, p.db().c_str()), -1);
  ASSERT_EQ(log.shown().size(), 1u);
  EXPECT_EQ(log.shown()[0].text, "Kan ikke lese database: " + p.db() + "\nListe ej tom!");
  EXPECT_EQ(log.shown()[0].caption, kReadTitle);
  EXPECT_EQ(Ids(db), std::vector<std::string>{"A"});
}

TEST(DbsSave, SaveAfterAnotherWriterIsAbandoned) {
  Project p;
  CreateDatabase(p);
  CBorviDbs a(&p.path), b(&p.path);
  ASSERT_EQ(a.Init(0, 0), 0);
  ASSERT_EQ(b.Init(0, 0), 0);
  ASSERT_EQ(Append(b, Borehole("B")), 0);
  const std::string before = p.bytes();
  Messages log;
  EXPECT_EQ(a.SaveDbs(nullptr, 0), -1);
  ASSERT_EQ(log.shown().size(), 1u);
  EXPECT_EQ(log.shown()[0].text, "Fel vid uppdatering av databasen (uppdnr=1/0)");
  EXPECT_EQ(log.shown()[0].caption, kReadTitle);
  EXPECT_FALSE(p.dir.exists("Solumbra.dbk"));
  EXPECT_EQ(p.bytes(), before);
}

TEST(DbsSave, SaveWritesTheListWithoutHolesAndClearsTheRest) {
  Project p;
  const Rec a = Borehole("A", 10, 20, 5), b = Borehole("B", -4, 7, -2), c = Borehole("C", 3, -1, 1);
  std::string h = NewHeader(686);
  PutI16(h, kAntBh, 3);
  PutI32(h, kUppdnr, 3);
  p.write(FileBytes(h, {RecordBytes(a), RecordBytes(b), RecordBytes(c)}));
  CBorviDbs db(&p.path);
  ASSERT_EQ(db.Init(0, 0), 0);
  db.Home();
  db++;
  db.DeletePost();  // B goes from the list only
  ASSERT_EQ(db.SaveDbs(nullptr, 0), 0);
  EXPECT_EQ(Offsets(db), (std::vector<int>{500, 562}));
  std::string expected = NewHeader(624);
  PutI16(expected, kAntBh, 2);
  PutI32(expected, kUppdnr, 4);
  PutF64(expected, kSekMin, 9999999.9);
  PutF64(expected, kSekMax, 9999999.9);
  PutF64(expected, kXMin, 3);
  PutF64(expected, kXMax, 10);
  PutF64(expected, kYMin, -1);
  PutF64(expected, kYMax, 20);
  PutF64(expected, kZMin, 1);
  PutF64(expected, kZMax, 5);
  EXPECT_EQ(p.bytes(), FileBytes(expected, {RecordBytes(a), RecordBytes(c), std::string(kRec, '\0')}));
  EXPECT_FALSE(p.dir.exists("Solumbra.dbk"));
}

TEST(DbsSave, EmptyListIsSavedWithTheEmptyExtents) {
  Project p;
  CreateDatabase(p);
  CBorviDbs db(&p.path);
  ASSERT_EQ(db.Init(0, 0), 0);
  ASSERT_EQ(db.SaveDbs(nullptr, 0), 0);
  const std::string bytes = p.bytes();
  for (auto at : {kSekMin, kXMin, kYMin, kZMin}) EXPECT_EQ(GetF64(bytes, at), DBL_MAX);
  for (auto at : {kSekMax, kXMax, kYMax, kZMax}) EXPECT_EQ(GetF64(bytes, at), DBL_MIN);
  EXPECT_EQ(GetI32(bytes, kUppdnr), 1);
}

// --- another writer since this object read the file ---

TEST(DbsSync, RecordAppendedByAnotherWriterIsNotOverwritten) {
  Project p;
  CreateDatabase(p);
  CBorviDbs a(&p.path), b(&p.path);
  ASSERT_EQ(a.Init(0, 0), 0);
  ASSERT_EQ(b.Init(0, 0), 0);
  ASSERT_EQ(Append(a, Borehole("A1", 1)), 0);
  Messages log;
  geoproj::test::StatusLog status;
  ASSERT_EQ(Append(b, Borehole("B1", 2)), 0);
  EXPECT_TRUE(log.shown().empty());
  EXPECT_EQ(status.shown(),
            std::vector<std::string>{"Fel vid uppdatering av databasen (uppdnr=1/0)"});
  EXPECT_EQ(b.Get_aktel()->id, std::string("B1"));
  EXPECT_EQ(b.Get_aktel()->filpos, 562);
  EXPECT_EQ(Ids(b), (std::vector<std::string>{"B1", "A1"}));
  const std::string bytes = p.bytes();
  EXPECT_EQ(bytes.substr(500, kRec), RecordBytes(Borehole("A1", 1)));
  EXPECT_EQ(bytes.substr(562, kRec), RecordBytes(Borehole("B1", 2)));
  EXPECT_EQ(GetI32(bytes, kEndPos), 624);
  EXPECT_EQ(GetI16(bytes, kAntBh), 2);
  EXPECT_EQ(GetI32(bytes, kUppdnr), 2);
  EXPECT_DOUBLE_EQ(GetF64(bytes, kXMin), 1);
  EXPECT_DOUBLE_EQ(GetF64(bytes, kXMax), 2);
}

TEST(DbsSync, RecordsDeletedByAnotherWriterLeaveTheList) {
  Project p;
  CreateDatabase(p);
  {
    CBorviDbs setup(&p.path);
    ASSERT_EQ(setup.Init(0, 0), 0);
    for (const char* id : {"X", "Y", "Z"}) ASSERT_EQ(Append(setup, Borehole(id)), 0);
  }
  CBorviDbs a(&p.path), b(&p.path);
  ASSERT_EQ(a.Init(0, 0), 0);
  ASSERT_EQ(b.Init(0, 0), 0);
  char y[] = "Y";
  ASSERT_EQ(a.Findid(y, -1), 0);
  ASSERT_EQ(a.Delete(), 0);
  // b keeps a record it has not written yet, and the one it writes now.
  bhdbstype fresh = ToRecord(Borehole("NEW"));
  b.Ny(1, &fresh);
  char x[] = "X";
  ASSERT_EQ(b.Findid(x, -1), 0);
  b.Get_aktel()->z = 42;
  Messages log;
  ASSERT_EQ(b.Uppdat(1, nullptr, 1), 0);
  EXPECT_EQ(Ids(b), (std::vector<std::string>{"X", "Z", "NEW"}));
  EXPECT_EQ(Offsets(b), (std::vector<int>{500, 624, 0}));
  EXPECT_EQ(b.m_huv.antdel, 1);
  EXPECT_EQ(b.m_huv.antbh, 2);
}

TEST(DbsSync, RenamedRecordIsAskedAbout) {
  for (int answer : {geoproj::kIdYes, geoproj::kIdNo}) {
    SCOPED_TRACE(answer);
    Project p;
    CreateDatabase(p);
    {
      CBorviDbs setup(&p.path);
      ASSERT_EQ(setup.Init(0, 0), 0);
      ASSERT_EQ(Append(setup, Borehole("OLD")), 0);
    }
    CBorviDbs a(&p.path), b(&p.path);
    ASSERT_EQ(a.Init(0, 0), 0);
    ASSERT_EQ(b.Init(0, 0), 0);
    a.Home();
    std::strcpy(a.Get_aktel()->id, "NEU");
    ASSERT_EQ(a.Uppdat(1, nullptr, 1), 0);
    b.Home();
    b.Get_aktel()->z = 9;
    Messages log({answer});
    ASSERT_EQ(b.Uppdat(1, nullptr, 1), 0);
    ASSERT_EQ(log.shown().size(), 1u);
    EXPECT_EQ(log.shown()[0].text,
              "Hittar inte Id OLD!\nDet tycks vara omd\xF6pt till NEU.\nSka Id \xE4ndras fr\xE5n OLD "
              "till NEU?");
    EXPECT_EQ(log.shown()[0].caption, "Kontroll av databas");
    EXPECT_EQ(log.shown()[0].flags, geoproj::kMbYesNo | geoproj::kMbIconExclamation);
    const std::string bytes = p.bytes();
    if (answer == geoproj::kIdYes) {
      EXPECT_EQ(Ids(b), std::vector<std::string>{"NEU"});
      EXPECT_EQ(bytes.size(), 562u);
      EXPECT_EQ(bytes.substr(500, kRec), RecordBytes(Borehole("NEU", 0, 0, 9)));
    } else {
      // The old name stays a record of its own; the renamed one is not overwritten.
      EXPECT_EQ(Ids(b), (std::vector<std::string>{"OLD", "NEU"}));
      EXPECT_EQ(bytes.substr(500, kRec), RecordBytes(Borehole("NEU")));
      EXPECT_EQ(bytes.substr(562, kRec), RecordBytes(Borehole("OLD", 0, 0, 9)));
    }
  }
}

// --- several processes ---

constexpr int kChildren = 4;
constexpr int kPerChild = 50;

std::string ChildId(int child, int k) { return geoproj::Format("P%dR%02d", child, k); }

// Runs only inside a child started by the test below.
TEST(DbsProcesses, DISABLED_ChildAppendsRecords) {
  const char* dir = std::getenv("GEOPROJ_DBS_CHILD_DIR");
  const char* child = std::getenv("GEOPROJ_DBS_CHILD");
  if (!dir || !child) return;
  Messages quiet;
  CProjPath path;
  path.SetPath(dir);
  // Start together with the other children, so that the writers really meet.
  const std::string go = geoproj::JoinPath(dir, "go");
  for (int wait = 0; wait < 10000 && !geoproj::FileExists(go); ++wait) geoproj::SleepMs(1);
  CBorviDbs db(&path);
  // A writer that cannot get the lock within its second gives up; the caller tries again.
  int rc = -1;
  for (int attempt = 0; attempt < 100 && rc != 0; ++attempt) rc = db.Init(0, 0);
  ASSERT_EQ(rc, 0);
  const int n = std::atoi(child);
  for (int k = 0; k < kPerChild; ++k) {
    bhdbstype rec = ToRecord(Borehole(ChildId(n, k), n * 1000 + k, k));
    db.Ny(1, &rec);
    rc = -1;
    for (int attempt = 0; attempt < 100 && rc != 0; ++attempt) rc = db.Uppdat(1, nullptr, 1);
    ASSERT_EQ(rc, 0);
    geoproj::SleepMs(3 + k % 5);  // leave the lock free a while, as a user between saves does
  }
}

TEST(DbsProcesses, ConcurrentWritersKeepEveryRecordOnce) {
  Project p;
  CreateDatabase(p);
  std::vector<std::string> env_text;
  for (char** e = environ; *e; ++e) env_text.emplace_back(*e);
  env_text.push_back("GEOPROJ_DBS_CHILD_DIR=" + p.dir.path());
  posix_spawn_file_actions_t quiet_output;
  posix_spawn_file_actions_init(&quiet_output);
  posix_spawn_file_actions_addopen(&quiet_output, 1, "/dev/null", O_WRONLY, 0);
  std::vector<pid_t> pids;
  for (int child = 0; child < kChildren; ++child) {
    std::vector<std::string> env = env_text;
    env.push_back("GEOPROJ_DBS_CHILD=" + std::to_string(child));
    std::vector<char*> envp;
    for (auto& e : env) envp.push_back(e.data());
    envp.push_back(nullptr);
    std::string exe = GEOPROJ_TESTS_EXE;
    std::string all = "--gtest_also_run_disabled_tests";
    std::string filter = "--gtest_filter=DbsProcesses.DISABLED_ChildAppendsRecords";
    char* argv[] = {exe.data(), all.data(), filter.data(), nullptr};
    pid_t pid = 0;
    ASSERT_EQ(posix_spawn(&pid, exe.c_str(), &quiet_output, nullptr, argv, envp.data()), 0);
    pids.push_back(pid);
  }
  posix_spawn_file_actions_destroy(&quiet_output);
  p.dir.write("go", "");
  for (pid_t pid : pids) {
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "child status " << status;
  }
  EXPECT_FALSE(p.dir.exists("Solumbra.dbk"));

  const int total = kChildren * kPerChild;
  const std::string bytes = p.bytes();
  EXPECT_EQ(bytes.size(), kFirst + total * kRec);
  EXPECT_EQ(GetI32(bytes, kEndPos), static_cast<int>(kFirst + total * kRec));
  EXPECT_EQ(GetI16(bytes, kAntBh), total);
  EXPECT_EQ(GetI16(bytes, kAntDel), 0);
  std::multiset<std::string> on_disk;
  for (int i = 0; i < total; ++i) on_disk.insert(bytes.substr(kFirst + i * kRec, 8).c_str());
  std::multiset<std::string> wanted;
  for (int child = 0; child < kChildren; ++child)
    for (int k = 0; k < kPerChild; ++k) wanted.insert(ChildId(child, k));
  EXPECT_EQ(on_disk, wanted);

  Messages log;
  CBorviDbs db(&p.path);
  ASSERT_EQ(db.Init(0, 0), 0);
  EXPECT_TRUE(log.shown().empty());  // counters agree with the records
  int count = 0;
  db.Where(&count);
  EXPECT_EQ(count, total);
}

}  // namespace
