#include "database/dbs_io.h"

#include <geoproj/database/dbs_format.h>
#include <geoproj/platform/files.h>

namespace geoproj::dbs {
namespace {

void WriteAt(std::FILE* file, long pos, const unsigned char* bytes, std::size_t n) {
  if (std::fseek(file, pos, SEEK_SET) != 0 || std::fwrite(bytes, 1, n, file) != n)
    throw FileError("cannot write the borehole database");
}

}  // namespace

bool ReadHeader(std::FILE* file, dbshuvtype* header) {
  unsigned char bytes[kDbsHeaderSize];
  if (std::fseek(file, 0, SEEK_SET) != 0) return false;
  if (std::fread(bytes, 1, sizeof bytes, file) != sizeof bytes) return false;
  DecodeDbsHeader(bytes, header);
  return true;
}

void WriteHeader(std::FILE* file, const dbshuvtype& header) {
  unsigned char bytes[kDbsHeaderSize];
  EncodeDbsHeader(header, bytes);
  WriteAt(file, 0, bytes, sizeof bytes);
}

void WriteRecordAt(std::FILE* file, long pos, const bhdbstype& record) {
  unsigned char bytes[kDbsRecordSize];
  EncodeDbsRecord(record, bytes);
  WriteAt(file, pos, bytes, sizeof bytes);
}

void WriteZerosAt(std::FILE* file, long pos, long count) {
  static const unsigned char kZeros[4096] = {};
  while (count > 0) {
    const std::size_t n = count < static_cast<long>(sizeof kZeros) ? static_cast<std::size_t>(count)
                                                                    : sizeof kZeros;
    WriteAt(file, pos, kZeros, n);
    pos += static_cast<long>(n);
    count -= static_cast<long>(n);
  }
}

long FileLength(std::FILE* file) {
  if (std::fseek(file, 0, SEEK_END) != 0) return -1;
  return std::ftell(file);
}

}  // namespace geoproj::dbs
