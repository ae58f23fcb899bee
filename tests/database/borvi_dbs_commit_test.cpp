// Writers that meet: catching up with a file another writer changed or replaced, and what a
// writer killed inside an update leaves behind. Also what reading reports of a damaged file.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "database/dbs_test_util.h"
#include "support/status_log.h"

namespace {

using namespace dbstest;

constexpr const char* kCatchUp = "Fel vid uppdatering av databasen (uppdnr=";

std::string FileOf(const std::vector<Rec>& records, int uppdnr) {
  std::string h = NewHeader(static_cast<std::int64_t>(kFirst + records.size() * kRec));
  PutI16(h, kAntBh, static_cast<int>(records.size()));
  PutI32(h, kUppdnr, uppdnr);
  std::vector<std::string> bytes;
  for (const Rec& r : records) bytes.push_back(RecordBytes(r));
  return FileBytes(h, bytes);
}

TEST(DbsCatchUp, AnyOtherUpdateNumberIsCaughtUpWithBeforeWriting) {
  const struct {
    const char* what;
    int file_number;  // the number of the file the writer finds, the writer having read 5
  } cases[] = {{"another writer raised it", 6}, {"the database was replaced", 2}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Project p;
    p.write(FileOf({Borehole("A"), Borehole("B")}, 5));
    Messages log;
    CBorviDbs db(&p.path);
    ASSERT_EQ(db.Init(0, 0), 0);
    const std::string found = FileOf({Borehole("X"), Borehole("Y"), Borehole("Z")}, c.file_number);
    p.write(found);
    geoproj::test::StatusLog status;
    ASSERT_EQ(Append(db, Borehole("N")), 0);
    // A status text: the write goes on, nobody has to acknowledge anything.
    EXPECT_TRUE(log.shown().empty());
    EXPECT_TRUE(status.Contains(std::string(kCatchUp) + std::to_string(c.file_number) + "/5)"));
    const std::string bytes = p.bytes();
    EXPECT_EQ(bytes.substr(kFirst, 3 * kRec), found.substr(kFirst, 3 * kRec));
    EXPECT_EQ(bytes.substr(kFirst + 3 * kRec), RecordBytes(Borehole("N")));
    EXPECT_EQ(GetI32(bytes, kUppdnr), c.file_number + 1);
    EXPECT_EQ(GetI16(bytes, kAntBh), 4);
    EXPECT_EQ(Ids(db), (std::vector<std::string>{"N", "X", "Y", "Z"}));
  }
}

TEST(DbsCatchUp, RecordsTakeTheContentAnotherWriterGaveThem) {
  Project p;
  p.write(FileOf({Borehole("X", 1, 1, 1), Borehole("Y", 2, 2, 2)}, 0));
  Messages quiet;
  CBorviDbs a(&p.path), b(&p.path);
  ASSERT_EQ(a.Init(0, 0), 0);
  ASSERT_EQ(b.Init(0, 0), 0);
  // a moves X far out; b then changes Y only.
  a.Home();
  a.Get_aktel()->x = 100;
  a.Get_aktel()->y = -50;
  ASSERT_EQ(a.Uppdat(1, nullptr, 1), 0);
  const std::string header_after_a = p.bytes().substr(0, kHeader);
  char y[] = "Y";
  ASSERT_EQ(b.Findid(y, -1), 0);
  b.Get_aktel()->z = 7;
  ASSERT_EQ(b.Uppdat(1, nullptr, 1), 0);

  b.Home();
  EXPECT_EQ(b.Get_aktel()->x, 100);
  EXPECT_EQ(b.Get_aktel()->y, -50);
  EXPECT_EQ(b.Get_aktel()->filpos, 500);
  const std::string bytes = p.bytes();
  EXPECT_EQ(bytes.substr(500, kRec), RecordBytes(Borehole("X", 100, -50, 1)));
  EXPECT_EQ(bytes.substr(562, kRec), RecordBytes(Borehole("Y", 2, 2, 7)));
  // The extents cover the record a moved, and the header is a's, raised once more by b.
  EXPECT_EQ(GetF64(bytes, kXMax), 100);
  EXPECT_EQ(GetF64(bytes, kYMin), -50);
  EXPECT_EQ(GetI32(bytes, kUppdnr), 2);
  EXPECT_EQ(bytes.substr(kGuid, kHeader - kGuid), header_after_a.substr(kGuid));
}

// --- a writer killed between the record and the header ---

struct Update {
  const char* what;
  std::function<void(CBorviDbs&)> run;
  std::vector<std::string> committed;  // what the database holds when the header is not written
};

void FindCurrent(CBorviDbs& db, const char* id) {
  char key[9];
  std::snprintf(key, sizeof key, "%s", id);
  ASSERT_EQ(db.Findid(key, -1), 0);
}

// Every listed record holds its bytes in the file at its place.
void ExpectListedRecordsOnDisk(CBorviDbs& db, const std::string& bytes) {
  for (int rc = db.Home(); rc == 0; rc = db++ ? 0 : -1) {
    const bhdbstype& r = *db.Get_aktel();
    ASSERT_LE(r.filpos + kRec, bytes.size()) << r.id;
    EXPECT_EQ(bytes.substr(r.filpos, 9).c_str(), std::string(r.id)) << "overwritten at " << r.filpos;
  }
}

TEST(DbsKilledWriter, LeavesEveryCommittedRecordListedCountedAndSafe) {
  const Update updates[] = {
      {"new record", [](CBorviDbs& db) { ASSERT_EQ(Append(db, Borehole("N")), 0); },
       {"A", "B", "C"}},
      {"changed record",
       [](CBorviDbs& db) {
         FindCurrent(db, "B");
         db.Get_aktel()->z = 9;
         ASSERT_EQ(db.Uppdat(1, nullptr, 1), 0);
       },
       {"A", "B", "C"}},
      {"record deleted in the middle",
       [](CBorviDbs& db) {
         FindCurrent(db, "B");
         ASSERT_EQ(db.Delete(), 0);
       },
       {"A", "C"}},
      {"last record deleted",
       [](CBorviDbs& db) {
         FindCurrent(db, "C");
         ASSERT_EQ(db.Delete(), 0);
       },
       {"A", "B"}},
  };
  for (const Update& u : updates) {
    SCOPED_TRACE(u.what);
    Project p;
    Messages quiet;
    p.write(FileOf({Borehole("A"), Borehole("B"), Borehole("C")}, 0));
    const std::string before = p.bytes();
    {
      CBorviDbs writer(&p.path);
      ASSERT_EQ(writer.Init(0, 0), 0);
      u.run(writer);
    }
    // The record written, the header not yet.
    p.write(before.substr(0, kHeader) + p.bytes().substr(kHeader));
    for (int readonly : {1, 0}) {
      CBorviDbs db(&p.path);
      ASSERT_EQ(db.Init(readonly, 0), 0);
      EXPECT_EQ(Ids(db), u.committed) << "readonly " << readonly;
      EXPECT_EQ(db.m_huv.antbh, static_cast<int>(u.committed.size())) << "readonly " << readonly;
    }
    CBorviDbs next(&p.path);
    ASSERT_EQ(next.Init(0, 0), 0);
    ASSERT_EQ(Append(next, Borehole("M")), 0);
    ExpectListedRecordsOnDisk(next, p.bytes());

    CBorviDbs reopened(&p.path);
    ASSERT_EQ(reopened.Init(1, 0), 0);
    std::vector<std::string> expected = u.committed;
    expected.push_back("M");
    EXPECT_EQ(Ids(reopened), expected);
    EXPECT_EQ(reopened.m_huv.antbh, static_cast<int>(expected.size()));
    EXPECT_FALSE(reopened.GetReadReport().Damaged());
  }
}

// --- what reading reports of a damaged file ---

TEST(DbsReadReport, DroppedRecordsAreReportedWithFileAndOffsetAndCounted) {
  std::vector<Rec> twenty;
  for (int i = 0; i < 20; ++i) twenty.push_back(Borehole("R" + std::to_string(i)));
  const std::string whole = FileOf(twenty, 0);
  std::string contradicting = whole;
  contradicting[kFirst + kRec + 10] = static_cast<char>(0x80);  // R1: borehole and vane
  std::string miscounted = whole;
  PutI16(miscounted, kAntBh, 25);
  const struct {
    const char* what;
    std::string bytes;
    int read, dropped;
    bool cut;
    std::vector<std::string> statuses;
  } cases[] = {
      {"sound", whole, 20, 0, false, {}},
      {"cut to 600 bytes", whole.substr(0, 600), 1, 0, true,
       {", offset 562: 38 bytes of a cut record dropped"}},
      {"contradicting kinds", contradicting, 19, 1, false,
       {", offset 562: record R1 dropped: its kinds contradict each other"}},
      {"header counting more", miscounted, 20, 0, false, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Project p;
    p.write(c.bytes);
    Messages quiet;
    geoproj::test::StatusLog status;
    CBorviDbs db(&p.path);
    ASSERT_EQ(db.Init(1, 0), 0);
    const CBorviDbs::ReadReport& report = db.GetReadReport();
    EXPECT_EQ(report.read_records, c.read);
    EXPECT_EQ(report.header_records, c.bytes == miscounted ? 25 : 20);
    EXPECT_EQ(report.dropped, c.dropped);
    EXPECT_EQ(report.cut, c.cut);
    EXPECT_EQ(report.Damaged(), c.bytes != whole);
    std::vector<std::string> expected;
    for (const std::string& s : c.statuses) expected.push_back(p.db() + s);
    EXPECT_EQ(status.shown(), expected);
    EXPECT_EQ(p.bytes(), c.bytes) << "a read-only reading writes nothing";
  }
}

}  // namespace
