#include <geoproj/platform/transformation.h>

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

namespace {

TEST(Transformation, CoordinateSystemsByEpsgNumber) {
  const std::map<int, std::string> expected = {
      {3006, "SWEREF 99 TM"},        {3007, "SWEREF 99 12 00"},     {3008, "SWEREF 99 13 30"},
      {3009, "SWEREF 99 15 00"},     {3010, "SWEREF 99 16 30"},     {3011, "SWEREF 99 18 00"},
      {3012, "SWEREF 99 14 15"},     {3013, "SWEREF 99 15 45"},     {3014, "SWEREF 99 17 15"},
      {3015, "SWEREF 99 18 45"},     {3016, "SWEREF 99 20 15"},     {3017, "SWEREF 99 21 45"},
      {3018, "SWEREF 99 23 15"},     {3021, "RT 90 2.5 gon V"},     {25832, "ETRS89 / UTM zone 32N"},
      {25833, "ETRS89 / UTM zone 33N"}, {25834, "ETRS89 / UTM zone 34N"},
      {25835, "ETRS89 / UTM zone 35N"}, {4326, "WGS 84"},
  };
  std::map<int, std::string> table;
  for (int i = 0; i < CTransformation::SIZE; ++i) {
    ASSERT_NE(nullptr, CTransformation::defSystem[i]) << i;
    EXPECT_NE('\0', CTransformation::defSystem[i][0]) << i;
    EXPECT_TRUE(table.emplace(CTransformation::nrSystem[i], CTransformation::defSystem[i]).second)
        << "EPSG " << CTransformation::nrSystem[i] << " twice";
  }
  for (const auto& [epsg, name] : expected) EXPECT_EQ(name, table[epsg]) << epsg;
  for (int zone = 5; zone <= 30; ++zone)
    EXPECT_EQ("ETRS89 / NTM zone " + std::to_string(zone), table[5100 + zone]) << zone;
  EXPECT_EQ(expected.size() + 26, table.size());
}

TEST(Transformation, HeightSystemsByEpsgNumber) {
  const std::map<int, std::string> expected = {
      {5613, "RH 2000"}, {5718, "RH 70"}, {5941, "NN2000"}, {5776, "NN1954"}};
  std::map<int, std::string> table;
  for (int i = 0; i < CTransformation::SIZEHEIGHT; ++i)
    table.emplace(CTransformation::nrSystemHeight[i], CTransformation::defSystemHeight[i]);
  EXPECT_EQ(expected, table);
}

// The lookups accept an index equal to the stated size, which must find an empty entry.
TEST(Transformation, EachTableEndsWithAnEmptyEntryAtItsSize) {
  EXPECT_EQ(0, CTransformation::nrSystem[CTransformation::SIZE]);
  EXPECT_STREQ("", CTransformation::defSystem[CTransformation::SIZE]);
  EXPECT_EQ(0, CTransformation::nrSystemHeight[CTransformation::SIZEHEIGHT]);
  EXPECT_STREQ("", CTransformation::defSystemHeight[CTransformation::SIZEHEIGHT]);
}

// Project information files store the index, so the first entries must never move.
TEST(Transformation, IndicesStayPut) {
  EXPECT_EQ(3006, CTransformation::nrSystem[0]);
  EXPECT_EQ(3007, CTransformation::nrSystem[1]);
  EXPECT_EQ(3018, CTransformation::nrSystem[12]);
  EXPECT_EQ(3021, CTransformation::nrSystem[13]);
  EXPECT_EQ(25832, CTransformation::nrSystem[14]);
  EXPECT_EQ(5105, CTransformation::nrSystem[18]);
  EXPECT_EQ(5130, CTransformation::nrSystem[43]);
  EXPECT_EQ(4326, CTransformation::nrSystem[44]);
  EXPECT_EQ(5613, CTransformation::nrSystemHeight[0]);
  EXPECT_EQ(5776, CTransformation::nrSystemHeight[3]);
}

}  // namespace
