// GuidFaultLog: the log of identifiers (UUIDs) that the restore found on more than one block.
// The file is made at the first duplicate, under the first free name of "GUIDFaults.txt",
// "GUIDFaults1.txt" ... "GUIDFaults100.txt" in the project directory; when all of them are
// taken no log is written (a status text says so) rather than overwriting an earlier one.
#pragma once

#include <string>

#include <geoproj/foundation/stdio_file_mem.h>

class CBorviDbs;
struct guidtype;

namespace geoproj::dbs {

class GuidFaultLog {
 public:
  explicit GuidFaultLog(std::string projectDir) : dir_(std::move(projectDir)) {}

  // Logs that later carries the identifier of earlier, with the distance between the two
  // boreholes' positions in db.
  void Duplicate(const guidtype& earlier, const guidtype& later, CBorviDbs& db);
  // Writes the log out; its path, or empty when none was written.
  std::string Close();

 private:
  bool Open();
  void Distance(const guidtype& earlier, const guidtype& later, CBorviDbs& db);

  std::string dir_;
  std::string path_;
  CStdioFileMem file_;
  bool tried_ = false;
};

}  // namespace geoproj::dbs
