#include <geoproj/foundation/list0.h>

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <vector>

namespace {

struct Rec {
  int key;
  int key2;
  int seq;  // position in the original list
};

using AfterFn = std::function<int(const Rec&, const Rec&, int)>;

class RecList : public list0<Rec> {
 public:
  explicit RecList(AfterFn after = nullptr) : after_(std::move(after)) {}
  ~RecList() override = default;

  void Append(int key, int key2 = 0) {
    Rec r{key, key2, count_++};
    Ny(1, &r);
  }

  std::vector<int> Seqs() {
    std::vector<int> out;
    if (Home() < 0) return out;
    do out.push_back(Get_aktel()->seq);
    while ((*this)++);
    return out;
  }

  int calls = 0;

 protected:
  int Sortval(int key) override {
    ++calls;
    return after_ ? after_(*pael, *markel, key) : 0;
  }

 private:
  AfterFn after_;
  int count_ = 0;
};

// The ranking selection sort as the list's order is defined: each pass makes the first unranked
// record the candidate and lets every later unranked record take its place when the candidate
// must come after it.
std::vector<int> RankingSort(const std::vector<Rec>& recs, const AfterFn& after, int key) {
  std::vector<bool> ranked(recs.size(), false);
  std::vector<int> order;
  for (;;) {
    int cand = -1;
    for (size_t i = 0; i < recs.size(); ++i) {
      if (ranked[i]) continue;
      if (cand < 0 || after(recs[static_cast<size_t>(cand)], recs[i], key) > 0) cand = static_cast<int>(i);
    }
    if (cand < 0) break;
    ranked[static_cast<size_t>(cand)] = true;
    order.push_back(recs[static_cast<size_t>(cand)].seq);
  }
  return order;
}

struct Comparator {
  const char* name;
  AfterFn after;
};

const std::vector<Comparator>& Comparators() {
  static const std::vector<Comparator> list = {
      {"strict ascending", [](const Rec& p, const Rec& m, int) { return p.key > m.key ? 1 : 0; }},
      {"non-strict ascending", [](const Rec& p, const Rec& m, int) { return p.key >= m.key ? 1 : 0; }},
      {"strict descending", [](const Rec& p, const Rec& m, int) { return p.key < m.key ? 1 : 0; }},
      {"non-strict descending", [](const Rec& p, const Rec& m, int) { return p.key <= m.key ? 1 : -1; }},
      {"two fields, ties answered after",
       [](const Rec& p, const Rec& m, int) {
         if (p.key != m.key) return p.key > m.key ? 1 : 0;
         return p.key2 >= m.key2 ? 1 : 0;
       }},
      {"by key sign",
       [](const Rec& p, const Rec& m, int key) {
         if (key > 0) return p.key > m.key ? 1 : 0;
         if (key < 0) return p.key <= m.key ? 1 : 0;
         return 0;
       }},
      {"never after", [](const Rec&, const Rec&, int) { return 0; }},
  };
  return list;
}

TEST(List0Sort, MergeSortGivesTheRankingOrderOnRandomLists) {
  std::mt19937 rng(12345);
  for (const Comparator& c : Comparators()) {
    for (int round = 0; round < 60; ++round) {
      const int n = static_cast<int>(rng() % 40) + 1;
      const int spread = static_cast<int>(rng() % 8) + 1;  // small spreads give many ties
      RecList list(c.after);
      std::vector<Rec> recs;
      for (int i = 0; i < n; ++i) {
        int key = static_cast<int>(rng() % static_cast<unsigned>(spread));
        int key2 = static_cast<int>(rng() % 3);
        list.Append(key, key2);
        recs.push_back({key, key2, i});
      }
      for (int key : {1, -1}) {
        RecList fresh(c.after);
        for (const Rec& r : recs) fresh.Append(r.key, r.key2);
        ASSERT_EQ(fresh.Sortera(key), 0);
        EXPECT_EQ(fresh.Seqs(), RankingSort(recs, c.after, key)) << c.name << " key " << key << " n " << n;
      }
    }
  }
}

TEST(List0Sort, SortKeepsCursorMarkAndRecordAddresses) {
  RecList list([](const Rec& p, const Rec& m, int) { return p.key > m.key ? 1 : 0; });
  for (int k : {5, 3, 9, 1, 7}) list.Append(k);
  list.Home();
  list++;
  Rec* second = list.Get_aktel();  // key 3
  list.Set_mark();
  list++;
  list++;
  Rec* fourth = list.Get_aktel();  // key 1
  ASSERT_EQ(list.Sortera(1), 0);
  EXPECT_EQ(list.Get_aktel(), fourth);
  EXPECT_EQ(list.Goto_mark(), 0);
  EXPECT_EQ(list.Get_aktel(), second);
  EXPECT_EQ(list.Where(nullptr), 2);  // 1, 3, 5, 7, 9
  EXPECT_EQ(list.Seqs(), (std::vector<int>{3, 1, 0, 4, 2}));
}

TEST(List0Sort, SortIsLinearithmic) {
  RecList list([](const Rec& p, const Rec& m, int) { return p.key > m.key ? 1 : 0; });
  std::mt19937 rng(7);
  const int n = 4096;
  for (int i = 0; i < n; ++i) list.Append(static_cast<int>(rng() % 1000));
  list.Sortera(1);
  EXPECT_LE(list.calls, n * 13);  // n log2 n is 49152; the ranking sort would need n * n
}

TEST(List0Sort, EmptyAndSingleLists) {
  RecList list([](const Rec&, const Rec&, int) { return 1; });
  EXPECT_EQ(list.Sortera(1), -1);
  EXPECT_EQ(list.Omsortera(1), -1);
  list.Append(1);
  EXPECT_EQ(list.Sortera(1), 0);
  EXPECT_EQ(list.Omsortera(1), 0);
  EXPECT_EQ(list.calls, 0);
}

TEST(List0Sort, OmsorteraMovesTheLastSmallestRecordToTheFront) {
  RecList list([](const Rec& p, const Rec& m, int) { return p.key > m.key ? 1 : 0; });
  for (int k : {2, 4, 6, 8, 1}) list.Append(k);
  EXPECT_EQ(list.Omsortera(1), 0);
  EXPECT_EQ(list.Seqs(), (std::vector<int>{4, 0, 1, 2, 3}));
}

TEST(List0Sort, OmsorteraPlacesAMovedRecordAfterItsEquals) {
  RecList list([](const Rec& p, const Rec& m, int) { return p.key > m.key ? 1 : 0; });
  for (int k : {1, 3, 3, 5, 3}) list.Append(k);
  EXPECT_EQ(list.Omsortera(1), 0);
  EXPECT_EQ(list.Seqs(), (std::vector<int>{0, 1, 2, 4, 3}));
}

TEST(List0Sort, OmsorteraWithAnInconsistentOrderThrowsItsText) {
  // A Sortval that answers "after" once only: no place can be found for the moved record.
  RecList list([calls = 0](const Rec&, const Rec&, int) mutable { return calls++ == 0 ? 1 : 0; });
  list.Append(0);
  list.Append(0);
  try {
    list.Omsortera(1);
    FAIL() << "no exception";
  } catch (const geoproj::ListError& e) {
    EXPECT_STREQ(e.what(), "Internt sorteringsfel i Todbs::Sortera");
  }
  EXPECT_EQ(list.Seqs(), (std::vector<int>{0, 1}));  // nothing lost
}

TEST(List0, EmptyListOperations) {
  RecList list;
  int n = 99;
  EXPECT_EQ(list.Where(&n), -1);
  EXPECT_EQ(n, 0);
  EXPECT_EQ(list.Home(), -1);
  EXPECT_EQ(list.End(), -1);
  EXPECT_EQ(list.Delete(), -1);
  EXPECT_EQ(list++, nullptr);
  EXPECT_EQ(list--, nullptr);
  EXPECT_EQ(list.Get_aktel(), nullptr);
  EXPECT_EQ(list.Goto_mark(), -1);
}

TEST(List0, NyAppendsZeroRecordOrInsertsBeforeCurrent) {
  RecList list;
  EXPECT_EQ(list.Ny(1, nullptr), 0);
  EXPECT_EQ(list.Get_aktel()->key, 0);
  EXPECT_EQ(list.Get_aktel()->seq, 0);
  for (int i = 1; i < 5; ++i) list.Append(i * 10);
  int n = 0;
  EXPECT_EQ(list.Where(&n), 5);
  EXPECT_EQ(n, 5);

  list.Home();
  list++;
  list++;
  Rec inserted{99, 0, 77};
  EXPECT_EQ(list.Ny(0, &inserted), 0);
  EXPECT_EQ(list.Where(&n), 3);
  EXPECT_EQ(n, 6);
  EXPECT_EQ(list.Get_aktel()->seq, 77);
  list++;
  EXPECT_EQ(list.Where(nullptr), 4);
  EXPECT_EQ(list.Get_aktel()->key, 20);
}

TEST(List0, DeleteMovesTheCursorAsDefined) {
  RecList list;
  for (int i = 0; i < 3; ++i) list.Append(i);
  list.End();
  EXPECT_EQ(list.Delete(), 0);  // last of three: predecessor becomes current
  EXPECT_EQ(list.Where(nullptr), 2);
  EXPECT_EQ(list.Get_aktel()->key, 1);

  list.Home();
  EXPECT_EQ(list.Delete(), 0);  // first: the new first is current, position stays
  EXPECT_EQ(list.Where(nullptr), 1);
  EXPECT_EQ(list.Get_aktel()->key, 1);

  EXPECT_EQ(list.Delete(), -1);  // the only element: list now empty
  EXPECT_EQ(list.Where(nullptr), -1);
  Rec r{5, 0, 5};
  EXPECT_EQ(list.Ny(0, &r), 0);  // insert on an empty list appends
  EXPECT_EQ(list.Where(nullptr), 1);
}

TEST(List0, DeletingTheMiddleKeepsPositionAndClearsAMarkOnIt) {
  RecList list;
  for (int i = 0; i < 5; ++i) list.Append(i);
  list.Home();
  list++;
  list++;
  list.Set_mark();
  EXPECT_EQ(list.Delete(), 0);
  EXPECT_EQ(list.Where(nullptr), 3);
  EXPECT_EQ(list.Get_aktel()->key, 3);
  EXPECT_EQ(list.Goto_mark(), -1);
}

// Records live in blocks the list owns, and deleted places are used again: through growing,
// deleting and refilling, every record stays at its address with its own values, and a new
// record never takes the place of one still in the list.
TEST(List0, RecordsKeepTheirAddressesThroughGrowthDeletionAndReuse) {
  RecList list;
  std::vector<const Rec*> places;
  for (int i = 0; i < 3000; ++i) {
    list.Append(i);
    places.push_back(list.Get_aktel());
  }
  list.Home();
  for (int i = 0; i < 3000; ++i) {  // every other record, from the front
    if (i % 2 == 0) {
      list.Delete();
    } else {
      list++;
    }
  }
  std::vector<const Rec*> kept;
  for (int i = 1; i < 3000; i += 2) kept.push_back(places[static_cast<size_t>(i)]);
  for (int i = 0; i < 2000; ++i) {
    list.Append(100000 + i);
    for (const Rec* k : kept) ASSERT_NE(list.Get_aktel(), k);
  }
  for (size_t i = 0; i < kept.size(); ++i) EXPECT_EQ(kept[i]->key, static_cast<int>(2 * i + 1));
  int n = 0;
  list.Where(&n);
  EXPECT_EQ(n, 3500);
  std::vector<int> keys;
  list.Home();
  do keys.push_back(list.Get_aktel()->key);
  while (list++);
  EXPECT_EQ(keys.front(), 1);
  EXPECT_EQ(keys[1499], 2999);
  EXPECT_EQ(keys[1500], 100000);
  EXPECT_EQ(keys.back(), 101999);
}

TEST(List0, CursorStepsAndSetAktel) {
  RecList list;
  for (int i = 0; i < 3; ++i) list.Append(i);
  list.End();
  EXPECT_EQ(list++, nullptr);
  EXPECT_EQ(list.Where(nullptr), 3);
  EXPECT_NE(list--, nullptr);
  EXPECT_EQ(list.Where(nullptr), 2);

  list.Home();
  Rec* first = list.Get_aktel();
  list.End();
  EXPECT_EQ(list.Set_aktel(first), 0);
  EXPECT_EQ(list.Get_aktel(), first);
  Rec outside{};
  EXPECT_EQ(list.Set_aktel(&outside), -1);
  EXPECT_EQ(list.Get_aktel(), nullptr);
  EXPECT_EQ(list.Delete(), -1);  // no current element: refused, nothing lost
  int n = 0;
  list.Where(&n);
  EXPECT_EQ(n, 3);
}

TEST(List0, CopyingThrowsItsFixedTexts) {
  RecList list;
  try {
    RecList copy(list);
    FAIL();
  } catch (const geoproj::ListError& e) {
    EXPECT_STREQ(e.what(), "Internt fel (Initiering list0)");
  }
  RecList other;
  try {
    static_cast<list0<Rec>&>(other) = list;
    FAIL();
  } catch (const geoproj::ListError& e) {
    EXPECT_STREQ(e.what(), "Internt fel (Tilldelning list0)");
  }
}

}  // namespace
