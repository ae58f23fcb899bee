// The header of a database file of any version, as the restore and its dialog read it: the
// version, the update number and the project texts worth keeping. Only the fields the versions
// 2.0 to 3.0 are known to share are taken; everything else of an old header is left behind.
#pragma once

#include <cstdint>
#include <string>

#include <geoproj/database/dbshuvtype.h>

namespace geoproj::dbs {

struct OldHeader {
  bool empty = true;        // at most one byte: nothing to take from the file
  bool numbered = false;    // the version text began with a number
  std::string text;         // the version text as stored (up to a zero, at most 10 bytes)
  double version = 0.0;     // the number, from 2.0 on with the header's version fraction
  int code = 0;             // the version times 100, whole: 300 for "3.0"
  std::int32_t uppdnr = 0;  // the update number, from 2.0 on
};

// Reads what the first bytes of a database file (as many as it has, up to its header) say.
OldHeader ReadOldHeader(const std::string& bytes);

// The version as a dialog shows it: "%.1f" of the number, or the stored text without one.
std::string VersionText(const OldHeader& old);

// Copies into *header what an old header of the versions 2.0 to 3.0 holds: the seven project
// texts, the creation date, the coordinate text and the update number, and from 2.2 on the
// chainage separator and the database identifier. False for any other version.
bool KeepOldFields(const OldHeader& old, const std::string& bytes, dbshuvtype* header);

}  // namespace geoproj::dbs
