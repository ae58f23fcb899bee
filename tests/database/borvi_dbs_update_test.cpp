// Record updates, lookups, deletion, selections and the small static helpers.
#include <gtest/gtest.h>

#include <clocale>
#include <cstring>

#include "database/dbs_test_util.h"

namespace {

using namespace dbstest;

// A project whose database holds the given records, opened writable.
struct Loaded {
  Project p;
  Messages quiet;
  CBorviDbs db{&p.path};
  explicit Loaded(const std::vector<Rec>& records = {}) {
    std::string h = NewHeader(static_cast<std::int64_t>(kFirst + records.size() * kRec));
    std::vector<std::string> bytes;
    for (const auto& r : records) bytes.push_back(RecordBytes(r));
    PutI16(h, kAntBh, static_cast<int>(records.size()));
    p.write(FileBytes(h, bytes));
    if (db.Init(0, 0) != 0) ADD_FAILURE() << "Init failed";
    quiet.clear();
  }
};

TEST(DbsUppdat, WhatEachTypWrites) {
  struct Case {
    int typ;
    bool record_written;
    bool header_written;
    bool extents;
  };
  const Case cases[] = {{0, true, false, false}, {1, true, true, true}, {2, false, true, true},
                        {3, false, true, true},  {4, false, true, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typ);
    Loaded l({Borehole("A", 1, 1, 1)});
    const std::string before = l.p.bytes();
    bhdbstype rec = ToRecord(Borehole("N", 50, 60, 70));
    l.db.Ny(1, &rec);
    ASSERT_EQ(l.db.Uppdat(c.typ, nullptr, 1), 0);
    const std::string after = l.p.bytes();
    EXPECT_EQ(after.size(), c.record_written ? 624u : 562u);
    if (c.record_written) {
      EXPECT_EQ(after.substr(562), RecordBytes(Borehole("N", 50, 60, 70)));
    }
    EXPECT_EQ(l.db.Get_aktel()->filpos, c.record_written ? 562 : 0);
    if (!c.header_written) {
      EXPECT_EQ(after.substr(0, kHeader), before.substr(0, kHeader));
      continue;
    }
    EXPECT_EQ(GetI32(after, kUppdnr), 1);
    EXPECT_EQ(GetI16(after, kGuidFlag), 1);
    EXPECT_EQ(GetI32(after, kEndPos), c.record_written ? 624 : 562);
    EXPECT_EQ(GetI16(after, kAntBh), c.record_written ? 2 : 1);
    EXPECT_EQ(GetF64(after, kXMax), c.extents ? 50.0 : 0.0);
    EXPECT_EQ(GetF64(after, kZMin), c.extents ? 1.0 : 0.0);
  }
}

TEST(DbsUppdat, ReadOnlyObjectWritesNothing) {
  Loaded l({Borehole("A")});
  const std::string before = l.p.bytes();
  l.db.ChangeReadWriteAccess(1);
  EXPECT_EQ(l.db.Uppdat(1, nullptr, 1), -3);
  EXPECT_EQ(l.db.Delete(), -1);
  EXPECT_EQ(l.db.SaveDbs(nullptr, 0), -3);
  EXPECT_TRUE(l.quiet.shown().empty());
  EXPECT_EQ(l.p.bytes(), before);
  EXPECT_EQ(Ids(l.db), std::vector<std::string>{"A"});
}

TEST(DbsUppdat, FileThatCannotBeOpenedIsReported) {
  Loaded l({Borehole("A")});
  l.p.dir.write("Solumbra.dbk", "x");
  EXPECT_EQ(l.db.Uppdat(1, nullptr, 1), -3);
  ASSERT_EQ(l.quiet.shown().size(), 1u);
  EXPECT_EQ(l.quiet.shown()[0].text, "Kan ikke opne database : " + l.p.db());
  EXPECT_EQ(l.quiet.shown()[0].caption, "Uppdatering av Solumbra - databas");
  EXPECT_EQ(l.quiet.shown()[0].flags, kWarn);
}

TEST(DbsUppdat, LowestLevelOfAnAvpPointIsItsLevelLessItsDepth) {
  Loaded l;
  Rec avp = Borehole("P1", 0, 0, 5);
  avp.bits[0] = 0x02;
  avp.djup = 2.0f;
  ASSERT_EQ(Append(l.db, Borehole("B", 0, 0, 10)), 0);
  ASSERT_EQ(Append(l.db, avp), 0);
  const std::string bytes = l.p.bytes();
  EXPECT_DOUBLE_EQ(GetF64(bytes, kZMin), 3.0);
  EXPECT_DOUBLE_EQ(GetF64(bytes, kZMax), 10.0);
}

TEST(DbsUppdat, NewRecordCountsAsExactlyOneKind) {
  struct Case {
    unsigned char b0, b1, b2;
    std::size_t counter;
  };
  const Case cases[] = {
      {0x01, 0, 0, kAntBh},    {0x02, 0, 0, kAntAvp},    {0x08, 0, 0, kAntLin},
      {0x04, 0, 0, kAntHell},  {0x00, 0, 0x08, kAntGvr}, {0x00, 0x80, 0, kAntVb},
      {0x03, 0, 0, kAntBh},    {0x0C, 0, 0, kAntLin},    {0x00, 0x80, 0x02, kAntGvr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.counter);
    Loaded l;
    Rec r = Borehole("K");
    r.bits[0] = c.b0;
    r.bits[1] = c.b1;
    r.bits[2] = c.b2;
    r.bits[4] = 0x40;  // environmental data counts besides
    ASSERT_EQ(Append(l.db, r), 0);
    const std::string bytes = l.p.bytes();
    for (std::size_t at : {kAntBh, kAntAvp, kAntLin, kAntHell, kAntGvr, kAntVb})
      EXPECT_EQ(GetI16(bytes, at), at == c.counter ? 1 : 0) << at;
    EXPECT_EQ(GetI16(bytes, kAntMil), 1);
  }
}

TEST(DbsUppdat, DatabaseIdentifierIsMadeOnTheFirstHeaderWriteAndKept) {
  Loaded l;
  EXPECT_EQ(l.db.GetGuidString(), "");
  ASSERT_EQ(Append(l.db, Borehole("A")), 0);
  const std::string id = l.db.GetGuidString();
  EXPECT_EQ(id.size(), 36u);
  ASSERT_EQ(Append(l.db, Borehole("B")), 0);
  EXPECT_EQ(l.db.GetGuidString(), id);
  const std::string before = l.p.bytes().substr(kGuid, 44);
  l.db.SetGuidString(id);
  ASSERT_EQ(l.db.Uppdat(4, nullptr, 1), 0);
  EXPECT_EQ(l.p.bytes().substr(kGuid, 44), before);
  l.db.SetGuidString("not a uuid");
  EXPECT_EQ(l.db.GetGuidString(), id);
  CBorviDbs again(&l.p.path);
  ASSERT_EQ(again.Init(1, 0), 0);
  EXPECT_EQ(again.GetGuidString(), id);
}

TEST(DbsNy, InsertedRecordIsZeroWithoutChainage) {
  Loaded l({Borehole("A"), Borehole("B")});
  l.db.End();
  ASSERT_EQ(l.db.Ny(0, nullptr), 0);
  EXPECT_EQ(Ids(l.db), (std::vector<std::string>{"A", "", "B"}));
  l.db.Home();
  l.db++;
  const bhdbstype* r = l.db.Get_aktel();
  EXPECT_EQ(r->sek, 9999999.9);
  EXPECT_EQ(std::string(r->id, 9), std::string(9, '\0'));
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(r->bit.b), 7), std::string(7, '\0'));
  for (double v : {r->x, r->y, r->z, r->avst}) EXPECT_EQ(v, 0.0);
  EXPECT_EQ(r->djup, 0.0f);
  EXPECT_EQ(r->stopp, 0);
  EXPECT_EQ(r->filpos, 0);
}

TEST(DbsFindid, FindsByUpperCasedIdentifierOrOffset) {
  Loaded l({Borehole("A1"), Borehole("B\xC5"), Borehole("C3")});
  l.db.Home();
  char id[] = "b\xE5";
  EXPECT_EQ(l.db.Findid(id, -1), 0);
  EXPECT_STREQ(id, "B\xC5");
  EXPECT_STREQ(l.db.Get_aktel()->id, "B\xC5");
  EXPECT_EQ(l.db.Findid(nullptr, 624), 0);
  EXPECT_STREQ(l.db.Get_aktel()->id, "C3");
  char missing[] = "ZZ";
  EXPECT_EQ(l.db.Findid(missing, -1), -1);
  EXPECT_STREQ(l.db.Get_aktel()->id, "C3");
  EXPECT_EQ(l.db.Where(nullptr), 3);
  l.db.Home();
  const bhdbstype* last = nullptr;
  for (int rc = l.db.Home(); rc == 0; rc = l.db++ ? 0 : -1) last = l.db.Get_aktel();
  l.db.Home();
  EXPECT_EQ(l.db.FindNuel(last), 0);
  EXPECT_STREQ(l.db.Get_aktel()->id, "C3");
  bhdbstype elsewhere{};
  EXPECT_EQ(l.db.FindNuel(&elsewhere), -1);
}

TEST(DbsFindid, IdentifiersEditedInPlaceAreFoundWhateverFollowsTheirEnd) {
  // Records renamed in place are not in the identifier index; the walk over the list finds
  // them, eight letters full, padded with zeros, or with bytes left behind their end.
  Loaded l({Borehole("A1"), Borehole("A2"), Borehole("A3"), Borehole("A4")});
  char probe[] = "A1";
  ASSERT_EQ(l.db.Findid(probe, -1), 0);  // the index is built
  const char* renamed[] = {"NEW\0\0\0\0\0", "FULL8CHR", "TAIL\0XYZ"};
  int at = 2;
  for (const char* bytes : renamed) {
    ASSERT_EQ(l.db.Home(), 0);
    for (int i = 1; i < at; ++i) l.db++;
    std::memcpy(l.db.Get_aktel()->id, bytes, 8);
    ++at;
  }
  struct Case {
    char id[9];
    int found;
    int where;
  } cases[] = {{"new", 0, 2}, {"full8chr", 0, 3}, {"tail", 0, 4}, {"TAI", -1, 0}, {"TAILX", -1, 0},
               {"FULL8CH", -1, 0}};
  for (Case& c : cases) {
    EXPECT_EQ(l.db.Findid(c.id, -1), c.found) << c.id;
    if (c.found == 0) {
      EXPECT_EQ(l.db.Where(nullptr), c.where) << c.id;
    }
  }
}

TEST(DbsKod, KindCodes) {
  struct Case {
    unsigned char b0, b1, b2;
    const char* stored;
    const char* code;
  };
  const Case cases[] = {
      {0x01, 0, 0, "", "BH"},     {0x00, 0, 0, "", "BH"},         {0x02, 0, 0, "", "AVP"},
      {0x02, 0, 0, "KP", "KP"},   {0x02, 0, 0, "ABCD", "ABC"},    {0x00, 0x80, 0, "", "VB"},
      {0x00, 0, 0x02, "", "GVR"}, {0x00, 0, 0x08, "", "MTN"},     {0x00, 0, 0x0C, "", "DUB"},
      {0x00, 0, 0x0E, "", "GVR"}, {0x00, 0x80, 0x08, "", "VB"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.code);
    Loaded l;
    bhdbstype r{};
    r.bit.b[0] = c.b0;
    r.bit.b[1] = c.b1;
    r.bit.b[2] = c.b2;
    std::memcpy(&r.djup, c.stored, std::min<std::size_t>(std::strlen(c.stored), 4));
    l.db.Ny(1, &r);
    char code[4];
    EXPECT_EQ(l.db.Kod(code), 0);
    EXPECT_STREQ(code, c.code);
  }
}

TEST(DbsText, ValidIdNamn) {
  for (const char* ok : {"B-12", "K_3+", "12345678", "b1", "+"})
    EXPECT_EQ(CBorviDbs::ValidIdNamn(ok), 0) << ok;
  for (const char* bad : {"", "123456789", "A+B", "\xC5" "1", "\xE5", "A B", "A.1", "\xE4"})
    EXPECT_EQ(CBorviDbs::ValidIdNamn(bad), -1) << bad;
}

TEST(DbsText, DatumFix) {
  struct Case {
    const char* in;
    int rc;
    const char* out;
  };
  const Case cases[] = {
      {"20190315", 0, "15.03.2019"}, {"080315", 0, "15.03.2008"}, {"190315", 0, "15.03.1919"},
      {"15.03.2019", 0, "15.03.2019"}, {"abc", -1, ""},           {"5", -1, ""},
      {"15.03.2019 kl 12", 0, "15.03.2019"}, {"000100", 0, "000100"},
      {"99999999999999999999", 0, "9999999999"}, {"2019-03-15", 0, "2019-03-15"},
  };
  for (const auto& c : cases) {
    char date[32];
    std::strcpy(date, c.in);
    EXPECT_EQ(CBorviDbs::DatumFix(date), c.rc) << c.in;
    EXPECT_STREQ(date, c.out) << c.in;
  }
}

TEST(DbsText, DecimalPointIsMadeADot) {
  const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
  for (const char* comma : {"de_DE.UTF-8", "sv_SE.UTF-8", "nb_NO.UTF-8", "de_DE"}) {
    if (std::setlocale(LC_NUMERIC, comma)) break;
  }
  EXPECT_EQ(CBorviDbs::LocaleCheckAndFix(), 0);
  EXPECT_STREQ(std::localeconv()->decimal_point, ".");
  std::setlocale(LC_NUMERIC, saved.c_str());
}

// --- deletion ---

TEST(DbsDelete, DeletingBooksTheRecordOutAndReopeningPacksTheFile) {
  Loaded l({Borehole("A", 1), Borehole("B", 2), Borehole("C", 3), Borehole("D", 4)});
  char b[] = "B", d[] = "D";
  ASSERT_EQ(l.db.Findid(d, -1), 0);
  ASSERT_EQ(l.db.Delete(), 0);  // the last record: the end moves back
  std::string bytes = l.p.bytes();
  EXPECT_EQ(GetI32(bytes, kEndPos), 686);
  EXPECT_EQ(GetI16(bytes, kAntDel), 0);
  EXPECT_EQ(bytes[686], '\0');
  ASSERT_EQ(l.db.Findid(b, -1), 0);
  ASSERT_EQ(l.db.Delete(), 0);  // in the middle: counted as deleted
  bytes = l.p.bytes();
  EXPECT_EQ(GetI32(bytes, kEndPos), 686);
  EXPECT_EQ(GetI16(bytes, kAntDel), 1);
  EXPECT_EQ(GetI16(bytes, kAntBh), 2);
  EXPECT_EQ(GetI32(bytes, kUppdnr), 2);
  Rec cleared = Borehole("B", 2);
  cleared.id = std::string("\0", 1);
  EXPECT_EQ(bytes.substr(562, kRec), RecordBytes(cleared));
  EXPECT_EQ(Ids(l.db), (std::vector<std::string>{"A", "C"}));

  CBorviDbs reopened(&l.p.path);
  ASSERT_EQ(reopened.Init(0, 0), 0);
  EXPECT_EQ(Ids(reopened), (std::vector<std::string>{"A", "C"}));
  EXPECT_EQ(Offsets(reopened), (std::vector<int>{500, 562}));
  bytes = l.p.bytes();
  EXPECT_EQ(GetI32(bytes, kEndPos), 624);
  EXPECT_EQ(GetI16(bytes, kAntDel), 0);
  EXPECT_EQ(GetI32(bytes, kUppdnr), 3);
  EXPECT_EQ(bytes.substr(500, kRec), RecordBytes(Borehole("A", 1)));
  EXPECT_EQ(bytes.substr(562, kRec), RecordBytes(Borehole("C", 3)));
  EXPECT_EQ(bytes.substr(624, kRec), std::string(kRec, '\0'));
  EXPECT_TRUE(l.quiet.shown().empty());
}

TEST(DbsDelete, DeleteIdRemovesTheBoreholeFilesInAnyCase) {
  Loaded l({Borehole("B1"), Borehole("B10")});
  for (const char* f : {"B1.SND", "b1.tlk", "B1.Prv", "B10.SND", "XB1.SND", "B1X.SND"})
    l.p.dir.write(f, "x");
  char id[] = "B1";
  ASSERT_EQ(l.db.Findid(id, -1), 0);
  EXPECT_EQ(l.db.DeleteId(), 0);
  for (const char* gone : {"B1.SND", "b1.tlk", "B1.Prv"}) EXPECT_FALSE(l.p.dir.exists(gone)) << gone;
  for (const char* kept : {"B10.SND", "XB1.SND", "B1X.SND", "Solumbra.dbs"})
    EXPECT_TRUE(l.p.dir.exists(kept)) << kept;
  EXPECT_EQ(Ids(l.db), std::vector<std::string>{"B10"});
}

TEST(DbsDelete, RecordNamedLikeAPatternRemovesNoOtherFiles) {
  Rec star = Borehole("*");
  Loaded l({star});
  l.p.dir.write("A.SND", "x");
  l.db.Home();
  EXPECT_EQ(l.db.DeleteId(), 0);
  EXPECT_TRUE(l.p.dir.exists("A.SND"));
  EXPECT_TRUE(l.p.dir.exists("Solumbra.dbs"));
}

TEST(DbsDelete, DeletingAnAvpPointRewritesThePointList) {
  Rec p1 = Borehole("P1", 1.5, 2.25, 3), p2 = Borehole("P2", 10, 20, 30);
  for (Rec* r : {&p1, &p2}) r->bits[0] = 0x02;
  p1.sek = 100;
  p1.avst = -4.5;
  std::memcpy(&p1.djup, "KP\0", 4);
  Loaded l({p1, Borehole("B"), p2});
  char id[] = "P2";
  ASSERT_EQ(l.db.Findid(id, -1), 0);
  EXPECT_EQ(l.db.DeleteId(), 0);
  EXPECT_EQ(l.p.dir.read("PUNKTLISTA.TXT"),
            "P1        1.500        2.250        3.000      100.000       -4.500 KP\r\n*\r\n");
}

TEST(DbsDelete, FailedWriteKeepsTheRecordAndItsFiles) {
  Loaded l({Borehole("B1")});
  l.p.dir.write("B1.SND", "x");
  l.p.dir.write("Solumbra.dbk", "held");
  l.db.Home();
  EXPECT_EQ(l.db.DeleteId(), -1);
  EXPECT_EQ(Ids(l.db), std::vector<std::string>{"B1"});
  EXPECT_TRUE(l.p.dir.exists("B1.SND"));
}

// --- selections ---

TEST(DbsSelection, UppdUrvalBringsASelectionUpToDate) {
  Loaded l({Borehole("A", 1), Borehole("B", 2), Borehole("C", 3)});
  l.db.SetGuidString("0123abcd-4567-89ef-0123-456789abcdef");
  l.db.m_huv.urval[0] = 17;
  const std::string selection = l.p.dir.file("urval.dbs");
  std::string h = NewHeader(686);
  PutI16(h, kAntBh, 3);
  l.p.dir.write("urval.dbs", FileBytes(h, {RecordBytes(Borehole("C", 3)),
                                          RecordBytes(Borehole("X", 9)),
                                          RecordBytes(Borehole("A", 1.5))}));
  EXPECT_EQ(l.db.UppdUrval(selection.c_str()), 0);
  CBorviDbs sel(&l.p.path);
  ASSERT_EQ(sel.Init(1, 0, selection.c_str()), 0);
  EXPECT_EQ(Ids(sel), (std::vector<std::string>{"C", "A"}));
  EXPECT_EQ(Offsets(sel), (std::vector<int>{500, 562}));
  sel.End();
  EXPECT_DOUBLE_EQ(sel.Get_aktel()->x, 1.0);
  EXPECT_EQ(sel.GetGuidString(), "0123abcd-4567-89ef-0123-456789abcdef");
  EXPECT_EQ(sel.m_huv.urval[0], 17);
  EXPECT_FALSE(l.p.dir.exists("Solumbra.dbk"));
}

TEST(DbsSelection, SaveSelectionDirectsWritesToAnotherFile) {
  Loaded l({Borehole("A")});
  const std::string project_before = l.p.bytes();
  const std::string selection = l.p.dir.file("urval.dbs");
  l.p.dir.write("urval.dbs", FileBytes(NewHeader(500), {}));
  EXPECT_EQ(l.db.SaveSelection(1000, selection.c_str()), 1);
  EXPECT_TRUE(l.p.dir.exists("Solumbra.dbk"));
  l.db.Home();
  l.db.Get_aktel()->filpos = 0;
  EXPECT_EQ(l.db.Uppdat(0, nullptr, 0), 0);  // a new record goes to this object's end offset
  EXPECT_EQ(l.db.SaveSelection(1001, selection.c_str()), 1);
  EXPECT_FALSE(l.p.dir.exists("Solumbra.dbk"));
  EXPECT_EQ(l.p.dir.read("urval.dbs"),
            FileBytes(NewHeader(500), {std::string(kRec, '\0'), RecordBytes(Borehole("A"))}));
  EXPECT_EQ(l.p.bytes(), project_before);
}

}  // namespace
