// CsvWriter: an export table as comma-separated values: RFC 4180 (CR LF line ends, fields
// quoted when they hold a comma, a quote or a line break, quotes doubled), UTF-8, a header row.
#pragma once

#include <string>

#include "geoproj/export/export_table.h"

namespace geoproj {

class CsvWriter {
 public:
  static std::string Write(const ExportTable& table);

 private:
  static void AppendField(std::string& out, const std::string& field);
};

}  // namespace geoproj
