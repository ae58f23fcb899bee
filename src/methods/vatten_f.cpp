// CVattenF: reading and writing the water-loss block.
#include "geoproj/methods/vatten_f.h"

#include <cstdio>
#include <cstring>

#include "foundation/read_check.h"
#include "geoproj/foundation/stdio_file_mem.h"
#include "geoproj/foundation/text_helpers.h"
#include "geoproj/sounding/sond_block.h"
#include "methods/method_block.h"

namespace {

int ScanRecord(const std::string& siffror, vftype* r) {
  return std::sscanf(siffror.c_str(), "%lf%lf%lf%lf%lf%lf%hd", &r->w1, &r->w2, &r->w3, &r->w4,
                     &r->w5, &r->w6, &r->wtal);
}

}  // namespace

CVattenF::CVattenF() { geoproj::CopyField(kodsystem, geoproj::SondKodtyp()); }

int CVattenF::Init(CStdioFileMem* file, const char* datumText) {
  if (!file) return -1;
  const int kodrad = file->GetLineNumber();
  geoproj::TalHuvud huvud;
  if (!geoproj::LasBlockHuvud(file, kMetod, kodrad, &huvud)) return -1;
  geoproj::TaTalHuvud(*this, huvud, datumText);
  // The sounding file closes its last block with a "*" line only after a sounding: this block
  // may end with the file.
  std::string line;
  while (geoproj::LasSondRad(file, line) == geoproj::SondRadTyp::kData) {
    // An empty line holds no measurement; a record of zeros would be made up.
    if (geoproj::CountWords(line) > 0 || geoproj::HoldsBinaryGarbage(line)) ReadRecord(file, line);
  }
  return 0;
}

void CVattenF::ReadRecord(CStdioFileMem* file, const std::string& line) {
  Ny(1, nullptr);
  vftype& r = *pael;
  std::string siffror;
  const int n = geoproj::LasSiffror(line, kTextKolumn, r, &siffror, ScanRecord, Numbers);
  geoproj::CheckReadLine(*file, line, geoproj::ScanTookAll(siffror, n, 0, 7),
                         "record line does not parse");
  const std::size_t start = geoproj::TextStart(line, Numbers(r), kTextKolumn);
  geoproj::SondText(r.text, sizeof r.text, line, start);
}

int CVattenF::Uppdat(CStdioFileMem* file) {
  if (std::strlen(guid.c_str()) < 36) guid = geoproj::SondNyGuid();
  file->WriteString(geoproj::Format("*\n%d %s\n", kMetod, geoproj::FieldText(datum).c_str()));
  const int sgf = geoproj::FieldText(kodsystem) != "BVF" ? 1 : 0;
  const int tal[6] = {htal2, htal3, 0, sgf, 0, 0};
  file->WriteString(geoproj::SkrivTalHuvud(areaflagga, tal, guid));
  if (Home() < 0) return 0;
  do {
    const vftype& r = *pael;
    std::string line = Numbers(r);
    geoproj::SondRad(line, kTextKolumn, r.text, sizeof r.text);
    file->WriteString(line.c_str());
  } while ((*this)++);
  return 0;
}

std::string CVattenF::Numbers(const vftype& r) {
  return geoproj::Format("%7.3f %7.3f %.1lf %.1lf %.1lf %.3lf %hd", r.w1, r.w2, r.w3, r.w4, r.w5,
                         r.w6, r.wtal);
}
