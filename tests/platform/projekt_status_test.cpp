#include <geoproj/platform/projekt_status.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include <geoproj/foundation/text_helpers.h>

#include "support/status_log.h"
#include "support/temp_dir.h"

namespace {

using Statuses = std::vector<std::pair<int, std::string>>;

Statuses Walk(CProjektStatus& list) {
  Statuses out;
  if (list.Home() != 0) return out;
  do {
    const projektstatustype* s = list.Get_aktel();
    out.emplace_back(s->status, geoproj::FieldText(s->text));
  } while (list++);
  return out;
}

const Statuses kBuiltIn = {{1, "Planerat"},     {2, "P\xE5g\xE5" "ende"}, {3, "Levererat"},
                           {4, "Vilande"},      {5, "Avslutat"},          {6, "Ska arkiveras"},
                           {7, "Arkiverat"}};

class ProjektStatusTest : public ::testing::Test {
 protected:
  geoproj::test::TempDir dir_;
  CProjektStatus list_;
};

TEST_F(ProjektStatusTest, ReadsNumberedTextsInFileOrder) {
  const std::string path = dir_.write("status.txt",
                                      "; project statuses\r\n"
                                      "10;Anbud\r\n"
                                      "  20 ;  P\xE5g\xE5" "ende  \r\n"
                                      "\r\n"
                                      "5;Avslutat\n"
                                      "20;Dubblett\n"
                                      "x;Ingen siffra\n"
                                      "30 Utan semikolon\n"
                                      ";40;Kommentar\n"
                                      "50;\n"
                                      "-1;Negativ\n"
                                      "99999999999;F\xF6r stor\n"
                                      "7;Sista utan radslut");
  geoproj::test::StatusLog status;
  EXPECT_EQ(0, list_.Load(path.c_str()));
  // Lines passed over that are no comments are told; a number given again is no loss.
  std::vector<std::string> told;
  for (int line : {7, 8, 10, 12})
    told.push_back(path + ", line " + std::to_string(line) + ": not a status line");
  EXPECT_EQ(told, status.shown());
  EXPECT_EQ(4, list_.DroppedContent());
  EXPECT_EQ((Statuses{{10, "Anbud"},
                      {20, "P\xE5g\xE5" "ende"},
                      {5, "Avslutat"},
                      {-1, "Negativ"},
                      {7, "Sista utan radslut"}}),
            Walk(list_));
}

TEST_F(ProjektStatusTest, MissingOrEmptyFileGivesTheBuiltInList) {
  const std::string empty = dir_.write("empty.txt", "; nothing\r\n\r\n");
  for (const std::string& path : {dir_.file("none.txt"), empty, std::string()}) {
    CProjektStatus list;
    EXPECT_EQ(1, list.Load(path.c_str())) << path;
    EXPECT_EQ(kBuiltIn, Walk(list)) << path;
  }
  EXPECT_EQ(1, list_.Load(nullptr));
  EXPECT_EQ(kBuiltIn, Walk(list_));
}

TEST_F(ProjektStatusTest, LoadReplacesTheList) {
  list_.LoadDefault();
  const std::string path = dir_.write("s.txt", "3;Tre\n");
  EXPECT_EQ(0, list_.Load(path.c_str()));
  EXPECT_EQ((Statuses{{3, "Tre"}}), Walk(list_));
  EXPECT_EQ(nullptr, list_.GetStatus(1));
}

TEST_F(ProjektStatusTest, LongTextsAreCutToTheField) {
  const std::string path = dir_.write("s.txt", "1;" + std::string(200, 'L') + "\n2;b\n");
  list_.Load(path.c_str());
  EXPECT_EQ(std::string(63, 'L'), list_.GetStatus(1));
  EXPECT_STREQ("b", list_.GetStatus(2));
}

TEST_F(ProjektStatusTest, GetStatusAndFind) {
  list_.LoadDefault();
  EXPECT_STREQ("Vilande", list_.GetStatus(4));
  EXPECT_EQ(nullptr, list_.GetStatus(0));
  EXPECT_EQ(nullptr, list_.GetStatus(8));
  const struct {
    const char* text;
    int number;
  } cases[] = {
      {"Vilande", 4},       {"VILANDE", 4}, {"  ska ARKIVERAS ", 6}, {"P\xC5G\xC5" "ENDE", 2},
      {"Vilande x", -1},    {"", -1},       {nullptr, -1},
  };
  for (const auto& c : cases) EXPECT_EQ(c.number, list_.Find(c.text)) << (c.text ? c.text : "null");
}

TEST_F(ProjektStatusTest, KeepsTheHostHandle) {
  int window = 0;
  EXPECT_EQ(nullptr, list_.GetHandle());
  list_.SetHandle(&window);
  EXPECT_EQ(&window, list_.GetHandle());
}

}  // namespace
