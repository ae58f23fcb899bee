// Groundwater pipes and measurement points through the tool: show, stats and save.
#include <gtest/gtest.h>

#include <string>

#include "tool/tool_project.h"

namespace geoproj::tooltest {
namespace {

using Json = nlohmann::json;

std::string PipeLine(int y, int m, int d, double level, const char* flag, const char* status,
                     const char* time) {
  char text[200];
  std::snprintf(text, sizeof text, " %d %d %d %f %s %-25s%-44s %s", y, m, d, level, flag, status, "",
                time);
  std::string line = text;
  line.erase(line.find_last_not_of(' ') + 1);
  return line;
}

std::string PipeFile() {
  return CrLf({"1000.000000", "2000.000000", "10.000000", "9999999.900000", "0.000000",
               "GD 1 0 GUID 0b6f9a4e-1111-4222-8333-944455556666", "8.500000 0", "4.500000 90.000000",
               "0.000000 3.000000 \xD6PPEN", "*", PipeLine(2020, 1, 15, 2.0, "J", "", "08:00"),
               PipeLine(2020, 6, 1, 9.0, "J", "TORR", "08:00"), PipeLine(2020, 12, 31, 4.0, "J", "", "23:30"),
               PipeLine(2021, 3, 1, 7.0, "J", "", "08:00"), "*", "*", "99",
               "GUID 6f1c2a3b-4d5e-4f60-8a7b-9c0d1e2f3a4b"});
}

std::string MeasurementFile() {
  return CrLf({"1.000000 ", "2.000000 ", "3.000000 ", "9999999.900000", "0.000000", "0 0.000000", "**",
               "SLAN x", "*", " 2020 5 3 08:15 J", "noll", "     0.00    10.0000 ", "*",
               " 2020 6 3 08:15 J", "", "     0.00     9.9980 ", "*", "*"});
}

class ToolGroundwaterTest : public ToolTest {
 protected:
  void SetUp() override {
    ToolTest::SetUp();
    if (IsSkipped()) return;
    project_.write("GW1.GVR", PipeFile());
    project_.write("M1.MTN", MeasurementFile());
  }
};

TEST_F(ToolGroundwaterTest, ShowJsonHoldsThePipeAndItsReadings) {
  const Json b = Ok({"show", project_.path(), "gw1", "--json"}).Json();
  EXPECT_TRUE(b["measurement"].is_null());
  const Json& g = b["groundwater"];
  EXPECT_EQ(g["pipe_kind"], "GD");
  EXPECT_EQ(g["pipe_text"], "\xC3\x96PPEN");
  EXPECT_EQ(g["time_flag"], 1);
  ASSERT_EQ(g["readings"].size(), 4u);
  EXPECT_EQ(g["readings"][1]["status"], "TORR");
  EXPECT_EQ(g["readings"][2]["date_text"], "31.12.2020");
  EXPECT_EQ(g["readings"][2]["time"], "23:30");
  EXPECT_EQ(g["readings"][2]["level"], 4.0);
}

TEST_F(ToolGroundwaterTest, ShowJsonHoldsTheMeasurements) {
  const Json b = Ok({"show", project_.path(), "M1", "--json"}).Json();
  EXPECT_TRUE(b["groundwater"].is_null());
  const Json& m = b["measurement"];
  EXPECT_EQ(m["method_code"], "SLAN");
  ASSERT_EQ(m["readings"].size(), 2u);
  EXPECT_EQ(m["readings"][0]["comment"], "noll");
  EXPECT_EQ(m["readings"][1]["rows"][0]["value"], 9.998);
}

TEST_F(ToolGroundwaterTest, StatsOverAPeriodIncludeBothDaysWhole) {
  const struct {
    std::vector<std::string> period;
    int count;
    Json min, max, mean;
  } cases[] = {
      {{}, 3, 2.0, 7.0, 13.0 / 3},
      {{"--from", "15.01.2020", "--to", "31.12.2020"}, 2, 2.0, 4.0, 3.0},
      {{"--from", "16.01.2020", "--to", "30.12.2020"}, 0, nullptr, nullptr, nullptr},
  };
  for (const auto& c : cases) {
    std::vector<std::string> args = {"stats", project_.path(), "GW1", "--json"};
    args.insert(args.end(), c.period.begin(), c.period.end());
    const Json s = Ok(args).Json();
    EXPECT_EQ(s["count"], c.count);
    EXPECT_EQ(s["min"], c.min);
    EXPECT_EQ(s["max"], c.max);
    if (c.count) EXPECT_NEAR(s["mean"].get<double>(), c.mean.get<double>(), 1e-9);
    else EXPECT_TRUE(s["mean"].is_null());
  }
}

TEST_F(ToolGroundwaterTest, StatsOfAHoseSettlementAreInThousandths) {
  const Json s = Ok({"stats", project_.path(), "M1", "--json"}).Json();
  EXPECT_EQ(s["count"], 1);
  EXPECT_NEAR(s["mean"].get<double>(), -2.0, 1e-6);
  const ToolResult text = Ok({"stats", project_.path(), "M1"});
  EXPECT_NE(text.out.find("count 1"), std::string::npos);
}

TEST_F(ToolGroundwaterTest, StatsRefusesOtherBoreholesAndBadPeriods) {
  project_.write("BH1.SND", CrLf({"1", "2", "3", "9999999.9", "0", "0 0 90", "*", "97", "40 0"}));
  const ToolResult other = Run({"stats", project_.path(), "BH1"});
  EXPECT_EQ(other.status, 1);
  EXPECT_NE(other.err.find("neither"), std::string::npos);
  EXPECT_EQ(Run({"stats", project_.path(), "GW1", "--from", "01.01.2020"}).status, 2);
  EXPECT_EQ(Run({"stats", project_.path(), "GW1", "--from", "32.01.2020", "--to", "01.02.2020"}).status, 2);
}

TEST_F(ToolGroundwaterTest, SaveWritesOnlyTheirFilesAndTheirRecords) {
  Ok({"init", project_.path()});
  Ok({"save", project_.path(), "GW1", "M1"});
  EXPECT_FALSE(project_.exists("GW1.SND"));
  EXPECT_FALSE(project_.exists("M1.SND"));
  // The pipe's mean level is recomputed from the counted readings: 2, 4 and 7.
  const std::string gvr = project_.read("GW1.GVR");
  EXPECT_NE(gvr.find("\r\n0.000000 4.333333 \xD6PPEN\r\n"), std::string::npos);
  EXPECT_EQ(project_.read("M1.MTN"), MeasurementFile());
  const std::string db = database();
  const DiskRecord first = RecordAt(db, kFirstRecord);
  const DiskRecord second = RecordAt(db, kFirstRecord + kRecordSize);
  const DiskRecord& pipe = first.id == "GW1" ? first : second;
  const DiskRecord& point = first.id == "GW1" ? second : first;
  EXPECT_EQ(pipe.id, "GW1");
  EXPECT_EQ(pipe.bits[2] & 0x0E, 0x06);
  EXPECT_EQ(pipe.bits[4] & 0x02, 0x02);
  EXPECT_FLOAT_EQ(pipe.djup, 5.5f);
  EXPECT_EQ(point.id, "M1");
  EXPECT_EQ(point.bits[2] & 0x0E, 0x08);
  EXPECT_EQ(point.bits[6] & 0x1F, 2);
}

}  // namespace
}  // namespace geoproj::tooltest
