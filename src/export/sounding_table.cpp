#include <geoproj/export/sounding_table.h>

#include <cstring>

#include <geoproj/export/method_kind.h>
#include <geoproj/export/sounding_log.h>

namespace geoproj {

SoundingTable::SoundingTable() {
  table_.columns = {"id", "method", "date", "x", "y", "depth"};
  table_.xColumn = 3;
  table_.yColumn = 4;
  for (const MethodKind& kind : MethodKind::All())
    for (const char* field : kind.fields)
      if (std::strcmp(field, "depth") != 0 && table_.ColumnIndex(field) < 0)
        table_.columns.push_back(field);
}

void SoundingTable::Add(const SoundingLog& log) {
  for (const SoundingBlock& block : log.blocks) {
    // Where each of the kind's fields goes in a row.
    std::vector<int> column(block.kind->fields.size());
    for (std::size_t f = 0; f < column.size(); ++f)
      column[f] = std::strcmp(block.kind->fields[f], "depth") == 0
                      ? -1
                      : table_.ColumnIndex(block.kind->fields[f]);
    const int depth = block.kind->FieldIndex(block.kind->depthField);
    for (const std::vector<ExportValue>& record : block.records) {
      std::vector<ExportValue> row(table_.columns.size());
      row[0] = ExportValue::Text(log.id);
      row[1] = ExportValue::Text(block.kind->name);
      row[2] = block.date.empty() ? ExportValue() : ExportValue::Text(block.date);
      row[3] = ExportValue::Number(log.x, 3);
      row[4] = ExportValue::Number(log.y, 3);
      if (depth >= 0) row[5] = record[static_cast<std::size_t>(depth)];
      for (std::size_t f = 0; f < column.size(); ++f)
        if (column[f] >= 0) row[static_cast<std::size_t>(column[f])] = record[f];
      table_.rows.push_back(std::move(row));
    }
  }
}

}  // namespace geoproj
