// The reading and writing shared by the penetration-sounding blocks.
#include "geoproj/sounding/sond_block.h"

#include <cstdio>
#include <cstring>
#include <string_view>
#include <vector>

#include "foundation/read_check.h"
#include "geoproj/platform/uuid.h"
#include "geoproj/sounding/borvi_snd.h"

namespace geoproj {

std::string SplitGuidTail(std::string& line) {
  const std::size_t p = line.rfind("GUID");
  if (p == std::string::npos || p == 0) return std::string();
  const std::size_t n = line.size() >= p + 5 ? line.size() - p - 5 : 0;
  std::string guid = line.substr(line.size() - n);
  line.resize(p);
  return guid;
}

SondHuvud LasSondHuvud(const std::string& in, std::size_t text7_max) {
  SondHuvud h;
  std::string line = in;
  h.guid = SplitGuidTail(line);
  std::vector<char> text7(line.size() + 1, '\0');
  int n = std::sscanf(line.c_str(), "%f%d%d%d%d%ld%s", &h.varde1, &h.stopp, &h.varde3,
                      &h.varde4, &h.varde5, &h.varde6, text7.data());
  h.antal = n > 0 ? n : 0;
  // Every value is optional, but a value that is not a number loses those after it.
  h.tolkad = ScanTookAll(line, n, 0, 7);
  h.text7.assign(text7.data(), strnlen(text7.data(), text7_max));
  return h;
}

std::string SkrivSondHuvud(int flagga1, int stopp, int varde3, int varde4, const char* kodtyp,
                           long varde6, const char* text7, const std::string& guid) {
  int sgf = std::strcmp(kodtyp, "BVF") != 0 ? 1 : 0;
  return Format("%f %d %d %d %d %ld %s GUID %s\n", static_cast<double>(flagga1), stopp, varde3,
                varde4, sgf, varde6, text7, guid.c_str());
}

SondRadTyp LasSondRad(CStdioFileMem* file, std::string& line) {
  if (!file->ReadString(line)) return SondRadTyp::kFilslut;
  if (!line.empty() && line[0] == '*') return SondRadTyp::kSlut;
  DosToWin(line);
  return SondRadTyp::kData;
}

bool SondSiffrorTagna(const std::string& line, std::size_t kolumn, int lasta, int kravda,
                      int mest) {
  // The weight, mode and text that follow the numbers are no numbers.
  return ScanTookAll(std::string_view(line).substr(0, kolumn), lasta, kravda, mest);
}

void SondRadKontroll(CStdioFileMem* file, const std::string& line, bool tolkad, const char* vad) {
  CheckReadLine(*file, line, tolkad, vad);
}

void SondBlockAvskuret(CStdioFileMem* file, int kodrad, int metod) {
  file->ReportDroppedAt(kodrad,
                        Format("block %d cut off by the end of the file", metod).c_str());
}

void SondText(char* text, std::size_t size, const std::string& line, std::size_t kolumn) {
  CopyField(text, size, line.size() > kolumn ? line.c_str() + kolumn : "");
}

void SondRad(RecordLine& siffror, std::size_t kolumn, const char* text, std::size_t size) {
  const std::size_t n = strnlen(text, size);
  // Values too wide for their columns push the text right; a blank keeps it apart from a digit.
  if (siffror.Size() < kolumn)
    siffror.PadTo(kolumn);
  else if (siffror.Size() > kolumn && siffror.Back() != ' ' && n > 0)
    siffror.Blank();
  siffror.Text(std::string_view(text, n)).Text("\n");
}

void SondRad(std::string& siffror, std::size_t kolumn, const char* text, std::size_t size) {
  RecordLine line;
  line.Text(siffror);
  SondRad(line, kolumn, text, size);
  siffror.assign(line.View());
}

void SondSymbol(int metod, const char* text, const char* kodtyp, char (&symbol)[4]) {
  int antal = 0;
  const kod* k = CBorviSnd::Findkod(metod, text, 0, &antal, "", kodtyp, 0);
  if (!k) return;
  std::size_t n = strnlen(k->symbol, sizeof symbol);
  std::memset(symbol, 0, sizeof symbol);
  std::memcpy(symbol, k->symbol, n);
}

bool SondHarKod(int metod, const char* text, const char* kind, const char* kodtyp) {
  int antal = 0;
  return CBorviSnd::Findkod(metod, text, -1, &antal, kind, kodtyp, 0) != nullptr;
}

void SondRadSkriven(int option1) {
  if (option1) CBorviSnd::AddVbToPrv();
}

const char* SondKodtyp() { return CBorviSnd::Kodtyp ? CBorviSnd::Kodtyp : "SGF"; }

std::string SondNyGuid() { return NewUuidText(); }

}  // namespace geoproj
