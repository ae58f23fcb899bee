// Checks against the file and between records, and the identifier list.
#include <gtest/gtest.h>

#include <cstring>

#include <geoproj/database/dbs_guid.h>

#include "database/dbs_test_util.h"

namespace {

using namespace dbstest;

TEST(DbsKoll, TellsWhetherAnotherWriterWasHere) {
  Project p;
  Messages quiet;
  { CBorviDbs create(&p.path); ASSERT_EQ(create.Init(0, 1), 0); }
  CBorviDbs a(&p.path), b(&p.path);
  ASSERT_EQ(a.Init(0, 0), 0);
  ASSERT_EQ(b.Init(0, 0), 0);
  EXPECT_EQ(a.DbsKoll(), 0);
  ASSERT_EQ(Append(b, Borehole("B")), 0);
  EXPECT_EQ(a.DbsKoll(), 1);
  EXPECT_EQ(b.DbsKoll(), 0);
  b.m_huv.uppdnr += 5;
  EXPECT_EQ(b.DbsKoll(), -1);
  EXPECT_EQ(Ids(a), std::vector<std::string>{});  // the list is left alone
  // Inside an update the object asks its own open file.
  a.BeginUpdate();
  EXPECT_EQ(a.DbsKoll(), 1);
  EXPECT_TRUE(p.dir.exists("Solumbra.dbk"));
  a.EndUpdate();
  EXPECT_FALSE(p.dir.exists("Solumbra.dbk"));
  p.dir.write("Solumbra.dbk", "held");
  EXPECT_EQ(a.DbsKoll(), -2);
  EXPECT_EQ(p.dir.read("Solumbra.dbk"), "held");
  EXPECT_TRUE(quiet.shown().empty());
}

TEST(DbsKoll, ShortHeaderCannotBeCompared) {
  Project p;
  p.write(std::string(100, '\0'));
  CBorviDbs db(&p.path);
  EXPECT_EQ(db.DbsKoll(), -2);
  EXPECT_FALSE(p.dir.exists("Solumbra.dbk"));
}

TEST(DbsKollaPael, WhatMakesTwoRecordsDiffer) {
  struct Case {
    const char* what;
    void (*change)(bhdbstype*);
    int expected;
  };
  const Case cases[] = {
      {"same", [](bhdbstype*) {}, 0},
      {"filpos", [](bhdbstype* r) { r->filpos = 9999; }, 0},
      {"x by 0.0005", [](bhdbstype* r) { r->x += 0.0005; }, 0},
      {"x by 0.002", [](bhdbstype* r) { r->x += 0.002; }, 1},
      {"y", [](bhdbstype* r) { r->y -= 0.002; }, 1},
      {"z", [](bhdbstype* r) { r->z += 1; }, 1},
      {"sek", [](bhdbstype* r) { r->sek = 12; }, 1},
      {"avst", [](bhdbstype* r) { r->avst = 0.5; }, 1},
      {"djup", [](bhdbstype* r) { r->djup += 0.01f; }, 1},
      {"djup by 0.0005", [](bhdbstype* r) { r->djup += 0.0005f; }, 0},
      {"stopp", [](bhdbstype* r) { r->stopp = 2; }, 1},
      {"a status bit", [](bhdbstype* r) { r->bit.b[6] = 0x40; }, 1},
      {"id", [](bhdbstype* r) { std::strcpy(r->id, "A2"); }, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    CBorviDbs db;
    bhdbstype base = ToRecord(Borehole("A1", 10, 20, 30));
    base.djup = 5.0f;
    bhdbstype other = base;
    c.change(&other);
    db.Ny(1, &base);
    EXPECT_EQ(db.KollaPael(&other), c.expected);
  }
}

TEST(DbsKollaPael, AvpPointsCompareTheirCodeText) {
  CBorviDbs db;
  bhdbstype avp = ToRecord(Borehole("P"));
  avp.bit.b[0] = 0x02;
  std::memcpy(&avp.djup, "KP\0\0", 4);
  db.Ny(1, &avp);
  bhdbstype same = avp;
  std::memcpy(&same.djup, "KP\0X", 4);  // beyond the three characters
  EXPECT_EQ(db.KollaPael(&same), 0);
  bhdbstype other = avp;
  std::memcpy(&other.djup, "KQ\0\0", 4);
  EXPECT_EQ(db.KollaPael(&other), 1);
}

// --- the identifier list ---

class GuidList : public CDbsGUID {
 public:
  void Add(int code, const char* guid, const char* id) {
    guidtype g{};
    g.metod = code;
    std::strcpy(g.guid, guid);
    std::strcpy(g.id, id);
    Ny(1, &g);
  }
  std::vector<std::string> Order() {
    std::vector<std::string> ids;
    for (int rc = Home(); rc == 0; rc = (*this)++ ? 0 : -1) ids.emplace_back(Get_aktel()->id);
    return ids;
  }
};

TEST(DbsGuidList, EqualIdentifiersBecomeNeighbours) {
  GuidList list;
  list.Add(21, "ab000000-0000-4000-8000-000000000001", "A");
  list.Add(7, "12345678-0000-4000-8000-000000000000", "B");
  list.Add(40, "AB000000-0000-4000-8000-000000000001", "C");
  list.Add(97, "2a000000-0000-4000-8000-000000000000", "D");
  list.Add(50, "ab000000-0000-4000-8000-000000000000", "E");
  ASSERT_EQ(list.Sortera(1), 0);
  // Leading numbers first (2 before 12345678), then the upper-cased texts; A and C are one.
  EXPECT_EQ(list.Order(), (std::vector<std::string>{"D", "B", "E", "A", "C"}));
  ASSERT_EQ(list.Sortera(-1), 0);
  // By the number only, descending; those without one come first, in reverse order.
  EXPECT_EQ(list.Order(), (std::vector<std::string>{"C", "A", "E", "B", "D"}));
  ASSERT_EQ(list.Sortera(3), 0);
  EXPECT_EQ(list.Order(), (std::vector<std::string>{"C", "A", "E", "B", "D"}));

  // An identifier edited in place between two sorts sorts by its new text, through the list's
  // own sort and through the base list's too.
  list.Home();
  std::strcpy(list.Get_aktel()->guid, "1b000000-0000-4000-8000-000000000001");  // C
  ASSERT_EQ(list.Sortera(1), 0);
  EXPECT_EQ(list.Order(), (std::vector<std::string>{"C", "D", "B", "E", "A"}));
  list.Home();
  std::strcpy(list.Get_aktel()->guid, "ffff0000-0000-4000-8000-000000000001");  // C again
  ASSERT_EQ(static_cast<list0<guidtype>&>(list).Sortera(1), 0);
  list.Home();
  std::strcpy(list.Get_aktel()->guid, "99999999-0000-4000-8000-000000000001");  // D
  ASSERT_EQ(static_cast<list0<guidtype>&>(list).Sortera(1), 0);
  EXPECT_EQ(list.Order(), (std::vector<std::string>{"B", "D", "E", "A", "C"}));
}

}  // namespace
