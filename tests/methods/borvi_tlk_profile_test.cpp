// Operations on the layer profile: search, check, rock layer, added boundaries and clean-up.
#include <geoproj/methods/borvi_tlk.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "support/message_log.h"

namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

struct Layer {
  const char* name;
  float level;
};

void Fill(CBorviTlk& tlk, const std::vector<Layer>& layers) {
  for (const Layer& l : layers) {
    matetype m{};
    std::snprintf(m.namn, sizeof m.namn, "%s", l.name);
    m.niva = l.level;
    tlk.Ny(1, &m);
  }
}

// The profile as "name@level" with the level to centimetres.
std::vector<std::string> Profile(CBorviTlk& tlk) {
  std::vector<std::string> out;
  if (tlk.Home() != 0) return out;
  do {
    const matetype* m = tlk.Get_aktel();
    char text[64];
    std::snprintf(text, sizeof text, "%.*s@%.2f", static_cast<int>(sizeof m->namn), m->namn,
                  static_cast<double>(m->niva));
    out.push_back(text);
  } while (tlk++);
  return out;
}

std::string CurrentName(CBorviTlk& tlk) {
  const matetype* m = tlk.Get_aktel();
  return m ? std::string(m->namn) : std::string("(none)");
}

TEST(BorviTlkFindMtrl, SearchesUpwardsFromTheLastLayer) {
  CBorviTlk tlk(1, 0, 0);
  EXPECT_EQ(tlk.FindMtrl("berg", 1), 0);
  Fill(tlk, {{"berg", 9}, {"lera", 8}, {"berg", 5}, {"X", 4}});
  tlk.Home();
  ASSERT_EQ(tlk.FindMtrl("BERG", 1), 1);
  EXPECT_FLOAT_EQ(tlk.Get_aktel()->niva, 5.0f);  // the lower of the two
  ASSERT_EQ(tlk.FindMtrl("x", 1), 1);
  EXPECT_FLOAT_EQ(tlk.Get_aktel()->niva, 4.0f);
  EXPECT_EQ(tlk.FindMtrl("sand", 1), 0);
}

TEST(BorviTlkFindMtrl, OtherModesCompareTheNorwegianName) {
  CBorviTlk tlk(1, 0, 0);
  Fill(tlk, {{"lera", 8}, {"x", 6}, {"y", 4}});
  tlk.Home();
  tlk.Get_aktel()->index = 11;
  tlk++;
  tlk.Get_aktel()->index = 41;  // outside the table: never matches
  tlk++;
  tlk.Get_aktel()->index = -1;
  ASSERT_EQ(tlk.FindMtrl("LEIRE", 2), 1);
  EXPECT_FLOAT_EQ(tlk.Get_aktel()->niva, 8.0f);
  EXPECT_EQ(tlk.FindMtrl("lera", 0), 0);
  EXPECT_EQ(tlk.FindMtrl("Uspesifisert materiale", 0), 0);
}

TEST(BorviTlkDataCheck, ReportsLayersBelowRock) {
  geoproj::test::MessageLog log;
  CBorviTlk tlk(1, 0, 0);
  Fill(tlk, {{"lera", 8}, {"berg", 5}, {"sand", 3.456f}});
  EXPECT_EQ(tlk.DataCheck(0), 1);
  ASSERT_EQ(log.shown().size(), 1u);
  EXPECT_EQ(log.shown()[0].text,
            "Fel och varningar:\n"
            "Material sand p\xE5 niv\xE5 3.46 \xE4r under berg p\xE5 niv\xE5 5.00\n");
  EXPECT_EQ(log.shown()[0].flags, geoproj::kMbOk);
}

TEST(BorviTlkDataCheck, SilentWithoutFindings) {
  geoproj::test::MessageLog log;
  CBorviTlk tlk(1, 0, 0);
  EXPECT_EQ(tlk.DataCheck(0), 0);
  Fill(tlk, {{"berg", 5}});
  EXPECT_EQ(tlk.DataCheck(0), 0);
  Fill(tlk, {{"Berg", 4}, {"lera", 3}, {"bergx", 2}, {"sand", 1}});
  EXPECT_EQ(tlk.DataCheck(0), 1);  // only directly below the exact word "berg"
  ASSERT_EQ(log.shown().size(), 1u);
  EXPECT_NE(log.shown()[0].text.find("Material Berg p\xE5 niv\xE5 4.00"), std::string::npos);
}

TEST(BorviTlkInsertBerg, RoundsToCentimetresAndKeepsCodes) {
  CBorviTlk tlk(1, 0, 0);
  EXPECT_EQ(tlk.InsertBerg(12.345f, 5), 0);
  EXPECT_THAT(Profile(tlk), ElementsAre("berg@12.35"));
  const matetype* rock = tlk.Get_aktel();
  EXPECT_EQ(rock->nivakod, 5);
  EXPECT_EQ(rock->nivakalla, 5);
  EXPECT_EQ(tlk.InsertBerg(12.349f, 5), -1);
  EXPECT_EQ(tlk.InsertBerg(11.0f, 4), 0);  // moved, codes already set stay
  EXPECT_THAT(Profile(tlk), ElementsAre("berg@11.00"));
  EXPECT_EQ(tlk.Get_aktel()->nivakod, 5);
  EXPECT_EQ(tlk.Get_aktel()->nivakalla, 5);
}

TEST(BorviTlkInsertBerg, NegativeLevelsRoundAwayFromZero) {
  CBorviTlk tlk(1, 0, 0);
  EXPECT_EQ(tlk.InsertBerg(-12.345f, 4), 0);
  EXPECT_FLOAT_EQ(tlk.Get_aktel()->niva, -12.35f);
  EXPECT_EQ(tlk.Get_aktel()->nivakod, 4);
  EXPECT_EQ(tlk.Get_aktel()->nivakalla, 4);
}

TEST(BorviTlkInsertBerg, FillsMissingCodesOfAnExistingRockLayer) {
  CBorviTlk tlk(1, 0, 0);
  Fill(tlk, {{"lera", 8}, {"berg", 4}});
  EXPECT_EQ(tlk.InsertBerg(4.0f, 4), 0);  // same level, but codes were 0
  EXPECT_EQ(tlk.Get_aktel()->nivakod, 4);
  EXPECT_EQ(tlk.Get_aktel()->nivakalla, 4);
  EXPECT_EQ(tlk.InsertBerg(4.004f, 2), -1);
}

TEST(BorviTlkInsertBerg, AppendsAfterTheLastLayer) {
  CBorviTlk tlk(1, 0, 0);
  Fill(tlk, {{"lera", 8}, {"sand", 4}});
  EXPECT_EQ(tlk.InsertBerg(3.0f, 7), 0);
  EXPECT_THAT(Profile(tlk), ElementsAre("lera@8.00", "sand@4.00", "berg@3.00"));
  tlk.End();
  EXPECT_EQ(tlk.Get_aktel()->nivakod, 5);
  EXPECT_EQ(tlk.Get_aktel()->nivakalla, 7);
}

TEST(BorviTlkAddTolkNiva, KeepsOrderFromHighestLevel) {
  struct Case {
    float level;
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {7, {"lera@10.00", "sand@7.00", "grus@5.00"}},
      {3, {"lera@10.00", "grus@5.00", "sand@3.00"}},
      {12, {"sand@12.00", "lera@10.00", "grus@5.00"}},
      {10, {"sand@10.00", "lera@10.00", "grus@5.00"}},
      {5, {"lera@10.00", "sand@5.00", "grus@5.00"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.level);
    CBorviTlk tlk(1, 0, 0);
    Fill(tlk, {{"lera", 10}, {"grus", 5}});
    EXPECT_EQ(tlk.AddTolkNiva("sand", c.level), 0);
    EXPECT_EQ(CurrentName(tlk), "sand");
    EXPECT_THAT(Profile(tlk), ElementsAreArray(c.expected));
  }
}

TEST(BorviTlkAddTolkNiva, RefusesAnExistingBoundary) {
  CBorviTlk tlk(1, 0, 0);
  EXPECT_EQ(tlk.AddTolkNiva("sand", 7), 0);
  EXPECT_EQ(tlk.AddTolkNiva("sand", 7.0005f), -1);
  EXPECT_EQ(tlk.AddTolkNiva("Sand", 7), 0);  // the name is compared exactly
  // A name longer than the field is stored cut and still recognised as the same boundary.
  EXPECT_EQ(tlk.AddTolkNiva("kvickleraxyz", 2), 0);
  EXPECT_EQ(tlk.AddTolkNiva("kvickleraxyz", 2), -1);
  int n = 0;
  tlk.Where(&n);
  EXPECT_EQ(n, 3);
}

TEST(BorviTlkBlockIFrikt, NeedsFrictionSoilOnBothSides) {
  CBorviTlk tlk(1, 0, 0);
  EXPECT_EQ(tlk.BlockIFrikt(), 0);
  Fill(tlk, {{"sand", 10}, {"block", 8}, {"lera", 6}});
  tlk.Home();
  EXPECT_EQ(tlk.BlockIFrikt(), 0);  // no layer above
  tlk.Home();
  tlk++;
  EXPECT_EQ(tlk.BlockIFrikt(), 0);
  EXPECT_EQ(CurrentName(tlk), "lera");  // the cursor ends below
  EXPECT_THAT(Profile(tlk), ElementsAre("sand@10.00", "block@8.00", "lera@6.00"));
}

TEST(BorviTlkBlockIFrikt, SameSoilAroundABlockBecomesOneLayer) {
  CBorviTlk tlk(1, 0, 0);
  Fill(tlk, {{"sand", 10}, {"block", 8}, {"sand", 6}, {"lera", 2}});
  tlk.Home();
  tlk++;
  EXPECT_EQ(tlk.BlockIFrikt(), 1);
  EXPECT_THAT(Profile(tlk), ElementsAre("sand@6.00", "lera@2.00"));
}

TEST(BorviTlkBlockIFrikt, DifferentSoilsLoseOnlyTheBlock) {
  CBorviTlk tlk(1, 0, 0);
  Fill(tlk, {{"grus", 10}, {"block", 8}, {"sand", 6}});
  tlk.Home();
  tlk++;
  EXPECT_EQ(tlk.BlockIFrikt(), 1);
  EXPECT_THAT(Profile(tlk), ElementsAre("grus@10.00", "sand@6.00"));
}

TEST(BorviTlkTolkClean, TidiesProfiles) {
  struct Case {
    const char* what;
    std::vector<Layer> before;
    std::vector<std::string> after;
  };
  const Case cases[] = {
      {"layer just above rock moves onto it",
       {{"lera", 8}, {"sand", 4}, {"berg", 3.9f}},
       {"lera@8.00", "sand@3.90", "berg@3.90"}},
      {"gap above rock becomes unknown material",
       {{"lera", 8}, {"sand", 5}, {"berg", 3.9f}},
       {"lera@8.00", "sand@5.00", "X@3.90", "berg@3.90"}},
      {"runs merge into their lowest layer",
       {{"sand", 10}, {"sand", 8}, {"lera", 5}},
       {"sand@8.00", "lera@5.00"}},
      {"runs merge above rock too",
       {{"lera", 9}, {"lera", 7}, {"lera", 4}, {"berg", 4}},
       {"lera@4.00", "berg@4.00"}},
      {"block inside one friction soil",
       {{"sand", 10}, {"block", 8}, {"sand", 6}, {"lera", 2}},
       {"sand@6.00", "lera@2.00"}},
      {"block between two friction soils",
       {{"grus", 10}, {"block", 8}, {"sand", 6}},
       {"grus@10.00", "sand@6.00"}},
      {"soil above the removed range is kept",
       {{"grus", 12}, {"sand", 8}, {"block", 6}, {"sand", 4}, {"grus", 2}},
       {"grus@12.00", "sand@4.00", "grus@2.00"}},
      {"block below clay stays",
       {{"lera", 10}, {"block", 8}, {"sand", 6}},
       {"lera@10.00", "block@8.00", "sand@6.00"}},
      {"blocks at the bottom go",
       {{"sand", 10}, {"block", 8}, {"block", 6}},
       {"sand@10.00"}},
      {"block at the top stays", {{"block", 10}, {"sand", 6}}, {"block@10.00", "sand@6.00"}},
      {"a lone block goes", {{"block", 3}}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    CBorviTlk tlk(1, 0, 0);
    Fill(tlk, c.before);
    EXPECT_EQ(tlk.TolkClean(), 1);
    EXPECT_THAT(Profile(tlk), ElementsAreArray(c.after));
  }
  CBorviTlk empty(1, 0, 0);
  EXPECT_EQ(empty.TolkClean(), 1);
}

TEST(BorviTlkProfile, AddDZShiftsEveryLevel) {
  CBorviTlk tlk(1, 0, 0);
  tlk.AddDZ(1.0);
  Fill(tlk, {{"lera", 8}, {"berg", 5}});
  tlk.AddDZ(-2.5);
  EXPECT_THAT(Profile(tlk), ElementsAre("lera@5.50", "berg@2.50"));
}

TEST(BorviTlkProfile, SortsFromHighestLevel) {
  // Both keys order downwards; key 1 answers "after" for equal levels, so it reverses them.
  for (int key : {1, -1}) {
    SCOPED_TRACE(key);
    CBorviTlk tlk(1, 0, 0);
    Fill(tlk, {{"a", 5}, {"b", 10}, {"c", 7}, {"d", 7}});
    EXPECT_EQ(tlk.Sortera(key), 0);
    if (key == 1)
      EXPECT_THAT(Profile(tlk), ElementsAre("b@10.00", "d@7.00", "c@7.00", "a@5.00"));
    else
      EXPECT_THAT(Profile(tlk), ElementsAre("b@10.00", "c@7.00", "d@7.00", "a@5.00"));
  }
  CBorviTlk tlk(1, 0, 0);
  Fill(tlk, {{"a", 5}, {"b", 10}});
  tlk.Sortera(2);
  EXPECT_THAT(Profile(tlk), ElementsAre("a@5.00", "b@10.00"));
}

}  // namespace
