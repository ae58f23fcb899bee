// The borehole database file layout: a 408-byte header at offset 0, 92 unused bytes, then
// 62-byte records from offset 500. Every reader and writer of the file goes through these
// functions; nothing reads or writes the structs as a whole.
#pragma once

#include <cstddef>

#include <geoproj/database/bhdbstype.h>
#include <geoproj/database/dbshuvtype.h>

namespace geoproj {

inline constexpr std::size_t kDbsHeaderSize = 408;
inline constexpr std::size_t kDbsRecordSize = 62;
inline constexpr int kDbsFirstRecord = 500;

// Header <-> its 408 bytes, little-endian. Decoding cuts every text field to its size.
void EncodeDbsHeader(const dbshuvtype& header, unsigned char* out);
void DecodeDbsHeader(const unsigned char* in, dbshuvtype* header);

// Record <-> its 62 bytes. filpos is not part of the file and is left untouched by decoding.
// Decoding cuts the identifier at 8 characters.
void EncodeDbsRecord(const bhdbstype& record, unsigned char* out);
void DecodeDbsRecord(const unsigned char* in, bhdbstype* record);

// The four bytes at record offset 56: the depth for most kinds, a code text of up to three
// characters for AVP points.
void GetKodText(const bhdbstype& record, char* code /* 4 bytes */);
void SetKodText(bhdbstype* record, const char* code);

}  // namespace geoproj
