#include "methods/method_block.h"

#include <cstdio>

#include "foundation/read_check.h"
#include "geoproj/foundation/stdio_file_mem.h"
#include "geoproj/foundation/text_helpers.h"
#include "geoproj/sounding/sond_block.h"

namespace geoproj {

TalHuvud LasTalHuvud(const std::string& in) {
  TalHuvud h;
  std::string line = in;
  h.guid = SplitGuidTail(line);
  int* t = h.tal;
  const int n = std::sscanf(line.c_str(), "%f%d%d%d%d%d%d", &h.varde1, &t[0], &t[1], &t[2],
                            &t[3], &t[4], &t[5]);
  h.antal = n > 0 ? n : 0;
  h.tolkad = ScanTookAll(line, n, 0, 7);
  return h;
}

std::string SkrivTalHuvud(int varde1, const int (&tal)[6], const std::string& guid) {
  return Format("%f %d %d %d %d %d %d GUID %s\n", static_cast<double>(varde1), tal[0], tal[1],
                tal[2], tal[3], tal[4], tal[5], guid.c_str());
}

bool LasBlockHuvud(CStdioFileMem* file, int metod, int kodrad, TalHuvud* huvud) {
  std::string line;
  if (!file->ReadString(line)) {
    SondBlockAvskuret(file, kodrad, metod);
    return false;
  }
  if (!line.empty() && line[0] == '*') return false;
  const std::size_t lf = line.find('\n');
  if (lf != std::string::npos) line.resize(lf);
  DosToWin(line);
  *huvud = LasTalHuvud(line);
  CheckReadLine(*file, line, huvud->tolkad, "header line does not parse");
  return true;
}

std::string SiffrorDel(const std::string& line, std::size_t kolumn) {
  if (line.size() > kolumn && line[kolumn - 1] == ' ') return line.substr(0, kolumn);
  return line;
}

std::size_t TextStart(const std::string& line, const std::string& siffror, std::size_t kolumn) {
  const std::size_t bredd = siffror.size();
  if (bredd <= kolumn || line.size() < bredd || line.compare(0, bredd, siffror) != 0)
    return kolumn;
  return siffror.back() == ' ' ? bredd : bredd + 1;
}

const char* KodsystemAv(const TalHuvud& huvud) {
  return huvud.antal >= 5 && huvud.tal[3] == 1 ? "SGF" : "BVF";
}

}  // namespace geoproj
