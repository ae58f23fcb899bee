// The database file: header and record layout, version rule, reading rules, damaged files.
#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "database/dbs_test_util.h"

namespace {

using namespace dbstest;

TEST(DbsFile, NewDatabaseIsExactlyTheHeader) {
  Project p;
  Messages log;
  CBorviDbs db(&p.path);
  ASSERT_EQ(db.Init(0, 1), 0);
  EXPECT_EQ(p.bytes(), NewHeader(500));
  EXPECT_FALSE(p.dir.exists("Solumbra.dbk"));
  EXPECT_TRUE(log.shown().empty());
}

TEST(DbsFile, FirstRecordLandsAtOffset500) {
  Project p;
  Messages log;
  { CBorviDbs create(&p.path); ASSERT_EQ(create.Init(0, 1), 0); }
  CBorviDbs db(&p.path);
  ASSERT_EQ(db.Init(0, 0), 0);
  db.Ny(1, nullptr);
  bhdbstype* r = db.Get_aktel();
  std::strcpy(r->id, "b1");
  r->bit.b[0] = 0x01;
  r->x = 100.5;
  r->y = 200.25;
  r->z = 10.0;
  r->djup = 12.5f;
  r->stopp = 93;
  ASSERT_EQ(db.Uppdat(1, nullptr, 1), 0);
  EXPECT_EQ(r->filpos, 500);

  const std::string actual = p.bytes();
  std::string header = NewHeader(562);
  PutI16(header, kAntBh, 1);
  for (auto at : {kSekMin, kSekMax}) PutF64(header, at, 9999999.9);
  for (auto at : {kXMin, kXMax}) PutF64(header, at, 100.5);
  for (auto at : {kYMin, kYMax}) PutF64(header, at, 200.25);
  for (auto at : {kZMin, kZMax}) PutF64(header, at, 10.0);
  PutI32(header, kUppdnr, 1);
  PutI16(header, kGuidFlag, 1);
  // The identifier is random: taken from the file, checked to be set.
  ASSERT_EQ(actual.size(), 562u);
  header.replace(kGuid, 44, actual.substr(kGuid, 44));
  EXPECT_NE(actual.substr(kGuid, 44), std::string(44, '\0'));
  Rec expected = Borehole("B1", 100.5, 200.25, 10.0);
  expected.djup = 12.5f;
  expected.stopp = 93;
  EXPECT_EQ(actual, FileBytes(header, {RecordBytes(expected)}));
}

TEST(DbsFile, EveryHeaderFieldIsReadAndWrittenAtItsOffset) {
  Project p;
  std::string h = NewHeader(500);
  PutText(h, 6, "Bor\x86");        // contractor, with a DOS letter
  PutText(h, 37, "Projekt \x94");  // project name
  PutText(h, 73, "P-12");
  PutText(h, 97, "Anm1");
  PutText(h, 133, "Anm2");
  PutText(h, 169, "Handl \x9B");
  PutText(h, 190, "Ritn");
  PutText(h, 211, "RAK");
  PutI16(h, 220, 77);
  PutI16(h, kAntMil, 0);
  PutF64(h, kSekMin, 1.5);
  PutF64(h, kXMax, -2.5);
  PutF64(h, kZMin, 3.25);
  PutI32(h, kUppdnr, 41);
  PutI16(h, kSekSep, 43);
  for (int i = 0; i < 10; ++i) h[314 + i] = static_cast<char>(0xA0 + i);
  for (int i = 0; i < 9; ++i) PutI32(h, kUrval + 4 * i, 1000 + i);
  p.write(FileBytes(h, {}));

  Messages log;
  CBorviDbs db(&p.path);
  ASSERT_EQ(db.Init(0, 0), 0);
  EXPECT_STREQ(db.m_huv.entrepr, "Bor\xE5");
  EXPECT_STREQ(db.m_huv.projnamn, "Projekt \xF6");
  EXPECT_STREQ(db.m_huv.projnr, "P-12");
  EXPECT_STREQ(db.m_huv.handlaggare, "Handl \xF8");
  EXPECT_STREQ(db.m_huv.koord, "RAK");
  EXPECT_EQ(db.m_huv.seksep, 43);
  EXPECT_EQ(db.m_huv.uppdnr, 41);
  EXPECT_EQ(db.m_huv.urval[8], 1008);
  EXPECT_DOUBLE_EQ(db.m_huv.xmax, -2.5);

  db.SetGuidString("0123abcd-4567-89ef-0123-456789abcdef");
  ASSERT_EQ(db.Uppdat(4, nullptr, 1), 0);
  std::string expected = h;
  PutText(expected, 6, "Bor\xE5");
  PutText(expected, 37, "Projekt \xF6");
  PutText(expected, 169, "Handl \xF8");
  PutI32(expected, kUppdnr, 42);
  PutI16(expected, kGuidFlag, 1);
  const std::uint32_t guid[11] = {0x0123abcd, 0x4567, 0x89ef, 0x01, 0x23, 0x45,
                                  0x67,       0x89,   0xab,   0xcd, 0xef};
  for (int i = 0; i < 11; ++i) PutI32(expected, kGuid + 4 * i, guid[i]);
  EXPECT_EQ(p.bytes(), FileBytes(expected, {}));

  CBorviDbs again(&p.path);
  ASSERT_EQ(again.Init(1, 0), 0);
  EXPECT_EQ(again.GetGuidString(), "0123abcd-4567-89ef-0123-456789abcdef");
}

struct VersionCase {
  const char* text;
  double fraction;
  bool accepted;
  const char* held;  // version text held afterwards
};

TEST(DbsFile, VersionRule) {
  const VersionCase cases[] = {
      {"3.0", 0.0, true, "3.0"},  {"3.1", 0.0, true, "3.1"},   {"2.9", 0.0, true, "2.9"},
      {"2.2", 0.0, true, "3.0"},  {"2.0", 0.3, true, "3.0"},   {"1.9", 0.0, false, nullptr},
      {"2.5", 0.0, false, nullptr}, {"3.0", 0.2, false, nullptr}, {"abc", 0.0, false, nullptr},
      {"4.0", 0.0, false, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.text) + " + " + std::to_string(c.fraction));
    Project p;
    std::string h = NewHeader(562);
    PutText(h, 0, std::string(c.text) + std::string(6 - std::strlen(c.text), '\0'));
    PutF64(h, kVerDec, c.fraction);
    PutI16(h, kAntBh, 1);
    p.write(FileBytes(h, {RecordBytes(Borehole("A"))}));
    Messages log;
    CBorviDbs db(&p.path);
    const int rc = db.Init(1, 0);
    EXPECT_FALSE(p.dir.exists("Solumbra.dbk"));
    if (c.accepted) {
      EXPECT_EQ(rc, 0);
      EXPECT_STREQ(db.m_huv.ver, c.held);
      EXPECT_EQ(Ids(db), std::vector<std::string>{"A"});
      EXPECT_TRUE(log.shown().empty());
    } else {
      EXPECT_EQ(rc, -1);
      EXPECT_TRUE(Ids(db).empty());
      char found[16];
      double number = 0;
      std::sscanf(c.text, "%lf", &number);
      std::snprintf(found, sizeof found, "%.1lf", number + c.fraction);
      ASSERT_EQ(log.shown().size(), 1u);
      EXPECT_EQ(log.shown()[0].text, "Feil vid innlesning av databas : " + p.db() +
                                          "\nFelaktig version: " + found +
                                          "\nNu g\xE4ller version: 3.0\nV\xE4lj Konvertera i Arkiv !");
      EXPECT_EQ(log.shown()[0].caption, kReadTitle);
      EXPECT_EQ(log.shown()[0].flags, kWarn);
    }
  }
}

TEST(DbsRead, EmptyRecordsBeyondTheEndAreClearedOnlyWhenWritable) {
  Rec nokind = Borehole("NOKIND");
  nokind.bits[0] = 0;
  Rec stale = Borehole("STALE");
  stale.bits[0] = 0;
  std::string h = NewHeader(624);
  PutI16(h, kAntBh, 1);
  const std::string file =
      FileBytes(h, {RecordBytes(Borehole("A")), RecordBytes(nokind), RecordBytes(stale)});
  for (int readonly : {1, 0}) {
    SCOPED_TRACE(readonly);
    Project p;
    p.write(file);
    Messages log;
    CBorviDbs db(&p.path);
    ASSERT_EQ(db.Init(readonly, 0), 0);
    EXPECT_EQ(Ids(db), std::vector<std::string>{"A"});
    std::string expected = file;
    if (!readonly) expected.replace(624, kRec, std::string(kRec, '\0'));
    EXPECT_EQ(p.bytes(), expected);
    EXPECT_TRUE(log.shown().empty());
  }
}

TEST(DbsRead, RecordWithTwoKindsIsReportedAndSkipped) {
  Project p;
  Rec both = Borehole("BV");
  both.bits[1] = 0x80;  // vane as well
  std::string h = NewHeader(624);
  PutI16(h, kAntBh, 2);  // every record with the bit counts, taken or not
  PutI16(h, kAntVb, 1);
  const std::string file = FileBytes(h, {RecordBytes(both), RecordBytes(Borehole("OK"))});
  p.write(file);
  Messages log;
  CBorviDbs db(&p.path);
  ASSERT_EQ(db.Init(0, 0), 0);
  EXPECT_EQ(Ids(db), std::vector<std::string>{"OK"});
  EXPECT_EQ(Offsets(db), std::vector<int>{562});
  ASSERT_EQ(log.shown().size(), 1u);
  EXPECT_EQ(log.shown()[0].text, "Feil i database: id       BV \xE4r feilaktig");
  EXPECT_EQ(log.shown()[0].caption, kReadTitle);
  EXPECT_EQ(log.shown()[0].flags, kWarn);
  EXPECT_EQ(p.bytes(), file);
}

TEST(DbsRead, LineBitOnABoreholeIsAskedAboutOnce) {
  Rec l1 = Borehole("L1");
  l1.bits[0] = 0x09;
  Rec l2 = Borehole("L2");
  l2.bits[0] = 0x09;
  std::string h = NewHeader(686);
  PutI16(h, kAntBh, 3);
  const std::string file =
      FileBytes(h, {RecordBytes(l1), RecordBytes(Borehole("B")), RecordBytes(l2)});
  for (int answer : {geoproj::kIdYes, geoproj::kIdNo}) {
    SCOPED_TRACE(answer);
    Project p;
    p.write(file);
    Messages log({answer});
    CBorviDbs db(&p.path);
    ASSERT_EQ(db.Init(0, 0), 0);
    ASSERT_EQ(log.shown().size(), 1u);
    EXPECT_EQ(log.shown()[0].text,
              "Fel i databas: id       L1 har ocks\xE5 linjeinformation. Ta bort detta f\xF6r "
              "samtliga felaktiga?");
    EXPECT_EQ(log.shown()[0].caption, "Kontroll av databas");
    EXPECT_EQ(log.shown()[0].flags, geoproj::kMbYesNo | geoproj::kMbIconExclamation);
    std::string expected = file;
    if (answer == geoproj::kIdYes) {
      EXPECT_EQ(Ids(db), (std::vector<std::string>{"L1", "B", "L2"}));
      expected[500 + 9] = 0x01;
      expected[624 + 9] = 0x01;
      db.Home();
      EXPECT_EQ(db.Get_aktel()->bit.b[0], 0x01);
    } else {
      EXPECT_EQ(Ids(db), std::vector<std::string>{"B"});
    }
    EXPECT_EQ(p.bytes(), expected);
  }
}

TEST(DbsRead, CountersAreCorrectedFromTheRecords) {
  Rec gvr = Borehole("G");
  gvr.bits[0] = 0;
  gvr.bits[2] = 0x02;
  std::string h = NewHeader(686);
  PutI16(h, kAntBh, 5);
  PutI16(h, kAntVb, 2);
  const std::string file =
      FileBytes(h, {RecordBytes(Borehole("A")), RecordBytes(gvr), RecordBytes(Borehole("C"))});
  for (int readonly : {1, 0}) {
    SCOPED_TRACE(readonly);
    Project p;
    p.write(file);
    Messages log;
    CBorviDbs db(&p.path);
    ASSERT_EQ(db.Init(readonly, 0), 0);
    EXPECT_EQ(Ids(db).size(), 3u);
    if (readonly) {
      EXPECT_TRUE(log.shown().empty());
      EXPECT_EQ(p.bytes(), file);
      continue;
    }
    ASSERT_EQ(log.shown().size(), 1u);
    EXPECT_EQ(log.shown()[0].text,
              "Infomation i prosjektdata ej lika med inl\xE4st"
              "5 2 0 1 2 0 "
              "Projektdata har korrigerats enligt inl\xE4sta v\xE4rden");
    EXPECT_EQ(log.shown()[0].caption, kReadTitle);
    std::string expected = file;
    PutI16(expected, kAntBh, 2);
    PutI16(expected, kAntGvr, 1);
    PutI16(expected, kAntVb, 0);
    EXPECT_EQ(p.bytes(), expected);
  }
}

TEST(DbsRead, RecordBeyondTheEndStopsReadingUnlessNamedExplicitly) {
  Project p;
  std::string h = NewHeader(562);
  PutI16(h, kAntBh, 2);
  const std::string file = FileBytes(h, {RecordBytes(Borehole("A")), RecordBytes(Borehole("B"))});
  p.write(file);
  {
    Messages log;
    CBorviDbs db(&p.path);
    ASSERT_EQ(db.Init(1, 0), 0);
    EXPECT_EQ(Ids(db), std::vector<std::string>{"A"});
    ASSERT_EQ(log.shown().size(), 1u);
    EXPECT_EQ(log.shown()[0].text, "Kontroll av database: stopp p\xE5 id        B");
    EXPECT_EQ(log.shown()[0].caption, kReadTitle);
  }
  Messages log;
  CBorviDbs named(&p.path);
  ASSERT_EQ(named.Init(1, 0, p.db().c_str()), 0);
  EXPECT_EQ(Ids(named), (std::vector<std::string>{"A", "B"}));
  EXPECT_TRUE(log.shown().empty());
}

TEST(DbsRead, DeletedRecordsArePackedOutWhenOpenedWritable) {
  Rec deleted = Borehole("");
  std::string h = NewHeader(748);
  PutI16(h, kAntBh, 3);
  PutI16(h, kAntDel, 1);
  PutI32(h, kUppdnr, 7);
  const Rec a = Borehole("A", 1), c = Borehole("C", 3), d = Borehole("D", 4);
  const std::string file =
      FileBytes(h, {RecordBytes(a), RecordBytes(deleted), RecordBytes(c), RecordBytes(d)});
  {
    Project p;
    p.write(file);
    CBorviDbs db(&p.path);
    ASSERT_EQ(db.Init(1, 0), 0);
    EXPECT_EQ(Offsets(db), (std::vector<int>{500, 624, 686}));
    EXPECT_EQ(p.bytes(), file);
  }
  Project p;
  p.write(file);
  Messages log;
  CBorviDbs db(&p.path);
  ASSERT_EQ(db.Init(0, 0), 0);
  EXPECT_EQ(Ids(db), (std::vector<std::string>{"A", "C", "D"}));
  EXPECT_EQ(Offsets(db), (std::vector<int>{500, 562, 624}));
  std::string expected_header = h;
  PutI32(expected_header, kEndPos, 686);
  PutI16(expected_header, kAntDel, 0);
  PutI32(expected_header, kUppdnr, 8);
  EXPECT_EQ(p.bytes(), FileBytes(expected_header, {RecordBytes(a), RecordBytes(c), RecordBytes(d),
                                                   std::string(kRec, '\0')}));
  EXPECT_EQ(db.m_huv.endpos, 686);
  EXPECT_EQ(db.m_huv.uppdnr, 8);
  EXPECT_TRUE(log.shown().empty());
}

// --- damaged files: never a crash, the reading rules' result, nothing readable lost ---

TEST(DbsDamage, ShortHeaderIsRefused) {
  for (std::size_t length : {std::size_t{0}, std::size_t{100}, std::size_t{407}}) {
    SCOPED_TRACE(length);
    Project p;
    p.write(NewHeader(500).substr(0, length));
    Messages log;
    CBorviDbs db(&p.path);
    EXPECT_EQ(db.Init(0, 0), -4);
    ASSERT_EQ(log.shown().size(), 1u);
    EXPECT_EQ(log.shown()[0].text, "Feil vid innlesning av databas : " + p.db());
    EXPECT_FALSE(p.dir.exists("Solumbra.dbk"));
    EXPECT_EQ(p.bytes().size(), length);
  }
}

TEST(DbsDamage, TruncatedLastRecordIsDroppedAndItsPlaceReused) {
  Project p;
  std::string h = NewHeader(686);
  PutI16(h, kAntBh, 3);
  std::string file = FileBytes(
      h, {RecordBytes(Borehole("A")), RecordBytes(Borehole("B")), RecordBytes(Borehole("C"))});
  file.resize(file.size() - 10);
  p.write(file);
  Messages log;
  CBorviDbs db(&p.path);
  ASSERT_EQ(db.Init(0, 0), 0);
  EXPECT_EQ(Ids(db), (std::vector<std::string>{"A", "B"}));
  ASSERT_EQ(log.shown().size(), 1u);  // the counter correction: 3 said, 2 found
  EXPECT_NE(log.shown()[0].text.find("3 2 0 0 0 0"), std::string::npos);
  ASSERT_EQ(Append(db, Borehole("N")), 0);
  EXPECT_EQ(db.Get_aktel()->filpos, 624);
  const std::string after = p.bytes();
  ASSERT_EQ(after.size(), 686u);
  EXPECT_EQ(after.substr(624), RecordBytes(Borehole("N")));
}

TEST(DbsDamage, ImpossibleEndOffsetsLoseNothing) {
  // Below 500, off the record grid, past the file: the next record goes after the last one.
  const std::int64_t endpos_cases[] = {0, 100, -5000, 530, 100000, 0x7FFFFFFF, 1120};
  for (const std::int64_t endpos : endpos_cases) {
    SCOPED_TRACE(endpos);
    const int next = 624;
    Project p;
    std::string h = NewHeader(endpos);
    PutI16(h, kAntBh, 2);
    const std::string records[] = {RecordBytes(Borehole("A")), RecordBytes(Borehole("B"))};
    p.write(FileBytes(h, {records[0], records[1]}));
    Messages log;
    CBorviDbs db(&p.path);
    ASSERT_EQ(db.Init(0, 0), 0);
    EXPECT_EQ(Ids(db), (std::vector<std::string>{"A", "B"}));
    EXPECT_TRUE(log.shown().empty());
    ASSERT_EQ(Append(db, Borehole("N")), 0);
    EXPECT_EQ(db.Get_aktel()->filpos, next);
    const std::string after = p.bytes();
    EXPECT_EQ(after.substr(0, 3), std::string("3.0"));
    EXPECT_EQ(after.substr(500, kRec), records[0]);
    EXPECT_EQ(after.substr(562, kRec), records[1]);
    EXPECT_EQ(after.substr(next, kRec), RecordBytes(Borehole("N")));
    EXPECT_EQ(GetI32(after, kEndPos), next + static_cast<int>(kRec));
  }
}

TEST(DbsDamage, IdentifierWithoutTerminatorIsCutAtEightCharacters) {
  Project p;
  std::string h = NewHeader(562);
  PutI16(h, kAntBh, 1);
  p.write(FileBytes(h, {RecordBytes(Borehole("ABCDEFGHI"))}));
  CBorviDbs db(&p.path);
  ASSERT_EQ(db.Init(1, 0), 0);
  EXPECT_EQ(Ids(db), std::vector<std::string>{"ABCDEFGH"});
  char id[] = "abcdefghXYZ";
  EXPECT_EQ(db.Findid(id, -1), 0);
}

TEST(DbsDamage, GarbageRecordsNeverCrashAndGoodRecordsStay) {
  std::mt19937 random(20240611);
  for (int round = 0; round < 20; ++round) {
    SCOPED_TRACE(round);
    std::vector<std::string> records;
    for (int i = 0; i < 30; ++i) {
      std::string r(kRec, '\0');
      for (auto& ch : r) ch = static_cast<char>(random() & 0xFF);
      records.push_back(r);
    }
    records[7] = RecordBytes(Borehole("GOOD1"));
    records[23] = RecordBytes(Borehole("GOOD2"));
    std::string h = NewHeader(static_cast<std::int64_t>(500 + 30 * kRec));
    PutI16(h, kAntDel, round % 2);
    Project p;
    p.write(FileBytes(h, records));
    Messages log;
    CBorviDbs db(&p.path);
    ASSERT_EQ(db.Init(round % 3 == 0 ? 1 : 0, 0), 0);
    int good = 0;
    for (int rc = db.Home(); rc == 0; rc = db++ ? 0 : -1) {
      const bhdbstype* r = db.Get_aktel();
      EXPECT_LT(strnlen(r->id, sizeof r->id), sizeof r->id);
      if (std::strcmp(r->id, "GOOD1") == 0 || std::strcmp(r->id, "GOOD2") == 0) ++good;
    }
    EXPECT_EQ(good, 2);
    db.Sortera(1);
    db.Sortera(-4);
    if (round % 3 != 0) {
      EXPECT_EQ(Append(db, Borehole("NEW")), 0);
    }
    CBorviDbs again(&p.path);
    ASSERT_EQ(again.Init(1, 0), 0);
    char id[] = "GOOD2";
    EXPECT_EQ(again.Findid(id, -1), 0);
  }
}

}  // namespace
