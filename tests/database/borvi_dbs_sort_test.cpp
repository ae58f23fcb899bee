// The sort keys of the borehole database.
#include <gtest/gtest.h>

#include <cstring>

#include <geoproj/platform/vaglinje.h>

#include "database/dbs_test_util.h"

namespace {

using namespace dbstest;

std::vector<std::string> Sorted(CBorviDbs& db, int key) {
  EXPECT_EQ(db.Sortera(key), 0);
  return Ids(db);
}

void Fill(CBorviDbs& db, const std::vector<bhdbstype>& records) {
  for (const auto& r : records) db.Ny(1, &r);
}

TEST(DbsSort, IdentifiersByLeadingNumberThenText) {
  CBorviDbs db;
  Fill(db, {ToRecord(Borehole("A1")), ToRecord(Borehole("10")), ToRecord(Borehole("2")),
            ToRecord(Borehole("2b")), ToRecord(Borehole("2a")), ToRecord(Borehole("b"))});
  EXPECT_EQ(Sorted(db, 1), (std::vector<std::string>{"2", "2a", "2b", "10", "A1", "b"}));
  // Descending by the number only: equal numbers come out reversed.
  EXPECT_EQ(Sorted(db, -1), (std::vector<std::string>{"b", "A1", "10", "2b", "2a", "2"}));
}

TEST(DbsSort, NumericFieldsKeepEqualRecordsInOrderOnlyAscending) {
  struct Case {
    int key;
    std::vector<std::string> order;
  };
  // Records: id, x, y, z, sek, avst
  const double values[4][5] = {{2, 1, 5, 3, 0}, {1, 1, 4, 3, -1}, {2, 0, 6, 1, 2}, {3, 2, 5, 2, 1}};
  const Case cases[] = {
      {2, {"R1", "R0", "R2", "R3"}},  {-2, {"R3", "R2", "R0", "R1"}},
      {3, {"R2", "R0", "R1", "R3"}},  {-3, {"R3", "R1", "R0", "R2"}},
      {4, {"R1", "R0", "R3", "R2"}},  {-4, {"R2", "R3", "R0", "R1"}},
      {5, {"R2", "R3", "R0", "R1"}},  {-5, {"R1", "R0", "R3", "R2"}},
      {6, {"R1", "R0", "R3", "R2"}},  {-6, {"R2", "R3", "R0", "R1"}},
      {22, {"R0", "R1", "R2", "R3"}}, {0, {"R0", "R1", "R2", "R3"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.key);
    CBorviDbs db;
    for (int i = 0; i < 4; ++i) {
      Rec r = Borehole("R" + std::to_string(i), values[i][0], values[i][1], values[i][2]);
      r.sek = values[i][3];
      r.avst = values[i][4];
      bhdbstype rec = ToRecord(r);
      db.Ny(1, &rec);
    }
    EXPECT_EQ(Sorted(db, c.key), c.order);
  }
}

TEST(DbsSort, BitKeysBringRecordsWithTheBitFirst) {
  struct Case {
    int key;
    int byte;
    unsigned char mask;
  };
  const Case cases[] = {{7, 4, 0x01},  {8, 2, 0x08},  {9, 0, 0x02},  {10, 1, 0x80}, {11, 5, 0x20},
                        {12, 5, 0x10}, {13, 5, 0x08}, {14, 5, 0x02}, {15, 5, 0x04}, {16, 5, 0x01},
                        {17, 5, 0x40}, {18, 1, 0x40}, {19, 1, 0x04}, {19, 1, 0x08}, {20, 2, 0x01},
                        {21, 2, 0x80}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.key);
    CBorviDbs db;
    for (int i = 0; i < 6; ++i) {
      bhdbstype r = ToRecord(Borehole("R" + std::to_string(i)));
      if (i == 1 || i == 4 || i == 5) r.bit.b[c.byte] |= c.mask;
      r.bit.b[3] = 0x80;  // a bit no key looks at
      db.Ny(1, &r);
    }
    EXPECT_EQ(Sorted(db, c.key), (std::vector<std::string>{"R1", "R4", "R5", "R0", "R2", "R3"}));
    // Descending puts the bit last and reverses the order inside each group.
    EXPECT_EQ(Sorted(db, -c.key), (std::vector<std::string>{"R3", "R2", "R0", "R5", "R4", "R1"}));
  }
}

TEST(DbsSort, CursorStaysOnItsRecord) {
  CBorviDbs db;
  Fill(db, {ToRecord(Borehole("3")), ToRecord(Borehole("1")), ToRecord(Borehole("2"))});
  db.Home();
  const bhdbstype* current = db.Get_aktel();
  ASSERT_EQ(db.Sortera(1), 0);
  EXPECT_EQ(db.Get_aktel(), current);
}

// A straight alignment along the x axis from station 0 to 100.
class RoadSort : public ::testing::Test {
 protected:
  void SetUp() override {
    for (double x : {0.0, 100.0}) {
      kovltype k{x, 0.0, 0.0, x};
      road.Ny(1, &k);
    }
    const double at[5][2] = {{50, 5}, {150, 0}, {10, -3}, {-20, 1}, {70, 1}};
    for (int i = 0; i < 5; ++i) {
      Rec r = Borehole("R" + std::to_string(i), at[i][0], at[i][1]);
      r.sek = 100 - i;  // the stored chainage would give another order
      r.avst = i;
      bhdbstype rec = ToRecord(r);
      db.Ny(1, &rec);
    }
    db.m_vaglinje = &road;
  }
  CVaglinje road;
  CBorviDbs db;
};

TEST_F(RoadSort, ChainageAlongTheAlignmentWithRecordsOffItsRangeLast) {
  EXPECT_EQ(Sorted(db, 5), (std::vector<std::string>{"R2", "R0", "R4", "R1", "R3"}));
  EXPECT_EQ(Sorted(db, -5), (std::vector<std::string>{"R3", "R1", "R4", "R0", "R2"}));
}

TEST_F(RoadSort, OffsetFromTheAlignment) {
  std::vector<std::string> ascending = Sorted(db, 6);
  ASSERT_EQ(ascending.size(), 5u);
  // Off the range: last, in list order.
  EXPECT_EQ(std::vector<std::string>(ascending.end() - 2, ascending.end()),
            (std::vector<std::string>{"R1", "R3"}));
  double sek = 0, avst_first = 0, avst_last = 0;
  road.Vagstv(10, -3, &sek, &avst_first);
  road.Vagstv(50, 5, &sek, &avst_last);
  const std::vector<std::string> inside =
      avst_first < avst_last ? std::vector<std::string>{"R2", "R4", "R0"}
                             : std::vector<std::string>{"R0", "R4", "R2"};
  EXPECT_EQ(std::vector<std::string>(ascending.begin(), ascending.begin() + 3), inside);
}

TEST_F(RoadSort, WithoutAnAlignmentTheStoredFieldsCount) {
  db.m_vaglinje = nullptr;
  EXPECT_EQ(Sorted(db, 5), (std::vector<std::string>{"R4", "R3", "R2", "R1", "R0"}));
  EXPECT_EQ(Sorted(db, 6), (std::vector<std::string>{"R0", "R1", "R2", "R3", "R4"}));
}

TEST_F(RoadSort, RepairSortAgreesWithTheFullSort) {
  ASSERT_EQ(db.Sortera(5), 0);
  db.Home();
  db++;
  db.Get_aktel()->x = 5;  // R0 moves to the front of the alignment
  ASSERT_EQ(db.Omsortera(5), 0);
  EXPECT_EQ(Ids(db), (std::vector<std::string>{"R0", "R2", "R4", "R1", "R3"}));
}

}  // namespace
