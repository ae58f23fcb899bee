// Status bits, depth summary, start depths, own code, stop code and rock levels of a borehole.
#include <geoproj/database/borvi_dbs.h>
#include <geoproj/database/dbs_guid.h>
#include <geoproj/methods/borvi_tlk.h>
#include <geoproj/sounding/borvi_dpt.h>
#include <geoproj/sounding/borvi_dreie.h>
#include <geoproj/sounding/borvi_dtrykk.h>
#include <geoproj/sounding/borvi_enkel.h>
#include <geoproj/sounding/borvi_fjell.h>
#include <geoproj/sounding/borvi_ram.h>
#include <geoproj/sounding/borvi_snd.h>
#include <geoproj/sounding/borvi_total.h>
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "sounding/snd_fixture.h"

namespace geoproj::test {
namespace {

class SndStatusTest : public SndTest {
 protected:
  // Reads a borehole made of the canonical header with the given header numbers 1 to 6 lines
  // replaced, and the blocks.
  void Read(CBorviSnd& snd, const std::string& blocks, const std::string& header = "") {
    Put("ST.SND", (header.empty() ? CanonicalHeader() : header) + CanonicalGuidSection() +
                      blocks + "*\n");
    ASSERT_EQ(snd.Init("st", nullptr), 0);
  }
  static bhdbstype Record(CBorviSnd& snd) {
    bhdbstype rec{};
    CopyField(rec.id, "ST");
    EXPECT_EQ(snd.Snd2Bhbit(&rec), 0);
    return rec;
  }
};

std::string HeaderWith(const std::string& sixth) {
  return "0\n0\n20\n9999999.9\n0\n" + sixth + "\n*\n97\n40 0\n";
}

// A Dreie block with the given data lines.
std::string Dreie(const std::vector<std::string>& rows, int stopp = 90, int varde3 = 0) {
  std::string text = "*\n21 01.01.2020\n0 " + std::to_string(stopp) + " " + std::to_string(varde3) +
                     " 0 1 0 x GUID " + BlockGuid(21) + "\n";
  for (const std::string& row : rows) text += row;
  return text;
}

std::string DreieRow(const char* depth, const char* text) {
  return Row(std::string("  ") + depth + "   10 25", 22, text);
}

struct MethodCase {
  const char* name;
  std::string block;
  BhBitPlace own;       // the method's bit
  bool inOwnBits;       // also in the sounding file's own bits
};

TEST_F(SndStatusTest, EachMethodSetsItsBits) {
  const MethodCase cases[] = {
      {"Dreie", DreieBlock(), kBitDreie, true},   {"Ram", RamBlock(), kBitRam, true},
      {"Total", TotalBlock(), kBitTotal, true},   {"Fjell", FjellBlock(), kBitFjell, true},
      {"Dtrykk", DtrykkBlock(), kBitDtrykk, true}, {"Enkel", EnkelBlock(), kBitEnkel, true},
      {"DPT", DptBlock(), kBitDpt, false},
  };
  for (const MethodCase& c : cases) {
    CBorviSnd snd(&proj, nullptr);
    Read(snd, c.block);
    EXPECT_EQ(HasBit(snd.bit, c.own), c.inOwnBits) << c.name;
    EXPECT_TRUE(HasBit(snd.bit, kBitBorehole)) << c.name;
    bhdbstype rec = Record(snd);
    EXPECT_TRUE(HasBit(rec.bit, c.own)) << c.name;
    EXPECT_TRUE(HasBit(rec.bit, kBitBorehole)) << c.name;
    int methodBits = 0;
    for (BhBitPlace p : {kBitDreie, kBitRam, kBitTotal, kBitFjell, kBitDtrykk, kBitEnkel, kBitDpt,
                         kBitCpt, kBitCoreDrilling, kBitWaterLoss})
      methodBits += HasBit(rec.bit, p);
    EXPECT_EQ(methodBits, 1) << c.name;
  }
}

TEST_F(SndStatusTest, RecordTakesPositionDepthAndStopCode) {
  CBorviSnd snd(&proj, nullptr);
  Read(snd, DreieBlock() + RamBlock() + DtrykkBlock() + DptBlock());
  bhdbstype rec{};
  // A method bit the borehole no longer has is cleared; the kind bits stay.
  rec.bit.b[5] = 0xFF;
  rec.bit.b[0] = 0x10;
  ASSERT_EQ(snd.Snd2Bhbit(&rec), 0);
  EXPECT_DOUBLE_EQ(rec.x, 6543210.125);
  EXPECT_DOUBLE_EQ(rec.y, 1234567.5);
  EXPECT_DOUBLE_EQ(rec.z, 20.0);
  EXPECT_DOUBLE_EQ(rec.sek, CBorviSnd::Seknoll);
  EXPECT_DOUBLE_EQ(rec.avst, 0.0);
  EXPECT_FLOAT_EQ(rec.djup, 2.0f);
  EXPECT_EQ(rec.stopp, 93);
  EXPECT_EQ(rec.bit.b[5], 0x01 | 0x08 | 0x04);
  EXPECT_EQ(rec.bit.b[0], 0x11);
}

TEST_F(SndStatusTest, KindOfTheLastFileRead) {
  const struct {
    const int* kind;
    int byte;
    unsigned char value;
  } cases[] = {{&CBorviSnd::Bh, 0, 0x01}, {&CBorviSnd::Gvr, 2, 0x02}, {&CBorviSnd::Mtn, 2, 0x08},
               {&CBorviSnd::Avp, 0, 0x02}, {&CBorviSnd::Vb, 1, 0x80}};
  for (const auto& c : cases) {
    CBorviSnd snd(&proj, nullptr);
    snd.typ = c.kind;
    bhdbstype rec{};
    rec.bit.b[2] = 0x0C;  // an earlier groundwater number is replaced
    snd.Snd2Bhbit(&rec);
    if (c.byte == 2) {
      EXPECT_EQ(rec.bit.b[2], c.value) << *c.kind;
    } else {
      EXPECT_EQ(rec.bit.b[c.byte] & c.value, c.value) << *c.kind;
    }
  }
  CBorviSnd none(&proj, nullptr);
  bhdbstype rec{};
  none.Snd2Bhbit(&rec);
  EXPECT_EQ(rec.bit.b[0] | rec.bit.b[1] | rec.bit.b[2], 0);
}

TEST_F(SndStatusTest, DepthIsTheDeepestLastRecord) {
  CBorviSnd snd(&proj, nullptr);
  Read(snd, Dreie({DreieRow("1.000", ""), DreieRow("12.300", "")}) +
                "*\n25 01.01.2020\n0 90 0 4 1 0 t GUID " + BlockGuid(25) + "\n" +
                Row(" 15.000   300    10     0", 29, "") + Row("  2.000   300    10     0", 29, ""));
  // The last record counts, not the deepest one.
  EXPECT_FLOAT_EQ(Record(snd).djup, 12.3f);
  float djup = 20.0f;
  snd.GetMaxDjup(&djup);
  EXPECT_FLOAT_EQ(djup, 20.0f);

  CBorviSnd dptOnly(&proj, nullptr);
  Read(dptOnly, DptBlock());
  EXPECT_FLOAT_EQ(Record(dptOnly).djup, 0.0f);
}

TEST_F(SndStatusTest, StartDepthOfEachSounding) {
  const struct {
    const char* sixth;
    const char* first;
    double start;
  } cases[] = {{"2.0 0 90", "2.020", 2.0}, {"2.0 0 90", "1.800", 1.8}, {"2.0 0 90", "3.000", 2.0},
               {"0 0 90", "0.040", 0.0}, {"0 0 90", "0.500", 0.0}};
  for (const auto& c : cases) {
    CBorviSnd snd(&proj, nullptr);
    Read(snd, Dreie({DreieRow(c.first, ""), DreieRow("9.000", "")}), HeaderWith(c.sixth));
    EXPECT_NEAR(snd.dreie->m_startdjup, c.start, 1e-6) << c.sixth << " / " << c.first;
  }
  // A later sounding starts where the earlier ones ended, or at its own first record above.
  CBorviSnd snd(&proj, nullptr);
  Read(snd,
       Dreie({DreieRow("0.000", ""), DreieRow("5.000", "")}) + "*\n22 01.01.2020\n0 90 GUID " +
           BlockGuid(22) + "\n" + Row("  6.000    7   ", 22, "") + "*\n23 01.01.2020\n0 90 GUID " +
           BlockGuid(23) + "\n" + Row("  4.000    7   ", 15, ""),
       HeaderWith("1.0 0 90"));
  EXPECT_NEAR(snd.enkel->m_startdjup, 5.0, 1e-6);
  EXPECT_NEAR(snd.dtrykk->m_startdjup, 4.0, 1e-6);
}

TEST_F(SndStatusTest, InclinationRoundsToAWholeDegree) {
  const struct {
    const char* sixth;
    bool inclined;
  } cases[] = {{"0 0 89.6", false}, {"0 0 89.4", true}, {"0 0 90.4", false},
               {"0 0 90.5", true},  {"0 0", false},     {"0 0 45", true},
               {"0 0 1e300", true}, {"0 0 -1e300", true}, {"0 0 nan", true}};
  for (const auto& c : cases) {
    CBorviSnd snd(&proj, nullptr);
    Read(snd, "", HeaderWith(c.sixth));
    EXPECT_EQ(HasBit(snd.bit, kBitInclined), c.inclined) << c.sixth;
    EXPECT_EQ(HasBit(Record(snd).bit, kBitInclined), c.inclined) << c.sixth;
  }
}

TEST_F(SndStatusTest, OwnCodeAndItsDepth) {
  CBorviSnd snd(&proj, nullptr);
  Read(snd, Dreie({DreieRow("1.000", "SA"), DreieRow("1.500", ""), DreieRow("2.000", "LE"),
                   DreieRow("2.500", "LE"), DreieRow("3.400", "LE MY"), DreieRow("4.000", "MY")}));
  double djup = -1.0;
  EXPECT_EQ(snd.MyKod(&djup), 0);
  EXPECT_DOUBLE_EQ(djup, static_cast<double>(3.4f));
  // Each record's symbol comes from its own text, also where the text repeats the one before.
  const char* const symbols[] = {"\x3A", "", "\xB3", "\xB3", "\xB3", "\xF0"};
  ASSERT_EQ(snd.dreie->Home(), 0);
  for (const char* symbol : symbols) {
    EXPECT_EQ(geoproj::FieldView(snd.dreie->Get_aktel()->symbol), symbol);
    (*snd.dreie)++;
  }
  EXPECT_EQ(snd.MyKod(), 0);
  EXPECT_TRUE(HasBit(snd.bit, kBitMy));
  EXPECT_TRUE(HasBit(Record(snd).bit, kBitMy));

  // The Ram sounding is asked before the Dreie sounding for the depth.
  CBorviSnd both(&proj, nullptr);
  Read(both, Dreie({DreieRow("3.400", "MY")}) + "*\n24 01.01.2020\n0 90 GUID " + BlockGuid(24) +
                 "\n" + Row("  7.000 12 3", 22, "MY"));
  EXPECT_EQ(both.MyKod(&djup), 0);
  EXPECT_DOUBLE_EQ(djup, 7.0);

  CBorviSnd none(&proj, nullptr);
  Read(none, Dreie({DreieRow("1.000", "SA MYR")}));
  djup = 5.0;
  EXPECT_EQ(none.MyKod(&djup), -1);
  EXPECT_DOUBLE_EQ(djup, 0.0);
  EXPECT_EQ(none.MyKod(), -1);
  EXPECT_FALSE(HasBit(Record(none).bit, kBitMy));
}

TEST_F(SndStatusTest, HighestStopCode) {
  const struct {
    std::string blocks;
    int stopp;
  } cases[] = {
      {Dreie({}, 93), 93},
      {Dreie({}, 12), 90},
      {Dreie({}, 95), 90},
      {Dreie({}, 91) + TotalBlock(), 93},
      {Dreie({}, 94) + FjellBlock(), 94},
      {"", 90},
      {DptBlock(), 90},
  };
  for (const auto& c : cases) {
    CBorviSnd snd(&proj, nullptr);
    Read(snd, c.blocks);
    int stopp = 0;
    EXPECT_EQ(snd.GetMaxStopp(&stopp), 0);
    EXPECT_EQ(stopp, c.stopp) << c.blocks;
  }
}

TEST_F(SndStatusTest, DigitisedSounding) {
  CBorviSnd digitised(&proj, nullptr);
  Read(digitised, Dreie({}, 90, 2));
  EXPECT_EQ(digitised.IfDigitaliserad(), 1);
  CBorviSnd plain(&proj, nullptr);
  Read(plain, Dreie({}, 90, 0) + RamBlock() + DptBlock());
  EXPECT_EQ(plain.IfDigitaliserad(), 0);
}

TEST_F(SndStatusTest, InterpretationBit) {
  CBorviSnd layers(&proj, nullptr);
  Put("ST.TLK", "lera\n12.5\n\n");
  Read(layers, "");
  EXPECT_TRUE(HasBit(layers.bit, kBitInterpretation));
  EXPECT_TRUE(HasBit(Record(layers).bit, kBitInterpretation));

  // A groundwater level alone marks the record, not the sounding file's own bits.
  Put("ST.TLK", "gvy\n3.5\n\n");
  CBorviSnd level(&proj, nullptr);
  Read(level, "");
  ASSERT_NE(level.tlk, nullptr);
  EXPECT_FALSE(HasBit(level.bit, kBitInterpretation));
  EXPECT_TRUE(HasBit(Record(level).bit, kBitInterpretation));
}

struct RockCase {
  std::string sixth;      // start depth, direction, inclination
  std::string lastDepth;  // depth of the Total sounding's last record
  float level;
  int source;
};

class SndRockTest : public SndStatusTest, public ::testing::WithParamInterface<RockCase> {};

// Rock found by the rock check at 14.2 m below ground level 20.0.
TEST_P(SndRockTest, RockLevelGoesIntoTheInterpretation) {
  const RockCase& c = GetParam();
  CBorviSnd snd(&proj, nullptr);
  Read(snd,
       "*\n25 01.01.2020\n0 93 0 4 1 0 t GUID " + BlockGuid(25) + "\n" +
           Row(" 10.000   300    10     0", 29, "") + Row(" 14.200   300    10     0", 29, "F") +
           Row(c.lastDepth + "   300    10     0", 29, ""),
       HeaderWith(c.sixth));
  float berg = 0.0f;
  ASSERT_EQ(snd.total->BergKontroll(&berg), 0);
  EXPECT_EQ(snd.TolkatBerg(berg), 0);
  ASSERT_NE(snd.tlk, nullptr);
  ASSERT_EQ(snd.tlk->Home(), 0);
  const matetype* rock = snd.tlk->Get_aktel();
  EXPECT_STREQ(rock->namn, "berg");
  EXPECT_NEAR(rock->niva, c.level, 0.0051);
  EXPECT_EQ(rock->nivakalla, c.source);
  EXPECT_EQ(rock->nivakod, c.source);
  EXPECT_EQ(snd.TolkatBerg(berg), -1);
  EXPECT_EQ(snd.TolkatZBerg(rock->niva), -1);
}

INSTANTIATE_TEST_SUITE_P(Cases, SndRockTest,
                         ::testing::Values(RockCase{"0 0 90", " 15.000", 5.8f, 4},
                                           RockCase{"0 0 90", " 17.100", 5.8f, 4},
                                           RockCase{"0 0 90", " 17.300", 5.8f, 5},
                                           RockCase{"0 0 60", " 15.000",
                                                    static_cast<float>(20.0 - 14.2 * std::cos(std::numbers::pi / 6.0)), 4},
                                           RockCase{"0 0 0", " 15.000", 5.8f, 4}));

TEST_F(SndStatusTest, LevelGivenAsElevation) {
  CBorviSnd snd(&proj, nullptr);
  EXPECT_EQ(snd.TolkatZBerg(7.255), 0);
  ASSERT_NE(snd.tlk, nullptr);
  ASSERT_EQ(snd.tlk->Home(), 0);
  EXPECT_EQ(snd.tlk->Get_aktel()->nivakalla, 5);
  EXPECT_EQ(snd.TolkatZBerg(7.26), -1);
}

TEST_F(SndStatusTest, GuidListEntriesOfEveryBlock) {
  CBorviDbs dbs;
  CDbsGUID list;
  dbs.m_guidLista = &list;
  CBorviSnd snd(&proj, &dbs);
  Read(snd, DreieBlock() + EnkelBlock() + DptBlock());
  bhdbstype rec = Record(snd);
  (void)rec;
  std::vector<std::string> entries;
  if (list.Home() == 0) {
    do {
      const guidtype* g = list.Get_aktel();
      entries.push_back(std::to_string(g->metod) + " " + g->guid + " " + g->id);
    } while (list++);
  }
  EXPECT_EQ(entries, (std::vector<std::string>{"97 " + kBoreholeGuid + " ST",
                                               "35 " + BlockGuid(35) + " ST",
                                               "21 " + BlockGuid(21) + " ST",
                                               "22 " + BlockGuid(22) + " ST"}));
}

}  // namespace
}  // namespace geoproj::test
