// The interpretation file: the current separate file, the old word-only form, the block written
// into a caller's file, and damaged input.
#include <geoproj/methods/borvi_tlk.h>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include <geoproj/foundation/stdio_file_mem.h>
#include <geoproj/platform/date_time.h>

#include "support/message_log.h"
#include "support/status_log.h"
#include "support/temp_dir.h"

namespace {

using geoproj::test::MessageLog;
using geoproj::test::TempDir;

// A layer line padded to the comment column when a comment follows.
std::string LayerLine(const std::string& head, const std::string& kommentar = "") {
  if (kommentar.empty()) return head + "\r\n";
  return head + std::string(head.size() < 25 ? 25 - head.size() : 0, ' ') + kommentar + "\r\n";
}

const char kZeros[] = "  0.00   0.00   0.00   0.00   0.00   0.00\r\n";

class BorviTlkFile : public ::testing::Test {
 protected:
  // Reads name into tlk as the separate file.
  int Read(CBorviTlk& tlk, const std::string& name) {
    return tlk.Init(nullptr, "BH1", dir.file(name).c_str());
  }
  std::string Write(CBorviTlk& tlk, const std::string& name) {
    EXPECT_EQ(tlk.Uppdat(nullptr, dir.file(name).c_str()), 0);
    return dir.read(name);
  }

  TempDir dir;
  MessageLog log;
};

TEST_F(BorviTlkFile, CurrentFormRoundTripsByteForByte) {
  const std::string file =
      "gvy\r\n"
      "  12.5000\r\n"
      "\r\n" +
      LayerLine("lera 11 2 3") +
      "  10.0000 vid provgrop\r\n"
      "  1.00   2.50 -10.25   0.00   0.00 100.00\r\n" +
      LayerLine("sand 20 2 2", "grov sand med sten") +
      "   8.2500 \r\n" + kZeros +
      LayerLine("X 3 0 1", "  indraget") +  // Breccia has no old word
      "   6.0000 \r\n" + kZeros +
      LayerLine("berg 1 4 4") +
      "  -3.9000 \r\n" + kZeros + "*\r\n";
  dir.write("BH1.TLK", file);
  CBorviTlk tlk(1, 0, 0);
  ASSERT_EQ(Read(tlk, "BH1.TLK"), 0);

  EXPECT_EQ(tlk.gvyLast, 1);
  EXPECT_FLOAT_EQ(tlk.gvy, 12.5f);
  int n = 0;
  tlk.Where(&n);
  ASSERT_EQ(n, 4);
  tlk.Home();
  const matetype* m = tlk.Get_aktel();
  EXPECT_STREQ(m->namn, "lera");
  EXPECT_EQ(m->index, 11);
  EXPECT_EQ(m->nivakod, 2);
  EXPECT_EQ(m->nivakalla, 3);
  EXPECT_FLOAT_EQ(m->niva, 10.0f);
  EXPECT_STREQ(m->nivatext, "vid provgrop");
  EXPECT_FLOAT_EQ(m->varden[2], -10.25f);
  EXPECT_FLOAT_EQ(m->varden[5], 100.0f);
  tlk++;
  EXPECT_STREQ(tlk.Get_aktel()->kommentar, "grov sand med sten");
  tlk++;
  EXPECT_EQ(tlk.Get_aktel()->index, 3);
  EXPECT_STREQ(tlk.Get_aktel()->kommentar, "  indraget");
  EXPECT_TRUE(log.shown().empty());

  EXPECT_EQ(Write(tlk, "OUT.TLK"), file);
}

TEST_F(BorviTlkFile, OldWordOnlyFormIsWrittenInTheCurrentForm) {
  dir.write("OLD.TLK",
            "lera\r\n12.5\r\n\r\n"
            "SAND\n8\n\n"  // LF line ends and an upper-case word
            "okand\r\n5.25\r\n\r\n");
  CBorviTlk tlk(1, 0, 0);
  ASSERT_EQ(Read(tlk, "OLD.TLK"), 0);
  tlk.Home();
  EXPECT_EQ(tlk.Get_aktel()->index, 11);
  EXPECT_EQ(tlk.Get_aktel()->nivakod, 0);
  EXPECT_EQ(tlk.Get_aktel()->nivakalla, 0);
  EXPECT_FLOAT_EQ(tlk.Get_aktel()->niva, 12.5f);
  EXPECT_EQ(tlk.gvyLast, 0);

  const std::string expected = std::string("lera 11 0 0\r\n  12.5000 \r\n") + kZeros +
                               "sand 20 0 0\r\n   8.0000 \r\n" + kZeros +
                               "okand 0 0 0\r\n   5.2500 \r\n" + kZeros + "*\r\n";
  EXPECT_EQ(Write(tlk, "NEW.TLK"), expected);
  // The written form reads back unchanged.
  CBorviTlk again(1, 0, 0);
  ASSERT_EQ(Read(again, "NEW.TLK"), 0);
  EXPECT_EQ(Write(again, "NEW2.TLK"), expected);
}

TEST_F(BorviTlkFile, NameAndIndexAreBroughtInStepOnWrite) {
  CBorviTlk tlk(1, 0, 0);
  const struct {
    const char* namn;
    int index;
  } layers[] = {{"lera", 20}, {"Mylla", 0}, {"", 7}, {"whatever", 3}, {"", 0}};
  float level = 5;
  for (const auto& l : layers) {
    matetype m{};
    std::strcpy(m.namn, l.namn);
    m.index = l.index;
    m.niva = level--;
    tlk.Ny(1, &m);
  }
  const std::string expected = std::string("sand 20 0 0\r\n   5.0000 \r\n") + kZeros +
                               "Mylla 19 0 0\r\n   4.0000 \r\n" + kZeros +
                               "X 7 0 0\r\n   3.0000 \r\n" + kZeros +
                               "X 3 0 0\r\n   2.0000 \r\n" + kZeros +
                               " 0 0 0\r\n   1.0000 \r\n" + kZeros + "*\r\n";
  EXPECT_EQ(Write(tlk, "SYNC.TLK"), expected);
}

TEST_F(BorviTlkFile, EmbeddedBlockRoundTripsInsideTheCallersFile) {
  CBorviTlk tlk(1, 0, 1);
  tlk.gvy = -1.5f;
  matetype m{};
  std::strcpy(m.namn, "grus");
  m.niva = 3.25f;
  m.nivakod = 1;
  m.nivakalla = 6;
  std::strcpy(m.kommentar, "se foto");
  tlk.Ny(1, &m);

  CStdioFileMem out;
  out.SetFilePath(dir.file("BH1.SND"));
  ASSERT_NE(out.Open(out.GetFilePath(), CStdioFileMem::modeCreate | CStdioFileMem::modeWrite), 0);
  out.WriteString("head\n");
  EXPECT_EQ(tlk.Uppdat(&out, nullptr), 0);
  out.WriteString("*\n21 01.02.2020\n");
  out.Close();
  const std::string block = "*\r\n60\r\ngvy\r\n  -1.5000\r\n\r\n" +
                            LayerLine("grus 32 1 6", "se foto") + "   3.2500 \r\n" + kZeros;
  EXPECT_EQ(dir.read("BH1.SND"), "head\r\n" + block + "*\r\n21 01.02.2020\r\n");

  CStdioFileMem in;
  in.SetFilePath(dir.file("BH1.SND"));
  ASSERT_NE(in.Open(in.GetFilePath(), CStdioFileMem::modeRead), 0);
  std::string line;
  for (const char* skipped : {"head", "*", "60"}) {
    ASSERT_NE(in.ReadString(line), 0);
    EXPECT_EQ(line, skipped);
  }
  CBorviTlk back(1, 0, 1);
  ASSERT_EQ(back.Init(&in, "BH1", nullptr), 0);
  ASSERT_NE(in.ReadString(line), 0);  // the "*" line ending the block was consumed
  EXPECT_EQ(line, "21 01.02.2020");
  in.Close();
  EXPECT_FLOAT_EQ(back.gvy, -1.5f);

  CStdioFileMem again;
  again.SetFilePath(dir.file("AGAIN.SND"));
  ASSERT_NE(again.Open(again.GetFilePath(), CStdioFileMem::modeCreate | CStdioFileMem::modeWrite),
            0);
  EXPECT_EQ(back.Uppdat(&again, nullptr), 0);
  again.Close();
  EXPECT_EQ(dir.read("AGAIN.SND"), block);
}

TEST_F(BorviTlkFile, MemoryModeCollectsLinesWithLfEnds) {
  CBorviTlk tlk(1, 0, 0);
  matetype m{};
  m.index = 1;
  m.niva = 2.5f;
  tlk.Ny(1, &m);
  CStdioFileMem mem;
  mem.SetMemFile(1);
  ASSERT_NE(mem.Open(dir.file("never.TLK"), CStdioFileMem::modeCreate | CStdioFileMem::modeWrite),
            0);
  EXPECT_EQ(tlk.Uppdat(&mem, nullptr), 0);
  mem.Close();
  ASSERT_NE(mem.MemFile(), nullptr);
  EXPECT_EQ(*mem.MemFile(),
            "berg 1 0 0\n   2.5000 \n  0.00   0.00   0.00   0.00   0.00   0.00\n*\nEOF\r\n");
  EXPECT_FALSE(dir.exists("never.TLK"));
}

TEST_F(BorviTlkFile, EmbeddedModeRefusesToWriteWithoutAFile) {
  CBorviTlk tlk(1, 0, 1);
  tlk.Ny(1, nullptr);
  EXPECT_EQ(tlk.Uppdat(nullptr, dir.file("BH1.TLK").c_str()), -1);
  ASSERT_EQ(log.shown().size(), 1u);
  EXPECT_EQ(log.shown()[0].text, "Internt fel: Samlagring ej till\xE5ten !");
  EXPECT_EQ(log.shown()[0].flags, geoproj::kMbOk | geoproj::kMbIconExclamation);
  EXPECT_FALSE(dir.exists("BH1.TLK"));
}

TEST_F(BorviTlkFile, WritesNothingWithoutATarget) {
  CBorviTlk tlk(1, 0, 0);
  tlk.Ny(1, nullptr);
  EXPECT_EQ(tlk.Uppdat(nullptr, nullptr), 0);
  EXPECT_EQ(tlk.Uppdat(nullptr, dir.file("missing/BH1.TLK").c_str()), 0);
  EXPECT_FALSE(dir.exists("missing"));
  EXPECT_TRUE(log.shown().empty());
}

TEST_F(BorviTlkFile, GroundwaterOnly) {
  struct Case {
    const char* file;
    int result;
    int gvyLast;
    float gvy;
  };
  const Case cases[] = {
      {"GVY\r\n  4.2500\r\n\r\n", 0, 1, 4.25f},
      {"gvy\r\n  -0.5\r\n\r\n*\r\n", 0, 1, -0.5f},
      {"gvy\r\nnothing\r\n\r\n", 0, 1, 0.0f},
      {"*\r\n", -1, 0, 0.0f},
      {"", -1, 0, 0.0f},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    dir.write("G.TLK", c.file);
    CBorviTlk tlk(1, 0, 0);
    EXPECT_EQ(Read(tlk, "G.TLK"), c.result);
    EXPECT_EQ(tlk.gvyLast, c.gvyLast);
    EXPECT_FLOAT_EQ(tlk.gvy, c.gvy);
  }
  // A level of 0 is not written; with no layers there is no closing line either.
  CBorviTlk none(1, 0, 0);
  EXPECT_EQ(Write(none, "NONE.TLK"), "");
  CBorviTlk only(1, 0, 0);
  only.gvy = 4.25f;
  EXPECT_EQ(Write(only, "ONLY.TLK"), "gvy\r\n   4.2500\r\n\r\n");
}

TEST_F(BorviTlkFile, LayerLineFields) {
  struct Case {
    std::string line;
    const char* namn;
    int index;
    int nivakod;
    int nivakalla;
    const char* kommentar;
  };
  const Case cases[] = {
      {"sand 20 2 2" + std::string(14, ' ') + "grov sand", "sand", 20, 2, 2, "grov sand"},
      {"sand 20 2 2 kort", "sand", 20, 2, 2, "kort"},
      // Longer than the comment column: the comment is taken from the column, not by word.
      {"sand 20 2 2 ord som ej ryms", "sand", 20, 2, 2, "ms"},
      {"sand 20 9 2", "sand", 20, 5, 2, ""},
      {"sand 20 -3 2", "sand", 20, 0, 2, ""},
      {"sand 20" + std::string(30, ' ') + "extra", "sand", 20, 0, 0, ""},
      {"sand 20 x 4", "sand", 20, 0, 0, ""},
      {"grus", "grus", 32, 0, 0, ""},
      {"Berg 2 1", "Berg", 2, 1, 0, ""},
      // Without an index an old word gives it, in any case.
      {"fyllniNg 0 1 2", "fyllniNg", 13, 1, 2, ""},
      {"okand -4 1 2", "okand", 0, 1, 2, ""},
      {"", "", 0, 0, 0, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    dir.write("L.TLK", c.line + "\r\n 1.0\r\n\r\n*\r\n");
    CBorviTlk tlk(1, 0, 0);
    ASSERT_EQ(Read(tlk, "L.TLK"), 0);
    tlk.Home();
    const matetype* m = tlk.Get_aktel();
    EXPECT_STREQ(m->namn, c.namn);
    EXPECT_EQ(m->index, c.index);
    EXPECT_EQ(m->nivakod, c.nivakod);
    EXPECT_EQ(m->nivakalla, c.nivakalla);
    EXPECT_STREQ(m->kommentar, c.kommentar);
    EXPECT_FLOAT_EQ(m->niva, 1.0f);
  }
}

TEST_F(BorviTlkFile, EmptyLayerLineTakesTheNextTwoLines) {
  dir.write("E.TLK", "\r\n   5.0000 under\r\n1 2 3 4 5 6\r\n*\r\n");
  CBorviTlk tlk(1, 0, 0);
  ASSERT_EQ(Read(tlk, "E.TLK"), 0);
  tlk.Home();
  const matetype* m = tlk.Get_aktel();
  EXPECT_STREQ(m->namn, "");
  EXPECT_EQ(m->index, 0);
  EXPECT_FLOAT_EQ(m->niva, 5.0f);
  EXPECT_STREQ(m->nivatext, "under");
  EXPECT_FLOAT_EQ(m->varden[0], 1.0f);
  EXPECT_FLOAT_EQ(m->varden[5], 6.0f);
}

// A layer without a name is written with a blank in the name's place and reads back without
// one; a line that only begins with a blank keeps its first word as the name, and a name
// beginning with "*" keeps the blank before it, or it would end the block.
TEST_F(BorviTlkFile, LayerLineBeginningWithABlankReadsBackTheSame) {
  const struct {
    std::string line;
    const char* namn;
    int nivakod;
    const char* kommentar;
  } cases[] = {
      {" 0 2 3", "", 2, ""},
      {" 0 1 1" + std::string(19, ' ') + "ej namn", "", 1, "ej namn"},
      {"  lera 11 2 3", "lera", 2, ""},
      {" 0 1 1 x", "0", 1, ""},
      {" *x 0 2 1", "*x", 2, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    dir.write("N.TLK", c.line + "\r\n   1.0000 \r\n" + kZeros + "*\r\n");
    CBorviTlk tlk(1, 0, 0);
    ASSERT_EQ(Read(tlk, "N.TLK"), 0);
    tlk.Home();
    EXPECT_STREQ(tlk.Get_aktel()->namn, c.namn);
    EXPECT_EQ(tlk.Get_aktel()->nivakod, c.nivakod);
    EXPECT_STREQ(tlk.Get_aktel()->kommentar, c.kommentar);
    const std::string first = Write(tlk, "N1.TLK");
    CBorviTlk again(1, 0, 0);
    ASSERT_EQ(Read(again, "N1.TLK"), 0);
    EXPECT_EQ(Write(again, "N2.TLK"), first);
  }
}

TEST_F(BorviTlkFile, DosLettersAreConvertedOnReadOnly) {
  // Read: DOS a-ring, a-umlaut and o-umlaut become their cp1252 letters in every line.
  dir.write("D.TLK",
            LayerLine("sand 20 2 2", "\x86\x84\x94 sten") + "   1.0000 \x8F\x8E\x99\r\n" + kZeros +
                "*\r\n");
  CBorviTlk tlk(1, 0, 0);
  ASSERT_EQ(Read(tlk, "D.TLK"), 0);
  tlk.Home();
  EXPECT_STREQ(tlk.Get_aktel()->kommentar, "\xE5\xE4\xF6 sten");
  EXPECT_STREQ(tlk.Get_aktel()->nivatext, "\xC5\xC4\xD6");
  // Write: the bytes go out as they are, DOS-looking bytes included.
  CBorviTlk out(1, 0, 0);
  matetype m{};
  std::strcpy(m.namn, "sand");
  std::strcpy(m.kommentar, "\x84 och \xE4");
  std::strcpy(m.nivatext, "\x94");
  out.Ny(1, &m);
  EXPECT_EQ(Write(out, "W.TLK"), LayerLine("sand 20 0 0", "\x84 och \xE4") + "   0.0000 \x94\r\n" +
                                     kZeros + "*\r\n");
}

TEST_F(BorviTlkFile, LongFieldsAreCutToTheirFields) {
  const std::string word(40, 'w');
  const std::string text(300, 't');
  dir.write("LONG.TLK", word + " 7 1 1 " + text + "\r\n   2.0000 " + text + "\r\n" +
                            std::string(5000, '9') + "\r\n*\r\n");
  CBorviTlk tlk(1, 0, 0);
  ASSERT_EQ(Read(tlk, "LONG.TLK"), 0);
  tlk.Home();
  const matetype* m = tlk.Get_aktel();
  EXPECT_EQ(std::string(m->namn), word.substr(0, 11));
  EXPECT_EQ(m->index, 7);
  // The comment column lies inside the long first word.
  EXPECT_EQ(std::string(m->kommentar), (word.substr(25) + " 7 1 1 " + text).substr(0, 25));
  EXPECT_EQ(std::string(m->nivatext), text.substr(0, 25));
  EXPECT_FLOAT_EQ(m->niva, 2.0f);
}

// A level too wide for its column is written wider; its text must still read back as written.
TEST_F(BorviTlkFile, WideLevelKeepsItsTextOnTheWayBack) {
  dir.write("W.TLK", "sand 20 0 0\r\n-1000000.0000 text efter\r\n" + std::string(kZeros) + "*\r\n");
  CBorviTlk tlk(1, 0, 0);
  ASSERT_EQ(Read(tlk, "W.TLK"), 0);
  const std::string first = Write(tlk, "W1.TLK");
  CBorviTlk again(1, 0, 0);
  ASSERT_EQ(Read(again, "W1.TLK"), 0);
  again.Home();
  EXPECT_STREQ(again.Get_aktel()->nivatext, "text efter");
  EXPECT_FLOAT_EQ(again.Get_aktel()->niva, -1e6f);
  EXPECT_EQ(Write(again, "W2.TLK"), first);
}

TEST_F(BorviTlkFile, StarLineEndsTheBlockEvenInsideALayer) {
  // A block cut short must not swallow the section that follows it.
  dir.write("CUT.TLK", "lera 11 0 0\r\n*\r\n21 01.01.2020\r\n 1.0 2.0\r\n");
  CStdioFileMem in;
  in.SetFilePath(dir.file("CUT.TLK"));
  CBorviTlk tlk(1, 0, 0);
  geoproj::test::StatusLog status;
  ASSERT_EQ(tlk.Init(&in, "BH1", nullptr), 0);
  // The layer lost its level; what follows the block is the caller's to read, not lost.
  const std::string report = dir.file("CUT.TLK") + ", line 1: layer without its level line";
  EXPECT_EQ(status.shown(), std::vector<std::string>{report});
  EXPECT_EQ(tlk.m_droppedContent, 1);
  std::string line;
  ASSERT_NE(in.ReadString(line), 0);
  EXPECT_EQ(line, "21 01.01.2020");
  in.Close();
  int n = 0;
  tlk.Where(&n);
  EXPECT_EQ(n, 1);
  tlk.Home();
  EXPECT_FLOAT_EQ(tlk.Get_aktel()->niva, 0.0f);
}

TEST_F(BorviTlkFile, MissingTrailingLinesLeaveZeros) {
  for (const char* file : {"lera 11 1 1", "lera 11 1 1\r\n  3.0000 x", "gvy", "gvy\r\n2.0"}) {
    SCOPED_TRACE(file);
    dir.write("M.TLK", file);
    CBorviTlk tlk(1, 0, 0);
    EXPECT_EQ(Read(tlk, "M.TLK"), 0);
    if (tlk.Home() == 0) {
      EXPECT_EQ(tlk.Get_aktel()->index, 11);
      EXPECT_FLOAT_EQ(tlk.Get_aktel()->varden[0], 0.0f);
    }
  }
}

TEST_F(BorviTlkFile, BinaryGarbageNeverOverrunsAField) {
  std::mt19937 random(20240611);
  for (int round = 0; round < 50; ++round) {
    std::string bytes(1 + random() % 3000, '\0');
    for (char& c : bytes) {
      unsigned r = random() % 10;
      c = r == 0 ? '\n' : r == 1 ? ' ' : static_cast<char>(random() % 256);
    }
    dir.write("G.TLK", bytes);
    CBorviTlk tlk(1, 0, 0);
    Read(tlk, "G.TLK");
    if (tlk.Home() != 0) continue;
    do {
      const matetype* m = tlk.Get_aktel();
      EXPECT_LT(strnlen(m->namn, sizeof m->namn), sizeof m->namn);
      EXPECT_LT(strnlen(m->nivatext, sizeof m->nivatext), sizeof m->nivatext);
      EXPECT_LT(strnlen(m->kommentar, sizeof m->kommentar), sizeof m->kommentar);
      EXPECT_GE(m->nivakod, 0);
      EXPECT_LE(m->nivakod, 5);
    } while (tlk++);
    Write(tlk, "G2.TLK");
  }
}

TEST_F(BorviTlkFile, MissingFileIsReported) {
  CBorviTlk tlk(1, 0, 0);
  const std::string path = dir.file("NONE.TLK");
  EXPECT_EQ(tlk.Init(nullptr, "BH1", path.c_str()), -1);
  ASSERT_EQ(log.shown().size(), 1u);
  EXPECT_EQ(log.shown()[0].text, "Hittar inte filen\n" + path + "\nAvbryter!");
  EXPECT_EQ(log.shown()[0].flags, geoproj::kMbOk | geoproj::kMbIconExclamation);
  EXPECT_EQ(tlk.Init(nullptr, "BH1", nullptr), -1);
  EXPECT_EQ(log.shown().size(), 1u);
}

TEST_F(BorviTlkFile, UnopenableFileIsReported) {
  const std::string path = dir.write("LOCK.TLK", "lera\r\n1\r\n\r\n");
  chmod(path.c_str(), 0);
  if (FILE* probe = fopen(path.c_str(), "rb")) {
    fclose(probe);
    GTEST_SKIP() << "permissions do not keep this user out";
  }
  CBorviTlk tlk(1, 0, 0);
  EXPECT_EQ(tlk.Init(nullptr, "BH1", path.c_str()), -1);
  ASSERT_EQ(log.shown().size(), 1u);
  EXPECT_EQ(log.shown()[0].text, "Kan inte \xF6ppna filen\n" + path + "\nAvbryter!");
}

TEST_F(BorviTlkFile, DatesComeFromTheFileRead) {
  const std::string path = dir.write("BH1.TLK", "lera\r\n1\r\n\r\n");
  geoproj::DateTime created, modified;
  ASSERT_TRUE(geoproj::FileTimes(path, &created, &modified));
  char expected_created[16], expected_modified[16];
  std::snprintf(expected_created, sizeof expected_created, "%04d-%02d-%02d", created.year,
                created.month, created.day);
  std::snprintf(expected_modified, sizeof expected_modified, "%04d-%02d-%02d", modified.year,
                modified.month, modified.day);
  CBorviTlk tlk(1, 0, 0);
  EXPECT_STREQ(tlk.skapad, "");
  ASSERT_EQ(Read(tlk, "BH1.TLK"), 0);
  EXPECT_STREQ(tlk.skapad, expected_created);
  EXPECT_STREQ(tlk.andrad, expected_modified);
}

}  // namespace
