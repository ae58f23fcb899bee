// The line database's updates, lookups, ordering, and writers in several objects and processes.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cfloat>
#include <cstdint>
#include <string>
#include <vector>

#include <geoproj/platform/files.h>

#include "lines/kvar_test_util.h"
#include "lines/kvar_texts.h"
#include "support/status_log.h"

namespace {

using namespace kvartest;
using dbstest::Messages;

const std::string kUpdateTitle = "Uppdatering av Kvartolin - databas";

class KvarUpdate : public ::testing::Test {
 protected:
  void SetUp() override {
    geoproj::lines::g_stopPauseMs = 0;
    CKvarBvDbs db(&p.path, nullptr);
    ASSERT_EQ(db.Init(0, 1), 0);
  }
  void TearDown() override { geoproj::lines::g_stopPauseMs = 300; }
  Project p;
};

TEST_F(KvarUpdate, FindidMatchesTypeAndUpperCasedIdentifier) {
  CKvarBvDbs db(&p.path, nullptr);
  ASSERT_EQ(db.Init(0, 0), 0);
  ASSERT_EQ(Append(db, Record(5, "L1")), 0);
  ASSERT_EQ(Append(db, Record(2, "H\xC5")), 0);  // records hold upper case
  ASSERT_EQ(Append(db, Record(1, "P1")), 0);
  struct Case {
    int type;
    std::string id;
    int rc;
    int pos;
  };
  for (const Case& c : std::vector<Case>{{5, "l1", 0, 1},
                                         {0, "h\xE5", 0, 2},
                                         {2, "H\xC5", 0, 2},
                                         {5, "H\xC5", -1, 3},
                                         {9, "P1", -1, 3},
                                         {0, "P1", 0, 3},
                                         {0, "P", -1, 3}}) {
    db.End();
    std::string id = c.id;
    EXPECT_EQ(db.Findid(c.type, id.data()), c.rc) << c.type << " " << c.id;
    int n = 0;
    EXPECT_EQ(db.Where(&n), c.pos) << c.id;
  }
  std::string id = "p1";
  db.Findid(9, id.data());
  EXPECT_EQ(id, "p1");  // refused before it is touched
}

TEST_F(KvarUpdate, FindobjAndFindNuel) {
  CKvarBvDbs db(&p.path, nullptr);
  ASSERT_EQ(db.Init(0, 0), 0);
  ASSERT_EQ(Append(db, Record(5, "A")), 0);
  ASSERT_EQ(Append(db, Record(2, "B")), 0);
  EXPECT_EQ(db.Findobj(2, 724), 0);
  EXPECT_STREQ(db.Get_aktel()->id, "B");
  EXPECT_EQ(db.Findobj(5, 724), -1);
  db.Home();
  const sadbstype* first = db.Get_aktel();
  db.End();
  EXPECT_EQ(db.FindNuel(reinterpret_cast<unsigned long>(first)), 0);
  EXPECT_EQ(db.Get_aktel(), first);
  sadbstype elsewhere{};
  EXPECT_EQ(db.FindNuel(reinterpret_cast<unsigned long>(&elsewhere)), -1);
  EXPECT_EQ(db.Get_aktel(), first);
}

TEST_F(KvarUpdate, SortvalOrdersByLeadingNumberThenText) {
  CKvarBvDbs db(&p.path, nullptr);
  ASSERT_EQ(db.Init(0, 0), 0);
  for (const char* id : {"10", "A", "9", "b", "9X"}) {
    const sadbstype r = Record(5, id);
    db.Ny(1, &r);
  }
  ASSERT_EQ(db.Sortera(1), 0);
  EXPECT_EQ(Ids(db), (std::vector<std::string>{"9", "9X", "10", "A", "b"}));
  ASSERT_EQ(db.Sortera(-1), 0);
  std::vector<std::string> ids = Ids(db);
  // Descending by number; equal numbers trade places (a non-number counts as 99999999).
  EXPECT_EQ(std::vector<std::string>(ids.begin(), ids.begin() + 2), (std::vector<std::string>{"b", "A"}));
  EXPECT_EQ(ids[2], "10");
  ASSERT_EQ(db.Sortera(2), 0);
  EXPECT_EQ(Ids(db), ids);
}

TEST_F(KvarUpdate, BoundingBoxSkipsPointRecordsWithoutPlace) {
  CKvarBvDbs db(&p.path, nullptr);
  ASSERT_EQ(db.Init(0, 0), 0);
  ASSERT_EQ(Append(db, Record(5, "L", 100, 200, 10)), 0);  // 100..110, 200..220, 10..11
  ASSERT_EQ(Append(db, Record(6, "SIX", -500, -500, -500)), 0);
  ASSERT_EQ(Append(db, Record(1, "P0", 0, 0, 0)), 0);
  ASSERT_EQ(Append(db, Record(2, "H", 90, 210, 12)), 0);  // 90..100, 210..230, 12..13
  const std::string b = p.bytes();
  EXPECT_EQ(GetF64(b, kXMin), 90.0);
  EXPECT_EQ(GetF64(b, kXMax), 110.0);
  EXPECT_EQ(GetF64(b, kYMin), 200.0);
  EXPECT_EQ(GetF64(b, kYMax), 230.0);
  EXPECT_EQ(GetF64(b, kZMin), 10.0);
  EXPECT_EQ(GetF64(b, kZMax), 13.0);
}

TEST_F(KvarUpdate, XYZRecomputesTheBoxFromAllRecords) {
  CKvarBvDbs db(&p.path, nullptr);
  ASSERT_EQ(db.Init(0, 0), 0);
  ASSERT_EQ(Append(db, Record(5, "FAR", -1000, -1000, -50)), 0);
  ASSERT_EQ(Append(db, Record(5, "L", 100, 200, 10)), 0);
  db.Home();
  ASSERT_EQ(db.DeletePost(), 0);  // from the list only
  db.End();
  ASSERT_EQ(db.XYZ(), 0);
  int n = 0;
  EXPECT_EQ(db.Where(&n), 1);
  const std::string b = p.bytes();
  EXPECT_EQ(GetF64(b, kXMin), 100.0);
  EXPECT_EQ(GetF64(b, kXMax), 110.0);
  EXPECT_EQ(GetF64(b, kZMin), 10.0);
  // Only records without place: every value 0.
  db.Home();
  db.Get_aktel()->typ = 6;
  ASSERT_EQ(db.XYZ(), 0);
  for (std::size_t at : {kXMin, kXMax, kYMin, kYMax, kZMin, kZMax}) EXPECT_EQ(GetF64(p.bytes(), at), 0.0);
}

TEST_F(KvarUpdate, ReadOnlyObjectRefusesWritesAndKeepsItsRecords) {
  {
    CKvarBvDbs w(&p.path, nullptr);
    ASSERT_EQ(w.Init(0, 0), 0);
    ASSERT_EQ(Append(w, Record(5, "A")), 0);
  }
  const std::string before = p.bytes();
  CKvarBvDbs db(&p.path, nullptr);
  ASSERT_EQ(db.Init(1, 0), 0);
  Messages log;
  db.Home();
  EXPECT_EQ(db.Uppdat(0), -3);
  EXPECT_EQ(db.Delete(), -3);
  EXPECT_EQ(db.DeleteId(), -3);
  EXPECT_EQ(Ids(db), std::vector<std::string>{"A"});
  EXPECT_EQ(db.m_huv.antal, 1);
  EXPECT_EQ(db.Tempfil(0), -3);
  ASSERT_EQ(log.shown().size(), 3u);
  EXPECT_EQ(log.shown()[0].text, "Kan ej \xF6ppna databas : " + p.db() + "\nBeh\xF6righet: Read only !");
  EXPECT_EQ(log.shown()[0].caption, kUpdateTitle);
  EXPECT_EQ(p.bytes(), before);
  EXPECT_TRUE(p.dir.exists("KVARTOLI.SDBS"));
}

TEST_F(KvarUpdate, UppdatWithoutCurrentRecord) {
  CKvarBvDbs db(&p.path, nullptr);
  ASSERT_EQ(db.Init(0, 0), 0);
  EXPECT_EQ(db.Uppdat(0), -1);
  EXPECT_EQ(db.Uppdat(3), -1);
  EXPECT_EQ(db.Uppdat(2), 0);
}

TEST_F(KvarUpdate, DeleteIdRemovesTheObjectFileOnlyForLinesAndOutcrops) {
  const std::string dbf = geoproj::JoinPath(p.dir.path(), CProjPath::BorvDbfKat);
  ASSERT_EQ(mkdir(dbf.c_str(), 0755), 0);
  p.dir.write(geoproj::JoinPath(CProjPath::BorvDbfKat, "L1.LJE"), "line");
  p.dir.write(geoproj::JoinPath(CProjPath::BorvDbfKat, "H1.LAD"), "outcrop");
  p.dir.write(geoproj::JoinPath(CProjPath::BorvDbfKat, "P1.LJE"), "other");
  CKvarBvDbs db(&p.path, nullptr);
  ASSERT_EQ(db.Init(0, 0), 0);
  ASSERT_EQ(Append(db, Record(5, "L1")), 0);
  ASSERT_EQ(Append(db, Record(2, "H1")), 0);
  ASSERT_EQ(Append(db, Record(1, "P1")), 0);
  EXPECT_EQ(db.DeleteId(), 0);  // a point: nothing happens
  EXPECT_EQ(Ids(db).size(), 3u);
  std::string id = "H1";
  ASSERT_EQ(db.Findid(2, id.data()), 0);
  EXPECT_EQ(db.DeleteId(), 0);
  id = "L1";
  ASSERT_EQ(db.Findid(5, id.data()), 0);
  EXPECT_EQ(db.DeleteId(), 0);
  EXPECT_EQ(Ids(db), std::vector<std::string>{"P1"});
  EXPECT_FALSE(p.dir.exists(geoproj::JoinPath(CProjPath::BorvDbfKat, "L1.LJE")));
  EXPECT_FALSE(p.dir.exists(geoproj::JoinPath(CProjPath::BorvDbfKat, "H1.LAD")));
  EXPECT_TRUE(p.dir.exists(geoproj::JoinPath(CProjPath::BorvDbfKat, "P1.LJE")));
  const std::string b = p.bytes();
  EXPECT_EQ(GetI32(b, kAntal), 1);
  EXPECT_EQ(GetI32(b, kAntDel), 2);
}

TEST_F(KvarUpdate, TempfilStartsAnEmptyFileWithTheHeaderTexts) {
  CKvarBvDbs db(&p.path, nullptr);
  ASSERT_EQ(db.Init(0, 0, nullptr), 0);
  ASSERT_EQ(Append(db, Record(5, "A")), 0);
  ASSERT_EQ(Append(db, Record(5, "B")), 0);
  const std::string before = p.bytes();
  ASSERT_EQ(db.Tempfil(0), 0);
  EXPECT_EQ(p.dir.read("temp.sdbs"), before);
  std::string b = p.bytes();
  ASSERT_EQ(b.size(), kHeader);
  EXPECT_EQ(GetI32(b, kAntal), 0);
  EXPECT_EQ(GetI32(b, kAntTyp + 16), 0);
  EXPECT_EQ(GetI32(b, kEndPos), 600);
  EXPECT_EQ(b.substr(0, 220), before.substr(0, 220));
  EXPECT_FALSE(p.dir.exists("KVARTOLI.SDBK"));
  // A database nothing was added to after Tempfil opens without complaint.
  {
    Messages log;
    CKvarBvDbs fresh(&p.path, nullptr);
    ASSERT_EQ(fresh.Init(1, 0), 0);
    EXPECT_TRUE(log.shown().empty());
  }
  db.Home();
  db.Get_aktel()->filpos = 0;
  ASSERT_EQ(db.Uppdat(0), 0);
  EXPECT_EQ(GetI32(p.bytes(), kEndPos), 724);
  ASSERT_EQ(db.Tempfil(1), 0);
  EXPECT_FALSE(p.dir.exists("temp.sdbs"));
}

TEST_F(KvarUpdate, ArkinitReadsAnEmptyListAndOpensOnce) {
  CKvarBvDbs db(&p.path, nullptr);
  EXPECT_EQ(db.Arkinit(nullptr), 0);
  EXPECT_EQ(db.IsReadOnly(), 0);
  const sadbstype r = Record(5, "A");
  db.Ny(1, &r);
  EXPECT_EQ(db.Arkinit(nullptr), 0);
  EXPECT_EQ(db.Arkinit(nullptr), -1);
  EXPECT_EQ(db.Uppdat(0), 0);  // opened again under the lock
  EXPECT_EQ(Offsets(db), std::vector<int>{600});
  Messages log;
  CKvarBvDbs missing(&p.path, nullptr);
  EXPECT_NE(missing.Arkinit(p.dir.file("none.sdbs").c_str()), 0);
}

TEST(KvarBhdNull, ResetsTheHostRecord) {
  kvarbvbhdtype r;
  std::memset(&r, 0x5A, sizeof r);
  EXPECT_EQ(CKvarBvDbs::BhdNull(&r), 0);
  EXPECT_EQ(r.x, 0.0);
  EXPECT_EQ(r.dz, 0.0);
  EXPECT_EQ(r.antal, 0);
  EXPECT_EQ(r.index1, -1);
  EXPECT_EQ(r.index2, -1);
  EXPECT_EQ(r.lutning, 90.0);
}

TEST_F(KvarUpdate, HeldLockMakesInitFailAndStaysInPlace) {
  p.dir.write("KVARTOLI.SDBK", "held elsewhere");
  Messages log;
  CKvarBvDbs db(&p.path, nullptr);
  EXPECT_EQ(db.Init(1, 0), -1);
  EXPECT_TRUE(db.LockWasBusy());
  EXPECT_EQ(log.texts(), std::vector<std::string>{"Kan ej \xF6ppna databas: " + p.db()});
  EXPECT_EQ(p.dir.read("KVARTOLI.SDBK"), "held elsewhere");
  const sadbstype r = Record(5, "A");
  db.Ny(1, &r);
  db.ChangeReadWriteAccess(0);
  EXPECT_EQ(db.Uppdat(0), -3);
  EXPECT_EQ(p.dir.read("KVARTOLI.SDBK"), "held elsewhere");
}

// Two objects that read the same database each add records: none lands on another's.
TEST_F(KvarUpdate, TwoObjectsAddingRecordsKeepEachOthers) {
  CKvarBvDbs a(&p.path, nullptr), b(&p.path, nullptr);
  ASSERT_EQ(a.Init(0, 0), 0);
  ASSERT_EQ(b.Init(0, 0), 0);
  ASSERT_EQ(Append(a, Record(5, "A1", 10, 10, 1)), 0);
  ASSERT_EQ(Append(b, Record(5, "B1", -10, -10, -1)), 0);
  ASSERT_EQ(Append(a, Record(2, "A2", 20, 20, 2)), 0);
  b.Home();
  ASSERT_EQ(b.Delete(), -1);
  CKvarBvDbs c(&p.path, nullptr);
  ASSERT_EQ(c.Init(1, 0), 0);
  EXPECT_EQ(Ids(c), (std::vector<std::string>{"A1", "A2"}));
  EXPECT_EQ(c.m_huv.antal, 2);
  EXPECT_EQ(c.m_huv.antdel, 1);
  EXPECT_EQ(c.m_huv.xmin, -10.0);
  EXPECT_EQ(c.m_huv.xmax, 30.0);
}

// A header another program left damaged while this object held the list: its counters are
// taken over, a data end that cannot be right is not.
TEST_F(KvarUpdate, DamagedCountersOfAnotherWriterAreNotFollowedOverTheHeader) {
  CKvarBvDbs db(&p.path, nullptr);
  ASSERT_EQ(db.Init(0, 0), 0);
  ASSERT_EQ(Append(db, Record(5, "A")), 0);
  std::string b = p.bytes();
  PutI32(b, kAntal, 0x7FFFFFFF);
  PutI32(b, kAntTyp + 4 * 4, 0x7FFFFFFF);
  PutI32(b, kEndPos, 100);
  p.write(b);
  ASSERT_EQ(Append(db, Record(5, "B")), 0);
  EXPECT_EQ(Offsets(db), (std::vector<int>{600, 724}));
  b = p.bytes();
  EXPECT_EQ(GetI32(b, kAntal), INT32_MIN);  // wrapped, never undefined
  EXPECT_EQ(GetI32(b, kEndPos), 848);
  EXPECT_EQ(std::string(b.c_str() + 724 + 80), "B");
}

// Processes appending at once through the lock file: every record lands in its own slot.
TEST_F(KvarUpdate, ProcessesAppendingAtOnceLoseNothing) {
  constexpr int kPerProcess = 25;
  constexpr int kProcesses = 3;
  std::vector<pid_t> children;
  for (int c = 0; c < kProcesses; ++c) {
    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      int failures = 0;
      geoproj::SetMessageHandler([](const std::string&, unsigned, const std::string&) { return 1; });
      CKvarBvDbs db(&p.path, nullptr);
      if (db.Init(0, 0) != 0) _exit(2);
      for (int i = 0; i < kPerProcess; ++i) {
        const std::string id = "P" + std::to_string(c) + "_" + std::to_string(i);
        sadbstype r = Record(5, id.c_str());
        db.Ny(1, &r);
        // A writer waits for the lock a bounded time; it tries again as a host would.
        while (db.Uppdat(0) != 0)
          if (++failures > 200) _exit(3);
      }
      _exit(0);
    }
    children.push_back(pid);
  }
  for (pid_t pid : children) {
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
  }
  Messages log;
  CKvarBvDbs db(&p.path, nullptr);
  ASSERT_EQ(db.Init(1, 0), 0);
  EXPECT_TRUE(log.shown().empty());
  std::vector<std::string> ids = Ids(db);
  std::sort(ids.begin(), ids.end());
  EXPECT_EQ(ids.size(), static_cast<std::size_t>(kPerProcess * kProcesses));
  EXPECT_EQ(std::unique(ids.begin(), ids.end()), ids.end());
  EXPECT_EQ(db.m_huv.antal, kPerProcess * kProcesses);
  EXPECT_EQ(db.m_huv.endpos, 600 + 124 * kPerProcess * kProcesses);
  EXPECT_FALSE(p.dir.exists("KVARTOLI.SDBK"));
}

}  // namespace
