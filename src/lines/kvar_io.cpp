#include "lines/kvar_io.h"

#include <vector>

#include <geoproj/platform/files.h>

#include "lines/kvar_format.h"

namespace geoproj::lines {
namespace {

void WriteAt(std::FILE* file, long pos, const unsigned char* bytes, std::size_t n) {
  if (std::fseek(file, pos, SEEK_SET) != 0 || std::fwrite(bytes, 1, n, file) != n)
    throw FileError("cannot write the line database");
}

}  // namespace

bool ReadHeader(std::FILE* file, kvarhuvtype* header) {
  unsigned char bytes[kKvarHeaderSize];
  if (std::fseek(file, 0, SEEK_SET) != 0) return false;
  if (std::fread(bytes, 1, sizeof bytes, file) != sizeof bytes) return false;
  DecodeKvarHeader(bytes, header);
  return true;
}

void WriteHeader(std::FILE* file, const kvarhuvtype& header) {
  unsigned char bytes[kKvarHeaderSize];
  EncodeKvarHeader(header, bytes);
  WriteAt(file, 0, bytes, sizeof bytes);
}

void WriteRecordAt(std::FILE* file, long pos, const sadbstype& record) {
  unsigned char bytes[kKvarRecordSize];
  EncodeKvarRecord(record, bytes);
  WriteAt(file, pos, bytes, sizeof bytes);
}

void WriteDeletedRecords(std::FILE* file, long from, long to) {
  if (to <= from) return;
  const std::vector<unsigned char> zeros(static_cast<std::size_t>(to - from), 0);
  WriteAt(file, from, zeros.data(), zeros.size());
}

long RecordsEnd(long length) {
  const long record = static_cast<long>(kKvarRecordSize);
  if (length <= kKvarFirstRecord) return kKvarFirstRecord;
  return kKvarFirstRecord + (length - kKvarFirstRecord) / record * record;
}

bool SaneDataEnd(long end, long length) {
  const long record = static_cast<long>(kKvarRecordSize);
  return end >= kKvarFirstRecord && (end - kKvarFirstRecord) % record == 0 &&
         end <= RecordsEnd(length);
}

long FileLength(std::FILE* file) {
  if (std::fseek(file, 0, SEEK_END) != 0) return -1;
  return std::ftell(file);
}

}  // namespace geoproj::lines
