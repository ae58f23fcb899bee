// A borehole written into a real project: the database record recomputed from it, and the rock
// level found by a rock-control sounding written back into the interpretation.
#include <geoproj/database/borvi_dbs.h>
#include <geoproj/methods/borvi_tlk.h>
#include <geoproj/platform/files.h>
#include <geoproj/sounding/borvi_snd.h>
#include <gtest/gtest.h>

#include <memory>

#include "sounding/snd_fixture.h"

namespace geoproj::test {
namespace {

class SndDbsTest : public SndTest {
 protected:
  SndDbsTest() { EXPECT_EQ(dbs.Init(0, 1), 0); }

  // The project's database as a fresh reader sees it on disk.
  std::unique_ptr<CBorviDbs> Reopen() {
    auto fresh = std::make_unique<CBorviDbs>(&proj);
    EXPECT_EQ(fresh->Init(1, 0), 0);
    return fresh;
  }

  static int Count(CBorviDbs& db) {
    int antal = 0;
    db.Where(&antal);
    return antal;
  }

  CBorviDbs dbs{&proj};
};

TEST_F(SndDbsTest, WriteLeavesTheComputedRecordOnDisk) {
  Put("BH1.SND", SndWith(DreieBlock() + RamBlock() + DptBlock()));
  CBorviSnd snd(&proj, &dbs);
  ASSERT_EQ(snd.Init("bh1", nullptr), 0);
  ASSERT_EQ(snd.Uppdat(nullptr, nullptr), 0);

  auto disk = Reopen();
  ASSERT_EQ(Count(*disk), 1);
  char key[] = "bh1";
  ASSERT_EQ(disk->Findid(key, -1), 0);
  const bhdbstype* rec = disk->Get_aktel();
  EXPECT_STREQ(rec->id, "BH1");
  EXPECT_DOUBLE_EQ(rec->x, 6543210.125);
  EXPECT_DOUBLE_EQ(rec->y, 1234567.5);
  EXPECT_DOUBLE_EQ(rec->z, 20.0);
  EXPECT_DOUBLE_EQ(rec->sek, CBorviSnd::Seknoll);
  EXPECT_FLOAT_EQ(rec->djup, 2.0f);
  EXPECT_EQ(rec->stopp, 93);
  const unsigned char bits[7] = {0x11, 0, 0, 0, 0, 0x09, 0};
  for (int i = 0; i < 7; ++i) EXPECT_EQ(rec->bit.b[i], bits[i]) << "byte " << i;
  EXPECT_FALSE(dir.exists("BH1.TLK"));
}

TEST_F(SndDbsTest, SecondWriteUpdatesTheSameRecord) {
  Put("BH1.SND", SndWith(DreieBlock()));
  CBorviSnd snd(&proj, &dbs);
  ASSERT_EQ(snd.Init("bh1", nullptr), 0);
  snd.Uppdat(nullptr, nullptr);
  snd.hvarde[2] = 31.5;
  snd.New(24);
  snd.Uppdat(nullptr, nullptr);
  auto disk = Reopen();
  ASSERT_EQ(Count(*disk), 1);
  ASSERT_EQ(disk->Home(), 0);
  EXPECT_DOUBLE_EQ(disk->Get_aktel()->z, 31.5);
  EXPECT_EQ(disk->Get_aktel()->bit.b[5], 0x01 | 0x08);
}

TEST_F(SndDbsTest, SndUppdatWithoutSoundingFile) { EXPECT_EQ(dbs.SndUppdat(nullptr), -1); }

// A Total sounding stopped against rock with the rock mark at 14.2 m: the rock goes into the
// interpretation, the borehole is written once more (ID.TLK appears), and evaluating again
// finds the rock in place and writes nothing.
TEST_F(SndDbsTest, RockFromTheRockCheckIsWrittenOnce) {
  Put("BH1.SND", SndWith(TotalBlock()));
  CBorviSnd snd(&proj, &dbs);
  ASSERT_EQ(snd.Init("bh1", nullptr), 0);
  EXPECT_FALSE(HasBit(snd.bit, kBitInterpretation));
  ASSERT_EQ(snd.Uppdat(nullptr, nullptr), 0);

  EXPECT_EQ(Get("BH1.TLK"),
            Crlf("berg 1 4 4\n   5.8000 \n  0.00   0.00   0.00   0.00   0.00   0.00\n*\n"));
  EXPECT_EQ(Get("BH1.SND"), Crlf(SndWith(TotalBlock())));
  auto disk = Reopen();
  ASSERT_EQ(Count(*disk), 1);
  ASSERT_EQ(disk->Home(), 0);
  EXPECT_TRUE(HasBit(disk->Get_aktel()->bit, kBitInterpretation));
  EXPECT_TRUE(HasBit(disk->Get_aktel()->bit, kBitTotal));
  EXPECT_FLOAT_EQ(disk->Get_aktel()->djup, 14.2f);

  RemoveFile(dir.file("BH1.SND"));
  RemoveFile(dir.file("BH1.TLK"));
  EXPECT_EQ(dbs.SndUppdat(&snd), 0);
  EXPECT_FALSE(dir.exists("BH1.SND"));
  EXPECT_FALSE(dir.exists("BH1.TLK"));
}

TEST_F(SndDbsTest, TemporaryNamesLeaveTheDatabaseAlone) {
  Put("BH1.SND", SndWith(DreieBlock()));
  CBorviSnd snd(&proj, &dbs);
  ASSERT_EQ(snd.Init("bh1", nullptr), 0);
  snd.SetMemFile(1);
  snd.Uppdat(nullptr, nullptr);
  EXPECT_EQ(Count(*Reopen()), 0);
}

}  // namespace
}  // namespace geoproj::test
