// Sections of ID.SND whose code the reader does not know: reported, kept as their lines were,
// and written back after the known blocks in the order read.
#include <geoproj/sounding/borvi_dreie.h>
#include <geoproj/sounding/borvi_enkel.h>
#include <geoproj/sounding/borvi_snd.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sounding/snd_fixture.h"

namespace geoproj::test {
namespace {

using SndUnknownTest = SndTest;

struct UnknownCase {
  const char* why;
  std::string blocks;    // read, after the header and GUID section
  std::string written;   // the blocks as written back
  std::vector<std::string> shown;
};

TEST_F(SndUnknownTest, SectionsAreKeptAndWrittenBackAfterTheKnownBlocks) {
  const std::string s77 = "*\n77 01.01.2020\n1 2 3\n\x94vrigt ej l\x84st\n";
  const std::string s5 = "*\n5 x\nline\n\n";
  const std::string noCode = "*\nabc def\n21 not a code line\n";
  const std::string orphan = "*\n107 \nMA                        1.200\n";
  const std::vector<UnknownCase> cases = {
      {"between and after known blocks", DreieBlock() + s77 + EnkelBlock() + s5,
       DreieBlock() + EnkelBlock() + s77 + s5,
       {"Ok\xE4nd metodkod (77) f\xF6r Id: U", "Ok\xE4nd metodkod (5) f\xF6r Id: U"}},
      {"only unknown sections", s77, s77, {"Ok\xE4nd metodkod (77) f\xF6r Id: U"}},
      {"a section without a code", noCode + DreieBlock(), DreieBlock() + noCode,
       {"Ok\xE4nd metodkod (-1) f\xF6r Id: U"}},
      {"settings without their test", orphan + DreieBlock(), DreieBlock() + orphan,
       {"Kan inte skapa klassinformation f\xF6r CPTHeader (Id=U)"}},
  };
  for (const UnknownCase& c : cases) {
    SCOPED_TRACE(c.why);
    StatusLog log;
    Put("U.SND", SndWith(c.blocks));
    CBorviSnd snd(&proj, nullptr);
    ASSERT_EQ(snd.Init("U", nullptr), 0);
    EXPECT_EQ(snd.m_droppedContent, 0);
    EXPECT_EQ(log.shown(), c.shown);
    snd.Uppdat(nullptr, nullptr);
    EXPECT_EQ(Get("U.SND"), Crlf(SndWith(c.written)));
    // Written back once more, nothing moves.
    CBorviSnd again(&proj, nullptr);
    ASSERT_EQ(again.Init("U", nullptr), 0);
    again.Uppdat(nullptr, nullptr);
    EXPECT_EQ(Get("U.SND"), Crlf(SndWith(c.written)));
  }
}

TEST_F(SndUnknownTest, KnownBlockAfterAnUnknownOneIsReadAndASecondReplacesTheFirst) {
  Put("U.SND", SndWith(DreieBlock() + "*\n77\nx\n" + "*\n21 09.09.2009\n0 90 GUID " +
                       BlockGuid(99) + "\n"));
  CBorviSnd snd(&proj, nullptr);
  ASSERT_EQ(snd.Init("U", nullptr), 0);
  ASSERT_NE(snd.dreie, nullptr);
  EXPECT_EQ(snd.dreie->m_guid, BlockGuid(99));
  ASSERT_EQ(snd.m_unknownSections.size(), 1u);
  EXPECT_EQ(snd.m_unknownSections[0], "77\nx\n");
}

// A zero byte ends a line that is written back; what follows it is lost and reported.
TEST_F(SndUnknownTest, ZeroByteInAKeptSectionIsReported) {
  Put("U.SND", SndWith(std::string("*\n77\nab\0cd\nef\n", 14)));
  CBorviSnd snd(&proj, nullptr);
  ASSERT_EQ(snd.Init("U", nullptr), 0);
  EXPECT_EQ(snd.m_droppedContent, 1);
  snd.Uppdat(nullptr, nullptr);
  EXPECT_EQ(Get("U.SND"), Crlf(SndWith("*\n77\nab\nef\n")));
}

// A code line that begins with a zero byte is lost whole; the lines behind it, written back as
// a section, would be read as one of another kind (here the GUID section). The section is
// dropped and reported, and the file settles on the first save.
TEST_F(SndUnknownTest, ASectionWhoseCodeLineIsLostToAZeroByteIsNotKept) {
  Put("U.SND", SndWith(std::string("*\n\0" "40 0\n99\nGU\n", 14) + DreieBlock()));
  std::string first;
  for (int save = 0; save < 2; ++save) {
    CBorviSnd snd(&proj, nullptr);
    ASSERT_EQ(snd.Init("U", nullptr), 0);
    EXPECT_TRUE(snd.m_unknownSections.empty()) << save;
    EXPECT_EQ(snd.m_droppedContent, save == 0 ? 2 : 0);
    EXPECT_EQ(snd.guid, kBoreholeGuid) << save;
    snd.Uppdat(nullptr, nullptr);
    if (save == 0) first = Get("U.SND");
  }
  EXPECT_EQ(Get("U.SND"), first);
  EXPECT_EQ(first, Crlf(SndWith(DreieBlock())));
}

// Memory mode: the sounding file's text after its marker, unknown sections in their place.
TEST_F(SndUnknownTest, MemoryModeHoldsTheKeptSections) {
  Put("U.SND", SndWith("*\n77\nx\n" + DreieBlock()));
  CBorviSnd snd(&proj, nullptr);
  ASSERT_EQ(snd.Init("U", nullptr), 0);
  snd.SetMemFile(1);
  snd.Uppdat(nullptr, nullptr);
  ASSERT_NE(snd.MemFile(), nullptr);
  EXPECT_EQ(*snd.MemFile(), "#snd#\n" + SndWith(DreieBlock() + "*\n77\nx\n") + "EOF\r\n");
}

}  // namespace
}  // namespace geoproj::test
