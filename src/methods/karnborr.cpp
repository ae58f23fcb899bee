// CKarnborr: reading and writing the core-drilling block.
#include "geoproj/methods/karnborr.h"

#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

#include "foundation/read_check.h"
#include "geoproj/foundation/stdio_file_mem.h"
#include "geoproj/foundation/text_helpers.h"
#include "geoproj/sounding/sond_block.h"
#include "methods/method_block.h"

namespace {

// A record line holds 16 values; one with fewer than 14 is no record.
constexpr int kValues = 16;
constexpr int kRequired = 14;
// Old files number the first coded value one higher from 32 on.
constexpr int kOldFirstLimit = 31;

void Limit(std::int16_t& value, int low, int high) {
  if (value < low || value > high) value = 0;
}

// A pair whose second value means nothing without the first.
void Pair(std::int16_t& first, std::int16_t& second) {
  if (first < 0) first = 0;
  if (first == 0 || second < 0) second = 0;
}

int ScanRecord(const std::string& siffror, kbtype* r) {
  return std::sscanf(siffror.c_str(), "%lf%hd%hd%hd%hd%hd%hd%hd%hd%hd%hd%hd%hd%hd%lf%hd", &r->djup,
                     &r->k1, &r->k2, &r->k3, &r->k4, &r->k5, &r->k6, &r->k7, &r->k8, &r->k9,
                     &r->k10, &r->k11, &r->k12, &r->k13, &r->kvarde, &r->k14);
}

void ApplyValidity(kbtype& r) {
  Pair(r.k1, r.k2);
  Pair(r.k5, r.k6);
  Pair(r.k7, r.k8);
  if (r.k12 != 1 && r.k12 != 2) r.k12 = 0;
  Limit(r.k3, -360, 360);
  Limit(r.k4, -90, 90);
  Limit(r.k11, 0, 100);
  Limit(r.k14, 0, 200);
  Limit(r.k9, 0, 5);
}

void ClearExtension(kbtype& r) {
  r.b1 = r.b2 = r.b3 = r.b4 = r.b5 = r.b6 = ' ';
  r.e1 = r.e2 = r.e3 = r.e4 = r.e5 = 0.0;
}

bool HasExtension(const kbtype& r) {
  for (char b : {r.b1, r.b2, r.b3, r.b4, r.b5, r.b6})
    if (b != ' ') return true;
  for (double e : {r.e1, r.e2, r.e3, r.e4, r.e5})
    if (e != 0.0) return true;
  return false;
}

}  // namespace

CKarnborr::CKarnborr() { geoproj::CopyField(kodsystem, geoproj::SondKodtyp()); }

int CKarnborr::Init(CStdioFileMem* file, const char* datumText) {
  if (!file) return -1;
  const int kodrad = file->GetLineNumber();
  geoproj::TalHuvud huvud;
  if (!geoproj::LasBlockHuvud(file, kMetod, kodrad, &huvud)) return -1;
  geoproj::TaTalHuvud(*this, huvud, datumText);
  zberg = huvud.antal >= 4 ? huvud.tal[2] / 100.0 : 0.0;
  version = huvud.antal > 6 && huvud.tal[5] == 2 ? 2 : 0;
  // The sounding file closes its last block with a "*" line only after a sounding: this block
  // may end with the file.
  std::string line;
  while (geoproj::LasSondRad(file, line) == geoproj::SondRadTyp::kData) {
    if (!line.empty() && line[0] == '%') {
      int records = 0;
      Where(&records);
      m_comments.push_back({records, geoproj::KeptUpToZeroByte(*file, line)});
      continue;
    }
    double first = 0.0;
    if (std::sscanf(line.c_str(), "%lf", &first) == 1 && first < 0.0)
      ReadExtension(file, line, first);
    else if (geoproj::CountWords(line) > 0)
      ReadRecord(file, line);
  }
  version = 2;
  return 0;
}

void CKarnborr::ReadRecord(CStdioFileMem* file, const std::string& line) {
  Ny(1, nullptr);
  kbtype& r = *pael;
  ClearExtension(r);
  std::string siffror;
  const int n = geoproj::LasSiffror(line, kTextKolumn, r, &siffror, ScanRecord,
                                    [this](const kbtype& rec) { return RecordLine(rec); });
  const std::string skriven = RecordLine(r);
  if (n < kRequired) {
    geoproj::CheckReadLine(*file, line, false, "record line with fewer than 14 values");
    Delete();
    return;
  }
  geoproj::CheckReadLine(*file, line, geoproj::ScanTookAll(siffror, n, kRequired, kValues),
                         "record line does not parse");
  const std::size_t start = geoproj::TextStart(line, skriven, kTextKolumn);
  geoproj::SondText(r.text, sizeof r.text, line, start);
  if (version == 0 && r.k1 > kOldFirstLimit) --r.k1;
  ApplyValidity(r);
}

// The line after a record that repeats its depth negated carries the record's further values.
void CKarnborr::ReadExtension(CStdioFileMem* file, const std::string& line, double first) {
  kbtype* r = Where(nullptr) >= 0 ? Get_aktel() : nullptr;
  if (!r || std::fabs(first + r->djup) >= 0.01) {
    geoproj::CheckReadLine(*file, line, false, "extension line without its record");
    return;
  }
  double minus = 0.0;
  int b[6] = {' ', ' ', ' ', ' ', ' ', ' '};
  const int n = std::sscanf(line.c_str(), "%lf %lf %lf %lf %lf %lf %d %d %d %d %d %d", &minus,
                            &r->e1, &r->e3, &r->e2, &r->e4, &r->e5, &b[0], &b[1], &b[2], &b[3],
                            &b[4], &b[5]);
  geoproj::CheckReadLine(*file, line, geoproj::ScanTookAll(line, n, 1, 12),
                         "extension line does not parse");
  char* fields[6] = {&r->b1, &r->b2, &r->b3, &r->b4, &r->b5, &r->b6};
  for (int i = 0; i < 6; ++i) *fields[i] = static_cast<char>(b[i]);
}

int CKarnborr::Uppdat(CStdioFileMem* file) {
  if (std::strlen(guid.c_str()) < 36) guid = geoproj::SondNyGuid();
  file->WriteString(geoproj::Format("*\n%d %s\n", kMetod, geoproj::FieldText(datum).c_str()));
  const int sgf = geoproj::FieldText(kodsystem) != "BVF" ? 1 : 0;
  const int tal[6] = {htal2, htal3, RockCentimetres(), sgf, 0, 2};
  file->WriteString(geoproj::SkrivTalHuvud(areaflagga, tal, guid));
  std::size_t comment = 0;
  int written = 0;
  if (Home() >= 0) {
    do {
      WriteComments(file, written++, &comment);
      const kbtype& r = *pael;
      std::string line = RecordLine(r);
      geoproj::SondRad(line, kTextKolumn, r.text, sizeof r.text);
      file->WriteString(line.c_str());
      if (HasExtension(r)) file->WriteString(ExtensionLine(r));
    } while ((*this)++);
  }
  WriteComments(file, std::numeric_limits<int>::max(), &comment);
  return 0;
}

// The comments read before the record about to be written as number `records` (all that are
// left for the end of the block).
void CKarnborr::WriteComments(CStdioFileMem* file, int records, std::size_t* next) const {
  for (; *next < m_comments.size() && m_comments[*next].before <= records; ++*next)
    file->WriteString(m_comments[*next].line + "\n");
}

std::string CKarnborr::RecordLine(const kbtype& r) const {
  return geoproj::Format(
      "%6.2f %2d %2d %3d %3d %1d %1d %2d %2d %1d %4d %3d %1d %1d %8.3lf %3d", r.djup, r.k1, r.k2,
      r.k3, r.k4, r.k5, r.k6, r.k7, r.k8, r.k9, r.k10, r.k11, r.k12, r.k13, r.kvarde, r.k14);
}

std::string CKarnborr::ExtensionLine(const kbtype& r) const {
  return geoproj::Format("%.2f %.1lf %.2lf %.1lf %.1lf %.1lf %d %d %d %d %d %d\n", -r.djup, r.e1,
                         r.e3, r.e2, r.e4, r.e5, r.b1, r.b2, r.b3, r.b4, r.b5, r.b6);
}

// The rock level in whole centimetres. A level above ground datum is written as it always was,
// a millimetre added before the cut; a level below it is rounded to the nearest centimetre, as
// the cut would move it one centimetre up on every save.
int CKarnborr::RockCentimetres() const {
  const double cm = zberg >= 0.0 ? (zberg + 0.001) * 100.0 : std::round(zberg * 100.0);
  if (!(cm > INT_MIN - 1.0 && cm < INT_MAX + 1.0)) return 0;
  return static_cast<int>(cm);
}

int CKarnborr::ZBerg(double* z) {
  if (!(std::fabs(zberg) > 0.0)) return -1;
  *z = zberg;
  return 0;
}
