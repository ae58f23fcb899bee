// The line database file: creation, round trips, packing, the version rule and damaged files.
#include <gtest/gtest.h>

#include <cfloat>
#include <string>
#include <vector>

#include <geoproj/platform/files.h>

#include "lines/kvar_test_util.h"
#include "lines/kvar_texts.h"
#include "support/status_log.h"

namespace {

using namespace kvartest;
using dbstest::Messages;

const std::string kReadTitle = "Inl\xE4sning av Kvartolin - databas";
const std::string kUpdateTitle = "Uppdatering av Kvartolin - databas";
constexpr unsigned kWarn = geoproj::kMbOk | geoproj::kMbIconExclamation;

class KvarDbs : public ::testing::Test {
 protected:
  void SetUp() override { geoproj::lines::g_stopPauseMs = 0; }
  void TearDown() override { geoproj::lines::g_stopPauseMs = 300; }
  Project p;
};

const std::vector<Obj> kThree = {
    {5, "L1", "L1", 100.0, 200.0, 10.0, 50.0, 60.0, 2.0},
    {2, "H7", "H7", 90.0, 250.0, 5.0, 5.0, 5.0, 0.0},
    {5, "10", "LINJE10", 120.0, 180.0, 12.0, 1.0, 1.0, 1.0},
};

TEST_F(KvarDbs, NewDatabaseHoldsOnlyItsHeader) {
  Messages log;
  CKvarBvDbs db(&p.path, nullptr);
  ASSERT_EQ(db.Init(0, 1), 0);
  const std::string b = p.bytes();
  ASSERT_EQ(b.size(), kHeader);
  EXPECT_EQ(std::string(b.c_str() + kVer), "1.5");
  EXPECT_EQ(GetF64(b, kVerDec), 0.5);
  EXPECT_EQ(GetI32(b, kEndPos), 600);
  for (std::size_t at : {kXMin, kYMin, kZMin}) EXPECT_EQ(GetF64(b, at), DBL_MAX);
  for (std::size_t at : {kXMax, kYMax, kZMax}) EXPECT_EQ(GetF64(b, at), -DBL_MAX);
  EXPECT_EQ(std::string(b.c_str() + kKoord), "RAK");
  EXPECT_EQ(std::string(b.c_str() + kRiktning), "NORR");
  EXPECT_EQ(std::string(b.c_str() + kSkapad), TodayYmd());
  std::string folder;
  geoproj::SplitPath(p.dir.path().c_str(), nullptr, &folder);
  EXPECT_EQ(std::string(b.c_str() + kNamn), folder.substr(0, 35));
  EXPECT_FALSE(p.dir.exists("KVARTOLI.SDBK"));
  EXPECT_TRUE(log.shown().empty());
}

TEST_F(KvarDbs, NewDatabaseTakesTheGivenName) {
  CKvarBvDbs db(&p.path, nullptr);
  ASSERT_EQ(db.Init(0, 1, nullptr, "Kartan \xF6ver allt med ett mycket l\xE5ngt namn som inte ryms"), 0);
  const std::string b = p.bytes();
  EXPECT_EQ(std::string(b.c_str() + kNamn), std::string("Kartan \xF6ver allt med ett mycket l\xE5n"));
}

TEST_F(KvarDbs, CreatingOverAnExistingDatabaseIsRefused) {
  p.write(FileOf(kThree));
  Messages log;
  CKvarBvDbs db(&p.path, nullptr);
  EXPECT_EQ(db.Init(0, 1), -1);
  EXPECT_EQ(log.texts(), (std::vector<std::string>{"Databasen finns redan !",
                                                    "Kan ej \xF6ppna databas: " + p.db()}));
  EXPECT_EQ(p.bytes(), FileOf(kThree));
  EXPECT_FALSE(p.dir.exists("KVARTOLI.SDBK"));
}

TEST_F(KvarDbs, ReadsEveryFieldAtItsOffset) {
  p.write(FileOf(kThree));
  CKvarBvDbs db(&p.path, nullptr);
  ASSERT_EQ(db.Init(1, 0), 0);
  EXPECT_EQ(Ids(db), (std::vector<std::string>{"L1", "H7", "10"}));
  EXPECT_EQ(Offsets(db), (std::vector<int>{600, 724, 848}));
  db.Home();
  const sadbstype& r = *db.Get_aktel();
  EXPECT_EQ(r.typ, 5);
  EXPECT_EQ(r.objekt, 7);
  EXPECT_EQ(r.kopptyp, -1);
  EXPECT_EQ(r.flagg, 0x40);
  EXPECT_EQ(r.x, 100.0);
  EXPECT_EQ(r.objv[1], -2.5);
  EXPECT_EQ(r.dy, 60.0);
  EXPECT_STREQ(r.fil, "L1");
  EXPECT_STREQ(r.koppid, "LINKED");
  EXPECT_EQ(db.m_huv.antal, 3);
  EXPECT_EQ(db.m_huv.anttyp[4], 2);
  EXPECT_EQ(db.m_huv.anttyp[1], 1);
  EXPECT_EQ(db.m_huv.endpos, 972);
  EXPECT_FALSE(db.GetReadReport().Damaged());
}

// Every record written back unchanged leaves the file as it was, unused bytes and all.
TEST_F(KvarDbs, RewritingEveryRecordKeepsTheFileByteForByte) {
  const std::string before = FileOf(kThree);
  p.write(before);
  CKvarBvDbs db(&p.path, nullptr);
  ASSERT_EQ(db.Init(0, 0), 0);
  for (int rc = db.Home(); rc == 0; rc = db++ ? 0 : -1) ASSERT_EQ(db.Uppdat(1), 0);
  EXPECT_EQ(p.bytes(), before);
  EXPECT_TRUE(p.dir.exists("TMPPROG.PB$"));
  EXPECT_FALSE(p.dir.exists("KVARTOLI.SDBK"));
}

TEST_F(KvarDbs, RecordsAddedAreWhatAnotherReaderFinds) {
  {
    CKvarBvDbs db(&p.path, nullptr);
    ASSERT_EQ(db.Init(0, 1), 0);
    ASSERT_EQ(Append(db, Record(5, "l1", 100, 200, 10)), 0);
    ASSERT_EQ(Append(db, Record(2, "H2", 50, 300, 0)), 0);
  }
  const std::string b = p.bytes();
  ASSERT_EQ(b.size(), 600 + 2 * kRec);
  EXPECT_EQ(GetI32(b, kAntal), 2);
  EXPECT_EQ(GetI32(b, kAntTyp + 4 * 4), 1);
  EXPECT_EQ(GetI32(b, kAntTyp + 4 * 1), 1);
  EXPECT_EQ(GetI32(b, kEndPos), 848);
  EXPECT_EQ(GetF64(b, kXMin), 50.0);
  EXPECT_EQ(GetF64(b, kXMax), 110.0);
  EXPECT_EQ(GetF64(b, kYMax), 320.0);
  EXPECT_EQ(std::string(b.c_str() + 600 + 80), "l1");  // stored as given; lookups upper-case
  CKvarBvDbs again(&p.path, nullptr);
  ASSERT_EQ(again.Init(1, 0), 0);
  EXPECT_EQ(Offsets(again), (std::vector<int>{600, 724}));
}

TEST_F(KvarDbs, DeletingARecordInsideCountsItAndTheNextOpeningPacks) {
  {
    CKvarBvDbs db(&p.path, nullptr);
    ASSERT_EQ(db.Init(0, 1), 0);
    ASSERT_EQ(Append(db, Record(5, "A", 1, 1, 1)), 0);
    ASSERT_EQ(Append(db, Record(5, "B", 2, 2, 2)), 0);
    db.Home();
    EXPECT_EQ(db.Delete(), 0);
    EXPECT_EQ(Ids(db), std::vector<std::string>{"B"});
  }
  std::string b = p.bytes();
  EXPECT_EQ(GetI32(b, kEndPos), 848);
  EXPECT_EQ(GetI32(b, kAntDel), 1);
  EXPECT_EQ(GetI32(b, kAntal), 1);
  EXPECT_EQ(b[600], 0);
  EXPECT_EQ(b[600 + 80], 0);
  CKvarBvDbs db(&p.path, nullptr);
  Messages log;
  ASSERT_EQ(db.Init(0, 0), 0);
  EXPECT_TRUE(log.shown().empty());
  EXPECT_EQ(Offsets(db), std::vector<int>{600});
  b = p.bytes();
  EXPECT_EQ(GetI32(b, kEndPos), 724);
  EXPECT_EQ(GetI32(b, kAntDel), 0);
  EXPECT_EQ(std::string(b.c_str() + 600 + 80), "B");
  EXPECT_EQ(b.substr(724, kRec), std::string(kRec, '\0'));
  // The packed record is where the next update writes it.
  db.Home();
  db.Get_aktel()->x = 5;
  ASSERT_EQ(db.Uppdat(0), 0);
  EXPECT_EQ(GetF64(p.bytes(), 600 + 8), 5.0);
}

TEST_F(KvarDbs, DeletingTheLastRecordShrinksTheDataEnd) {
  CKvarBvDbs db(&p.path, nullptr);
  ASSERT_EQ(db.Init(0, 1), 0);
  ASSERT_EQ(Append(db, Record(5, "A")), 0);
  ASSERT_EQ(Append(db, Record(2, "B")), 0);
  EXPECT_EQ(db.Delete(), 0);
  const std::string b = p.bytes();
  EXPECT_EQ(GetI32(b, kEndPos), 724);
  EXPECT_EQ(GetI32(b, kAntDel), 0);
  EXPECT_EQ(GetI32(b, kAntal), 1);
  EXPECT_EQ(GetI32(b, kAntTyp + 4 * 1), 0);
  // The next record takes the freed slot.
  ASSERT_EQ(Append(db, Record(5, "C")), 0);
  EXPECT_EQ(Offsets(db), (std::vector<int>{600, 724}));
}

TEST_F(KvarDbs, ARecordNeverWrittenLeavesOnlyTheList) {
  CKvarBvDbs db(&p.path, nullptr);
  ASSERT_EQ(db.Init(0, 1), 0);
  const std::string before = p.bytes();
  const sadbstype r = Record(5, "A");
  db.Ny(1, &r);
  EXPECT_EQ(db.Delete(), -1);  // the list is empty now
  EXPECT_EQ(p.bytes(), before);
}

// Packing trusts the slots it freed, not a deleted count that claims more: the records past
// the data end a stopped writer left are not its to clear.
TEST_F(KvarDbs, PackingClearsOnlyTheSlotsItFreed) {
  std::vector<std::string> recs = {std::string(kRec, '\0'), RecordBytes(kThree[0])};
  std::string header = HeaderBytes({kThree[0]}, 1);
  PutI32(header, kAntDel, 5);
  std::string file = FileBytes(header, recs);
  const std::string beyond = RecordBytes(kThree[1]);
  file += beyond;
  p.write(file);
  Messages log;
  geoproj::test::StatusLog status;
  CKvarBvDbs db(&p.path, nullptr);
  ASSERT_EQ(db.Init(0, 0), 0);
  EXPECT_EQ(log.texts(), std::vector<std::string>{
                             "Fel vid packning antal=(5 1), v\xE4lj Konvertera i Arkiv."});
  const std::string b = p.bytes();
  EXPECT_EQ(GetI32(b, kEndPos), 724);
  EXPECT_EQ(b.substr(724, kRec), std::string(kRec, '\0'));
  EXPECT_EQ(b.substr(848, kRec), beyond);
}

TEST_F(KvarDbs, ReadOnlyOpeningLeavesTheFileByteForByte) {
  // Deleted records to pack, a record past the data end, a cut record and wrong counters.
  std::vector<std::string> recs = {std::string(kRec, '\0'), RecordBytes(kThree[0])};
  std::string header = HeaderBytes({kThree[0]}, 1);
  PutI32(header, kAntal, 9);
  std::string file = FileBytes(header, recs) + RecordBytes(kThree[1]) + "cut";
  p.write(file);
  Messages log;
  CKvarBvDbs db(&p.path, nullptr);
  ASSERT_EQ(db.Init(1, 0), 0);
  EXPECT_EQ(Ids(db), std::vector<std::string>{"L1"});
  EXPECT_EQ(Offsets(db), std::vector<int>{724});
  EXPECT_EQ(p.bytes(), file);
  EXPECT_FALSE(p.dir.exists("KVARTOLI.SDBK"));
  EXPECT_FALSE(p.dir.exists("TMPPROG.PB$"));
}

TEST_F(KvarDbs, ReadOnlyOpeningLeavesTheMarkerOfTheLineProgram) {
  p.write(FileOf(kThree));
  p.dir.write("TMPCAD.PB$", "");
  CKvarBvDbs db(&p.path, nullptr);
  ASSERT_EQ(db.Init(1, 0), 0);
  EXPECT_EQ(db.DbsKoll(), 1);
  ASSERT_EQ(db.Init(0, 0, p.db().c_str()), -1);  // the list is not empty
  CKvarBvDbs writer(&p.path, nullptr);
  ASSERT_EQ(writer.Init(0, 0), 0);
  EXPECT_EQ(writer.DbsKoll(), 0);
}

struct VersionCase {
  const char* text;
  double fraction;
  bool accepted;
};

class KvarDbsVersion : public KvarDbs, public ::testing::WithParamInterface<VersionCase> {};

TEST_P(KvarDbsVersion, FollowsTheVersionRule) {
  const VersionCase& c = GetParam();
  p.write(FileBytes(HeaderBytes({kThree[0]}, 0, c.text, c.fraction), {RecordBytes(kThree[0])}));
  Messages log;
  CKvarBvDbs db(&p.path, nullptr);
  if (c.accepted) {
    EXPECT_EQ(db.Init(1, 0), 0);
    EXPECT_TRUE(log.shown().empty());
    EXPECT_EQ(Ids(db), std::vector<std::string>{"L1"});
    return;
  }
  EXPECT_EQ(db.Init(1, 0), -1);
  ASSERT_EQ(log.shown().size(), 1u);
  char value[16];
  std::snprintf(value, sizeof value, "%.1lf", std::atof(c.text) + c.fraction);
  EXPECT_EQ(log.shown()[0].text, "Fel vid l\xE4sning av databas : " + p.db() +
                                     "\nFelaktig version: " + value +
                                     "\nNu g\xE4ller version: 1.5\nV\xE4lj Konvertera i Arkiv !");
  EXPECT_EQ(log.shown()[0].caption, kReadTitle);
  EXPECT_EQ(db.m_huv.endpos, 600);
  EXPECT_EQ(Ids(db), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(Versions, KvarDbsVersion,
                         ::testing::Values(VersionCase{"1.5", 0.5, true},   // written by us: 2.0
                                           VersionCase{"1.5", 0.0, true},
                                           VersionCase{"1.0", 0.0, true},
                                           VersionCase{"0.94", 0.0, true},
                                           VersionCase{"3.0", 0.0, true},   // 1.x takes any >= 0.94
                                           VersionCase{"0.9", 0.0, false},
                                           VersionCase{"0.5", 0.4, false},
                                           VersionCase{"", 0.0, false},
                                           VersionCase{"abc", 0.0, false}));

TEST_F(KvarDbs, ShortHeaderIsRefused) {
  for (std::size_t size : {0u, 1u, 100u, 323u}) {
    p.write(FileOf(kThree).substr(0, size));
    Messages log;
    CKvarBvDbs db(&p.path, nullptr);
    EXPECT_EQ(db.Init(1, 0), -4) << size;
    EXPECT_EQ(log.texts(), std::vector<std::string>{"Fel vid l\xE4sning av databas : " + p.db()});
    EXPECT_FALSE(p.dir.exists("KVARTOLI.SDBK"));
  }
}

TEST_F(KvarDbs, MissingFileIsRefused) {
  Messages log;
  CKvarBvDbs db(&p.path, nullptr);
  EXPECT_EQ(db.Exist(), 0);
  EXPECT_EQ(db.Init(1, 0), -1);
  EXPECT_EQ(log.shown().size(), 1u);
  EXPECT_EQ(log.shown()[0].text, "Kan ej \xF6ppna databas: " + p.db());
  EXPECT_EQ(log.shown()[0].caption, kReadTitle);
  EXPECT_EQ(log.shown()[0].flags, kWarn);
}

TEST_F(KvarDbs, CutRecordIsReportedWithFileAndOffset) {
  const std::string whole = FileOf(kThree);
  p.write(whole.substr(0, whole.size() - 20));
  Messages log;
  geoproj::test::StatusLog status;
  CKvarBvDbs db(&p.path, nullptr);
  ASSERT_EQ(db.Init(1, 0), 0);
  EXPECT_EQ(Ids(db), (std::vector<std::string>{"L1", "H7"}));
  EXPECT_TRUE(db.GetReadReport().cut);
  EXPECT_TRUE(db.GetReadReport().Damaged());
  EXPECT_TRUE(status.Contains(p.db() + ", offset 848: 104 bytes of a cut record dropped"));
  EXPECT_TRUE(status.Contains(p.db() + ", offset 320: data end 972 cannot be right; 848 taken instead"));
  EXPECT_EQ(log.texts(), std::vector<std::string>{
                             "Os\xE4ker linjedatabas antal=(3 2), v\xE4lj Konvertera i Arkiv."});
}

TEST_F(KvarDbs, RecordPastTheDataEndStopsReading) {
  std::string header = HeaderBytes({kThree[0]});
  std::string file = FileBytes(header, {RecordBytes(kThree[0]), RecordBytes(kThree[1]),
                                        RecordBytes(kThree[2])});
  p.write(file);
  geoproj::test::StatusLog status;
  CKvarBvDbs db(&p.path, nullptr);
  ASSERT_EQ(db.Init(1, 0), 0);
  EXPECT_EQ(Ids(db), std::vector<std::string>{"L1"});
  EXPECT_EQ(db.GetReadReport().dropped, 1);
  EXPECT_TRUE(status.Contains("Kontroll av databas: stopp p\xE5 id       H7"));
  EXPECT_TRUE(status.Contains(p.db() +
                              ", offset 724: record H7 dropped: lies past the data end; reading "
                              "stopped there"));
  // A new record goes to the data end, over the record no header took in.
  CKvarBvDbs writer(&p.path, nullptr);
  ASSERT_EQ(writer.Init(0, 0), 0);
  ASSERT_EQ(Append(writer, Record(5, "NEW")), 0);
  EXPECT_EQ(Offsets(writer), (std::vector<int>{600, 724}));
}

// A data end below the records, off their grid or past the file would put new records over the
// header or across other records.
TEST_F(KvarDbs, ImpossibleDataEndIsReplacedByTheEndOfTheRecords) {
  for (std::int64_t end : {0, 100, 650, 5000, -124}) {
    std::string header = HeaderBytes(kThree);
    PutI32(header, kEndPos, end);
    p.write(FileBytes(header, {RecordBytes(kThree[0]), RecordBytes(kThree[1]), RecordBytes(kThree[2])}));
    geoproj::test::StatusLog status;
    CKvarBvDbs db(&p.path, nullptr);
    ASSERT_EQ(db.Init(0, 0), 0) << end;
    EXPECT_EQ(Ids(db).size(), 3u) << end;
    EXPECT_TRUE(db.GetReadReport().bad_end);
    ASSERT_EQ(Append(db, Record(5, "NEW")), 0);
    EXPECT_EQ(Offsets(db).back(), 972) << end;
  }
}

TEST_F(KvarDbs, GarbageNeverCrashes) {
  std::uint32_t seed = 12345;
  auto next = [&seed] {
    seed = seed * 1103515245u + 12345u;
    return static_cast<char>(seed >> 16);
  };
  for (int round = 0; round < 40; ++round) {
    std::string bytes = FileOf(kThree);
    bytes.resize(300 + round * 37);
    for (std::size_t i = (round % 2 ? 0 : kHeader); i < bytes.size(); ++i)
      if (round % 3 == 0 || i % 7 == 0) bytes[i] = next();
    if (round % 4 == 0) {
      PutText(bytes, 0, "1.5");
      PutF64(bytes, kVerDec, 0.5);
    }
    p.write(bytes);
    Messages log;
    geoproj::test::StatusLog status;
    CKvarBvDbs db(&p.path, nullptr);
    const int rc = db.Init(round % 2, 0);
    EXPECT_TRUE(rc == 0 || rc == -1 || rc == -4) << round;
    for (int r = db.Home(); r == 0; r = db++ ? 0 : -1) {
      const sadbstype* rec = db.Get_aktel();
      EXPECT_LT(std::strlen(rec->id), sizeof rec->id);
      EXPECT_GE(rec->filpos, 600);
    }
    if (rc == 0 && round % 2 == 0) {
      ASSERT_EQ(Append(db, Record(5, "NEW")), 0);
      EXPECT_GE(Offsets(db).back(), 600);
    }
  }
}

}  // namespace
