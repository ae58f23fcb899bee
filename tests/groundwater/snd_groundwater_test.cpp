// A groundwater pipe and a measurement point as boreholes of their own: read through the
// sounding file, written through their own files, their database record computed.
#include <geoproj/database/borvi_dbs.h>
#include <geoproj/groundwater/borvi_gvr.h>
#include <geoproj/groundwater/borvi_mtn.h>
#include <geoproj/platform/proj_path.h>
#include <geoproj/sounding/borvi_snd.h>

#include <gtest/gtest.h>

#include "groundwater/gvr_fixture.h"

namespace geoproj::test {
namespace {

class SndGroundwater : public GroundwaterTest {
 protected:
  void SetUp() override { path.SetPath(dir.path().c_str()); }
  CProjPath path;
};

std::string PipeFile() {
  return GvrHead("GD 1 0 GUID " + kPipeGuid) + "0.000000 7.250000 \xD6PPEN\n*\n" +
         PipeReading(2020, 5, 3, 7.0, "J", "", "", "08:15") + PipeReading(2021, 1, 12, 7.5, "J", "", "", "09:30") +
         "*\n" + GuidSection();
}

TEST_F(SndGroundwater, PipeIsReadAsAGroundwaterBorehole) {
  Put("GW1.GVR", PipeFile());
  CBorviSnd snd(&path, nullptr);
  ASSERT_EQ(snd.Init("GW1", nullptr), 0);
  ASSERT_NE(snd.gvr, nullptr);
  EXPECT_EQ(snd.typ, &CBorviSnd::Gvr);
  EXPECT_STREQ(snd.datum, "12.01.2021");
  EXPECT_EQ(snd.guid, kBoreGuid);
  EXPECT_EQ(snd.bit.b[2] & 0x0E, 0x06);  // kind 3, a pipe
  EXPECT_EQ(snd.bit.b[4] & 0x02, 0x02);
  bhdbstype rec{};
  CopyField(rec.id, "GW1");
  snd.Snd2Bhbit(&rec);
  EXPECT_FLOAT_EQ(rec.djup, 5.5f);  // ground level 10 minus value 2 of 4.5
  EXPECT_EQ(rec.bit.b[2] & 0x0E, 0x06);
}

TEST_F(SndGroundwater, SavingWritesOnlyThePipeFileAndTheRecord) {
  Put("GW1.GVR", PipeFile());
  CBorviDbs dbs(&path);
  ASSERT_EQ(dbs.Init(0, 1), 0);
  CBorviSnd snd(&path, &dbs);
  ASSERT_EQ(snd.Init("GW1", nullptr), 0);
  EXPECT_EQ(snd.Uppdat("GW1", nullptr), 0);
  EXPECT_FALSE(dir.exists("GW1.SND"));
  EXPECT_EQ(dir.read("GW1.GVR"), OnDisk(PipeFile()));
  EXPECT_TRUE(messages.shown().empty());
  char gw1[] = "GW1";
  ASSERT_EQ(dbs.Findid(gw1), 0);
  const bhdbstype* rec = dbs.Get_aktel();
  EXPECT_EQ(rec->bit.b[2] & 0x0E, 0x06);
  EXPECT_FLOAT_EQ(rec->djup, 5.5f);
}

TEST_F(SndGroundwater, UnreadablePipeIsDroppedAndCounted) {
  Put("GW1.GVR", GvrHead("GD 0 0 GUID " + kPipeGuid) + "0 0 \n*\n 2020 x\n*\n");
  CBorviSnd snd(&path, nullptr);
  snd.Init("GW1", nullptr);
  EXPECT_EQ(snd.gvr, nullptr);
  EXPECT_GE(snd.m_droppedContent, 1);
}

TEST_F(SndGroundwater, MeasurementPointIsWrittenThroughItsSlot) {
  const std::string lf = "1.000000 \n2.000000 \n3.000000 \n9999999.900000\n0.000000\n0 0.000000\n**\n"
                         "FL\xD6" "D x\n*\n 2020 5 3 08:15 J\n\n     0.50     1.0000 a\n*\n*\n";
  Put("M1.MTN", lf);
  CBorviDbs dbs(&path);
  ASSERT_EQ(dbs.Init(0, 1), 0);
  CBorviSnd snd(&path, &dbs);
  snd.Init("M1", nullptr);
  CBorviMtn mtn(1, &snd);
  ASSERT_EQ(mtn.Init(&snd.mtnfil, "M1"), 0);
  snd.mtn = &mtn;
  snd.typ = &CBorviSnd::Mtn;
  EXPECT_EQ(snd.Uppdat("M1", nullptr), 0);
  EXPECT_TRUE(messages.shown().empty());
  EXPECT_FALSE(dir.exists("M1.SND"));
  EXPECT_EQ(dir.read("M1.MTN"), OnDisk(lf));
  char m1[] = "M1";
  ASSERT_EQ(dbs.Findid(m1), 0);
  EXPECT_EQ(dbs.Get_aktel()->bit.b[2] & 0x0E, 0x08);
  EXPECT_EQ(dbs.Get_aktel()->bit.b[6] & 0x1F, 3);
  snd.mtn = nullptr;
}

}  // namespace
}  // namespace geoproj::test
