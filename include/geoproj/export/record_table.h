// RecordTable: the export of the borehole database: one row per record with its identifier,
// kind, position, ground level, chainage and offset, depth, stop code, the methods its status
// bits name, and the dates of its sounding file and blocks.
#pragma once

#include <string>

#include "geoproj/export/export_table.h"

class CBorviDbs;
struct bhdbstype;

namespace geoproj {

class SoundingLog;

class RecordTable {
 public:
  RecordTable();

  // Appends the database's current record. log: the borehole read from its files, for the
  // dates; null when it has none.
  void Add(CBorviDbs& dbs, const SoundingLog* log);

  // The method names of a record's status bits, joined by ";".
  static std::string Methods(const bhdbstype& record);

  const ExportTable& table() const { return table_; }

 private:
  ExportTable table_;
};

}  // namespace geoproj
