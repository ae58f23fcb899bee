#include <geoproj/platform/uuid.h>

#include <gtest/gtest.h>

#include <set>

namespace geoproj {
namespace {

TEST(Uuid, NewUuidsAreVersion4LowerCaseAndDistinct) {
  std::set<std::string> seen;
  for (int i = 0; i < 200; ++i) {
    std::string text = NewUuidText();
    ASSERT_EQ(text.size(), 36u);
    EXPECT_EQ(text[14], '4');
    EXPECT_NE(std::string("89ab").find(text[19]), std::string::npos);
    for (char c : text) EXPECT_TRUE(c == '-' || (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'));
    seen.insert(text);
  }
  EXPECT_EQ(seen.size(), 200u);
}

TEST(Uuid, ParsesEitherCaseAndRefusesMalformedText) {
  Uuid u;
  ASSERT_TRUE(ParseUuid("0A1B2C3D-4E5F-4A6B-8C7D-8E9FA0B1C2D3", &u));
  EXPECT_EQ(FormatUuid(u), "0a1b2c3d-4e5f-4a6b-8c7d-8e9fa0b1c2d3");
  EXPECT_EQ(u.bytes[0], 0x0A);
  EXPECT_EQ(u.bytes[15], 0xD3);
  for (const char* bad : {"", "0a1b2c3d-4e5f-4a6b-8c7d-8e9fa0b1c2d", "0a1b2c3d-4e5f-4a6b-8c7d-8e9fa0b1c2d3x",
                          "0a1b2c3d 4e5f-4a6b-8c7d-8e9fa0b1c2d3", "0a1b2c3d-4e5f-4a6b-8c7d-8e9fa0b1c2g3"})
    EXPECT_FALSE(ParseUuid(bad, &u)) << bad;
}

}  // namespace
}  // namespace geoproj
