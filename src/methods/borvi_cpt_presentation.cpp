// CBorviCptPresentation: the presentation file of a cone penetration test.
#include "geoproj/methods/borvi_cpt_presentation.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

#include "foundation/read_check.h"
#include "geoproj/foundation/stdio_file_mem.h"
#include "geoproj/foundation/text_helpers.h"
#include "geoproj/platform/files.h"
#include "geoproj/platform/uuid.h"

namespace {

constexpr int kNumberedLines = 7;

bool StartsSection(const std::string& line) { return !line.empty() && line[0] == '*'; }

// Whole numbers are kept as numbers with four decimals. A small allowance takes a value written
// as 2.9999 to 3; it is applied away from zero, so that a negative whole number reads back as
// itself and does not creep towards zero on every save.
int WholeNumber(double value) {
  const double nudged = value < 0 ? value - 0.0001 : value + 0.0001;
  if (!(nudged > std::numeric_limits<int>::min()) || !(nudged < std::numeric_limits<int>::max()))
    return 0;
  return static_cast<int>(nudged);
}

// Cuts the GUID off the first line: the text after "GUID" and one separator.
std::string TakeGuid(std::string& line) {
  const std::size_t p = line.find("GUID");
  if (p == std::string::npos || p == 0) return std::string();
  std::string guid = line.size() > p + 5 ? line.substr(p + 5) : std::string();
  line.resize(p);
  return guid;
}

}  // namespace

// The lines of the file, numbered from 1, with what could not be taken reported.
class CBorviCptPresentation::LineReader {
 public:
  explicit LineReader(CStdioFileMem& file) : file_(file) {}
  bool Next(std::string& line) { return file_.ReadString(line) != 0; }
  int Number() const { return file_.GetLineNumber(); }
  void Check(const std::string& line, bool parsed, const char* why) {
    geoproj::CheckReadLine(file_, line, parsed, why);
  }

 private:
  CStdioFileMem& file_;
};

std::string CBorviCptPresentation::FileName(const std::string& sndPath) {
  const std::size_t keep = sndPath.size() >= 4 ? sndPath.size() - 4 : 0;
  return sndPath.substr(0, keep) + ".cpt";
}

int CBorviCptPresentation::Init(const std::string& sndPath) {
  m_droppedContent = 0;
  const std::string name = FileName(sndPath);
  if (!geoproj::FileExists(name)) return -1;
  CStdioFileMem file;
  file.SetFilePath(name);
  if (!file.Open(name, CStdioFileMem::modeRead)) return -1;
  LineReader reader(file);
  ReadNumbered(reader);
  ReadRows(reader);
  m_droppedContent = file.GetDroppedCount();
  file.Close();
  return 0;
}

// The numbered lines, up to and including the first "*" line.
void CBorviCptPresentation::ReadNumbered(LineReader& reader) {
  std::string line;
  while (reader.Next(line) && !StartsSection(line)) {
    const int number = reader.Number();
    if (number <= kNumberedLines)
      SetNumberedLine(number, line, reader);
    else
      reader.Check(line, geoproj::CountWords(line) == 0, "line after the seventh not read");
  }
}

void CBorviCptPresentation::SetNumberedLine(int number, const std::string& text,
                                            LineReader& reader) {
  std::string line = text;
  if (number == 1) guid = TakeGuid(line);
  double a = 0.0, b = 0.0;
  if (number == kNumberedLines) {
    const int n = std::sscanf(line.c_str(), "%lf %lf %lf %lf", &d1, &d3, &d4, &d2);
    reader.Check(text, geoproj::ScanTookAll(line, n, 0, 4), "scale values do not parse");
    return;
  }
  const int n = std::sscanf(line.c_str(), "%lf %lf", &a, &b);
  reader.Check(text, geoproj::ScanTookAll(line, n, 0, 2), "values do not parse");
  switch (number) {
    case 1: i6 = WholeNumber(a), i7 = WholeNumber(b); break;
    case 2: d5 = a, d6 = b; break;
    case 3: d7 = a, d8 = b; break;
    case 4: i1 = WholeNumber(a), i2 = WholeNumber(b); break;
    case 5: i5 = WholeNumber(a), d9 = b; break;
    case 6: i3 = WholeNumber(a), i4 = WholeNumber(b); break;
    default: break;
  }
}

// After the first "*" line every line of three numbers is a row; the closing "*" is skipped.
void CBorviCptPresentation::ReadRows(LineReader& reader) {
  std::string line;
  while (reader.Next(line)) {
    if (StartsSection(line)) continue;
    cptpresentationtype row{};
    const int n = std::sscanf(line.c_str(), "%lf %lf %lf", &row.p1, &row.p2, &row.p3);
    const bool whole = n == 3 && geoproj::ScanTookAll(line, n, 3, 3);
    reader.Check(line, whole || geoproj::CountWords(line) == 0, "row does not parse");
    if (n == 3) Ny(1, &row);
  }
}

int CBorviCptPresentation::Uppdat(const std::string& sndPath, int tvinga) {
  const std::string name = FileName(sndPath);
  if (!tvinga && !geoproj::FileExists(name)) return -1;
  CStdioFileMem file;
  file.SetFilePath(name);
  if (!file.Open(name, CStdioFileMem::modeCreate | CStdioFileMem::modeWrite)) return -1;
  if (std::strlen(guid.c_str()) < 36) guid = geoproj::NewUuidText();
  using geoproj::Format;
  file.WriteString(Format("%.4lf %.4lf GUID %s\n", static_cast<double>(i6),
                          static_cast<double>(i7), guid.c_str()));
  file.WriteString(Format("%.4lf %.4lf\n", d5, d6));
  file.WriteString(Format("%.4lf %.4lf\n", d7, d8));
  file.WriteString(Format("%.4lf %.4lf\n", static_cast<double>(i1), static_cast<double>(i2)));
  file.WriteString(Format("%.4lf %.4lf\n", static_cast<double>(i5), d9));
  file.WriteString(Format("%.4lf %.4lf\n", static_cast<double>(i3), static_cast<double>(i4)));
  file.WriteString(Format("%.4lf %.4lf %.4lf %.4lf\n", d1, d3, d4, d2));
  file.WriteString("*\n");
  if (Home() == 0) {
    do {
      file.WriteString(Format("%.2lf %.1lf %.3lf\n", pael->p1, pael->p2, pael->p3));
    } while ((*this)++);
  }
  file.WriteString("*\n");
  file.Close();
  return 0;
}
