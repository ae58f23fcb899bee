#include <geoproj/export/export_table.h>

#include <charconv>
#include <cmath>

#include <geoproj/foundation/text_helpers.h>

namespace geoproj {

// std::to_chars never looks at the locale: a comma locale still gets "." decimals.
ExportValue ExportValue::Number(double value, int decimals) {
  if (!std::isfinite(value)) return ExportValue();
  char text[400];
  const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals);
  if (result.ec != std::errc()) return ExportValue();
  std::string out(text, result.ptr);
  if (out.find_first_not_of("-0.") == std::string::npos && out[0] == '-') out.erase(0, 1);
  return ExportValue(Kind::kNumber, std::move(out));
}

ExportValue ExportValue::Float(float value) {
  if (!std::isfinite(value)) return ExportValue();
  char text[64];
  const auto result = std::to_chars(text, text + sizeof text, value);
  return ExportValue(Kind::kNumber, std::string(text, result.ptr));
}

ExportValue ExportValue::Integer(long long value) {
  return ExportValue(Kind::kNumber, std::to_string(value));
}

ExportValue ExportValue::Text(std::string_view cp1252) {
  return ExportValue(Kind::kText, Cp1252ToUtf8(cp1252));
}

ExportValue ExportValue::Utf8Text(std::string utf8) {
  return ExportValue(Kind::kText, std::move(utf8));
}

int ExportTable::ColumnIndex(std::string_view name) const {
  for (std::size_t i = 0; i < columns.size(); ++i)
    if (columns[i] == name) return static_cast<int>(i);
  return -1;
}

}  // namespace geoproj
