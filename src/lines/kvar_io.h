// Reading and writing the line database file's header and records at their offsets. Write
// failures throw geoproj::FileError: a half-written database must not pass for a saved one.
#pragma once

#include <cstdio>

#include <geoproj/lines/sadbstype.h>

namespace geoproj::lines {

// False when the file holds fewer than 324 bytes.
bool ReadHeader(std::FILE* file, kvarhuvtype* header);
void WriteHeader(std::FILE* file, const kvarhuvtype& header);
void WriteRecordAt(std::FILE* file, long pos, const sadbstype& record);
// Deleted records (all bytes zero) over [from, to).
void WriteDeletedRecords(std::FILE* file, long from, long to);
// The file's length in bytes, -1 when it cannot be told.
long FileLength(std::FILE* file);

// The end of the whole records a file of this length holds (600 without records).
long RecordsEnd(long length);
// Whether a data end can be right for a file of this length: on the record grid, not below the
// first record (new records would overwrite the header) and not past the file's records.
bool SaneDataEnd(long end, long length);

}  // namespace geoproj::lines
