// CBorviVb: the vane calibration file "Vingebor.kal" and the calculations of the evaluation.
//
// The file is a run of entries: a line with the vane's name (blanks around it removed, the
// first 10 characters count), a line with the entry's number, a "*" line, lines of an x and a
// y of the calibration curve in increasing x, and a "*" line. A name may head several
// consecutive entries with different numbers.
#include <climits>
#include <cmath>
#include <cstdio>

#include "foundation/read_check.h"
#include "geoproj/foundation/messages.h"
#include "geoproj/foundation/text_helpers.h"
#include "geoproj/methods/borvi_vb.h"
#include "geoproj/platform/borv_ini.h"
#include "geoproj/platform/files.h"
#include "geoproj/platform/proj_path.h"
#include "geoproj/sounding/borvi_snd.h"

namespace {

constexpr std::size_t kNamnChars = 10;

bool IsStar(const std::string& line) { return !line.empty() && line[0] == '*'; }

std::string NameOf(std::string line) {
  geoproj::DosToWin(line);
  const std::size_t first = line.find_first_not_of(" \t");
  if (first == std::string::npos) return std::string();
  const std::size_t last = line.find_last_not_of(" \t");
  return line.substr(first, last - first + 1).substr(0, kNamnChars);
}

}  // namespace

int CBorviVb::KalfilInit() {
  KalfilClose();
  std::vector<std::string> dirs;
  if (snd && snd->projpath) dirs.push_back(snd->projpath->m_projKat);
  if (ini) {
    dirs.push_back(ini->KalibKat1());
    dirs.push_back(ini->KalibKat2());
  }
  for (const std::string& dir : dirs) {
    const std::string path = geoproj::JoinPath(dir, Kalfilnamn);
    if (!geoproj::FileExists(path)) continue;
    auto file = std::make_unique<CStdioFileMem>();
    file->SetFilePath(path);
    if (!file->Open(path, CStdioFileMem::modeRead)) {
      geoproj::ShowMessageF(geoproj::kMbOk | geoproj::kMbIconExclamation,
                            "L\xE4sning av Solumbra - Vingebor.kal",
                            "Kan inte \xF6ppna -filen\n%s\nAvbryter l\xE4sning!", path.c_str());
      return -1;
    }
    kalfil = std::move(file);
    kalnamn[0] = '\0';
    m_kalStjarnor = 2;
    return 0;
  }
  return -1;
}

int CBorviVb::KalfilClose() {
  if (!kalfil) return -1;
  kalfil->Close();
  kalfil.reset();
  return 0;
}

// A line of the calibration file; false at its end.
bool CBorviVb::KalLine(std::string& line) {
  if (!kalfil || !kalfil->ReadString(line)) return false;
  if (IsStar(line)) ++m_kalStjarnor;
  return true;
}

// Skips to the next name line (a name line follows an entry's second "*", or starts the file)
// and reads it.
bool CBorviVb::KalNextName(std::string* name) {
  std::string line;
  while (m_kalStjarnor < 2)
    if (!KalLine(line)) return false;
  if (!KalLine(line)) return false;
  m_kalStjarnor = IsStar(line) ? 1 : 0;
  *name = NameOf(line);
  kalnr = -1;
  return true;
}

const char* CBorviVb::KalfilNext() {
  std::string name;
  while (KalNextName(&name)) {
    if (name == geoproj::FieldText(kalnamn)) continue;
    geoproj::CopyField(kalnamn, name);
    return kalnamn;
  }
  return nullptr;
}

int CBorviVb::KalfilFind(const char* name) {
  kalnr = -1;
  const std::string wanted = std::string(name ? name : "").substr(0, kNamnChars);
  while (const char* found = KalfilNext())
    if (wanted == found) return 0;
  return -1;
}

int CBorviVb::KalfilNextVinge() {
  std::string line;
  if (kalnr != -1) {
    std::string name;
    if (!KalNextName(&name)) return -1;
    if (name != geoproj::FieldText(kalnamn)) return 0;
  }
  while (KalLine(line)) {
    if (IsStar(line)) continue;
    int nr = 0;
    const bool read = std::sscanf(line.c_str(), "%d", &nr) == 1;
    geoproj::CheckReadLine(*kalfil, line, read && geoproj::CountWords(line) == 1,
                           "calibration number does not read");
    if (!read) return -1;
    kalnr = nr;
    return kalnr;
  }
  return -1;
}

int CBorviVb::KalfilLoad(const char* name, int nr) {
  kaltabell.clear();
  kalantal = 0;
  if (KalfilInit() != 0) return 0;
  if (KalfilFind(name) == 0) {
    int found = 0;
    while ((found = KalfilNextVinge()) >= 1 && found != nr) {
    }
    if (found == nr) ReadPairs();
  }
  KalfilClose();
  kalantal = static_cast<int>(kaltabell.size());
  return kalantal;
}

// The pairs of the entry whose number was read last: after its first "*", up to the second "*"
// or a line that does not hold two numbers.
void CBorviVb::ReadPairs() {
  std::string line;
  while (m_kalStjarnor < 1)
    if (!KalLine(line)) return;
  while (KalLine(line) && !IsStar(line)) {
    double x = 0.0, y = 0.0;
    const bool pair = std::sscanf(line.c_str(), "%lf %lf", &x, &y) == 2;
    geoproj::CheckReadLine(*kalfil, line, pair && geoproj::CountWords(line) == 2,
                           "calibration pair does not read");
    if (!pair) return;
    kaltabell.emplace_back(x, y);
  }
}

double CBorviVb::KalValue(double x) const {
  if (kaltabell.empty()) return 0.0;
  const double a = std::fabs(x);
  for (std::size_t i = 0; i < kaltabell.size(); ++i) {
    if (!(a <= kaltabell[i].first)) continue;
    if (i == 0) return 0.0;
    const auto [x0, y0] = kaltabell[i - 1];
    const auto [x1, y1] = kaltabell[i];
    return y0 + (y1 - y0) * (a - x0) / (x1 - x0);
  }
  return -kaltabell.back().second;
}

// A quotient that is no number (a zero divisor) gives no units.
int CBorviVb::SensValue(double a, double b) const {
  const double units = a / b + 0.5;
  if (!std::isfinite(units) || !(units > 0.0)) return 0;
  if (units >= static_cast<double>(INT_MAX)) return INT_MAX;
  return static_cast<int>(units);
}

double CBorviVb::ro0pValue(double z1, double z2, double g, int fortsatt) {
  if (fortsatt == 0) sigma = 0.0;
  sigma += (z2 - z1) * g;
  return sigma;
}

double CBorviVb::korrValue(int typ, double x, double y) const {
  if (typ < 0 || x <= 0.0) return 0.0;
  if (typ == 0) {
    const double mu = 1.0 / (2.857 * y / sigma + 0.3215);
    if (mu > 1.0) return 1.0;
    if (mu < 0.3146) return -0.3146;
    return mu;
  }
  const double q = y / sigma;
  const bool branchA = q > 0.61 || (q >= 0.16 && q <= 0.61 && typ < 259.8 * std::pow(q, 2.313));
  if (branchA) {
    if (q < 0.15) return -1.0;
    if (q <= 1.0) return 0.3235 * std::pow(q, -0.607);
    return -0.34;
  }
  if (q < 0.11) return -1.4;
  if (q <= 0.68) return 0.4732 * std::pow(q, -0.4801);
  return -0.6;
}
