// The line database file layout: a 324-byte header at offset 0, 276 unused bytes, then 124-byte
// records from offset 600. Every reader and writer of the file goes through these functions.
#pragma once

#include <cstddef>

#include <geoproj/lines/sadbstype.h>

namespace geoproj::lines {

inline constexpr std::size_t kKvarHeaderSize = 324;
inline constexpr std::size_t kKvarRecordSize = 124;
inline constexpr long kKvarFirstRecord = 600;

// Header <-> its 324 bytes, little-endian. Decoding cuts every text field to its size.
void EncodeKvarHeader(const kvarhuvtype& header, unsigned char* out);
void DecodeKvarHeader(const unsigned char* in, kvarhuvtype* header);

// Record <-> its 124 bytes. filpos is not part of the file and is left untouched by decoding.
void EncodeKvarRecord(const sadbstype& record, unsigned char* out);
void DecodeKvarRecord(const unsigned char* in, sadbstype* record);

// A record is in use when its type is not 0 and its identifier not empty.
inline bool InUse(const sadbstype& r) { return r.typ != 0 && r.id[0] != '\0'; }

}  // namespace geoproj::lines
