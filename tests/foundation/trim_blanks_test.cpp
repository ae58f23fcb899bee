#include <geoproj/foundation/trim_blanks.h>

#include <gtest/gtest.h>

namespace {

TEST(TrimBlanks, BothEnds) {
  const struct {
    const char* in;
    const char* out;
  } cases[] = {
      {"  a b  ", "a b"}, {"\t\r\nx\r\n", "x"}, {"   ", ""}, {"", ""}, {"x", "x"},
      {"\xA0x\xA0", "\xA0x\xA0"},  // a no-break space is text, not a blank
  };
  for (const auto& c : cases) EXPECT_EQ(c.out, geoproj::TrimBlanks(c.in)) << c.in;
}

}  // namespace
