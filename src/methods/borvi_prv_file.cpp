// CBorviPrv: reading the sample file in its four generations and writing the current one.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "foundation/quick_print.h"
#include "foundation/read_check.h"
#include "geoproj/foundation/messages.h"
#include "geoproj/foundation/stdio_file_mem.h"
#include "geoproj/foundation/text_helpers.h"
#include "geoproj/methods/borvi_prv.h"
#include "geoproj/platform/date_time.h"
#include "geoproj/platform/files.h"
#include "geoproj/platform/uuid.h"
#include "geoproj/sounding/borvi_snd.h"

using geoproj::Format;

namespace {

bool StartsSection(const std::string& line) { return !line.empty() && line[0] == '*'; }

// Where the parts of a record line lie in each generation: the numbers start behind the method
// (two characters in the oldest files, three since), then the marker and the comment.
struct Layout {
  std::size_t metodBredd;
  std::size_t tecken;
  std::size_t text;
  std::size_t textMax;
  int antal;  // numbers the line holds
};

Layout LayoutOf(int generation) {
  switch (generation) {
    case 0: return {2, 53, 55, 20, 10};
    case 1: return {3, 59, 61, 60, 11};
    default: return {3, 62, 64, 60, 11};
  }
}

// Written lines: the marker in column 63, the comment from column 65.
constexpr std::size_t kTeckenKolumn = 62;
constexpr std::size_t kTextKolumn = 64;

// Methods whose depth was always given as it is; old files gave the others 0.1 m deeper.
bool KeepsDepth(std::string metod) {
  geoproj::UpperId(metod);
  for (const char* m : {"PG", "SV", "CI", "CC", "CA", "VB", "TX", "SKV"})
    if (metod == m) return true;
  return false;
}

bool IsWholeNumber(const char* metod) {
  int value = 0;
  return std::sscanf(metod, "%d", &value) == 1;
}

bool PassesFilter(int kodtyp, const std::string& metod) {
  switch (kodtyp) {
    case 0: return true;
    case 1: return IsWholeNumber(metod.c_str());
    case 10: return metod == "PG";
    case 2: return metod == "VB" || metod == "CI" || metod == "CA" || metod == "CC";
    default: return false;
  }
}

// Old files name each test by one digit; the current form keeps the negated bit set.
int TestBits(int digits) {
  static const int kBits[10] = {0, 0x001, 0x080, 0x020, 0x004, 0x100, 0x002, 0x008, 0x1000, 0x040};
  int bits = kBits[digits % 10] | kBits[(digits / 10) % 10];
  if (digits / 100 < 10) bits |= kBits[digits / 100];
  return -bits;
}

// The year-first date of older files in day.month.year order.
void NormaliseDate(char (&datum)[12]) {
  int year = 0, month = 0, day = 0;
  if (std::sscanf(datum, "%d%*c%d%*c%d", &year, &month, &day) == 3 && year >= 1801 &&
      year <= 2099)
    geoproj::CopyField(datum, 11, geoproj::FormatDate({year, month, day}).c_str());
}

// The four layouts of the numbers, chosen by the size of the values. The choice is compared as
// doubles, as the values were always compared.
std::string NumbersText(const provtype& r) {
  const auto upTo = [](float v, double limit) { return static_cast<double>(v) <= limit; };
  const bool l1 = upTo(r.varde1, 99.9) && upTo(r.varde2, 99.9) && upTo(r.varde3, 99.9);
  const bool l2 = upTo(r.varde4, 99.9) && upTo(r.varde5, 99.9) && upTo(r.varde6, 100.0);
  const bool l2s = upTo(r.varde4, 99.9) && upTo(r.varde5, 99.9) && upTo(r.varde6, 99.9);
  const char* format;
  if (!l1 && !l2)
    format = "%6d %5.2f %5.1f %5.1f %5.1f %4.0f %4.0f %4.0f %2d %4.1f %3.1f";
  else if (!l2s)
    format = "%6d %5.2f %5.2f %5.2f %5.2f %4.0f %4.0f %4.0f %2d %4.1f %3.1f";
  else if (!l1)
    format = "%6d %5.2f %5.1f %5.1f %5.1f %4.1f %4.1f %4.1f %2d %4.1f %3.1f";
  else
    format = "%6d %5.2f %5.2f %5.2f %5.2f %4.1f %4.1f %4.1f %2d %4.1f %3.1f";
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
  return Format(format, r.analyser, static_cast<double>(r.djup), static_cast<double>(r.varde1),
                static_cast<double>(r.varde2), static_cast<double>(r.varde3),
                static_cast<double>(r.varde4), static_cast<double>(r.varde5),
                static_cast<double>(r.varde6), r.heltal, static_cast<double>(r.varde7),
                static_cast<double>(r.varde8));
#pragma GCC diagnostic pop
}

int ScanNumbers(const char* text, provtype& r) {
  return geoproj::ScanLine(text, "%d%f%f%f%f%f%f%f%d%f%f", &r.analyser, &r.djup, &r.varde1, &r.varde2,
                     &r.varde3, &r.varde4, &r.varde5, &r.varde6, &r.heltal, &r.varde7, &r.varde8);
}

bool SameNumbers(const provtype& a, const provtype& b) {
  const float fa[] = {a.djup, a.varde1, a.varde2, a.varde3, a.varde4, a.varde5, a.varde6, a.varde7, a.varde8};
  const float fb[] = {b.djup, b.varde1, b.varde2, b.varde3, b.varde4, b.varde5, b.varde6, b.varde7, b.varde8};
  return a.analyser == b.analyser && a.heltal == b.heltal && std::memcmp(fa, fb, sizeof fa) == 0;
}

// Whether rounding a value to its layout (at most half a unit) could move it across one of the
// size limits 99.9 and 100.0 that choose the layout.
bool NearALimit(const provtype& r) {
  for (float v : {r.varde1, r.varde2, r.varde3, r.varde4, r.varde5, r.varde6})
    if (v > 99.0f && v < 101.0f) return true;
  return false;
}

// The numbers as written. Rounding a value to its layout can move it across a size limit, so
// that the line read back would be laid out otherwise; the values are taken as written until
// the layout holds, so that a second save writes the same line.
std::string SettledNumbers(provtype& r) {
  std::string text = NumbersText(r);
  if (!NearALimit(r)) return text;
  for (int round = 0; round < 4; ++round) {
    provtype read = r;
    if (ScanNumbers(text.c_str(), read) != 11 || SameNumbers(read, r)) break;
    r = read;
    text = NumbersText(r);
  }
  return text;
}

// A method of one or two characters that begins with "*" (read from behind a blank) keeps the
// blank: at the start of the line it would end the block.
std::string MethodText(const provtype& r) {
  std::string metod = geoproj::FieldText(r.metod);
  if (metod.empty()) metod = "?";
  if (metod[0] == '*' && metod.size() < 3) metod = " " + metod;
  if (metod.size() < 3) metod.resize(3, ' ');
  return metod;
}

// Whether the values of a line may reach the marker column: only a line that goes on past it.
bool PushedRight(const std::string& line) { return line.size() > kTeckenKolumn; }

}  // namespace

// The lines of the file with what could not be taken reported; a "*" line ends a part.
class CBorviPrv::Reader {
 public:
  explicit Reader(CStdioFileMem* file) : file_(file) {}
  bool Next(std::string& line) { return file_->ReadString(line) != 0; }
  void Check(const std::string& line, bool parsed, const char* why) {
    geoproj::CheckReadLine(*file_, line, parsed, why);
  }
  CStdioFileMem* file() const { return file_; }

 private:
  CStdioFileMem* file_;
};

int CBorviPrv::Init(CStdioFileMem* file, const char* id, std::string* /*reserv*/) {
  m_droppedContent = 0;
  const std::string path = file->GetFilePath();
  ReadFileDates(path);
  if (!file->IsOpen() &&
      (!geoproj::FileExists(path) || !file->Open(path, CStdioFileMem::modeRead))) {
    geoproj::ShowStatusF("Info : Det finns inge provtagningsdata for borhull : %s", id ? id : "");
    geoproj::CopyField(kodsystem, CBorviSnd::Kodtyp ? CBorviSnd::Kodtyp : "SGF");
    return -1;
  }
  const int droppedBefore = file->GetDroppedCount();
  m_id = id ? id : "";
  Reader reader(file);
  const int generation = ReadHeader(reader);
  ReadRecords(reader, generation);
  m_droppedContent = file->GetDroppedCount() - droppedBefore;
  return 0;
}

void CBorviPrv::ReadFileDates(const std::string& path) {
  geoproj::FileStat st;
  if (!geoproj::StatFile(path, &st) || !st.regular) return;
  const geoproj::DateTime created = geoproj::LocalFromTime(st.created);
  const geoproj::DateTime modified = geoproj::LocalFromTime(st.modified);
  geoproj::CopyField(skapad, Format("%4d-%02d-%02d", created.year, created.month, created.day));
  geoproj::CopyField(andrad,
                     Format("%4d-%02d-%02d", modified.year, modified.month, modified.day));
}

// The header line and, in a file of its own, the lines up to its "*" line. Returns the format
// generation: 0 without a prefix, 1 to 3 for "A41" to "A43".
int CBorviPrv::ReadHeader(Reader& reader) {
  std::string line;
  if (!reader.Next(line)) return 3;
  const std::size_t lf = line.find('\n');
  if (lf != std::string::npos) line.resize(lf);
  const std::string whole = line;
  const std::size_t p = line.find("GUID");
  if (p != std::string::npos && p > 0) {
    guid = line.size() > p + 5 ? line.substr(p + 5) : std::string();
    line.resize(p);
  }
  int generation = 0;
  if (line.starts_with("A41")) generation = 1;
  if (line.starts_with("A42")) generation = 2;
  if (line.starts_with("A43")) generation = 3;
  std::vector<char> word(line.size() + 1, '\0');
  int code = 0;
  const int n = generation == 0
                    ? std::sscanf(line.c_str(), "%f %s %d", &hvarde, word.data(), &code)
                    : std::sscanf(line.c_str(), "%*s %f %s %d", &hvarde, word.data(), &code);
  geoproj::CopyField(datum, n >= 2 ? word.data() : "");
  hkod = n >= 3 ? code : 0;
  if (hkod > 99) {
    hkod100 = hkod / 100;
    hkod %= 100;
  }
  NormaliseDate(datum);
  const std::string fields = generation == 0 ? line : line.substr(std::min<std::size_t>(3, line.size()));
  reader.Check(whole, StartsSection(line) || geoproj::ScanTookAll(fields, n, 0, 3),
               "header line does not parse");
  if (!inbaddad) {
    while (reader.Next(line) && !StartsSection(line))
      reader.Check(line, geoproj::CountWords(line) == 0, "line before the samples not read");
  }
  return generation;
}

void CBorviPrv::ReadRecords(Reader& reader, int generation) {
  geoproj::CopyField(m_forraMetod, "???");
  m_forraDjup = 0.0f;
  std::string line;
  while (reader.Next(line) && !StartsSection(line)) {
    const std::size_t lf = line.find('\n');
    if (lf != std::string::npos) line.resize(lf);
    geoproj::DosToWin(line);
    ReadRecord(reader, line, generation);
  }
}

void CBorviPrv::ReadRecord(Reader& reader, const std::string& line, int generation) {
  const Layout layout = LayoutOf(generation);
  provtype rec{};
  std::string metod;
  for (std::size_t i = 0; i < layout.metodBredd && i < line.size(); ++i)
    if (line[i] != ' ') metod += line[i];
  if (PassesFilter(kodtyp, metod)) {
    geoproj::CopyField(rec.metod, metod);
    const std::size_t start = std::min(layout.metodBredd, line.size());
    const int n = ScanNumbers(line.c_str() + start, rec);
    if (generation == 0) rec.varde8 = 0.0f;
    std::size_t tecken = layout.tecken, text = layout.text;
    // Values too wide for their columns push the marker and the comment right, each one blank
    // behind what precedes it, where this writer puts them.
    if (generation == 3 && PushedRight(line)) {
      provtype written = rec;
      const std::string numbers = MethodText(rec) + SettledNumbers(written);
      if (numbers.size() >= kTeckenKolumn && line.starts_with(numbers + " ")) {
        tecken = numbers.size() + 1;
        text = tecken + 2;
      }
    }
    if (n == layout.antal) {
      if (line.size() > tecken) geoproj::CopyField(rec.tecken, line.substr(tecken, 1));
      if (line.size() > text) geoproj::CopyField(rec.text, layout.textMax + 1, line.c_str() + text);
    } else {
      geoproj::ShowStatusF("Feil i provtagning !!!, id=%s", m_id.c_str());
    }
    const std::string numbersPart = line.substr(start, std::max(start, std::min(tecken, line.size())) - start);
    reader.Check(line, geoproj::ScanTookAll(numbersPart, n, 0, layout.antal),
                 "sample values do not parse");
  } else {
    reader.Check(line, true, nullptr);
  }
  if (rec.analyser > 0) rec.analyser = TestBits(rec.analyser);
  Ny(1, &rec);
  PlaceRecord(generation);
}

// Older files gave most samples 0.1 m deeper than taken; a sample shallower than the one before
// it of the same method goes before the first deeper one of that method.
void CBorviPrv::PlaceRecord(int generation) {
  provtype rec = *pael;
  const std::string metod = geoproj::FieldText(rec.metod);
  if (generation < 3 && !KeepsDepth(metod) && metod != geoproj::FieldText(m_forraMetod)) {
    rec.djup -= 0.1f;
    pael->djup = rec.djup;
  }
  int antal = 0;
  Where(&antal);
  if (antal > 1 && rec.djup < m_forraDjup && metod == geoproj::FieldText(m_forraMetod)) {
    Delete();
    Home();
    do {
      if (geoproj::FieldText(pael->metod) == metod && pael->djup > rec.djup) break;
    } while ((*this)++);
    Ny(0, &rec);
  }
  End();
  geoproj::CopyField(m_forraMetod, geoproj::FieldText(pael->metod));
  m_forraDjup = pael->djup;
}

int CBorviPrv::Uppdat(CStdioFileMem* file) {
  if (std::strlen(guid.c_str()) < 36) guid = geoproj::NewUuidText();
  if (datum[0] == '\0' || geoproj::FieldText(datum) == " ") geoproj::CopyField(datum, "-");
  const std::string date = geoproj::FieldText(datum);
  if (!inbaddad)
    file->WriteString(Format("A43 %f %s %d GUID %s\n*\n", static_cast<double>(hvarde),
                             date.c_str(), hkod100 * 100 + hkod, guid.c_str()));
  else
    file->WriteString(Format("*\nA43 %d %s GUID %s\n%f\n", Metod, date.c_str(), guid.c_str(),
                             static_cast<double>(hvarde)));
  if (Home() == 0) {
    do {
      const std::string line = RecordLine(*pael);
      if (m_option1) CBorviSnd::AddVbToPrv();
      file->WriteString(line);
    } while ((*this)++);
  }
  if (!inbaddad) file->WriteString("*\n");
  return 0;
}

std::string CBorviPrv::RecordLine(const provtype& rec) const {
  provtype settled = rec;
  std::string line = MethodText(rec) + SettledNumbers(settled);
  // A marker never touches the last value, nor the comment the marker.
  line.resize(std::max(line.size() + 1, kTeckenKolumn), ' ');
  const char tecken = rec.tecken[0] ? rec.tecken[0] : ' ';
  line += tecken;
  line.resize(std::max(line.size() + 1, kTextKolumn), ' ');
  line += geoproj::FieldText(rec.text).substr(0, 60);
  return line + "\n";
}
