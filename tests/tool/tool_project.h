// Project files for the tool's end-to-end tests, written from the file formats (CR LF lines,
// little-endian database fields), never from the library under test.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <map>
#include <string>
#include <vector>

#include "support/temp_dir.h"
#include "tool/tool_runner.h"

namespace geoproj::tooltest {

using geoproj::test::TempDir;

// The lines joined, each ended with CR LF as project files are on disk.
inline std::string CrLf(std::initializer_list<std::string> lines) {
  std::string out;
  for (const std::string& line : lines) out += line + "\r\n";
  return out;
}

template <class T>
T ReadLe(const std::string& bytes, std::size_t offset) {
  T value{};
  if (offset + sizeof(T) <= bytes.size()) std::memcpy(&value, bytes.data() + offset, sizeof(T));
  return value;
}

inline constexpr const char* kDatabaseName = "Solumbra.dbs";
inline constexpr const char* kLockName = "Solumbra.dbk";
inline constexpr std::size_t kHeaderSize = 408;
inline constexpr std::size_t kFirstRecord = 500;
inline constexpr std::size_t kRecordSize = 62;

// One borehole record as the database file holds it.
struct DiskRecord {
  std::string id;
  unsigned char bits[7];
  double x, y, z, sek, avst;
  float djup;
  std::uint16_t stopp;
};

inline DiskRecord RecordAt(const std::string& file, std::size_t offset) {
  DiskRecord r{};
  r.id = std::string(file.data() + offset, strnlen(file.data() + offset, 9));
  std::memcpy(r.bits, file.data() + offset + 9, 7);
  r.x = ReadLe<double>(file, offset + 16);
  r.y = ReadLe<double>(file, offset + 24);
  r.z = ReadLe<double>(file, offset + 32);
  r.sek = ReadLe<double>(file, offset + 40);
  r.avst = ReadLe<double>(file, offset + 48);
  r.djup = ReadLe<float>(file, offset + 56);
  r.stopp = ReadLe<std::uint16_t>(file, offset + 60);
  return r;
}

// A fresh project directory per test, and the tool run on it.
class ToolTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!kHaveTool) GTEST_SKIP() << "the geoproj tool is not part of this build";
  }

  ToolResult Run(std::vector<std::string> args,
                 const std::map<std::string, std::string>& env = {},
                 const std::string& stdin_text = "") {
    return RunTool(args, env, stdin_text);
  }

  // Runs a command that must succeed.
  ToolResult Ok(std::vector<std::string> args) {
    ToolResult r = RunTool(args);
    EXPECT_EQ(r.status, 0) << "geoproj failed:\n" << r.err;
    return r;
  }

  std::string database() const { return project_.read(kDatabaseName); }
  bool locked() const { return project_.exists(kLockName); }

  TempDir project_;
};

}  // namespace geoproj::tooltest
