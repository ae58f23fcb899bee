// list DIR [--sort KEY] [--json]: records in database order or sorted; damaged databases.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tool/tool_boreholes.h"
#include "tool/tool_project.h"

namespace geoproj::tooltest {
namespace {

using Json = nlohmann::json;

std::vector<std::string> Ids(const Json& records) {
  std::vector<std::string> ids;
  for (const Json& r : records) ids.push_back(r["id"].get<std::string>());
  return ids;
}

class ToolListTest : public ToolTest {
 protected:
  // A borehole with only a header, or a header and a one-record total sounding.
  void WriteBorehole(const std::string& id, double z, bool total) {
    std::string text = CrLf({"10.000000", "20.000000", Printf("%f", z), "9999999.900000",
                             "0.000000", "0.000000 0 90.000000", "*", "97", "40 0", "*", "99",
                             "GUID 5a5a5a5a-1b1b-4c2c-8d3d-4e4e4e4e4e4e"});
    if (total)
      text += CrLf({"*", "25 01.06.2022",
                    "1.000000 90 0 4 1 0 X GUID 6b6b6b6b-1b1b-4c2c-8d3d-4e4e4e4e4e4e",
                    TotalLine(2.0, 800, 10, 0, "SA"), "*"});
    project_.write(id + ".SND", text);
  }

  void SaveAll(const std::vector<std::string>& ids) {
    std::vector<std::string> args = {"save", project_.path()};
    args.insert(args.end(), ids.begin(), ids.end());
    Ok(args);
  }
};

TEST_F(ToolListTest, JsonHoldsEveryRecordWithItsFields) {
  project_.write("BH1.SND", Bh1Snd());
  project_.write("BH1.TLK", Bh1Tlk());
  project_.write("BH2.SND", Bh2Snd());
  Ok({"init", project_.path()});
  EXPECT_EQ(Ok({"list", project_.path(), "--json"}).Json(), Json::array());
  SaveAll({"BH2", "BH1"});

  const Json records = Ok({"list", project_.path(), "--json"}).Json();
  ASSERT_EQ(records.size(), 2u);
  const Json& bh2 = records[0];
  std::vector<std::string> keys;
  for (const auto& item : bh2.items()) keys.push_back(item.key());
  // The keys of the contract, all of them.
  std::sort(keys.begin(), keys.end());
  EXPECT_EQ(keys, (std::vector<std::string>{"avst", "bits", "djup", "filpos", "id", "kind",
                                            "sek", "stopp", "symbol", "x", "y", "z"}));
  EXPECT_EQ(bh2["id"], "BH2");
  EXPECT_EQ(bh2["kind"], "BH");
  EXPECT_EQ(bh2["x"], 6583150.0);
  EXPECT_EQ(bh2["sek"], 9999999.9);
  EXPECT_EQ(bh2["djup"], 17.4);
  EXPECT_EQ(bh2["stopp"], 93);
  EXPECT_EQ(bh2["bits"], Json::array({1, 0, 128, 0, 0, 16, 0}));
  EXPECT_EQ(bh2["filpos"], 500);
  // A total sounding alone (byte 5 bit 0x10: + 1), unchecked.
  EXPECT_EQ(bh2["symbol"], "https://symbols.invalid/static/GeoSymbols/1073741825.png");
  EXPECT_EQ(records[1]["id"], "BH1");
  EXPECT_EQ(records[1]["avst"], -6.5);
  EXPECT_EQ(records[1]["filpos"], 562);
  EXPECT_FALSE(locked());
}

TEST_F(ToolListTest, TableAlignsTheSameColumns) {
  project_.write("BH1.SND", Bh1Snd());
  project_.write("BH2.SND", Bh2Snd());
  Ok({"init", project_.path()});
  SaveAll({"BH1", "BH2"});
  const std::string table = Ok({"list", project_.path()}).out;
  std::vector<std::string> lines;
  for (std::size_t start = 0, end; (end = table.find('\n', start)) != std::string::npos;
       start = end + 1)
    lines.push_back(table.substr(start, end - start));
  ASSERT_EQ(lines.size(), 3u) << table;
  EXPECT_EQ(lines[0].find("id"), 0u);
  for (const char* column : {"kind", "x", "y", "z", "sek", "avst", "djup", "stopp", "bits",
                             "filpos"})
    EXPECT_NE(lines[0].find(column), std::string::npos) << column;
  EXPECT_EQ(lines[1].substr(0, 4), "BH1 ");
  EXPECT_NE(lines[1].find("6583120.500"), std::string::npos) << lines[1];
  EXPECT_NE(lines[2].find("none"), std::string::npos) << "BH2 has no chainage: " << lines[2];
  // Right-aligned numbers end in the same column: the rows are equally long.
  EXPECT_EQ(lines[1].size(), lines[2].size());
  EXPECT_EQ(lines[0].size(), lines[1].size());
}

TEST_F(ToolListTest, SortsByTheDatabaseKeys) {
  WriteBorehole("2", 12.0, true);
  WriteBorehole("10", 15.0, false);
  WriteBorehole("A1", 9.0, true);
  WriteBorehole("B7", 13.5, false);
  Ok({"init", project_.path()});
  SaveAll({"2", "10", "A1", "B7"});
  using Order = std::vector<std::string>;
  const struct {
    const char* key;
    Order ids;
  } cases[] = {
      {nullptr, {"2", "10", "A1", "B7"}},  // database order
      {"1", {"2", "10", "A1", "B7"}},      // leading number, then the text
      {"4", {"A1", "2", "B7", "10"}},      // ground level
      {"-4", {"10", "B7", "2", "A1"}},
      {"12", {"2", "A1", "10", "B7"}},     // total soundings first, order kept
      {"12:-4", {"2", "A1", "10", "B7"}},  // then the higher level first among equals
      {"12:4", {"A1", "2", "B7", "10"}},
  };
  for (const auto& c : cases) {
    std::vector<std::string> args = {"list", project_.path(), "--json"};
    if (c.key) args.insert(args.end(), {"--sort", c.key});
    EXPECT_EQ(Ids(Ok(args).Json()), c.ids) << (c.key ? c.key : "none");
  }
  // Descending by number: 10 before 2, the identifiers without a number ahead of both.
  const Order descending = Ids(Ok({"list", project_.path(), "--sort=-1", "--json"}).Json());
  ASSERT_EQ(descending.size(), 4u);
  EXPECT_EQ(Order(descending.begin() + 2, descending.end()), (Order{"10", "2"}));
  for (const char* bad : {"0", "22", "3:", ":3", "3:x", "3:-22"})
    EXPECT_EQ(Run({"list", project_.path(), "--sort", bad}).status, 2) << bad;
  // The help says what it takes and what every key means.
  const std::string help = Ok({"list", "--help"}).out;
  EXPECT_NE(help.find("--sort KEY[:KEY...]"), std::string::npos) << help;
  EXPECT_EQ(help.find("KEY:KEY"), std::string::npos) << help;
  EXPECT_NE(help.find("21  interpretation (60) first"), std::string::npos) << help;
}

TEST_F(ToolListTest, AnEmptyDatabaseSaysHowBoreholesEnterIt) {
  Ok({"init", project_.path()});
  ToolResult r = Ok({"list", project_.path()});
  EXPECT_NE(r.err.find("no records"), std::string::npos) << r.err;
}

class ToolDamagedDatabaseTest : public ToolListTest {
 protected:
  // A valid database with BH1 and BH2.
  void SetUp() override {
    ToolListTest::SetUp();
    if (IsSkipped()) return;
    project_.write("BH1.SND", Bh1Snd());
    project_.write("BH2.SND", Bh2Snd());
    Ok({"init", project_.path()});
    SaveAll({"BH1", "BH2"});
    valid_ = database();
  }

  std::string valid_;
};

TEST_F(ToolDamagedDatabaseTest, UnreadableHeadersFailWithTheLibrarysMessage) {
  std::string old_version = valid_;
  old_version.replace(0, 4, std::string("1.9\0", 4));
  std::string garbage;
  for (int i = 0; i < 3000; ++i) garbage += static_cast<char>((i * 7919 + 13) % 251);
  const struct {
    const char* what;
    std::string bytes;
    const char* message;
  } cases[] = {
      {"truncated header", valid_.substr(0, 200), "Feil vid innlesning av databas"},
      {"empty file", "", "Feil vid innlesning av databas"},
      {"old version", old_version, "Felaktig version: 1.9"},
      {"garbage", garbage, "Feil vid innlesning av databas"},
  };
  for (const auto& c : cases) {
    project_.write(kDatabaseName, c.bytes);
    ToolResult r = Run({"list", project_.path(), "--json"});
    EXPECT_EQ(r.status, 1) << c.what;
    EXPECT_NE(r.err.find(c.message), std::string::npos) << c.what << ":\n" << r.err;
    EXPECT_TRUE(r.out.empty()) << c.what;
    EXPECT_FALSE(locked()) << c.what;
  }
}

TEST_F(ToolDamagedDatabaseTest, ABrokenRecordAreaNeverCrashes) {
  // Cut inside the second record, garbage over the first, an end offset far beyond the file.
  std::string cut = valid_.substr(0, kFirstRecord + kRecordSize + 30);
  std::string smeared = valid_;
  for (std::size_t i = 0; i < kRecordSize; ++i) smeared[kFirstRecord + i] = static_cast<char>(0xA5 ^ i);
  std::string far_end = valid_;
  const std::int32_t end = 1 << 30;
  std::memcpy(far_end.data() + 324, &end, 4);
  for (const std::string& bytes : {cut, smeared, far_end}) {
    project_.write(kDatabaseName, bytes);
    ToolResult r = Run({"--no", "list", project_.path(), "--json"});
    ASSERT_TRUE(r.status == 0 || r.status == 1) << r.err;
    if (r.status == 0) {
      EXPECT_LE(r.Json().size(), 2u);
    }
    EXPECT_FALSE(locked());
  }
}

TEST_F(ToolDamagedDatabaseTest, QuestionsAreAnsweredFromTheCommandLine) {
  // BH1 also carries the line kind: the reader asks whether to drop it.
  std::string two_kinds = valid_;
  two_kinds[kFirstRecord + 9] = 0x09;
  project_.write(kDatabaseName, two_kinds);
  const std::string question = "Kontroll av databas: Fel i databas: id      BH1 har ocks\xC3\xA5";

  ToolResult yes = Run({"--yes", "list", project_.path(), "--json"});
  EXPECT_EQ(yes.status, 0) << yes.err;
  EXPECT_NE(yes.err.find(question), std::string::npos) << yes.err;
  EXPECT_EQ(Ids(yes.Json()), (std::vector<std::string>{"BH1", "BH2"}));
  EXPECT_EQ(yes.Json()[0]["bits"][0], 1);

  ToolResult no = Run({"--no", "list", project_.path(), "--json"});
  EXPECT_EQ(no.status, 0) << no.err;
  EXPECT_EQ(Ids(no.Json()), (std::vector<std::string>{"BH2"}));

  // Nobody to ask (standard input is a pipe): No, and the tool says so.
  ToolResult nobody = Run({"list", project_.path(), "--json"}, {}, "y\n");
  EXPECT_EQ(nobody.status, 0) << nobody.err;
  EXPECT_NE(nobody.err.find(question), std::string::npos) << nobody.err;
  EXPECT_NE(nobody.err.find("answered No"), std::string::npos) << nobody.err;
  EXPECT_EQ(Ids(nobody.Json()), (std::vector<std::string>{"BH2"}));

  // list reads only; saving opens the database writable and repairs the record on Yes.
  EXPECT_EQ(database(), two_kinds);
  Ok({"--yes", "save", project_.path(), "BH2"});
  EXPECT_EQ(database()[kFirstRecord + 9], 0x01);
}

TEST_F(ToolDamagedDatabaseTest, QuestionsAreAskedOnATerminal) {
  std::string two_kinds = valid_;
  two_kinds[kFirstRecord + 9] = 0x09;
  project_.write(kDatabaseName, two_kinds);
  const struct {
    const char* typed;
    std::vector<std::string> ids;
  } cases[] = {
      {"j\n", {"BH1", "BH2"}},
      {"yes\n", {"BH1", "BH2"}},
      {"n\n", {"BH2"}},
      {"maybe\nnej\n", {"BH2"}},  // asked again after an answer it does not know
  };
  for (const auto& c : cases) {
    ToolResult r = RunToolOnTerminal({"list", project_.path(), "--json"}, c.typed);
    ASSERT_EQ(r.status, 0) << c.typed << r.err;
    EXPECT_NE(r.err.find("[y]es/[n]o?"), std::string::npos) << r.err;
    EXPECT_EQ(r.err.find("answered No"), std::string::npos) << r.err;
    EXPECT_EQ(Ids(r.Json()), c.ids) << c.typed;
  }
}

}  // namespace
}  // namespace geoproj::tooltest
