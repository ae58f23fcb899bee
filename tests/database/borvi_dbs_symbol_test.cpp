// Method symbols: the symbol number of a record's bits, the checked address, and the point list.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <geoproj/database/borvi_dbs.h>
#include <geoproj/database/dbs_format.h>
#include <geoproj/foundation/messages.h>
#include <geoproj/platform/proj_path.h>
#include <geoproj/platform/symbol_library.h>

#include "support/temp_dir.h"

namespace {

using geoproj::test::TempDir;

constexpr const char* kEndpoint = "https://lib.test/";

struct BitsCase {
  const char* what;
  std::vector<std::pair<int, unsigned char>> bits;  // byte, mask
  long number;
};

// Records of the list: bits set on a zero record.
bhdbstype Record(const char* id, const std::vector<std::pair<int, unsigned char>>& bits) {
  bhdbstype r{};
  std::snprintf(r.id, sizeof r.id, "%s", id);
  for (const auto& [byte, mask] : bits) r.bit.b[byte] |= mask;
  return r;
}

class SymbolTest : public ::testing::Test {
 protected:
  SymbolTest() : dbs_(&proj_) {
    proj_.SetPath(dir_.path().c_str());
    geoproj::SetSymbolLibraryEndpoint(kEndpoint);
  }
  ~SymbolTest() override {
    geoproj::SetSymbolLibraryEndpoint(geoproj::kDefaultSymbolEndpoint);
    geoproj::SetSymbolListHandler(nullptr);
    geoproj::SetMessageHandler(nullptr);
  }

  std::string Symbol(const bhdbstype& r, int check) {
    dbs_.Ny(1, &r);
    return dbs_.NoSymb(check);
  }

  // Answers every message with answer and counts them.
  void AnswerMessages(int answer) {
    geoproj::SetMessageHandler([this, answer](const std::string& text, unsigned flags, const std::string&) {
      asked_.push_back(text);
      flags_ = flags;
      return answer;
    });
  }

  TempDir dir_;
  CProjPath proj_;
  CBorviDbs dbs_;
  std::vector<std::string> asked_;
  unsigned flags_ = 0;
};

TEST_F(SymbolTest, NumberCombinesTheMethodsOfTheBits) {
  const BitsCase cases[] = {
      {"CPT and total sounding", {{4, 0x01}, {5, 0x10}}, 1073741827},
      {"CPT, total and rotary", {{4, 0x01}, {5, 0x10}, {5, 0x01}}, 1073741891},
      {"groundwater pipe with other bits", {{2, 0x02}, {4, 0x01}, {5, 0x10}}, 1073742080},
      {"measurement point (4)", {{2, 0x08}}, 1073742080},
      {"DUB (6)", {{2, 0x0C}, {1, 0x80}}, 1073742336},
      {"vane", {{1, 0x80}, {5, 0x01}}, 1073750016},
      {"nothing", {}, 1073741824},
      {"core, pressure, rock, ram, simple", {{5, 0x80}, {5, 0x04}, {5, 0x20}, {5, 0x08}, {5, 0x02}},
       1073741824 + 4 + 8 + 16 + 32 + 128},
      {"SKV/PG samples alone", {{2, 0x01}}, 1073741824 + 4096},
      {"other samples with SKV/PG", {{5, 0x40}, {2, 0x01}}, 1073741824 + 2048},
      {"other samples alone", {{5, 0x40}}, 1073741824 + 1024},
      {"environmental", {{4, 0x40}}, 1073741824 + 16384},
  };
  for (const BitsCase& c : cases)
    EXPECT_EQ(Symbol(Record("B1", c.bits), 0),
              std::string(kEndpoint) + "static/GeoSymbols/" + std::to_string(c.number) + ".png")
        << c.what;
  EXPECT_TRUE(asked_.empty());
}

TEST_F(SymbolTest, CheckedNumberMissingFromTheListIsTheUnknownImage) {
  std::vector<std::string> urls;
  geoproj::SetSymbolListHandler([&urls](const std::string& url, std::vector<std::string>* lines) {
    urls.push_back(url);
    // A list served with CR LF and in another case still names its symbols.
    *lines = {"1073741891.PNG\r", "1073742080.png", "unknown.png"};
    return true;
  });
  const bhdbstype cptTotal = Record("B1", {{4, 0x01}, {5, 0x10}});
  const bhdbstype withRotary = Record("B2", {{4, 0x01}, {5, 0x10}, {5, 0x01}});
  EXPECT_EQ(Symbol(cptTotal, 1), std::string(kEndpoint) + "static/GeoSymbols/unknown.png");
  EXPECT_EQ(Symbol(withRotary, 1), std::string(kEndpoint) + "static/GeoSymbols/1073741891.png");
  // Unchecked, the number stands whether the library has it or not.
  EXPECT_EQ(Symbol(cptTotal, 0), std::string(kEndpoint) + "static/GeoSymbols/1073741827.png");
  // Fetched once per object, fresh from the library's list.
  EXPECT_EQ(urls, std::vector<std::string>{std::string(kEndpoint) + "static/GeoSymbols/symbols.txt"});
  EXPECT_TRUE(asked_.empty());
}

TEST_F(SymbolTest, CancelWithoutTheLibraryMeansNoSymbolsAskedOnce) {
  AnswerMessages(geoproj::kIdCancel);  // no list handler: no connection
  const bhdbstype r = Record("B1", {{4, 0x01}});
  EXPECT_EQ(Symbol(r, 1), " ");
  EXPECT_EQ(Symbol(r, 1), " ");
  EXPECT_EQ(Symbol(r, 0), " ");
  ASSERT_EQ(asked_.size(), 1u);
  EXPECT_EQ(asked_[0],
            "F\xE5r ej kontakt med symbolbiblioteket p\xE5 Internet. Forts\xE4tt utan kontroll?");
  EXPECT_EQ(flags_, geoproj::kMbOkCancel | geoproj::kMbIconExclamation);
}

TEST_F(SymbolTest, OkWithAShortListGoesOnWithoutChecking) {
  AnswerMessages(geoproj::kIdOk);
  int fetched = 0;
  geoproj::SetSymbolListHandler([&fetched](const std::string&, std::vector<std::string>* lines) {
    ++fetched;
    lines->push_back("1073741825.png");  // one line is no list
    return false;
  });
  const bhdbstype r = Record("B1", {{4, 0x01}});
  EXPECT_EQ(Symbol(r, 1), std::string(kEndpoint) + "static/GeoSymbols/1073741826.png");
  EXPECT_EQ(Symbol(r, 1), std::string(kEndpoint) + "static/GeoSymbols/1073741826.png");
  EXPECT_EQ(asked_.size(), 1u);
  EXPECT_EQ(fetched, 1);
  EXPECT_STREQ(dbs_.SvSymb(0), "");
}

TEST_F(SymbolTest, PointListHoldsTheAvpRecordsInListOrder) {
  bhdbstype p1 = Record("P1", {{0, 0x02}});
  p1.x = 6583100.5;
  p1.y = 153200.25;
  p1.z = 12.3456;
  p1.sek = 9999999.9;
  p1.avst = -2.5;
  geoproj::SetKodText(&p1, "FIX");
  bhdbstype b1 = Record("B1", {{0, 0x01}});
  bhdbstype p2 = Record("P2", {{0, 0x02}});
  dbs_.Ny(1, &p1);
  dbs_.Ny(1, &b1);
  dbs_.Ny(1, &p2);
  ASSERT_EQ(dbs_.AvpFilUppdat(), 0);
  EXPECT_EQ(dir_.read("PUNKTLISTA.TXT"),
            "P1  6583100.500   153200.250       12.346  9999999.900       -2.500 FIX\r\n"
            "P2        0.000        0.000        0.000        0.000        0.000 \r\n"
            "*\r\n");
}

TEST_F(SymbolTest, PointListThatCannotBeCreatedFails) {
  proj_.m_pktFil = dir_.file("missing-folder/PUNKTLISTA.TXT");
  EXPECT_EQ(dbs_.AvpFilUppdat(), -1);
}

}  // namespace
