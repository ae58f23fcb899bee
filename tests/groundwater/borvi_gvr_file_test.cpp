// ID.GVR of pipes and settlement points: byte-exact round trips, older forms, damage.
#include <geoproj/groundwater/borvi_gvr.h>
#include <geoproj/groundwater/borvi_gvr_pz.h>
#include <geoproj/sounding/borvi_snd.h>

#include <gtest/gtest.h>

#include <regex>

#include "groundwater/gvr_fixture.h"

namespace geoproj::test {
namespace {

using GvrFile = GroundwaterTest;

// Reads the file into a fresh pipe of its own sounding file and writes it to OUT.GVR.
struct ReadWrite {
  explicit ReadWrite(TempDir& dir, const std::string& in) : gvr(1, &snd, nullptr) {
    CStdioFileMem file;
    file.SetFilePath(in);
    read = gvr.Init(&file, "GW1");
    if (file.IsOpen()) file.Close();
    CStdioFileMem out;
    out.SetFilePath(dir.file("OUT.GVR"));
    written = gvr.Uppdat(&out, "GW1");
    bytes = dir.read("OUT.GVR");
  }
  CBorviSnd snd;
  CBorviGvr gvr;
  int read = 0;
  int written = 0;
  std::string bytes;
};

struct Canonical {
  const char* name;
  std::string lf;
};

TEST_F(GvrFile, CanonicalFilesRoundTripByteForByte) {
  const Canonical cases[] = {
      {"pipe with times, status and comments",
       GvrHead("GD 1 0 GUID " + kPipeGuid) + "0.000000 7.250000 \xD6PPEN\n" +
           "f\xF6rsta rad\n\ntredje\n\n*\n" +
           PipeReading(2020, 5, 3, 7.0, "J", "", "avl\xE4st av NN", "08:15") +
           PipeReading(2020, 5, 3, 6.9, "X", "FRUSET", "", "14:00") +
           PipeReading(2021, 1, 12, 7.5, "J", "SPOLAT", "efter spolning", "09:30") +
           PipeReading(2021, 2, 1, -999.0, "J", "TORR", "", "00:00") + "*\n" + GuidSection() + "rad ett\nrad tv\xE5\n"},
      {"pipe without times",
       GvrHead("GD 0 2 GUID " + kPipeGuid, "8.500000 45", "4.500000 80.500000") +
           "1.000000 3.000000 TORR\n*\n" + PipeReading(2019, 12, 31, 3.0, "J") + "*\n" + GuidSection()},
      {"settlement point with a description of several words",
       GvrHead("MP 0 0 GUID " + kPipeGuid) +
           "0.000000 -0.050000 dubb i brofundament norra sidan\n*\n" +
           PipeReading(2020, 1, 1, 10.0, "J") + PipeReading(2020, 6, 1, 9.98f, "J", "OS\xC4KER") +
           PipeReading(2020, 12, 1, 9.95f, "J") + "*\n" + GuidSection()},
      {"pipe without readings", GvrHead("GD 0 0 GUID " + kPipeGuid) + "0.000000 -999.000000 \n*\n*\n" + GuidSection()},
  };
  for (const Canonical& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string in = Put("GW1.GVR", c.lf);
    ReadWrite rw(dir, in);
    EXPECT_EQ(rw.read, 0);
    EXPECT_EQ(rw.written, 0);
    EXPECT_EQ(rw.gvr.m_droppedContent, 0);
    EXPECT_EQ(rw.bytes, OnDisk(c.lf));
  }
}

TEST_F(GvrFile, ReadingColumnsAndHeaderValues) {
  const std::string in = Put("GW1.GVR", GvrHead("GD 1 7 GUID " + kPipeGuid, "8.500000 45", "4.500000 80.000000") +
                                            "2.000000 7.000000 \xD6PPEN\n*\n" +
                                            PipeReading(2020, 5, 3, 7.0, "J", "FUNKTIONSKONTROLL EJ OK",
                                                        "en kommentar med blanka", "08:15") +
                                            "*\n" + GuidSection());
  ReadWrite rw(dir, in);
  ASSERT_EQ(rw.read, 0);
  EXPECT_STREQ(rw.gvr.typ, "GD");
  EXPECT_EQ(rw.gvr.tidflagga, 1);
  EXPECT_EQ(rw.gvr.typnummer, 7);
  EXPECT_EQ(rw.gvr.guid, kPipeGuid);
  EXPECT_FLOAT_EQ(rw.gvr.varde1, 8.5f);
  EXPECT_FLOAT_EQ(rw.gvr.varde2, 4.5f);
  EXPECT_FLOAT_EQ(rw.gvr.varde3, 2.0f);
  EXPECT_EQ(rw.snd.riktning, 45);
  EXPECT_DOUBLE_EQ(rw.snd.lutning, 80.0);
  EXPECT_DOUBLE_EQ(rw.snd.hvarde[2], 10.0);
  EXPECT_EQ(rw.snd.guid, kBoreGuid);
  EXPECT_STREQ(rw.gvr.guidmark, "99");
  ASSERT_EQ(rw.gvr.Home(), 0);
  const rortype& r = *rw.gvr.Get_aktel();
  EXPECT_STREQ(r.datum, "03.05.2020");
  EXPECT_STREQ(r.flagga, "J");
  EXPECT_STREQ(r.status, "FUNKTIONSKONTROLL EJ OK");
  EXPECT_STREQ(r.kommentar, "en kommentar med blanka");
  EXPECT_STREQ(r.tid, "08:15");
}

TEST_F(GvrFile, WithoutTimeFlagTheTimeReadsAsMidnight) {
  const std::string in = Put("GW1.GVR", GvrHead("GD 0 0 GUID " + kPipeGuid) + "0.000000 7.000000 \n*\n" +
                                            PipeReading(2020, 5, 3, 7.0, "J", "TORR") + "*\n");
  ReadWrite rw(dir, in);
  ASSERT_EQ(rw.gvr.Home(), 0);
  EXPECT_STREQ(rw.gvr.Get_aktel()->tid, "00:00");
  EXPECT_STREQ(rw.gvr.Get_aktel()->status, "TORR");
}

// Older files read right and are written in the current form.
TEST_F(GvrFile, OlderFormsAreWrittenInTheCurrentForm) {
  const std::string in = Put("GW1.GVR",
                             "1000.000000\n2000.000000\n10.000000\n9999999.900000\n0.000000\n"
                             "R\xD6 0 0\n8.5\n4.5\n0 0 PPEN\n*\n" +
                                 PipeReading(2021, 1, 12, 7.5, "J") + PipeReading(2020, 5, 3, 7.0, "J") +
                                 "*\n*\n99\nBH-GAMMAL 1\n");
  ReadWrite rw(dir, in);
  ASSERT_EQ(rw.read, 0);
  EXPECT_STREQ(rw.gvr.rortext, "\xD6PPEN");
  EXPECT_EQ(rw.snd.riktning, 0);
  EXPECT_DOUBLE_EQ(rw.snd.lutning, 90.0);
  const std::regex uuid("[0-9a-f]{8}-[0-9a-f]{4}-4[0-9a-f]{3}-[89ab][0-9a-f]{3}-[0-9a-f]{12}");
  ASSERT_TRUE(std::regex_match(rw.gvr.guid, uuid)) << rw.gvr.guid;
  ASSERT_TRUE(std::regex_match(rw.snd.guid, uuid)) << rw.snd.guid;
  EXPECT_NE(rw.snd.guid, rw.gvr.guid);
  const std::string expected = GvrHead("GD 0 0 GUID " + rw.gvr.guid) + "0.000000 7.250000 \xD6PPEN\n*\n" +
                               PipeReading(2020, 5, 3, 7.0, "J") + PipeReading(2021, 1, 12, 7.5, "J") +
                               "*\n*\n99\nGUID " + rw.snd.guid + "\n";
  EXPECT_EQ(rw.bytes, OnDisk(expected));
}

TEST_F(GvrFile, PipeTextRules) {
  const struct {
    const char* kind;
    const char* line9;
    const char* text;
    float mean;
  } cases[] = {
      {"GD", "0 7.5 PPEN", "\xD6PPEN", 7.5f},
      {"GD", "0 7.5 \xD6PPEN", "\xD6PPEN", 7.5f},
      {"GD", "0 7.5 \x99PPEN", "\xD6PPEN", 7.5f},  // the DOS code page's Ö
      {"GD", "0 7.5 IGENSATTT", "", 7.5f},
      {"GD", "0 7.5 TORR och mer", "TORR", 7.5f},
      {"GD", "0", "", -999.0f},
      {"DB", "0 7.5 10 m norr om v\xE4gen", "10 m norr om v\xE4gen", 7.5f},
      {"MP", "0 7.5 PPEN", "PPEN", 7.5f},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line9);
    const std::string in =
        Put("GW1.GVR", GvrHead(std::string(c.kind) + " 0 0 GUID " + kPipeGuid) + c.line9 + "\n*\n*\n");
    CBorviSnd snd;
    CBorviGvr gvr(1, &snd, nullptr);
    CStdioFileMem file;
    file.SetFilePath(in);
    ASSERT_EQ(gvr.Init(&file, "GW1"), 0);
    EXPECT_STREQ(gvr.rortext, c.text);
    EXPECT_FLOAT_EQ(gvr.medelniva, c.mean);
  }
}

TEST_F(GvrFile, SettlementKindWarns) {
  const std::string in = Put("GW1.GVR", GvrHead("MP 0 0 GUID " + kPipeGuid) + "0 0 dubb\n*\n*\n");
  CBorviSnd snd;
  CopyField(snd.id, "SP1");
  CBorviGvr gvr(1, &snd, nullptr);
  CStdioFileMem file;
  file.SetFilePath(in);
  ASSERT_EQ(gvr.Init(&file, "SP1"), 0);
  EXPECT_EQ(gvr.dubbmod, 1);
  EXPECT_TRUE(status.Contains("Varning :SP1 \xE4r en s\xE4ttningsdubb !"));
}

TEST_F(GvrFile, ShortHeaderKeepsDefaultsAndHasNoComments) {
  const std::string in = Put("GW1.GVR", "1000.0\n2000.0\n10.0\n9999999.9\n0.0\nGD 0 0\n*\n" +
                                            PipeReading(2020, 5, 3, 7.0, "J") + "*\n");
  ReadWrite rw(dir, in);
  ASSERT_EQ(rw.read, 0);
  EXPECT_EQ(rw.gvr.m_droppedContent, 0);
  EXPECT_TRUE(rw.gvr.kommentar[0].empty());
  EXPECT_FLOAT_EQ(rw.gvr.medelniva, 7.0f);
  EXPECT_DOUBLE_EQ(rw.snd.lutning, 90.0);
  int antal = 0;
  rw.gvr.Where(&antal);
  EXPECT_EQ(antal, 1);
}

TEST_F(GvrFile, DamagedReadingStopsTheReadAndKeepsWhatWasRead) {
  CBorviSnd snd;
  CopyField(snd.id, "GW1");
  CBorviGvr gvr(1, &snd, nullptr);
  const std::string in = Put("GW1.GVR", GvrHead("GD 0 0 GUID " + kPipeGuid) + "0 -999 \n*\n" +
                                            PipeReading(2020, 5, 3, 7.0, "J") + " 2020 6 x\n" +
                                            PipeReading(2020, 7, 3, 8.0, "J") + "*\n");
  CStdioFileMem file;
  file.SetFilePath(in);
  EXPECT_EQ(gvr.Init(&file, "GW1"), 1);
  int antal = 0;
  gvr.Where(&antal);
  EXPECT_EQ(antal, 2);  // the good reading and the one that failed
  EXPECT_FLOAT_EQ(gvr.medelniva, 7.0f);  // the failed reading has no flag read
  EXPECT_TRUE(status.Contains("Fel (readgvr.c) : fel vid inl\xE4sning av grundvattenr\xF6r=GW1"));
  EXPECT_GE(gvr.m_droppedContent, 1);
}

TEST_F(GvrFile, MissingLineAfter99IsAReadError) {
  const std::string in = Put("GW1.GVR", GvrHead("GD 0 0 GUID " + kPipeGuid) + "0 0 \n*\n*\n*\n99\n");
  CBorviSnd snd;
  CBorviGvr gvr(1, &snd, nullptr);
  CStdioFileMem file;
  file.SetFilePath(in);
  EXPECT_EQ(gvr.Init(&file, "GW1"), 1);
}

TEST_F(GvrFile, MissingFileIsShownAndFails) {
  CBorviGvr gvr(1, nullptr, nullptr);
  CStdioFileMem file;
  file.SetFilePath(dir.file("NONE.GVR"));
  EXPECT_EQ(gvr.Init(&file, "NONE"), -1);
  ASSERT_EQ(messages.shown().size(), 1u);
  EXPECT_EQ(messages.shown()[0].text, "Hittar inte filen\n" + dir.file("NONE.GVR") + "\nAvbryter!");
}

TEST_F(GvrFile, TextOutsideTheColumnsIsReportedAsDropped) {
  std::string reading = PipeReading(2020, 5, 3, 7.0, "J", "", "", "08:15");
  reading.insert(reading.size() - 1, "   mer text");
  const std::string in =
      Put("GW1.GVR", GvrHead("GD 1 0 GUID " + kPipeGuid) + "0 7 \n*\n" + reading + "*\n" + GuidSection());
  ReadWrite rw(dir, in);
  EXPECT_EQ(rw.read, 0);
  EXPECT_EQ(rw.gvr.m_droppedContent, 1);
}

TEST_F(GvrFile, NewPipeIsWrittenByThePipeWriter) {
  CBorviSnd snd;
  CBorviGvr gvr(1, &snd, nullptr);
  CopyField(gvr.typ, "GD");
  rortype r{};
  r.ar = 2022;
  r.man = 3;
  r.dag = 4;
  r.niva = 5.5f;
  CopyField(r.flagga, "J");
  gvr.Ny(1, &r);
  CStdioFileMem out;
  out.SetFilePath(dir.file("NEW.GVR"));
  ASSERT_EQ(gvr.Uppdat(&out, "NEW"), 0);
  const std::string bytes = dir.read("NEW.GVR");
  EXPECT_NE(bytes.find("\r\nGD 0 0 GUID "), std::string::npos);
  EXPECT_NE(bytes.find(OnDisk(PipeReading(2022, 3, 4, 5.5, "J"))), std::string::npos);
  EXPECT_STREQ(gvr.guidmark, "99");
}

}  // namespace
}  // namespace geoproj::test
