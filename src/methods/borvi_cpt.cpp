// CBorviCpt: reading and writing the cone penetration block, and the code searches in it.
#include "geoproj/methods/borvi_cpt.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "foundation/quick_print.h"
#include "foundation/read_check.h"
#include "geoproj/foundation/stdio_file_mem.h"
#include "geoproj/foundation/text_helpers.h"
#include "geoproj/methods/borvi_tlk.h"
#include "geoproj/sounding/borvi_snd.h"
#include "geoproj/sounding/sond_block.h"

namespace {

// The soil code starts in column 31, behind the numbers padded to 30 characters; the further
// values start 26 columns after it, behind the code's 25 characters and one blank.
constexpr std::size_t kKodKolumn = 30;
constexpr std::size_t kExtraAvstand = 26;

std::string Numbers(const cpttype& rec) {
  return geoproj::Format("%7.3f %6ld %6ld %6ld  ", static_cast<double>(rec.djup),
                         static_cast<long>(rec.matvarde1), static_cast<long>(rec.matvarde2),
                         static_cast<long>(rec.matvarde3));
}

// Where the code of a line starts: in its column, unless the values are too wide for their
// columns and the line holds them as they are written, with the code behind them.
std::size_t KodKolumn(const cpttype& rec, const std::string& line) {
  const std::string numbers = Numbers(rec);
  if (numbers.size() > kKodKolumn && line.compare(0, numbers.size(), numbers) == 0)
    return numbers.size();
  return kKodKolumn;
}

bool HasExtras(const cpttype& rec) {
  // A negative first further value is a value too: testing it only for being above zero would
  // drop it on the next save.
  return rec.extra != 0 || std::fabs(rec.extra1) > 0 || std::fabs(rec.extra2) > 0 ||
         std::fabs(rec.extra3) > 0;
}

// The symbol of the first code of method 7 found in the text, cut to 4 characters.
void KortKod(const char* kodtext, const char* kodsystem, char (&kortkod)[6]) {
  int antal = 0;
  const kod* k = CBorviSnd::Findkod(CBorviCpt::kMetod, kodtext, 0, &antal, "", kodsystem, 0);
  if (!k) return;
  std::memset(kortkod, 0, sizeof kortkod);
  std::memcpy(kortkod, k->symbol, strnlen(k->symbol, 4));
}

// The soil word of a code, asked group by group in this order.
struct SoilGroup {
  const char* group;
  const char* word;
  const char* coarse;
};

constexpr SoilGroup kSoilGroups[] = {
    {"MN", "moraen", "friktjord"},  {"F", "fyllning", "fyllning"},
    {"MU", "mylla", "mylla"},       {"T", "torv", "torv"},
    {"GY", "gyttja", "lera"},       {"LET", "torrskorpa", "torrskorpa"},
    {"SI", "silt", "lera"},         {"LE", "lera", "lera"},
    {"B", "berg", "berg"},          {"SA", "sand", "friktjord"},
    {"FR", "friktjord", "friktjord"}, {"GR", "grus", "friktjord"},
    {"ST", "sten", "friktjord"},    {"BL", "block", "block"},
};

const char* SoilWord(const char* kodtext, const char* kodsystem, int grov) {
  for (const SoilGroup& g : kSoilGroups)
    if (geoproj::SondHarKod(CBorviCpt::kMetod, kodtext, g.group, kodsystem))
      return grov ? g.coarse : g.word;
  return "";
}

}  // namespace

CBorviCpt::CBorviCpt(int option1, int option2, int embedded)
    : m_option1(option1), m_option2(option2), m_inbaddad(embedded) {
  geoproj::CopyField(kodsystem, geoproj::SondKodtyp());
}

int CBorviCpt::Init(CStdioFileMem* file, const char* blockDatum) {
  if (!file) return -1;
  geoproj::CopyField(datum, blockDatum ? blockDatum : "");
  const int kodrad = file->GetLineNumber();
  std::string line;
  if (!file->ReadString(line)) {
    geoproj::SondBlockAvskuret(file, kodrad, kMetod);
    return -1;
  }
  // A "*" in place of the header line ends an empty block.
  if (!line.empty() && line[0] == '*') return -1;
  ReadHeaderLine(file, line);
  geoproj::SondRadTyp typ;
  while ((typ = geoproj::LasSondRad(file, line)) == geoproj::SondRadTyp::kData)
    ReadDataLine(file, line);
  if (typ == geoproj::SondRadTyp::kFilslut) geoproj::SondBlockAvskuret(file, kodrad, kMetod);
  presentation.Init(file->GetFilePath());
  return 0;
}

void CBorviCpt::ReadHeaderLine(CStdioFileMem* file, std::string line) {
  const std::size_t lf = line.find('\n');
  if (lf != std::string::npos) line.resize(lf);
  geoproj::DosToWin(line);
  const geoproj::SondHuvud h = geoproj::LasSondHuvud(line, sizeof htext - 1);
  geoproj::SondRadKontroll(file, line, h.tolkad, "header line does not parse");
  guid = h.guid;
  areaflagga = (h.varde1 > 0.99f && h.varde1 < 1.01f) ? 1 : 0;
  if (h.antal >= 2) htal2 = h.stopp;
  if (h.antal >= 3) htal3 = h.varde3;
  htal6 = h.antal >= 6 ? static_cast<int>(h.varde6) : 0;
  geoproj::CopyField(htext, h.antal >= 7 ? h.text7 : std::string());
  geoproj::CopyField(kodsystem, (h.antal >= 5 && h.varde5 == 1) ? "SGF" : "BVF");
}

void CBorviCpt::ReadDataLine(CStdioFileMem* file, const std::string& line) {
  Ny(1, nullptr);
  cpttype& rec = *pael;
  long v1 = 0, v2 = 0, v3 = 0;
  const int n = geoproj::ScanLine(line.c_str(), "%f%ld%ld%ld", &rec.djup, &v1, &v2, &v3);
  rec.matvarde1 = static_cast<int>(v1);
  rec.matvarde2 = static_cast<int>(v2);
  rec.matvarde3 = static_cast<int>(v3);
  const std::size_t kolumn = KodKolumn(rec, line);
  bool tagen = geoproj::SondSiffrorTagna(line, kolumn, n, 0, 4);
  if (line.size() >= kKodKolumn) {
    std::string kodtext = line.substr(std::min(kolumn, line.size()), sizeof rec.kod - 1);
    // The code ends at a stray zero byte, as it is written; its blanks before it are trailing.
    kodtext.resize(std::min(kodtext.size(), kodtext.find('\0')));
    kodtext.erase(kodtext.find_last_not_of(' ') + 1);
    geoproj::CopyField(rec.kod, kodtext);
  }
  const std::size_t extraKolumn = kolumn + kExtraAvstand;
  if (line.size() >= extraKolumn) {
    long extra = 0;
    const char* rest = line.c_str() + extraKolumn;
    const int m = geoproj::ScanLine(rest, "%ld %lf %lf %lf", &extra, &rec.extra1, &rec.extra2,
                                    &rec.extra3);
    rec.extra = m >= 1 ? static_cast<int>(extra) : 0;
    if (m < 2) rec.extra1 = 0;
    tagen = tagen && geoproj::ScanTookAll(rest, m, 0, 4);
  }
  geoproj::SondRadKontroll(file, line, tagen, "data line does not parse");
  KortKod(rec.kod, kodsystem, rec.kortkod);
}

int CBorviCpt::Uppdat(CStdioFileMem* file) {
  // A GUID holds its text up to a stray zero byte read into it; one cut short by it is none.
  if (std::strlen(guid.c_str()) < 36) guid = geoproj::SondNyGuid();
  file->WriteString(geoproj::Format("*\n%d %s\n", kMetod, geoproj::FieldText(datum).c_str()));
  file->WriteString(geoproj::SkrivSondHuvud(areaflagga, htal2, htal3, 0,
                                            geoproj::FieldText(kodsystem).c_str(), htal6,
                                            geoproj::FieldText(htext).c_str(), guid));
  geoproj::SondRadSkriven(m_option1);
  if (Home() == 0) {
    do {
      file->WriteString(DataLine(*pael));
      geoproj::SondRadSkriven(m_option1);
    } while ((*this)++);
  }
  header.Uppdat(file);
  // A file collected in memory has no place on disk beside which the presentation could lie.
  if (presentation.andrad == 1 && !file->IsMemFile()) {
    const int tvinga = std::fabs(presentation.d3 - 0.1) > 0.01 || std::fabs(presentation.d2) > 0.01 ||
                       std::fabs(presentation.d1 - 1.0) > 0.01;
    presentation.Uppdat(file->GetFilePath(), tvinga);
  }
  return 0;
}

std::string CBorviCpt::DataLine(const cpttype& rec) const {
  std::string line = Numbers(rec);
  const std::size_t kolumn = std::max(line.size(), kKodKolumn);
  line.resize(kolumn, ' ');
  line += geoproj::FieldText(rec.kod);
  if (HasExtras(rec)) {
    line.resize(std::max(line.size(), kolumn + kExtraAvstand), ' ');
    line += geoproj::Format("%ld %7.1lf %7.3lf %7.1lf", static_cast<long>(rec.extra), rec.extra1,
                            rec.extra2, rec.extra3);
  }
  return line + "\n";
}

int CBorviCpt::MyKod() {
  if (Home() < 0) return -1;
  do {
    if (geoproj::SondHarKod(kMetod, pael->kod, "MY", kodsystem)) return 0;
  } while ((*this)++);
  return -1;
}

int CBorviCpt::AutoTolk(CBorviSnd* snd, double faktor, int grov) {
  if (Home() < 0) return -1;
  CBorviTlk* tlk = snd ? snd->tlk : nullptr;
  if (!tlk) return 0;
  const auto level = [&](float djup) { return static_cast<float>(snd->hvarde[2] - djup * faktor); };
  std::string previous;
  float remembered = pael->djup;
  bool first = true;
  do {
    const cpttype& rec = *pael;
    const std::string word = SoilWord(rec.kod, kodsystem, grov);
    if (word.empty()) {
      previous.clear();
      remembered = rec.djup;
    } else {
      // A stretch without a known soil ends in unknown material.
      if (previous.empty() && !first && std::fabs(remembered) > 0.0001)
        tlk->AddTolkNiva("X", level(remembered));
      tlk->AddTolkNiva(word.c_str(), level(rec.djup));
      previous = word;
    }
    first = false;
  } while ((*this)++);
  return 0;
}
