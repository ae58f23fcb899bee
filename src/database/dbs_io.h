// Reading and writing the database file's header and records at their offsets. Write
// failures throw geoproj::FileError: a half-written database must not pass for a saved one.
#pragma once

#include <cstdio>

#include <geoproj/database/bhdbstype.h>
#include <geoproj/database/dbshuvtype.h>

namespace geoproj::dbs {

// False when the file holds fewer than 408 bytes.
bool ReadHeader(std::FILE* file, dbshuvtype* header);
void WriteHeader(std::FILE* file, const dbshuvtype& header);
void WriteRecordAt(std::FILE* file, long pos, const bhdbstype& record);
void WriteZerosAt(std::FILE* file, long pos, long count);
// The file's length in bytes, -1 when it cannot be told.
long FileLength(std::FILE* file);

// Tests only: called right before a new database file is created, the moment at which a
// creator that looked for the file first would be overtaken by another creator.
inline void (*g_beforeCreateForTest)() = nullptr;

// Tests only: called by the restore after each file or point it processed (with their number so
// far) and right before the new database is moved into place (with -1): where a test kills it.
inline void (*g_restoreStepForTest)(int processed) = nullptr;

}  // namespace geoproj::dbs
