// ExportTable: rows of named values on their way out of a project (CSV rows, GeoJSON
// properties). Values are held as the text they are written as: numbers with "." as the decimal
// point whatever the locale, texts in UTF-8.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace geoproj {

class ExportValue {
 public:
  enum class Kind { kEmpty, kNumber, kText };

  ExportValue() = default;
  // A number with a fixed count of decimals; not finite: empty.
  static ExportValue Number(double value, int decimals);
  // The shortest text that reads back as the same float (1.2, not 1.2000000476837158).
  static ExportValue Float(float value);
  static ExportValue Integer(long long value);
  // A text of the project, in code page 1252; leaves as UTF-8.
  static ExportValue Text(std::string_view cp1252);
  // A text already in UTF-8.
  static ExportValue Utf8Text(std::string utf8);

  Kind kind() const { return kind_; }
  // The number as written, or the UTF-8 text; empty for an empty value.
  const std::string& text() const { return text_; }

 private:
  ExportValue(Kind kind, std::string text) : kind_(kind), text_(std::move(text)) {}
  Kind kind_ = Kind::kEmpty;
  std::string text_;
};

struct ExportTable {
  std::vector<std::string> columns;
  std::vector<std::vector<ExportValue>> rows;  // each as long as columns
  // Where a row's position stands (indices into columns), for the formats that place rows on
  // a map: x is the northing and y the easting, as the project keeps them. -1: none.
  int xColumn = -1;
  int yColumn = -1;

  int ColumnIndex(std::string_view name) const;
};

}  // namespace geoproj
