#include <geoproj/export/csv_writer.h>

namespace geoproj {

void CsvWriter::AppendField(std::string& out, const std::string& field) {
  if (field.find_first_of(",\"\r\n") == std::string::npos) {
    out += field;
    return;
  }
  out += '"';
  for (char c : field) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
}

std::string CsvWriter::Write(const ExportTable& table) {
  std::string out;
  for (std::size_t i = 0; i < table.columns.size(); ++i) {
    if (i) out += ',';
    AppendField(out, table.columns[i]);
  }
  out += "\r\n";
  for (const std::vector<ExportValue>& row : table.rows) {
    for (std::size_t i = 0; i < row.size(); ++i) {
      if (i) out += ',';
      AppendField(out, row[i].text());
    }
    out += "\r\n";
  }
  return out;
}

}  // namespace geoproj
