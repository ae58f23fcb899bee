// init DIR: the new, empty borehole database.
#include <gtest/gtest.h>

#include <ctime>
#include <string>

#include "tool/tool_project.h"

namespace geoproj::tooltest {
namespace {

using ToolInitTest = ToolTest;

// The header of a new database: zero but for the version text, today's date, the coordinate
// text and the end offset.
std::string NewHeader(const std::tm& today) {
  std::string header(kHeaderSize, '\0');
  header.replace(0, 3, "3.0");
  char date[32];
  std::snprintf(date, sizeof date, "%02d.%02d.%04d", today.tm_mday, today.tm_mon + 1,
                today.tm_year + 1900);
  header.replace(86, 10, date);
  header.replace(211, 3, "LOK");
  const std::int32_t end = 500;
  header.replace(324, 4, reinterpret_cast<const char*>(&end), 4);
  return header;
}

std::tm Today() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return local;
}

TEST_F(ToolInitTest, CreatesExactlyTheHeader) {
  const std::tm before = Today();
  ToolResult r = Ok({"init", project_.path()});
  const std::tm after = Today();
  EXPECT_EQ(r.out, "created " + project_.file(kDatabaseName) + "\n");
  // What comes next: the boreholes enter when saved.
  EXPECT_NE(r.err.find("geoproj save " + project_.path() + " --all"), std::string::npos) << r.err;
  const std::string db = database();
  ASSERT_EQ(db.size(), kHeaderSize);
  // Around midnight the tool may have seen either day.
  EXPECT_TRUE(db == NewHeader(before) || db == NewHeader(after));
  EXPECT_FALSE(locked());
  EXPECT_EQ(Ok({"list", project_.path(), "--json"}).Json(), nlohmann::json::array());
}

TEST_F(ToolInitTest, RefusesAnExistingDatabase) {
  Ok({"init", project_.path()});
  const std::string db = database();
  ToolResult r = Run({"init", project_.path()});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("Databasen finns redan !"), std::string::npos) << r.err;
  EXPECT_TRUE(r.out.empty());
  EXPECT_EQ(database(), db);
  EXPECT_FALSE(locked());
}

}  // namespace
}  // namespace geoproj::tooltest
