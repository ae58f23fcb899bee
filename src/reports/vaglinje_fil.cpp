#include <geoproj/reports/vaglinje_fil.h>

#include <cmath>
#include <string>

#include <geoproj/foundation/stdio_file_mem.h>
#include <geoproj/foundation/text_helpers.h>
#include <geoproj/platform/vaglinje.h>

#include "foundation/quick_print.h"
#include "foundation/read_check.h"

namespace geoproj {
namespace {

bool PassedOver(const std::string& line) {
  return line.empty() || line[0] == '*' || line == "LINJE" ||
         (CountWords(line) == 0 && !HoldsBinaryGarbage(line));
}

}  // namespace

int ReadVaglinjeFil(const std::string& path, CVaglinje* line, int* dropped) {
  CStdioFileMem file;
  if (!line || !file.Open(path, CStdioFileMem::modeRead)) return -1;
  std::string text;
  while (file.ReadString(text)) {
    if (PassedOver(text)) continue;
    kovltype point{};
    const int read =
        ScanLine(text.c_str(), "%lf %lf %lf %lf", &point.x, &point.y, &point.z, &point.sek);
    const bool finite = std::isfinite(point.x) && std::isfinite(point.y) &&
                        std::isfinite(point.z) && std::isfinite(point.sek);
    if (CheckReadLine(file, text, ScanTookAll(text, read, 4, 4) && finite,
                      "alignment point does not parse"))
      line->Ny(1, &point);
  }
  if (dropped) *dropped = file.GetDroppedCount();
  file.Close();
  return 0;
}

}  // namespace geoproj
