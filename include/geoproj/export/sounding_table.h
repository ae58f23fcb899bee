// SoundingTable: the export of the soundings: one row per data record of every block of every
// borehole, with the borehole's identifier and position, the block's method and date, the depth,
// and the record's values under their field names (a column per field name of all kinds; a
// kind's row leaves the others' columns empty).
#pragma once

#include "geoproj/export/export_table.h"

namespace geoproj {

class SoundingLog;

class SoundingTable {
 public:
  SoundingTable();

  void Add(const SoundingLog& log);

  const ExportTable& table() const { return table_; }

 private:
  ExportTable table_;
};

}  // namespace geoproj
