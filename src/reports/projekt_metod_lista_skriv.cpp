// The report: a list written as a table of rich-text paragraphs with fixed tab stops. The
// document around the paragraphs (its opening and closing groups) is the host's.
#include <geoproj/reports/projekt_metod_lista.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <string>

#include <geoproj/foundation/stdio_file_mem.h>
#include <geoproj/foundation/text_helpers.h>
#include <geoproj/platform/files.h>

using geoproj::FieldText;
using geoproj::Format;

namespace {

constexpr int kDecimals = 3;  // numbers of the rows unless the list says otherwise

// Headings, in code page 1252.
constexpr const char* kGvrHeading =
    "\nId\tR\xF6rtyp\tFr\xE5n Datum\tTill Datum\tMin Niv\xE5\tMax Niv\xE5\tAntal pejlingar\n";
constexpr const char* kMonteradeTitle = "\nMonterade r\xF6r\n";
constexpr const char* kMonteradeHeadingSek =
    "\nId\tSekt\tAvst\tZ\tOpprettet\tRevidert\tUtf\xF8rt\tR\xF6rl\xE4ngd\tAntal pejl.\n";
constexpr const char* kMonteradeHeadingXy =
    "\nId\tX\tY\tZ\tOpprettet\tRevidert\tUtf\xF8rt\tR\xF6rl\xE4ngd\tAntal pejl.\n";
constexpr const char* kTlkHeading =
    "\nHull\tDybde uk F\tDybde uk Let\tDybde Le/Ko\tDybde Fr\tDybde totalt\n";
constexpr const char* kPrvHeading =
    "\nHull\tNiv\xE5\tDybde\tMetod\tDensitet\tVkvot\tKonfl\tSens\tSkjuvh\tJordart\n";
constexpr const char* kMedeldataTitle = "\nUnderlag f\xF6r utv\xE4rderingen: %s\n";
constexpr const char* kMedeldataHeading51 =
    "\nHull\tNiv\xE5 1\tNiv\xE5 2\t%s\tMetod\tProfil\tKonflytgr\xE4ns\n";
constexpr const char* kMedeldataHeading = "\nHull\tNiv\xE5 1\tNiv\xE5 2\t%s\tMetod\n";
constexpr const char* kSoundingHeadingSek =
    "\nHull\tProfil\tAvsett\tZ\tOpprettet\tRevidert\tUtf\xF8rt\tBoret dybde\tStoppkode\n";
constexpr const char* kSoundingHeadingXy =
    "\nHull\tX\tY\tZ\tOpprettet\tRevidert\tUtf\xF8rt\tBoret dybde\tStoppkode\n";

// A host's number of decimals, kept to what a double can show: a stray value must not make a
// line of a million digits.
int Decimals(int wanted) { return std::clamp(wanted, 0, 17); }

bool SameValue(double a, double b) { return std::fabs(a - b) < 0.001; }

}  // namespace

const char* const CProjektMetodLista::m_parstart =
    "\\deflang1033\\pard\\tx1000\\tx2000\\tx3000\\tx3700\\tx4800\\tx5900\\tx7000\\tx8100"
    "\\plain\\f3\\fs20 ";

int CProjektMetodLista::Skriv(int key, const char* parstart, const char* /*unused*/) {
  if (!m_utfil) return -1;
  const char* start = parstart ? parstart : m_parstart;
  const Kind kind = ListKind();
  if (key != 0) Sortera(key);
  if (Home() < 0) return 0;
  WriteHeading(kind, start);
  double lastValue = -DBL_MAX;
  do {
    const std::string line = RowLine(kind, *pael, &lastValue);
    if (!line.empty()) WritRad(line.c_str(), 0, 0, start, nullptr);
  } while ((*this)++);
  return 0;
}

int CProjektMetodLista::WritRad(const char* line, int bold, int underline, const char* before,
                                const char* after) {
  std::string text = line ? line : "";
  RtfFormat(&text);
  std::string out = before ? before : "";
  if (bold) out += "{\\b ";
  if (underline) out += "{\\ul ";
  out += text;
  if (underline) out += "}";
  if (bold) out += "}";
  if (after) out += after;
  m_utfil->WriteString(out);
  return 0;
}

// Backslash and braces are markup in rich text: a text holding one would otherwise end the
// paragraph's group early or start a control word, and the document would not read.
int CProjektMetodLista::RtfFormat(std::string* text) {
  if (!text) return 0;
  std::string out;
  out.reserve(text->size() + 16);
  for (char c : *text) {
    switch (c) {
      case '\\': out += "\\\\"; break;
      case '{': out += "\\{"; break;
      case '}': out += "\\}"; break;
      case '\t': out += "\\tab "; break;
      case '\n': out += "\\par "; break;
      case '\f': out += "\\page "; break;
      default: out += c;
    }
  }
  text->swap(out);
  return 0;
}

CProjektMetodLista::Kind CProjektMetodLista::ListKind() const {
  const struct {
    const char* name;
    Kind kind;
  } kinds[] = {{"GVR", Kind::kGvr},
               {"GVRMONTERADE", Kind::kGvrMonterade},
               {"TLK", Kind::kTlk},
               {"PRV", Kind::kPrv},
               {"MEDELDATA", Kind::kMedeldata}};
  for (const auto& k : kinds)
    if (geoproj::EqualsNoCase(m_namn, k.name)) return k.kind;
  return Kind::kSounding;
}

void CProjektMetodLista::WriteHeading(Kind kind, const char* parstart) {
  const metlisttype& first = *pael;
  switch (kind) {
    case Kind::kGvr:
      WritRad(kGvrHeading, 1, 0, parstart, nullptr);
      break;
    case Kind::kGvrMonterade:
      WritRad(kMonteradeTitle, 1, 0, parstart, nullptr);
      WritRad(m_vaglinje ? kMonteradeHeadingSek : kMonteradeHeadingXy, 1, 0, parstart, nullptr);
      break;
    case Kind::kTlk:
      WritRad(kTlkHeading, 1, 0, parstart, nullptr);
      break;
    case Kind::kPrv:
      WritRad(kPrvHeading, 1, 0, parstart, nullptr);
      break;
    case Kind::kMedeldata: {
      WritRad(Format(kMedeldataTitle, FieldText(first.text[0]).c_str()).c_str(), 1, 0, parstart,
              nullptr);
      const char* heading = m_medeldata == 51 ? kMedeldataHeading51 : kMedeldataHeading;
      WritRad(Format(heading, FieldText(first.text[1]).c_str()).c_str(), 1, 1, parstart, nullptr);
      break;
    }
    case Kind::kSounding:
      WritRad(m_vaglinje ? kSoundingHeadingSek : kSoundingHeadingXy, 1, 0, parstart, nullptr);
      break;
  }
}

std::string CProjektMetodLista::RowLine(Kind kind, const metlisttype& r, double* lastValue) const {
  const std::string id = FieldText(r.id);
  switch (kind) {
    case Kind::kGvr:
      return Format("%s\t%s\t%s\t%s\t%s\t%s\t%ld\n", id.c_str(), FieldText(r.text[0]).c_str(),
                    FieldText(r.datum1).c_str(), FieldText(r.datum2).c_str(),
                    FieldText(r.text[1]).c_str(), FieldText(r.text[2]).c_str(),
                    static_cast<long>(r.antal));
    case Kind::kGvrMonterade:
      return Format("%s\t%.*lf\t%.*lf\t%.*lf\t%s\t%s\t%s\t%.2lf\t%d\n", id.c_str(), kDecimals,
                    m_vaglinje ? r.sek : r.x, kDecimals, m_vaglinje ? r.avst : r.y, kDecimals,
                    r.z, FieldText(r.datum1).c_str(), FieldText(r.datum2).c_str(),
                    FieldText(r.text[1]).c_str(), r.langd, r.antal);
    case Kind::kTlk:
      return Format("%s\t%s\t%s\t%s\t%s\t%s\n", id.c_str(), FieldText(r.text[0]).c_str(),
                    FieldText(r.text[1]).c_str(), FieldText(r.text[2]).c_str(),
                    FieldText(r.text[3]).c_str(), FieldText(r.text[4]).c_str());
    case Kind::kPrv:
      return Format("%s\t%.*lf\t%.*lf\t%s\t%s\t%s\t%s\t%s\t%s\t%s\n", id.c_str(), kDecimals,
                    r.z - r.langd, kDecimals, r.langd, FieldText(r.metod).c_str(),
                    FieldText(r.text[0]).c_str(), FieldText(r.text[1]).c_str(),
                    FieldText(r.text[2]).c_str(), FieldText(r.text[3]).c_str(),
                    FieldText(r.text[4]).c_str(), FieldText(r.text[5]).c_str());
    case Kind::kMedeldata:
      return MedeldataRow(r, lastValue);
    case Kind::kSounding:
      return SoundingRow(r);
  }
  return std::string();
}

std::string CProjektMetodLista::SoundingRow(const metlisttype& r) const {
  const std::string length =
      std::fabs(r.langd) > 0.001 ? Format("%.*lf", kDecimals, r.langd) : std::string();
  const std::string id = FieldText(r.id), skapad = FieldText(r.skapad),
                    andrad = FieldText(r.andrad), datum = FieldText(r.datum1);
  if (m_vaglinje)
    return Format("%s\t%.*lf\t%.*lf\t%.*lf\t%s\t%s\t%s\t%s\t%d\n", id.c_str(), kDecimals, r.sek,
                  kDecimals, r.avst, kDecimals, r.z, skapad.c_str(), andrad.c_str(),
                  datum.c_str(), length.c_str(), r.stopp);
  return Format("%s\t%.*lf\t%.*lf\t%.*lf\t%s\t%s\t%s\t%s\t%d\t%s\n", id.c_str(), kDecimals, r.x,
                kDecimals, r.y, kDecimals, r.z, skapad.c_str(), andrad.c_str(), datum.c_str(),
                length.c_str(), r.stopp, FieldText(r.extra).c_str());
}

// Rows of one value V (the length field) print V and the level only on the first of them.
std::string CProjektMetodLista::MedeldataRow(const metlisttype& r, double* lastValue) const {
  const std::string id = FieldText(r.id), text3 = FieldText(r.text[2]),
                    text4 = FieldText(r.text[3]);
  const bool same = SameValue(r.langd, *lastValue);
  if (r.typ == 3 || r.typ == 5) {
    const int decimals = Decimals(m_decimaler);
    std::string line =
        same ? Format("%s\t\t\t%.*lf\t%s\t%s", id.c_str(), decimals, r.x, text3.c_str(),
                      text4.c_str())
             : Format("%s\t%.*lf\t%.*lf\t%.*lf\t%s\t%s", id.c_str(), kDecimals, r.langd,
                      kDecimals, r.z, decimals, r.x, text3.c_str(), text4.c_str());
    if (m_medeldata == 51) line += Format("\t%d", r.nummer);
    if (!same) *lastValue = r.langd;
    return line + "\n";
  }
  if (r.typ == 4 || r.typ == 7) {
    if (same) return Format("%s\t\t\t%ld\t%s\n", id.c_str(), static_cast<long>(r.nummer), text3.c_str());
    *lastValue = r.langd;
    return Format("%s\t%.*lf\t%.*lf\t%ld\t%s\n", id.c_str(), kDecimals, r.langd, kDecimals, r.z,
                  static_cast<long>(r.nummer), text3.c_str());
  }
  return std::string();
}
