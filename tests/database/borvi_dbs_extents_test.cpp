// The extents and the identifier lookup are kept record by record; whatever a run of saves,
// renames, deletions and sorts does, they must say what a pass over the whole list says.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>

#include <geoproj/database/borvi_dbs.h>

#include "database/dbs_test_util.h"

namespace {

using namespace dbstest;

struct Extents {
  double sek[2], x[2], y[2], z[2];
  bool operator==(const Extents&) const = default;
};

// The extents as a pass over every record with an identifier gives them.
Extents OverTheList(CBorviDbs& db) {
  constexpr double kInf = std::numeric_limits<double>::infinity();
  Extents e{{kInf, -kInf}, {kInf, -kInf}, {kInf, -kInf}, {kInf, -kInf}};
  auto widen = [](double (&r)[2], double v) {
    if (v < r[0]) r[0] = v;
    if (v > r[1]) r[1] = v;
  };
  for (int rc = db.Home(); rc == 0; rc = db++ ? 0 : -1) {
    const bhdbstype& r = *db.Get_aktel();
    if (!r.id[0]) continue;
    widen(e.sek, r.sek);
    widen(e.x, r.x);
    widen(e.y, r.y);
    const double low = (r.bit.b[0] & 0x02) ? r.z - r.djup : r.z;
    if (low < e.z[0]) e.z[0] = low;
    if (r.z > e.z[1]) e.z[1] = r.z;
  }
  return e;
}

Extents InTheHeader(const CBorviDbs& db) {
  const dbshuvtype& h = db.m_huv;
  return {{h.sekmin, h.sekmax}, {h.xmin, h.xmax}, {h.ymin, h.ymax}, {h.zmin, h.zmax}};
}

TEST(DbsKeptExtents, AgreeWithAPassOverTheListThroughSavesMovesDeletionsAndSorts) {
  Project p;
  CBorviDbs db(&p.path);
  ASSERT_EQ(db.Init(0, 1), 0);
  ASSERT_EQ(db.Init(0, 0), 0);
  std::mt19937 random(7);
  std::uniform_real_distribution<double> coord(-1000.0, 1000.0);
  auto place = [&](bhdbstype* r) {
    r->x = coord(random);
    r->y = coord(random);
    r->z = coord(random) / 10;
    r->sek = coord(random) + 5000;
    r->djup = static_cast<float>(coord(random) / 100 + 10);
  };
  int next_id = 0;
  for (int step = 0; step < 400; ++step) {
    const int action = std::uniform_int_distribution<int>(0, 9)(random);
    char id[16];  // room for any int; the ids made here are short
    if (action < 4 || db.Where(nullptr) < 0) {  // a new borehole or AVP point
      std::snprintf(id, sizeof id, "B%d", next_id++);
      Rec rec = Borehole(id);
      if (action == 0) rec.bits[0] = 0x02;
      bhdbstype r = ToRecord(rec);
      place(&r);
      db.Ny(1, &r);
      ASSERT_EQ(db.Uppdat(1, nullptr, 1), 0);
    } else {
      std::snprintf(id, sizeof id, "B%d", std::uniform_int_distribution<int>(0, next_id - 1)(random));
      if (db.Findid(id, -1) != 0) continue;
      if (action < 8) {  // the saved borehole moved, often to an edge or back inside
        place(db.Get_aktel());
        if (action == 7) db.Get_aktel()->x = 0;
        ASSERT_EQ(db.Uppdat(1, nullptr, 1), 0);
      } else if (action == 8) {
        ASSERT_GE(db.Delete(), -1);
      } else {
        db.Sortera(3);
      }
    }
    if (db.Where(nullptr) < 0) continue;
    ASSERT_EQ(InTheHeader(db), OverTheList(db)) << "step " << step;
  }
  // What was written reads back the same.
  CBorviDbs again(&p.path);
  ASSERT_EQ(again.Init(1, 0), 0);
  EXPECT_EQ(InTheHeader(again), InTheHeader(db));
}

TEST(DbsIdLookup, FindsWhatAWalkFindsAfterAppendsRenamesInsertsAndSorts) {
  Project p;
  CBorviDbs db(&p.path);
  ASSERT_EQ(db.Init(0, 1), 0);
  ASSERT_EQ(db.Init(0, 0), 0);
  for (const char* id : {"A", "B", "C", "D"}) ASSERT_EQ(Append(db, Borehole(id)), 0);
  auto position_of = [&](const char* id) {
    char key[9];
    std::snprintf(key, sizeof key, "%s", id);
    return db.Findid(key, -1) == 0 ? db.Where(nullptr) : -1;
  };
  EXPECT_EQ(position_of("c"), 3);
  EXPECT_EQ(position_of("D"), 4);
  ASSERT_EQ(Append(db, Borehole("E")), 0);  // appended after the lookups above
  EXPECT_EQ(position_of("E"), 5);
  ASSERT_EQ(position_of("B"), 2);
  std::snprintf(db.Get_aktel()->id, 9, "Z");  // renamed in place by a host
  EXPECT_EQ(position_of("B"), -1);
  EXPECT_EQ(position_of("Z"), 2);
  ASSERT_EQ(position_of("A"), 1);
  bhdbstype inserted = ToRecord(Borehole("F"));
  db.Ny(0, &inserted);  // before A: every position moves
  EXPECT_EQ(position_of("F"), 1);
  EXPECT_EQ(position_of("E"), 6);
  db.Sortera(1);
  EXPECT_EQ(Ids(db), (std::vector<std::string>{"A", "C", "D", "E", "F", "Z"}));
  EXPECT_EQ(position_of("F"), 5);
  EXPECT_EQ(position_of("Q"), -1);
}

}  // namespace
