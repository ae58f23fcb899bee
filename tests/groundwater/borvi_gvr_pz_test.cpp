// The piezometer form of ID.GVR and the pore-pressure calibration table.
#include <geoproj/groundwater/borvi_gvr.h>
#include <geoproj/groundwater/borvi_gvr_pz.h>
#include <geoproj/groundwater/pore_kal_fil.h>
#include <geoproj/platform/borv_ini.h>
#include <geoproj/platform/files.h>
#include <geoproj/platform/proj_path.h>
#include <geoproj/sounding/borvi_snd.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "groundwater/gvr_fixture.h"

namespace geoproj::test {
namespace {

using PiezometerFile = GroundwaterTest;

std::string PzFile(const std::string& kindLine, const std::string& readings) {
  return GvrHead(kindLine, "1.500000 30", "2.500000 85.000000") + "3.000000\n12.05.2021\n"
         "givare 17\n\n\n\n*\n" + readings + "*\n" + GuidSection() + "extra rad\n";
}

const char kReadings[] = "A1 3 12.345 40000 -0.500 ok\nB2 4 0.001 -7 1.000 \n";

TEST_F(PiezometerFile, RoundTripsByteForByteThroughThePipeObject) {
  const std::string lf = PzFile("PZ 1 4 GUID " + kPipeGuid, kReadings);
  const std::string in = Put("PZ1.GVR", lf);
  CBorviSnd snd;
  CBorviGvr gvr(1, &snd, nullptr);
  CStdioFileMem file;
  file.SetFilePath(in);
  ASSERT_EQ(gvr.Init(&file, "PZ1"), 0);
  file.Close();
  EXPECT_STREQ(gvr.typ, "PZ");
  EXPECT_EQ(gvr.guid, kPipeGuid);
  EXPECT_FLOAT_EQ(gvr.varde1, 1.5f);
  EXPECT_FLOAT_EQ(gvr.varde3, 0.0f);  // the piezometer's spare value
  EXPECT_FLOAT_EQ(gvr.pz->varde3, 3.0f);
  EXPECT_STREQ(snd.datum, "12.05.2021");
  EXPECT_EQ(gvr.pz->guidtext, kBoreGuid);
  EXPECT_EQ(gvr.pz->kommentar[0], "givare 17");
  int antal = 0;
  gvr.pz->Where(&antal);
  ASSERT_EQ(antal, 2);
  gvr.pz->Home();
  const pzrortype& r = *gvr.pz->Get_aktel();
  EXPECT_STREQ(r.falt1, "A1");
  EXPECT_EQ(r.falt2, 3);
  EXPECT_FLOAT_EQ(r.falt3, 12.345f);
  EXPECT_EQ(r.falt4, 40000);
  EXPECT_STREQ(r.falt6, "ok");
  CStdioFileMem out;
  out.SetFilePath(dir.file("OUT.GVR"));
  ASSERT_EQ(gvr.Uppdat(&out, "PZ1"), 0);
  EXPECT_EQ(dir.read("OUT.GVR"), OnDisk(lf));
}

TEST_F(PiezometerFile, KindPPBecomesPZ) {
  const std::string in = Put("PZ1.GVR", PzFile("PP 0 0 GUID " + kPipeGuid, kReadings));
  CBorviSnd snd;
  CBorviGvr gvr(1, &snd, nullptr);
  CStdioFileMem file;
  file.SetFilePath(in);
  ASSERT_EQ(gvr.Init(&file, "PZ1"), 0);
  file.Close();
  EXPECT_STREQ(gvr.typ, "PZ");
  CStdioFileMem out;
  out.SetFilePath(dir.file("OUT.GVR"));
  gvr.Uppdat(&out, "PZ1");
  EXPECT_EQ(dir.read("OUT.GVR"), OnDisk(PzFile("PZ 0 0 GUID " + kPipeGuid, kReadings)));
}

TEST_F(PiezometerFile, OldFormGetsGuidAndKeepsNothingLost) {
  const std::string in = Put("PZ1.GVR",
                             "1.0\n2.0\n3.0\n9999999.9\n0.0\nGV\n1.5\n2.5\n3\n12.05.2021\n*\n" +
                                 std::string(kReadings) + "*\n");
  CBorviSnd snd;
  CBorviGvr gvr(1, &snd, nullptr);
  CStdioFileMem file;
  file.SetFilePath(in);
  ASSERT_EQ(gvr.Init(&file, "PZ1"), 0);
  file.Close();
  EXPECT_EQ(gvr.guid, "");
  EXPECT_STREQ(gvr.pz->guidmark, "");
  CStdioFileMem out;
  out.SetFilePath(dir.file("OUT.GVR"));
  gvr.Uppdat(&out, "PZ1");
  EXPECT_EQ(gvr.guid.size(), 36u);
  EXPECT_STREQ(gvr.pz->guidmark, "99");
  const std::string bytes = dir.read("OUT.GVR");
  EXPECT_NE(bytes.find("GV 0 0 GUID " + gvr.guid + "\r\n1.500000 0\r\n2.500000 90.000000\r\n3.000000\r\n"
                       "12.05.2021\r\n*\r\n"),
            std::string::npos);
}

TEST_F(PiezometerFile, PipeKindIsLeftToThePipeReader) {
  const std::string in = Put("GW1.GVR", GvrHead("GD 0 0 GUID " + kPipeGuid) + "0 7 \n*\n*\n");
  CBorviGvrPz pz(1, nullptr, nullptr);
  CStdioFileMem file;
  file.SetFilePath(in);
  EXPECT_EQ(pz.Init(&file, "GW1"), 1);
  EXPECT_STREQ(pz.typ, "GD");
  EXPECT_FALSE(file.IsOpen());
}

TEST_F(PiezometerFile, DamagedReadingFailsAndKeepsEarlierReadings) {
  const std::string in =
      Put("PZ1.GVR", PzFile("PZ 0 0 GUID " + kPipeGuid, "A1 3 12.345 40000 -0.500 ok\nA2 3 x\n"));
  CBorviSnd snd;
  CBorviGvr gvr(1, &snd, nullptr);
  CStdioFileMem file;
  file.SetFilePath(in);
  EXPECT_EQ(gvr.Init(&file, "PZ1"), -1);
  int antal = 0;
  gvr.pz->Where(&antal);
  EXPECT_EQ(antal, 2);
  EXPECT_GE(gvr.m_droppedContent, 1);
}

TEST_F(PiezometerFile, StatusBitsOfEveryKind) {
  const struct {
    const char* kind;
    unsigned char byte2;
  } cases[] = {{"PZ", 0xF3}, {"GV", 0xF5}, {"GD", 0xF7}, {"DB", 0xFD}, {"MP", 0xFD}, {"XY", 0xF1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.kind);
    const std::string in = Put("GW1.GVR", GvrHead(std::string(c.kind) + " 0 0 GUID " + kPipeGuid) +
                                              "0 7 \n*\n*\n" + GuidSection());
    CBorviSnd snd;
    CBorviGvr gvr(1, &snd, nullptr);
    CStdioFileMem file;
    file.SetFilePath(in);
    ASSERT_EQ(gvr.Init(&file, "GW1"), 0);
    bhbit bits{};
    bits.b[2] = 0xF1;
    gvr.GvrStat(&bits);
    EXPECT_EQ(bits.b[2], c.byte2);
    // The file has a GUID section, whichever reader read it.
    EXPECT_EQ(bits.b[4] & 0x02, 0x02);
  }
}

class PoreKal : public GroundwaterTest {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(dir.file("proj"));
    std::filesystem::create_directories(dir.file("inst/Kalib"));
    path.SetPath(dir.file("proj").c_str());
  }
  CProjPath path;
};

TEST_F(PoreKal, ProjectDirectoryComesFirstAndBadLinesAreDropped) {
  dir.write("proj/Poretryk.kal", OnDisk("12 a 1.0 2.0 3.0\n13 b 4.0 5.0\n14 c 6 7 8\n*\n15 d 1 1 1\n"));
  dir.write("inst/Kalib/Poretryk.kal", OnDisk("99 x 1 1 1\n"));
  CBorvIni ini(dir.file("inst").c_str());
  CPoreKalFil kal;
  EXPECT_EQ(kal.Init(&path, &ini), -1);
  int antal = 0;
  kal.Where(&antal);
  EXPECT_EQ(antal, 2);
  EXPECT_EQ(kal.Find(14), 0);
  EXPECT_DOUBLE_EQ(kal.Get_aktel()->konst[2], 8.0);
  EXPECT_EQ(kal.Find(13), -1);
  EXPECT_EQ(kal.Find(99), -1);
  EXPECT_EQ(kal.m_droppedContent, 2);  // the short line and the line after the end
}

TEST_F(PoreKal, SettingsDirectoryWhenTheProjectHasNone) {
  dir.write("inst/Kalib/Poretryk.kal", OnDisk("99 x 1 2 3\n"));
  CBorvIni ini(dir.file("inst").c_str());
  CPoreKalFil kal;
  kal.Init(&path, &ini);
  EXPECT_EQ(kal.Find(99), 0);
  CPoreKalFil none;
  none.Init(&path, nullptr);
  EXPECT_EQ(none.Find(99), -1);
}

}  // namespace
}  // namespace geoproj::test

namespace geoproj::test {
namespace {

TEST_F(PoreKal, PiezometerLoadsTheTableOnceFromItsProject) {
  dir.write("proj/Poretryk.kal", OnDisk("12 a 1.0 2.0 3.0\n"));
  CBorviSnd snd(&path, nullptr);
  CBorviGvrPz pz(1, &snd, nullptr);
  EXPECT_EQ(pz.ReadPoreKal(), -1);
  ASSERT_NE(pz.porekal, nullptr);
  EXPECT_EQ(pz.porekal->Find(12), 0);
  CPoreKalFil* loaded = pz.porekal;
  EXPECT_EQ(pz.ReadPoreKal(), 0);
  EXPECT_EQ(pz.porekal, loaded);
}

}  // namespace
}  // namespace geoproj::test
