// show and save on boreholes with core drilling, water loss, environmental data and vane tests.
#include <gtest/gtest.h>

#include <string>

#include "tool/tool_boreholes.h"
#include "tool/tool_project.h"

namespace geoproj::tooltest {
namespace {

using Json = nlohmann::json;

std::string KbSnd() {
  return CrLf({"10.000000", "20.000000", "30.000000", "9999999.900000", "0.000000",
               "0.000000 0 90.000000", "*", "97", "40 0", "*", "99",
               "GUID 0f0e0d0c-0b0a-4908-8706-050403020100", "*", "13 01.06.2022",
               "1.000000 5 2 -235 1 0 2 GUID 10000000-0000-4000-8000-000000000013",
               DataLine("  1.50  3  2  45 -30 1 2 10  4 3 1200  80 1 0   12.345  15", 60, "gnejs"),
               "-1.50 0.5 1.25 2.0 3.5 4.0 65 32 32 32 32 66", "*", "14 02.06.2022",
               "0.000000 2 3 0 1 0 0 GUID 10000000-0000-4000-8000-000000000014",
               DataLine("  1.000   4.500 0.5 12.0 3.5 0.250 7", 50, "t\xE4t")});
}

std::string KbMil() {
  return CrLf({"12.05.2020 3 1 1.500000 GUID 10000000-0000-4000-8000-000000000045", "*",
               "P1     1.50 a b cdef", "kind   12.5  x      12345678", "f\xF6rsta", "*"});
}

std::string Vane(const std::string& comment) {
  return CrLf({"10.000000", "20.000000", "5.500000", "9999999.900000", "0.000000", "0.000000",
               "SGI-65", "2", comment + " GUID 7d8e9f0a-1b2c-4d3e-8f4a-5b6c7d8e9f0a", "*",
               " 2.000 12.5 10.0 0.0 1.5 4 0.25 1 8.75 le", "*", "*", "99",
               "GUID 0f0e0d0c-0b0a-4908-8706-050403020101"});
}

class ToolOtherMethodsTest : public ToolTest {
 protected:
  void SetUp() override {
    ToolTest::SetUp();
    if (IsSkipped()) return;
    project_.write("KB1.SND", KbSnd());
    project_.write("KB1.MIL", KbMil());
    // The comment in the DOS code page, as older field programs write it.
    project_.write("VB1.VB", Vane("l\x94s"));
  }
};

TEST_F(ToolOtherMethodsTest, ShowJsonHoldsTheBlocksAndTheSeparateFiles) {
  const Json b = Ok({"show", project_.path(), "KB1", "--json"}).Json();
  ASSERT_EQ(b["methods"].size(), 2u);
  const Json& core = b["methods"][0];
  EXPECT_EQ(core["code"], 13);
  EXPECT_EQ(core["name"], "Core drilling");
  EXPECT_EQ(core["date"], "01.06.2022");
  ASSERT_EQ(core["records"].size(), 1u);
  const Json& k = core["records"][0];
  EXPECT_EQ(k["djup"], 1.5);
  EXPECT_EQ(k["k1"], 3);
  EXPECT_EQ(k["k4"], -30);
  EXPECT_EQ(k["k14"], 15);
  EXPECT_EQ(k["kvarde"], 12.345);
  EXPECT_EQ(k["text"], "gnejs");
  EXPECT_EQ(k["b1"], 65);
  EXPECT_EQ(k["e3"], 1.25);
  for (const char* key : {"k2", "k13", "b6", "e5"}) EXPECT_TRUE(k.contains(key)) << key;
  const Json& water = b["methods"][1];
  EXPECT_EQ(water["name"], "Water loss");
  const Json& w = water["records"][0];
  EXPECT_EQ(w["w2"], 4.5);
  EXPECT_EQ(w["wtal"], 7);
  EXPECT_EQ(w["text"], "t\xC3\xA4t");
  const Json& env = b["environmental"];
  EXPECT_EQ(env["datum"], "12.05.2020");
  EXPECT_EQ(env["hkod"], 3);
  EXPECT_EQ(env["hvarde"], 1.5);
  EXPECT_EQ(env["guid"], "10000000-0000-4000-8000-000000000045");
  ASSERT_EQ(env["records"].size(), 1u);
  EXPECT_EQ(env["records"][0]["kommentar"], "f\xC3\xB6rsta");
  EXPECT_TRUE(b["vane"].is_null());
}

TEST_F(ToolOtherMethodsTest, VaneBoreholeShowsItsHeaderAndTests) {
  const Json b = Ok({"show", project_.path(), "VB1", "--json"}).Json();
  EXPECT_EQ(b["z"], 5.5);
  EXPECT_EQ(b["comments"][0], "l\xC3\xB6s");
  EXPECT_EQ(b["guid"], "0f0e0d0c-0b0a-4908-8706-050403020101");
  EXPECT_TRUE(b["environmental"].is_null());
  EXPECT_EQ(b["vane"]["vinge"], "SGI-65");
  EXPECT_EQ(b["vane"]["vingenr"], 2);
  EXPECT_EQ(b["vane"]["guid"], "7d8e9f0a-1b2c-4d3e-8f4a-5b6c7d8e9f0a");
  EXPECT_EQ(b["vane"]["records"][0]["varde6"], 8.75);
  const std::string text = Ok({"show", project_.path(), "VB1"}).out;
  EXPECT_NE(text.find("Vane tests: 1 records"), std::string::npos) << text;
}

TEST_F(ToolOtherMethodsTest, SaveWritesEveryFileBackAndTheVaneBoreholeAlone) {
  Ok({"init", project_.path()});
  EXPECT_EQ(Ok({"save", project_.path(), "KB1", "VB1"}).out, "saved KB1\nsaved VB1\n");
  EXPECT_EQ(project_.read("KB1.SND"), KbSnd());
  EXPECT_EQ(project_.read("KB1.MIL"), KbMil());
  EXPECT_EQ(project_.read("VB1.VB"), Vane("l\xF6s"));
  EXPECT_FALSE(project_.exists("VB1.SND"));
  // The core drilling's rock level became the interpretation's rock layer.
  EXPECT_TRUE(project_.exists("KB1.TLK"));
  const Json records = Ok({"list", project_.path(), "--json"}).Json();
  ASSERT_EQ(records.size(), 2u);
  for (const Json& r : records) {
    if (r["id"] == "VB1") {
      EXPECT_EQ(r["kind"], "VB");
      EXPECT_EQ(r["bits"][1].get<int>() & 0x80, 0x80);
    } else {
      EXPECT_EQ(r["bits"][5].get<int>() & 0x80, 0x80);
      EXPECT_EQ(r["bits"][4].get<int>() & 0x60, 0x60);
    }
  }
}

TEST_F(ToolOtherMethodsTest, SaveRefusesADamagedVaneFileUnlessForced) {
  Ok({"init", project_.path()});
  project_.write("VB2.VB", CrLf({"1", "2", "3", "4", "5", "0", "V", "1", " GUID x", "*",
                                 " 2.0 x 3", "*"}));
  ToolResult refused = Run({"save", project_.path(), "VB2"});
  EXPECT_EQ(refused.status, 1);
  EXPECT_NE(refused.err.find("VB2.VB, line 11"), std::string::npos) << refused.err;
  Ok({"save", "--force", project_.path(), "VB2"});
}

}  // namespace
}  // namespace geoproj::tooltest
