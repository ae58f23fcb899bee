// CProjektMetodLista: one list of an evaluation, one row per borehole and method (or per pipe,
// sample or mean value for the lists a host fills itself), and the writer that puts it into a
// rich-text document as a table.
//
// The list's name tells its kind: "GVR", "GVRMONTERADE", "TLK", "PRV" and "MEDELDATA" (compared
// without regard to case) each have their own columns; every other name is a sounding-method
// list ("Dreie", "DreieTrykk", "Enkel", "Fjell", "Ram", "total", "CPT").
#pragma once

#include <string>

#include <geoproj/foundation/list0.h>

class CStdioFileMem;
struct metscantype;

// One row. A new row is all zero; which fields a list fills depends on its kind.
struct metlisttype {
  int typ;             // row kind of mean-data lists: 3, 4, 5 or 7
  char id[9];          // borehole identifier
  char datum1[12];     // block date of a sounding row; first date of a host row
  char datum2[12];     // second date of a host row
  char skapad[12];     // creation date of the sounding file
  char andrad[12];     // last-write date of the sounding file
  double sek;          // chainage: along the road alignment, or the sounding file's own
  double avst;         // offset, likewise
  double x;
  double y;
  double z;            // ground level
  double langd;        // sounded length; pipe length, sample depth or first level of host rows
  int stopp;           // stop code of a sounding row
  char text[6][80];    // free texts; interpretation rows: fill, dry-crust, clay, friction-soil
                       // and total depth
  int antal;           // number of readings of a groundwater row
  char metod[12];      // sampling method of a sample row
  int nummer;          // further number of a mean-data row
  char extra[80];      // further text printed with sounding rows
};

class CProjektMetodLista : public list0<metlisttype> {
 public:
  // The default start of every paragraph the report writes: fixed tab stops, font 3, 10 points.
  static const char* const m_parstart;

  CProjektMetodLista() = default;
  explicit CProjektMetodLista(const char* namn) : m_namn(namn ? namn : "") {}
  ~CProjektMetodLista() override = default;

  // The file Skriv writes into; it must be open for writing. Not owned.
  void SetUtfil(CStdioFileMem* file) { m_utfil = file; }

  // Writes the list as a table: a bold heading, then one line per row, each a rich-text
  // paragraph started by parstart (the default when null). A non-zero key sorts the list first
  // (keys of Sortval). An empty list writes nothing. 0, or -1 when no output file is set.
  int Skriv(int key, const char* parstart = nullptr, const char* unused = nullptr);

  // Widens the scan's extents (chainage, offset, x, y, level) to take in every row. Returns 0.
  int GransKoll(metscantype* scan);

  std::string m_namn;        // the list's kind
  int m_vaglinje = 0;        // 1: chainage and offset come from the road alignment
  int m_medeldata = -1;      // mean-data option of the report; 51 adds profile and liquid limit
  int m_val = 1;             // for the host's report
  int m_decimaler = 3;       // decimals of the mean-data value column
  CStdioFileMem* m_utfil = nullptr;  // not owned

 protected:
  // Key 1 identifier, 2 block date (each by its leading number, then ascending only by the
  // upper-cased text), 3 chainage, 4 x, 5 y, 6 stop code; negative keys descend.
  int Sortval(int key) override;

  // Writes one line: before, "{\b " when bold, "{\ul " when underlined, the line in rich text,
  // the closing braces, after; with one write. Returns 0.
  int WritRad(const char* line, int bold, int underline, const char* before, const char* after);
  // Makes rich text of a plain line: the characters that are markup in rich text are escaped,
  // tab becomes "\tab ", line feed "\par " and form feed "\page ". Returns 0.
  int RtfFormat(std::string* text);

 private:
  enum class Kind { kSounding, kGvr, kGvrMonterade, kTlk, kPrv, kMedeldata };
  Kind ListKind() const;
  void WriteHeading(Kind kind, const char* parstart);
  std::string RowLine(Kind kind, const metlisttype& row, double* lastValue) const;
  std::string SoundingRow(const metlisttype& row) const;
  std::string MedeldataRow(const metlisttype& row, double* lastValue) const;
};
