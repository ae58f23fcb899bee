// A borehole holding core drilling, water loss and environmental data beside its soundings:
// written back byte for byte, in memory mode with its marker lines in order, with the status
// bits, depth, GUID list entries and the core drilling's rock level; and a vane borehole, which
// is written through its vane file alone and becomes a record of the vane kind.
#include <memory>
#include <string>
#include <vector>

#include <geoproj/database/borvi_dbs.h>
#include <geoproj/database/dbs_guid.h>
#include <geoproj/foundation/text_helpers.h>
#include <geoproj/methods/borvi_mil.h>
#include <geoproj/methods/borvi_tlk.h>
#include <geoproj/methods/borvi_vb.h>
#include <geoproj/methods/karnborr.h>
#include <geoproj/methods/vatten_f.h>
#include <geoproj/sounding/borvi_snd.h>
#include <gtest/gtest.h>

#include "sounding/snd_fixture.h"

namespace geoproj::test {
namespace {

std::string CoreBlock(int rockCm = 1234) {
  return "*\n13 10.05.2019\n1.000000 5 2 " + std::to_string(rockCm) + " 1 0 2 GUID " +
         BlockGuid(13) + "\n" +
         Row("  1.50  3  2  45 -30 1 2 10  4 3 1200  80 1 0   12.345  15", 60, "sprucken") +
         Row("  6.25  0  0   0   0 0 0  0  0 0    0   0 0 0    0.000   0", 60, "");
}

std::string WaterBlock() {
  return "*\n14 11.05.2019\n0.000000 2 3 0 1 0 0 GUID " + BlockGuid(14) + "\n" +
         Row("  1.000   4.500 0.5 12.0 3.5 0.250 7", 50, "t\xE4t") +
         Row("  4.500   7.750 1.0 2.0 3.0 4.125 0", 50, "");
}

std::string MilFile(const std::string& hvarde = "1.500000") {
  return "12.05.2020 3 1 " + hvarde + " GUID " + BlockGuid(45) + "\n*\n" +
         "P1     1.50 a b cdef\nkind   12.5  x      12345678\nkomm\n"
         "P2     8.00  N \n        0.0        \n\n*\n";
}

class MoreBlocksTest : public SndTest {
 protected:
  std::vector<std::string> GuidEntries(CDbsGUID& list) {
    std::vector<std::string> entries;
    if (list.Home() == 0) {
      do {
        const guidtype* g = list.Get_aktel();
        entries.push_back(std::to_string(g->metod) + " " + g->guid);
      } while (list++);
    }
    return entries;
  }
};

TEST_F(MoreBlocksTest, EveryBlockIsWrittenBackByteForByte) {
  const std::string snd = SndWith(DreieBlock() + DptBlock() + CoreBlock() + WaterBlock());
  Put("BH1.SND", snd);
  Put("BH1.MIL", MilFile());
  CBorviSnd bh(&proj, nullptr);
  ASSERT_EQ(bh.Init("BH1", nullptr), 0);
  ASSERT_NE(bh.karnborr, nullptr);
  ASSERT_NE(bh.vattenf, nullptr);
  ASSERT_NE(bh.mil, nullptr);
  EXPECT_STREQ(bh.karnborr->datum, "10.05.2019");
  EXPECT_STREQ(bh.vattenf->datum, "11.05.2019");
  EXPECT_EQ(bh.m_droppedContent, 0);
  bh.Uppdat(nullptr, nullptr);
  EXPECT_EQ(Get("BH1.SND"), Crlf(snd));
  EXPECT_EQ(Get("BH1.MIL"), Crlf(MilFile()));
}

// Without a sounding no closing "*" line follows the blocks; the end of the file ends them.
TEST_F(MoreBlocksTest, CoreDrillingAloneEndsWithTheFile) {
  const std::string snd = SndWith(CoreBlock() + WaterBlock(), false);
  Put("BH1.SND", snd);
  CBorviSnd bh(&proj, nullptr);
  ASSERT_EQ(bh.Init("BH1", nullptr), 0);
  EXPECT_EQ(bh.m_droppedContent, 0);
  bh.Uppdat(nullptr, nullptr);
  EXPECT_EQ(Get("BH1.SND"), Crlf(snd));
}

TEST_F(MoreBlocksTest, MemoryModeWritesTheMarkersInOrderAndNothingToDisk) {
  const std::string snd = SndWith(DreieBlock() + CoreBlock() + WaterBlock());
  Put("BH1.SND", snd);
  Put("BH1.MIL", MilFile());
  CBorviSnd bh(&proj, nullptr);
  ASSERT_EQ(bh.Init("BH1", nullptr), 0);
  bh.SetMemFile(1);
  bh.Uppdat(nullptr, nullptr);
  ASSERT_NE(bh.MemFile(), nullptr);
  EXPECT_EQ(*bh.MemFile(), "#snd#\n" + snd + "#mil#\n" + MilFile() + "EOF\r\n");
  for (const char* name : {"SND.TMP", "MIL.TMP", "PRV.TMP", "VB.TMP"})
    EXPECT_FALSE(dir.exists(name)) << name;
}

// Samples and environmental data both follow the sounding file's text, each behind its marker
// line, samples first; only the last closes the text.
TEST_F(MoreBlocksTest, MemoryModeWritesSamplesBeforeEnvironmentalData) {
  std::string prvLine = "SP   -129  2.50 12.34  5.50  0.00  1.5  2.5  0.0  3  1.5 0.5";
  prvLine.resize(62, ' ');
  const std::string prv = "A43 12.500000 03.05.2019 305 GUID " + BlockGuid(40) + "\n*\n" +
                          prvLine + "x lerig silt\n*\n";
  const std::string snd = SndWith(DreieBlock());
  Put("BH1.SND", snd);
  Put("BH1.PRV", prv);
  Put("BH1.MIL", MilFile());
  CBorviSnd bh(&proj, nullptr);
  ASSERT_EQ(bh.Init("BH1", nullptr), 0);
  ASSERT_EQ(bh.m_droppedContent, 0);
  bh.SetMemFile(1);
  bh.Uppdat(nullptr, nullptr);
  ASSERT_NE(bh.MemFile(), nullptr);
  EXPECT_EQ(*bh.MemFile(), "#snd#\n" + snd + "#prv#\n" + prv + "#mil#\n" + MilFile() + "EOF\r\n");
  for (const char* name : {"SND.TMP", "MIL.TMP", "PRV.TMP"}) EXPECT_FALSE(dir.exists(name)) << name;
}

TEST_F(MoreBlocksTest, StatusBitsDepthAndGuidEntries) {
  Put("BH1.SND", SndWith(CoreBlock() + WaterBlock(), false));
  Put("BH1.MIL", MilFile());
  CBorviDbs dbs;
  CDbsGUID list;
  dbs.m_guidLista = &list;
  CBorviSnd bh(&proj, &dbs);
  ASSERT_EQ(bh.Init("BH1", nullptr), 0);
  EXPECT_EQ(bh.bit.b[5] & 0x80, 0x80);
  EXPECT_EQ(bh.bit.b[4] & 0x60, 0x60);
  EXPECT_EQ(bh.bit.b[1] & 0x40, 0x40);
  EXPECT_EQ(bh.bit.b[0] & 0x01, 0x01);
  bhdbstype rec{};
  CopyField(rec.id, "BH1");
  ASSERT_EQ(bh.Snd2Bhbit(&rec), 0);
  EXPECT_EQ(rec.bit.b[5], 0x80);
  EXPECT_EQ(rec.bit.b[4], 0x60);
  EXPECT_EQ(rec.bit.b[1], 0x40);
  EXPECT_EQ(rec.bit.b[0] & 0x01, 0x01);
  // The deepest of the core drilling's 6.25, the water loss's 7.75 and the samples' 8.0.
  EXPECT_FLOAT_EQ(rec.djup, 8.0f);
  const std::vector<std::string> expected = {"97 " + kBoreholeGuid, "13 " + BlockGuid(13),
                                             "14 " + BlockGuid(14), "45 " + BlockGuid(45)};
  std::vector<std::string> entries = GuidEntries(list);
  entries.resize(std::min(entries.size(), expected.size()));
  EXPECT_EQ(entries, expected);
}

TEST_F(MoreBlocksTest, EnvironmentalHeaderValueZeroLeavesTheBitClear) {
  Put("BH1.MIL", MilFile("0.000000"));
  CBorviSnd bh(&proj, nullptr);
  ASSERT_EQ(bh.Init("BH1", nullptr), 0);
  EXPECT_EQ(bh.bit.b[1] & 0x40, 0);
  EXPECT_EQ(bh.bit.b[4] & 0x40, 0x40);
  // The borehole's block date comes from the environmental data when nothing else gave one.
  EXPECT_STREQ(bh.datum, "12.05.2020");
}

// The rock level of the core drilling goes into the interpretation, which is written once.
TEST_F(MoreBlocksTest, RockLevelFromCoreDrillingIsWrittenOnce) {
  Put("BH1.SND", SndWith(CoreBlock(-235), false));
  CBorviDbs dbs(&proj);
  ASSERT_EQ(dbs.Init(0, 1), 0);
  CBorviSnd bh(&proj, &dbs);
  ASSERT_EQ(bh.Init("BH1", nullptr), 0);
  bh.Uppdat(nullptr, nullptr);
  ASSERT_NE(bh.tlk, nullptr);
  ASSERT_EQ(bh.tlk->Home(), 0);
  EXPECT_FLOAT_EQ(bh.tlk->Get_aktel()->niva, -2.35f);
  EXPECT_EQ(bh.tlk->Get_aktel()->nivakalla, 5);
  EXPECT_TRUE(dir.exists("BH1.TLK"));
  const std::string tlk = Get("BH1.TLK");
  CBorviSnd again(&proj, &dbs);
  ASSERT_EQ(again.Init("BH1", nullptr), 0);
  again.Uppdat(nullptr, nullptr);
  EXPECT_EQ(Get("BH1.TLK"), tlk);
  EXPECT_NE(Get("BH1.SND").find(" -235 1 0 2 GUID"), std::string::npos);
}

TEST_F(MoreBlocksTest, DeleteFilRemovesTheEnvironmentalFile) {
  Put("BH1.MIL", MilFile());
  CBorviSnd bh(&proj, nullptr);
  CopyField(bh.id, "BH1");
  EXPECT_EQ(bh.DeleteFil(45), 1);
  EXPECT_FALSE(dir.exists("BH1.MIL"));
}

TEST_F(MoreBlocksTest, NewCreatesEachKind) {
  CBorviSnd bh(&proj, nullptr);
  for (int code : {13, 14, 45, 20}) EXPECT_EQ(bh.New(code), 1) << code;
  EXPECT_NE(bh.karnborr, nullptr);
  EXPECT_NE(bh.vattenf, nullptr);
  EXPECT_NE(bh.mil, nullptr);
  ASSERT_NE(bh.vb, nullptr);
  EXPECT_EQ(bh.vb->snd, &bh);
}

const std::string kVane =
    "10.000000\n20.000000\n5.500000\n9999999.900000\n0.000000\n0.000000\nV1\n2\nk GUID "
    "7d8e9f0a-1b2c-4d3e-8f4a-5b6c7d8e9f0a\n*\n 2.000 12.5 10.0 0.0 1.5 4 0.25 1 8.75 le\n*\n"
    "*\n99\nGUID " + kBoreholeGuid + "\n";

// A vane borehole is written through its vane file and gets the vane kind in its record.
TEST_F(MoreBlocksTest, VaneBoreholeRecord) {
  Put("VB1.VB", kVane);
  CBorviDbs dbs(&proj);
  ASSERT_EQ(dbs.Init(0, 1), 0);
  CDbsGUID list;
  dbs.m_guidLista = &list;
  CBorviSnd bh(&proj, &dbs);
  ASSERT_EQ(bh.Init("VB1", nullptr), 0);
  const auto before = dbs.m_huv.uppdnr;
  bh.Uppdat(nullptr, nullptr);
  EXPECT_NE(dbs.m_huv.uppdnr, before);
  EXPECT_FALSE(dir.exists("VB1.SND"));
  EXPECT_EQ(Get("VB1.VB"), Crlf(kVane));
  char key[] = "VB1";
  ASSERT_EQ(dbs.Findid(key, -1), 0);
  const bhdbstype* rec = dbs.Get_aktel();
  EXPECT_EQ(rec->bit.b[1] & 0x80, 0x80);
  EXPECT_EQ(rec->bit.b[0] & 0x01, 0);
  EXPECT_FLOAT_EQ(rec->djup, 2.0f);
  EXPECT_DOUBLE_EQ(rec->z, 5.5);
  const std::vector<std::string> entries = GuidEntries(list);
  EXPECT_NE(std::find(entries.begin(), entries.end(),
                      "20 7d8e9f0a-1b2c-4d3e-8f4a-5b6c7d8e9f0a"),
            entries.end());
}

TEST_F(MoreBlocksTest, UppdatVbWithoutVaneObject) {
  CBorviSnd bh(&proj, nullptr);
  EXPECT_EQ(bh.UppdatVb("X", nullptr), -1);
  EXPECT_FALSE(dir.exists("X.VB"));
}

}  // namespace
}  // namespace geoproj::test
