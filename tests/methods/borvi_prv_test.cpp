// The sample file: the current form byte for byte, each older generation read to its values and
// written in the current form, the layouts of the values, the record filter, the sample bits,
// and damaged files.
#include <geoproj/database/borvi_dbs.h>
#include <geoproj/database/dbs_guid.h>
#include <geoproj/foundation/text_helpers.h>
#include <geoproj/methods/borvi_prv.h>
#include <geoproj/sounding/borvi_snd.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "sounding/snd_fixture.h"

namespace geoproj::test {
namespace {

const std::string kPrvGuid = BlockGuid(40);

// A record line as written: numbers (60 characters), the marker in column 63, the comment from
// column 65.
std::string PrvLine(const std::string& numbers, const std::string& tecken,
                    const std::string& text) {
  std::string line = numbers;
  line.resize(62, ' ');
  line += tecken;
  line.resize(64, ' ');
  return line + text + "\n";
}

std::string CanonicalPrv() {
  return "A43 12.500000 03.05.2019 305 GUID " + kPrvGuid + "\n*\n" +
         PrvLine("SP   -129  2.50 12.34  5.50  0.00  1.5  2.5  0.0  3  1.5 0.5", "x",
                 "lerig silt") +
         PrvLine("PG      0  3.00  0.00  0.00  0.00  0.0  0.0  0.0  0  0.0 0.0", " ", "") +
         PrvLine("SKV    -1  4.00 150.0  20.0   1.0 20.0 20.0 20.0  0  0.0 0.0", " ",
                 "stor vattenkvot") +
         PrvLine("CI     -2  5.25  1.00  2.00  3.00  150  200  300 12 99.9 9.9", "*",
                 std::string(60, 'c')) +
         "*\n";
}

class PrvTest : public SndTest {
 protected:
  // Reads name as the sample file of borehole PR.
  int Read(CBorviPrv& prv, const std::string& name) {
    CStdioFileMem file;
    file.SetFilePath(dir.file(name));
    const int rc = prv.Init(&file, "PR", nullptr);
    if (file.IsOpen()) file.Close();
    return rc;
  }
  static std::string Written(CBorviPrv& prv) {
    CStdioFileMem file;
    file.SetMemFile(1);
    file.Open("x", CStdioFileMem::modeCreate | CStdioFileMem::modeWrite);
    EXPECT_EQ(prv.Uppdat(&file), 0);
    return *file.MemFile();
  }
  static std::vector<provtype> Records(CBorviPrv& prv) {
    std::vector<provtype> out;
    if (prv.Home() == 0) {
      do {
        out.push_back(*prv.Get_aktel());
      } while (prv++);
    }
    return out;
  }
};

TEST_F(PrvTest, CurrentFormRoundTripsByteForByte) {
  Put("PR.PRV", CanonicalPrv());
  CBorviPrv prv(1, 0, 0);
  ASSERT_EQ(Read(prv, "PR.PRV"), 0);
  EXPECT_EQ(prv.m_droppedContent, 0);
  EXPECT_FLOAT_EQ(prv.hvarde, 12.5f);
  EXPECT_STREQ(prv.datum, "03.05.2019");
  EXPECT_EQ(prv.hkod100, 3);
  EXPECT_EQ(prv.hkod, 5);
  EXPECT_EQ(prv.guid, kPrvGuid);
  EXPECT_EQ(std::strlen(prv.skapad), 10u);
  const std::vector<provtype> r = Records(prv);
  ASSERT_EQ(r.size(), 4u);
  EXPECT_STREQ(r[0].metod, "SP");
  EXPECT_EQ(r[0].analyser, -129);
  EXPECT_FLOAT_EQ(r[0].djup, 2.5f);
  EXPECT_FLOAT_EQ(r[0].varde1, 12.34f);
  EXPECT_EQ(r[0].heltal, 3);
  EXPECT_FLOAT_EQ(r[0].varde8, 0.5f);
  EXPECT_STREQ(r[0].tecken, "x");
  EXPECT_STREQ(r[0].text, "lerig silt");
  EXPECT_STREQ(r[2].metod, "SKV");
  EXPECT_FLOAT_EQ(r[2].varde1, 150.0f);
  EXPECT_STREQ(r[3].tecken, "*");
  EXPECT_EQ(FieldText(r[3].text), std::string(60, 'c'));
  EXPECT_EQ(Written(prv), CanonicalPrv());
}

struct OldFormCase {
  const char* why;
  std::string file;
  float hvarde;
  const char* datum;
  int hkod100, hkod;
  std::vector<std::pair<std::string, float>> samples;  // method and depth, in list order
  std::string written;  // the record lines written
};

// Generation 0 lines: the method in two characters, ten numbers from column 3, the marker in
// column 54 and at most 20 characters of comment from column 56.
std::string Gen0Line(const std::string& metod, const std::string& numbers,
                     const std::string& tecken = " ", const std::string& text = "") {
  std::string line = metod + numbers;
  line.resize(53, ' ');
  return line + tecken + " " + text + "\n";
}

// Generation 1: three characters of method, eleven numbers, marker in 60, comment from 62.
std::string Gen1Line(const std::string& metod, const std::string& numbers,
                     const std::string& tecken, const std::string& text) {
  std::string line = metod + numbers;
  line.resize(59, ' ');
  return line + tecken + " " + text + "\n";
}

TEST_F(PrvTest, OlderGenerationsReadAndWriteTheCurrentForm) {
  const std::string guid = " GUID " + kPrvGuid;
  const std::vector<OldFormCase> cases = {
      {"generation 0: depths 0.1 deeper for a method that changes, test digits",
       "12.5 2019-05-03 305\n*\n" + Gen0Line("SP", " 12 2.0 1 2 3 4 5 6 7 8", "t", "kommentar") +
           Gen0Line("SP", " 0 3.0") + Gen0Line("PG", " 0 4.0") + Gen0Line("SP", " 0 5.0"),
       12.5f, "03.05.2019", 3, 5,
       {{"SP", 1.9f}, {"SP", 3.0f}, {"PG", 4.0f}, {"SP", 4.9f}},
       PrvLine("SP   -129  1.90  1.00  2.00  3.00  4.0  5.0  6.0  7  8.0 0.0", "t", "kommentar") +
           PrvLine("SP      0  3.00  0.00  0.00  0.00  0.0  0.0  0.0  0  0.0 0.0", " ", "") +
           PrvLine("PG      0  4.00  0.00  0.00  0.00  0.0  0.0  0.0  0  0.0 0.0", " ", "") +
           PrvLine("SP      0  4.90  0.00  0.00  0.00  0.0  0.0  0.0  0  0.0 0.0", " ", "")},
      {"generation 1: GUID, marker in column 60",
       "A41 12.5 2019-05-03 305" + guid + "\n*\n" +
           Gen1Line("VB ", " 0 1.5 0 0 0 0 0 0 0 0 0", "m", "vinge") ,
       12.5f, "03.05.2019", 3, 5, {{"VB", 1.5f}},
       PrvLine("VB      0  1.50  0.00  0.00  0.00  0.0  0.0  0.0  0  0.0 0.0", "m", "vinge")},
      {"generation 2: a shallower sample of the same method goes before the deeper ones",
       "A42 0 - 0" + guid + "\n*\n" +
           PrvLine("K       0  5.00  0.00  0.00  0.00  0.0  0.0  0.0  0  0.0 0.0", " ", "") +
           PrvLine("K       0  6.00  0.00  0.00  0.00  0.0  0.0  0.0  0  0.0 0.0", " ", "") +
           PrvLine("K       0  2.00  0.00  0.00  0.00  0.0  0.0  0.0  0  0.0 0.0", " ", "a"),
       0.0f, "-", 0, 0, {{"K", 2.0f}, {"K", 4.9f}, {"K", 6.0f}},
       PrvLine("K       0  2.00  0.00  0.00  0.00  0.0  0.0  0.0  0  0.0 0.0", " ", "a") +
           PrvLine("K       0  4.90  0.00  0.00  0.00  0.0  0.0  0.0  0  0.0 0.0", " ", "") +
           PrvLine("K       0  6.00  0.00  0.00  0.00  0.0  0.0  0.0  0  0.0 0.0", " ", "")},
      {"header without date or code, records without closing line",
       "A43 7\n*\nSP 0 1\nSP 0 2", 7.0f, "", 0, 0, {{"SP", 1.0f}, {"SP", 2.0f}},
       PrvLine("SP      0  1.00  0.00  0.00  0.00  0.0  0.0  0.0  0  0.0 0.0", " ", "") +
           PrvLine("SP      0  2.00  0.00  0.00  0.00  0.0  0.0  0.0  0  0.0 0.0", " ", "")},
  };
  for (const OldFormCase& c : cases) {
    SCOPED_TRACE(c.why);
    Put("OLD.PRV", c.file);
    CBorviPrv prv(1, 0, 0);
    ASSERT_EQ(Read(prv, "OLD.PRV"), 0);
    EXPECT_FLOAT_EQ(prv.hvarde, c.hvarde);
    EXPECT_STREQ(prv.datum, c.datum);
    EXPECT_EQ(prv.hkod100, c.hkod100);
    EXPECT_EQ(prv.hkod, c.hkod);
    std::vector<std::pair<std::string, float>> samples;
    for (const provtype& r : Records(prv)) samples.emplace_back(r.metod, r.djup);
    ASSERT_EQ(samples.size(), c.samples.size());
    for (std::size_t i = 0; i < samples.size(); ++i) {
      EXPECT_EQ(samples[i].first, c.samples[i].first) << i;
      EXPECT_FLOAT_EQ(samples[i].second, c.samples[i].second) << i;
    }
    const std::string written = Written(prv);
    const std::string head = Format("A43 %f %s %d GUID %s\n*\n", c.hvarde,
                                    c.datum[0] ? c.datum : "-", c.hkod100 * 100 + c.hkod,
                                    prv.guid.c_str());
    EXPECT_EQ(written, head + c.written + "*\n");
    EXPECT_EQ(prv.guid.size(), 36u);
  }
}

TEST_F(PrvTest, TestDigitsBecomeTheNegatedBitSet) {
  const struct {
    int digits;
    int bits;
  } cases[] = {{12, -(0x001 | 0x080)}, {9, -0x040}, {8, -0x1000}, {345, -(0x020 | 0x004 | 0x100)},
               {670, -(0x002 | 0x008)}, {1005, -0x100}, {-129, -129}};
  for (const auto& c : cases) {
    Put("D.PRV", "A43 0 - 0\n*\nSP " + std::to_string(c.digits) + " 1.0\n*\n");
    CBorviPrv prv(1, 0, 0);
    ASSERT_EQ(Read(prv, "D.PRV"), 0);
    ASSERT_EQ(prv.Home(), 0);
    EXPECT_EQ(prv.Get_aktel()->analyser, c.bits) << c.digits;
  }
}

// Values 150.0 in the first group and 20.0 in the second select one decimal for the first
// group and one for the second; the four layouts each in turn.
TEST_F(PrvTest, LayoutOfTheValuesFollowsTheirSize) {
  struct Case {
    float v[6];
    std::string numbers;
  };
  const std::vector<Case> cases = {
      {{150, 1, 2, 20, 20, 20}, "SP      0  1.00 150.0   1.0   2.0 20.0 20.0 20.0  0  0.0 0.0"},
      {{150, 1, 2, 200, 1, 1}, "SP      0  1.00 150.0   1.0   2.0  200    1    1  0  0.0 0.0"},
      {{1, 2, 3, 1, 1, 100}, "SP      0  1.00  1.00  2.00  3.00    1    1  100  0  0.0 0.0"},
      {{1, 2, 3, 4, 5, 6}, "SP      0  1.00  1.00  2.00  3.00  4.0  5.0  6.0  0  0.0 0.0"},
  };
  for (const Case& c : cases) {
    CBorviPrv prv(1, 0, 0);
    provtype r{};
    CopyField(r.metod, "SP");
    r.djup = 1.0f;
    float* v[] = {&r.varde1, &r.varde2, &r.varde3, &r.varde4, &r.varde5, &r.varde6};
    for (int i = 0; i < 6; ++i) *v[i] = c.v[i];
    prv.Ny(1, &r);
    prv.guid = kPrvGuid;
    CopyField(prv.datum, "01.02.2003");
    const std::string written = Written(prv);
    EXPECT_EQ(written.substr(written.find("*\n") + 2), PrvLine(c.numbers, " ", "") + "*\n");
  }
}

// A value rounded to its layout may cross a size limit; the line written must then read back
// to the same line, so that saving twice changes nothing.
TEST_F(PrvTest, RoundedValuesKeepTheirLayoutOnTheNextSave) {
  for (float value : {99.896f, 99.94f, 99.86f, 100.06f, 99.95f, 1e9f}) {
    CBorviPrv prv(1, 0, 0);
    provtype r{};
    CopyField(r.metod, "SP");
    r.varde1 = value;
    r.varde6 = value;
    prv.Ny(1, &r);
    const std::string first = Written(prv);
    Put("R.PRV", first);
    CBorviPrv again(1, 0, 0);
    ASSERT_EQ(Read(again, "R.PRV"), 0);
    EXPECT_EQ(Written(again), first) << value;
  }
}

TEST_F(PrvTest, FilterKeepsOtherRecordsEmpty) {
  const std::string file = "A43 0 - 0\n*\nSP      0  1.00\n12      0  2.00\nPG      0  3.00\n"
                           "CI      0  4.00\n";
  const struct {
    int kodtyp;
    std::vector<std::string> filled;  // method of each record, empty when filtered out
  } cases[] = {
      {0, {"SP", "12", "PG", "CI"}},
      {1, {"", "12", "", ""}},
      {10, {"", "", "PG", ""}},
      {2, {"", "", "", "CI"}},
  };
  for (const auto& c : cases) {
    Put("F.PRV", file);
    CBorviPrv prv(1, 0, 0);
    prv.kodtyp = c.kodtyp;
    ASSERT_EQ(Read(prv, "F.PRV"), 0);
    std::vector<std::string> filled;
    for (const provtype& r : Records(prv)) {
      filled.emplace_back(r.metod);
      if (!r.metod[0]) {
        EXPECT_EQ(r.djup, 0.0f);
      }
    }
    EXPECT_EQ(filled, c.filled) << c.kodtyp;
  }
}

TEST_F(PrvTest, SampleKindsSetTheirBits) {
  const struct {
    std::vector<std::string> metods;
    bool ciCaCc, skvPg, other;
  } cases[] = {
      {{"PG"}, false, true, false},
      {{"SKV"}, false, true, true},
      {{"PG", "SP"}, false, false, true},
      {{"SP", "SKV"}, false, false, true},
      {{"CA"}, true, false, false},
      {{"12"}, false, false, true},
  };
  for (const auto& c : cases) {
    CBorviPrv prv(1, 0, 0);
    for (const std::string& m : c.metods) {
      provtype r{};
      CopyField(r.metod, m);
      prv.Ny(1, &r);
    }
    bhbit bits{};
    bits.b[1] = 0x04;  // cleared by the evaluation
    ASSERT_EQ(prv.PrvStat(&bits), 0);
    EXPECT_EQ(HasBit(bits, kBitSampleCiCaCc), c.ciCaCc) << c.metods[0];
    EXPECT_EQ(HasBit(bits, kBitSkvPg), c.skvPg) << c.metods[0];
    EXPECT_EQ(HasBit(bits, kBitSampleOther), c.other) << c.metods[0];
    EXPECT_FALSE(HasBit(bits, kBitSampleAux));
  }
  CBorviPrv empty;
  bhbit bits{};
  EXPECT_EQ(empty.PrvStat(&bits), -1);
}

TEST_F(PrvTest, MissingFileIsReported) {
  CBorviPrv prv(1, 0, 0);
  CopyField(prv.kodsystem, "BVF");
  EXPECT_EQ(Read(prv, "NONE.PRV"), -1);
  EXPECT_TRUE(status.Contains("Info : Det finns inge provtagningsdata for borhull : PR"));
  EXPECT_STREQ(prv.kodsystem, "SGF");
}

TEST_F(PrvTest, DamagedLinesAreReportedWithTheFileName) {
  Put("DM.PRV", "A43 x 01.01.2020 0 GUID " + kPrvGuid + "\nstray line\n*\n" +
                    "SP      0  1.00  abc\nSP \x01\x02 2\n*\nafter the end\n");
  CBorviSnd snd(&proj, nullptr);
  ASSERT_EQ(snd.Init("dm", nullptr), 0);
  ASSERT_NE(snd.prv, nullptr);
  EXPECT_EQ(snd.m_droppedContent, 5);
  const std::string file = dir.file("DM.PRV");
  for (int line : {1, 2, 4, 5, 7})
    EXPECT_TRUE(std::any_of(status.shown().begin(), status.shown().end(),
                            [&](const std::string& s) {
                              return s.rfind(file + ", line " + std::to_string(line) + ":", 0) == 0;
                            }))
        << line;
  EXPECT_TRUE(status.Contains("Feil i provtagning !!!, id=dm"));
}

// Cut at any byte, garbage, overlong lines: reading stays inside the fields, and what was read
// writes and reads back to the same bytes.
TEST_F(PrvTest, DamagedFilesNeverOverrunAndSettleOnTheFirstSave) {
  std::vector<std::string> inputs;
  const std::string full = CanonicalPrv();
  for (std::size_t n = 0; n <= full.size(); n += 7) inputs.push_back(full.substr(0, n));
  std::mt19937 random(4711);
  const std::string alphabet = std::string("*\n 0123456789.-GUIDSPKA") + '\0' + "\x86\xFF";
  for (int round = 0; round < 40; ++round) {
    std::string bytes(random() % 2000, ' ');
    for (char& c : bytes) c = alphabet[random() % alphabet.size()];
    inputs.push_back(bytes);
  }
  inputs.push_back("A43 " + std::string(5000, '9') + " " + std::string(5000, 'd') + "\n*\n" +
                   "SKV" + std::string(5000, '7') + "\n" + std::string(300, 'x') + "\n");
  for (const std::string& in : inputs) {
    Put("G.PRV", in);
    CBorviPrv prv(1, 0, 0);
    if (Read(prv, "G.PRV") != 0) continue;
    EXPECT_LT(strnlen(prv.datum, sizeof prv.datum), sizeof prv.datum);
    for (const provtype& r : Records(prv)) {
      EXPECT_LT(strnlen(r.metod, sizeof r.metod), sizeof r.metod);
      EXPECT_LE(strnlen(r.text, sizeof r.text), 60u);
    }
    const std::string first = Written(prv);
    Put("G2.PRV", first);
    CBorviPrv again(1, 0, 0);
    ASSERT_EQ(Read(again, "G2.PRV"), 0);
    EXPECT_EQ(Written(again), first);
  }
}

// The sample file beside ID.SND: read with the borehole, written back, and counted in the
// borehole's record.
TEST_F(PrvTest, BoreholeWithSamples) {
  Put("PR.SND", SndWith(DreieBlock()));
  Put("PR.PRV", CanonicalPrv());
  CDbsGUID list;
  CBorviDbs dbs;
  dbs.m_guidLista = &list;
  CBorviSnd snd(&proj, &dbs);
  ASSERT_EQ(snd.Init("pr", nullptr), 0);
  ASSERT_NE(snd.prv, nullptr);
  EXPECT_EQ(snd.m_droppedContent, 0);
  EXPECT_TRUE(HasBit(snd.bit, kBitSample));
  EXPECT_TRUE(HasBit(snd.bit, kBitHeaderValue));
  EXPECT_TRUE(HasBit(snd.bit, kBitSampleCiCaCc));
  EXPECT_EQ(snd.IfDigitaliserad(), 1);  // hkod100 3
  bhdbstype rec{};
  CopyField(rec.id, "PR");
  ASSERT_EQ(snd.Snd2Bhbit(&rec), 0);
  EXPECT_FLOAT_EQ(rec.djup, 5.25f);
  EXPECT_TRUE(HasBit(rec.bit, kBitSample));
  EXPECT_TRUE(HasBit(rec.bit, kBitSampleOther));
  EXPECT_EQ(rec.stopp, 93);  // the Dreie block's; the samples' code 5 counts as 90
  bool entry = false;
  if (list.Home() == 0) {
    do {
      entry = entry || (list.Get_aktel()->metod == 40 && list.Get_aktel()->guid == kPrvGuid);
    } while (list++);
  }
  EXPECT_TRUE(entry);
  snd.Uppdat(nullptr, nullptr);
  EXPECT_EQ(Get("PR.PRV"), Crlf(CanonicalPrv()));
  EXPECT_EQ(Get("PR.SND"), Crlf(SndWith(DreieBlock())));
  snd.DeleteFil(40);
  EXPECT_FALSE(dir.exists("PR.PRV"));
}

TEST_F(PrvTest, SamplesStopCodeAndDate) {
  Put("SC.PRV", "A43 0 2019-05-03 92\n*\nSP 0 1.0\n*\n");
  CBorviSnd snd(&proj, nullptr);
  ASSERT_EQ(snd.Init("sc", nullptr), 0);
  int stopp = 0;
  snd.GetMaxStopp(&stopp);
  EXPECT_EQ(stopp, 92);
  EXPECT_STREQ(snd.datum, "03.05.2019");
  EXPECT_EQ(snd.IfDigitaliserad(), 0);
}

// In memory mode the sounding file's text is followed by the samples after their marker line,
// and nothing is written to disk.
TEST_F(PrvTest, MemoryModeMarksTheSamplesAfterTheSoundingFile) {
  Put("MM.SND", SndWith(DreieBlock()));
  Put("MM.PRV", CanonicalPrv());
  CBorviSnd snd(&proj, nullptr);
  ASSERT_EQ(snd.Init("mm", nullptr), 0);
  snd.SetMemFile(1);
  snd.Uppdat(nullptr, nullptr);
  ASSERT_NE(snd.MemFile(), nullptr);
  const std::string expected =
      "#snd#\n" + SndWith(DreieBlock()) + "#prv#\n" + CanonicalPrv() + "EOF\r\n";
  EXPECT_EQ(*snd.MemFile(), expected);
  EXPECT_FALSE(dir.exists("SND.TMP"));
  EXPECT_FALSE(dir.exists("PRV.TMP"));
  EXPECT_EQ(Get("MM.PRV"), Crlf(CanonicalPrv()));
}

}  // namespace
}  // namespace geoproj::test
