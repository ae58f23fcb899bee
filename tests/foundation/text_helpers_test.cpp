#include <geoproj/foundation/text_helpers.h>

#include <gtest/gtest.h>

namespace geoproj {
namespace {

TEST(DosToWin, ReplacesExactlyTheTwelveNordicLetters) {
  std::string all;
  for (int c = 1; c < 256; ++c) all += static_cast<char>(c);
  std::string converted = all;
  DosToWin(converted);
  const std::pair<int, int> table[] = {{134, 229}, {143, 197}, {132, 228}, {142, 196},
                                       {148, 246}, {153, 214}, {145, 230}, {146, 198},
                                       {155, 248}, {237, 216}, {130, 233}, {144, 201}};
  for (int c = 1; c < 256; ++c) {
    int expected = c;
    for (auto [dos, win] : table)
      if (c == dos) expected = win;
    EXPECT_EQ(static_cast<unsigned char>(converted[static_cast<size_t>(c - 1)]), expected) << c;
  }
}

TEST(DosToWin, ByteStringFormStopsAtTheTerminator) {
  char text[] = "\x86\x84\x94\0\x86";
  DosToWin(text);
  EXPECT_EQ(std::string(text, 5), std::string("\xE5\xE4\xF6\0\x86", 5));
  char empty[] = "";
  DosToWin(empty);
  EXPECT_EQ(empty[0], '\0');
  DosToWin(static_cast<char*>(nullptr));
}

TEST(DosToWin, StringFormConvertsPastAZeroByte) {
  std::string text("\x86\0\x94", 3);
  DosToWin(text);
  EXPECT_EQ(text, std::string("\xE5\0\xF6", 3));
}

// The check for bytes to convert reads whole words: a DOS letter at any place of a line, in a
// word or in the bytes after the last whole word, is converted.
TEST(DosToWin, ALetterAtAnyPlaceOfALineIsConverted) {
  for (std::size_t length = 1; length <= 20; ++length)
    for (std::size_t at = 0; at < length; ++at) {
      std::string text(length, 'a');
      text[at] = '\x94';
      DosToWin(text);
      std::string expected(length, 'a');
      expected[at] = '\xF6';
      ASSERT_EQ(text, expected) << length << " " << at;
    }
}

TEST(UpperId, MapsLettersTheWayIdentifiersCompare) {
  const struct {
    const char* in;
    const char* out;
  } cases[] = {
      {"bh-1\xE5", "BH-1\xC5"},
      {"l\xE4", "L\xE4"},                      // ä stays
      {"\xF6\xE6\xF8", "\xF6\xC6\xD8"},        // ö stays, æ ø become Æ Ø
      {"\x86\x91\x9B\x84\x94", "\x8F\x92\xED\x84\x94"},  // DOS å æ ø up, DOS ä ö stay
      {"abc-XYZ_09+", "ABC-XYZ_09+"},
      {"", ""},
  };
  for (const auto& c : cases) {
    std::string s = c.in;
    UpperId(s);
    EXPECT_EQ(s, c.out) << c.in;
    std::vector<char> buf(s.size() + 1);
    std::copy(c.in, c.in + std::strlen(c.in) + 1, buf.begin());
    UpperId(buf.data());
    EXPECT_STREQ(buf.data(), c.out);
  }
}

TEST(SplitPath, TrimsAndSplitsAtTheLastSeparator) {
  const struct {
    const char* path;
    const char* dir;
    const char* name;
  } cases[] = {
      {"  \"C:\\proj\\a.snd\"  ", "C:\\proj", "a.snd"},
      {"a.snd", "", "a.snd"},
      {"/home/p/BH1.SND", "/home/p", "BH1.SND"},
      {"C:\\x/y\\z.tlk", "C:\\x/y", "z.tlk"},
      {"dir\\", "dir", ""},
      {"", "", ""},
  };
  for (const auto& c : cases) {
    std::string dir = "stale", name = "stale";
    EXPECT_EQ(SplitPath(c.path, &dir, &name), 0);
    EXPECT_EQ(dir, c.dir) << c.path;
    EXPECT_EQ(name, c.name) << c.path;
  }
  std::string name;
  EXPECT_EQ(SplitPath("x\\y", nullptr, &name), 0);
  EXPECT_EQ(name, "y");
}

TEST(Cp1252, ConvertsToUtf8AndBackLosslessly) {
  std::string all;
  for (int c = 1; c < 256; ++c) all += static_cast<char>(c);
  const std::string utf8 = Cp1252ToUtf8(all);
  EXPECT_EQ(Utf8ToCp1252(utf8), all);
  EXPECT_EQ(Cp1252ToUtf8("\xE5\xE4\xF6 \x80"), "\xC3\xA5\xC3\xA4\xC3\xB6 \xE2\x82\xAC");
  EXPECT_EQ(Utf8ToCp1252("\xC3\x85\xC3\x98 \xE2\x82\xAC \xE2\x98\x83"), "\xC5\xD8 \x80 ?");
  // Bytes that are not UTF-8 pass through as themselves.
  EXPECT_EQ(Utf8ToCp1252("a\xE5" "b"), "a\xE5" "b");
}

TEST(CopyField, CutsToTheFieldAndAlwaysTerminates) {
  char field[9];
  std::memset(field, 'x', sizeof field);
  CopyField(field, "ABCDEFGHIJKL");
  EXPECT_STREQ(field, "ABCDEFGH");
  CopyField(field, std::string("BH1"));
  EXPECT_STREQ(field, "BH1");
  CopyField(field, static_cast<const char*>(nullptr));
  EXPECT_STREQ(field, "");
  // Pieces of a line: up to their end, a zero byte in them, or the field's size.
  const std::string line("W1\0rest SL 0123456789", 21);
  CopyField(field, std::string_view(line).substr(0, 5));
  EXPECT_STREQ(field, "W1");
  CopyField(field, std::string_view(line).substr(8, 2));
  EXPECT_STREQ(field, "SL");
  CopyField(field, std::string_view(line).substr(11));
  EXPECT_STREQ(field, "01234567");
  CopyField(field, std::string_view());
  EXPECT_STREQ(field, "");

  char unterminated[4] = {'A', 'B', 'C', 'D'};
  EXPECT_EQ(FieldText(unterminated), "ABCD");
}

}  // namespace
}  // namespace geoproj
