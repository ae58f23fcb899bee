// SondBlock: what the seven penetration-sounding blocks of a ".SND" file share: the header
// values, the header line, the loop that reads data lines up to the next "*" line, the loop that
// writes them, and the code searches in the record texts.
//
// A block class derives from SondBlock<itself, its record, size of text 7> and supplies
//   static constexpr int kMetod;                 the method code
//   static constexpr std::size_t kTextKolumn;    where the free text starts in a data line
//   bool LasData(T& rec, const std::string& line);  the numbers (and weight or mode); false
//                                                   when the line lacks numbers its format holds
//   void SkrivData(T& rec, RecordLine& line);    appends the numbers part of a line as written
// and may declare `int m_varde4` to keep header value 4 (otherwise it is read and dropped, and
// written as 0).
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "geoproj/foundation/list0.h"
#include "geoproj/foundation/record_line.h"
#include "geoproj/foundation/stdio_file_mem.h"
#include "geoproj/foundation/text_helpers.h"

namespace geoproj {

// The header line of a block, split into its values.
struct SondHuvud {
  float varde1 = 0.0f;
  int stopp = 0;
  int varde3 = 0;
  int varde4 = 0;
  int varde5 = 0;
  long varde6 = 0;
  std::string text7;
  std::string guid;
  int antal = 0;  // number of values the header line held (0 when none)
  bool tolkad = false;  // every value the line holds was read
};

// Takes the GUID from a line ending in "GUID <guid>" and cuts the line before the word. A line
// without the word, or with it first, is left as it is and gives no GUID. A GUID never holds
// the letters G, U or I, so the last occurrence of the word is the marker even when the text
// before it happens to contain the word.
std::string SplitGuidTail(std::string& line);

// Splits a header line (already converted from the DOS code page). text7 is cut to
// text7_max characters.
SondHuvud LasSondHuvud(const std::string& line, std::size_t text7_max);

// The header line as written, LF included.
std::string SkrivSondHuvud(int flagga1, int stopp, int varde3, int varde4, const char* kodtyp,
                           long varde6, const char* text7, const std::string& guid);

// What the next line of a block is: a data line, the line beginning with "*" that ends the block
// (consumed), or the end of the file, which cuts the block off.
enum class SondRadTyp { kData, kSlut, kFilslut };

// Reads the next line of a block (without its line end). A data line is converted from the DOS
// code page.
SondRadTyp LasSondRad(CStdioFileMem* file, std::string& line);

// Whether a data line held every number its format holds: at least kravda of them, and as many
// as the part before the text column holds words, up to mest. lasta is the scanf result.
bool SondSiffrorTagna(const std::string& line, std::size_t kolumn, int lasta, int kravda,
                      int mest);

// Reports a header or data line the block could not take whole as dropped content of the file.
void SondRadKontroll(CStdioFileMem* file, const std::string& line, bool tolkad, const char* vad);

// Reports the block whose code line is kodrad as cut off by the end of the file.
void SondBlockAvskuret(CStdioFileMem* file, int kodrad, int metod);

// The free text of a data line: everything after its first kolumn characters, cut to the field.
void SondText(char* text, std::size_t size, const std::string& line, std::size_t kolumn);

// Completes a line holding the numbers part: blanks up to kolumn characters, then the text (at
// most size characters) and LF.
void SondRad(RecordLine& siffror, std::size_t kolumn, const char* text, std::size_t size);
void SondRad(std::string& siffror, std::size_t kolumn, const char* text, std::size_t size);

// Copies the first 4 characters of the symbol of the first code found in text (method metod,
// all words) into symbol; leaves it untouched when no code is found.
void SondSymbol(int metod, const char* text, const char* kodtyp, char (&symbol)[4]);

// True when text holds a code of the given kind ("MY", "F") allowed for the method.
bool SondHarKod(int metod, const char* text, const char* kind, const char* kodtyp);

// Offers a written line to the sounding file's hook when option 1 is set.
void SondRadSkriven(int option1);

// The default code system of new blocks, and a fresh GUID text.
const char* SondKodtyp();
std::string SondNyGuid();

template <class Derived, class T, std::size_t Text7Size = 256>
class SondBlock : public list0<T> {
 public:
  char m_kodtyp[4] = {};      // "SGF" or the program's own "BVF"
  int m_stopp = 0;            // header value 2: how the sounding ended, 90 to 94
  char m_datum[12] = {};      // block date, day.month.year
  int m_varde3 = 0;           // header value 3; above 0 marks a digitised sounding
  long m_varde6 = 0;          // header value 6
  char m_text7[Text7Size] = {};  // header value 7, one word
  int m_flagga1 = 0;          // 1 when header value 1 lies strictly between 0.99 and 1.01
  int m_option1 = 0;
  int m_option2 = 0;
  int m_inbaddad = 0;         // embedded mode
  std::string m_guid;         // the block's own GUID text

  // Reads the block that follows the code line: the header line, then data lines up to and
  // including the next "*" line. Appends to the list. 0 = read, -1 = no header line; then
  // nothing changes. Lines it cannot take whole, and a block the end of the file cuts off, are
  // reported as dropped content of the file.
  int Init(CStdioFileMem* file, const char* datum) {
    if (!file) return -1;
    const int kodrad = file->GetLineNumber();
    std::string line;
    if (!file->ReadString(line)) {
      SondBlockAvskuret(file, kodrad, Derived::kMetod);
      return -1;
    }
    // A "*" in place of the header line ends the block: reading on would take the next
    // section's code and header lines for data.
    if (!line.empty() && line[0] == '*') return -1;
    CopyField(m_datum, datum ? datum : "");
    DosToWin(line);
    const SondHuvud huvud = LasSondHuvud(line, Text7Size - 1);
    SondRadKontroll(file, line, huvud.tolkad, "header line does not parse");
    TaHuvud(huvud);
    SondRadTyp typ;
    const T* forra = nullptr;
    while ((typ = LasSondRad(file, line)) == SondRadTyp::kData) {
      this->Ny(1, nullptr);
      T& rec = *this->pael;
      SondRadKontroll(file, line, Self().LasData(rec, line), "data line does not parse");
      VardenSomSkrivna(rec, line);
      SondText(rec.text, sizeof rec.text, line, TextKolumn(rec, line));
      if constexpr (requires { rec.symbol; }) {
        // Both start without a symbol, so the record before answers for the same text.
        if (SammaText(forra, rec))
          std::memcpy(rec.symbol, forra->symbol, sizeof rec.symbol);
        else
          SondSymbol(Derived::kMetod, rec.text, m_kodtyp, rec.symbol);
      }
      forra = &rec;
    }
    if (typ == SondRadTyp::kFilslut) SondBlockAvskuret(file, kodrad, Derived::kMetod);
    return 0;
  }

  // Writes the block: "*" line, code line, header line and one line per record. Gives the block
  // a GUID when it has none. Always 0.
  int Uppdat(CStdioFileMem* file) {
    // A GUID holds its text up to a stray zero byte read into it; one cut short by it is none.
    if (std::strlen(m_guid.c_str()) < 36) m_guid = SondNyGuid();
    file->WriteString(Format("*\n%d %s\n", Derived::kMetod, FieldText(m_datum).c_str()));
    file->WriteString(SkrivSondHuvud(m_flagga1, m_stopp, m_varde3, Varde4(),
                                     FieldText(m_kodtyp).c_str(), m_varde6,
                                     FieldText(m_text7).c_str(), m_guid));
    SondRadSkriven(m_option1);
    if (this->Home() < 0) return 0;
    RecordLine line;
    do {
      T& rec = *this->pael;
      line.Clear();
      Self().SkrivData(rec, line);
      SondRad(line, Derived::kTextKolumn, rec.text, sizeof rec.text);
      file->WriteBytes(line.View());
      SondRadSkriven(m_option1);
    } while ((*this)++);
    return 0;
  }

 protected:
  SondBlock() = default;
  SondBlock(int option1, int option2, int inbaddad)
      : m_option1(option1), m_option2(option2), m_inbaddad(inbaddad) {
    CopyField(m_kodtyp, SondKodtyp());
  }

  // 0 when a record's text holds a code of the kind; the depth of the first such record goes
  // to *djup when given. -1 when none does or the list is empty.
  int FindKodRad(const char* kind, float* djup) {
    if (this->Home() < 0) return -1;
    const T* forra = nullptr;
    do {
      const T& rec = *this->pael;
      // A text like the one before holds no such code either.
      if (!SammaText(forra, rec) && SondHarKod(Derived::kMetod, rec.text, kind, m_kodtyp)) {
        if (djup) *djup = static_cast<float>(rec.djup);
        return 0;
      }
      forra = &rec;
    } while ((*this)++);
    return -1;
  }

  // The rock check of the rock-control soundings: only a sounding stopped against rock or a
  // boulder (stop code 93 or 94) is searched for the rock mark "F".
  int BergKontrollRad(float* djup) {
    if (this->Where(nullptr) < 0 || (m_stopp != 93 && m_stopp != 94)) return -1;
    return FindKodRad("F", djup);
  }

 private:
  Derived& Self() { return static_cast<Derived&>(*this); }

  // The records of a block mostly repeat the text of the one before (most often none), and a
  // code lookup answers the same for the same text.
  static bool SammaText(const T* forra, const T& rec) {
    if (!forra) return false;
    // A short text (a code or none) is told by its first eight bytes: equal, with the text's
    // end among them.
    static_assert(sizeof rec.text >= 8);
    std::uint64_t a, b;
    std::memcpy(&a, forra->text, 8);
    std::memcpy(&b, rec.text, 8);
    constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
    if (a == b && ((a - kOnes) & ~a & (kOnes << 7)) != 0) return true;
    return std::strncmp(forra->text, rec.text, sizeof rec.text) == 0;
  }

  // Values that fill the numbers part up to the text column are written with the text straight
  // behind their last character, where reading the whole line can take characters of the text
  // into the last value. When the values read from the whole line would not be written as this
  // line, but those of the numbers part alone would, these are its values.
  void VardenSomSkrivna(T& rec, const std::string& line) {
    const std::size_t kolumn = Derived::kTextKolumn;
    if (line.size() <= kolumn || line[kolumn - 1] == ' ' || SkrivsSom(rec, line)) return;
    T egen{};
    Self().LasData(egen, line.substr(0, kolumn));
    if (SkrivsSom(egen, line)) rec = egen;
  }

  // Whether rec, with the text the line holds for it, is written as the line (up to where a
  // text too long for its field is cut).
  bool SkrivsSom(T& rec, const std::string& line) {
    const std::size_t kolumn = TextKolumn(rec, line);
    const std::string text = line.size() > kolumn ? line.substr(kolumn) : std::string();
    RecordLine rad;
    Self().SkrivData(rec, rad);
    SondRad(rad, Derived::kTextKolumn, text.c_str(), sizeof rec.text - 1);
    const std::string_view skriven = rad.View().substr(0, rad.Size() - 1);  // without its LF
    if (text.size() > sizeof rec.text - 1) return line.compare(0, skriven.size(), skriven) == 0;
    return line == skriven;
  }

  // Where the text of a data line starts: in its column, unless the values read are too wide
  // for their columns (a damaged file) and the line holds them as SondRad writes them, with the
  // text behind them.
  std::size_t TextKolumn(T& rec, const std::string& line) {
    const std::size_t kolumn = Derived::kTextKolumn;
    // A line that ends before the column has no text that numbers could have pushed right.
    if (line.size() <= kolumn) return kolumn;
    // Most records fit their columns; measuring tells so without writing their digits.
    RecordLine matt{RecordLine::Measure{}};
    Self().SkrivData(rec, matt);
    if (matt.Size() <= kolumn) return kolumn;
    RecordLine rad;
    Self().SkrivData(rec, rad);
    const std::string_view siffror = rad.View();
    const std::size_t bredd = siffror.size();
    if (bredd <= kolumn || line.size() < bredd ||
        line.compare(kolumn, bredd - kolumn, siffror, kolumn, bredd - kolumn) != 0)
      return kolumn;
    return siffror.back() == ' ' ? bredd : bredd + 1;
  }

  void TaHuvud(const SondHuvud& h) {
    m_flagga1 = (h.varde1 > 0.99f && h.varde1 < 1.01f) ? 1 : 0;
    if (h.antal >= 2) m_stopp = h.stopp;
    if (h.antal >= 3) m_varde3 = h.varde3;
    m_varde6 = h.antal >= 6 ? h.varde6 : 0;
    CopyField(m_text7, h.antal >= 7 ? h.text7 : std::string());
    CopyField(m_kodtyp, (h.antal > 4 && h.varde5 == 1) ? "SGF" : "BVF");
    if constexpr (requires(Derived& d) { d.m_varde4; })
      Self().m_varde4 = h.antal >= 4 ? h.varde4 : 0;
    m_guid = h.guid;
  }

  int Varde4() {
    if constexpr (requires(Derived& d) { d.m_varde4; })
      return Self().m_varde4;
    else
      return 0;
  }
};

}  // namespace geoproj
