// What the core-drilling and water-loss blocks share: their header line of one number and six
// whole numbers followed by the block's GUID, and the placing of the free text behind the
// numbers of a record line.
#pragma once

#include <cstddef>
#include <string>

#include "geoproj/foundation/text_helpers.h"

class CStdioFileMem;

namespace geoproj {

struct TalHuvud {
  float varde1 = 0.0f;
  int tal[6] = {};       // the six whole numbers, in line order
  int antal = 0;         // values the line held (0 when none)
  bool tolkad = false;   // every value the line holds was read
  std::string guid;
};

// Splits a header line (already converted from the DOS code page).
TalHuvud LasTalHuvud(const std::string& line);
// The header line as written, LF included; the first value is written as a floating-point
// number.
std::string SkrivTalHuvud(int varde1, const int (&tal)[6], const std::string& guid);

// Reads the header line that follows a block's code line (whose number is kodrad) into *huvud.
// False when there is none: a "*" line in its place (left read, it ends the block) or the end
// of the file, which is reported as the block cut off.
bool LasBlockHuvud(CStdioFileMem* file, int metod, int kodrad, TalHuvud* huvud);

// The part of a record line its numbers are read from: the numbers written to fit the text
// column leave a blank before it, and then the text is no business of theirs; numbers too
// wide for the column push the text right, and then the whole line is scanned.
std::string SiffrorDel(const std::string& line, std::size_t kolumn);

// Where the free text of a record line starts: at the text column, or behind the numbers when
// they are wider than the column and the line holds them as written (siffror is how the values
// read are written).
std::size_t TextStart(const std::string& line, const std::string& siffror, std::size_t kolumn);

// Reads the values of a record line into r with scan(text, &r) (the count of values read), and
// gives the part they were read from in *siffror; write(r) is how the values are written.
// Besides the cut of SiffrorDel: values too wide for their columns are written with the text
// behind them, and a blank may then stand before the text column, so a line that holds the
// values read from the whole line exactly as written gives them; values that fill the text
// column exactly have the text straight behind them. Returns the count of values read.
template <class Rec, class Scan, class Write>
int LasSiffror(const std::string& line, std::size_t kolumn, Rec& r, std::string* siffror,
               Scan scan, Write write) {
  const Rec tom = r;
  *siffror = SiffrorDel(line, kolumn);
  int n = scan(*siffror, &r);
  if (siffror->size() < line.size()) {
    Rec hel = tom;
    const int m = scan(line, &hel);
    const std::string skriven = write(hel);
    if (m > n && TextStart(line, skriven, kolumn) != kolumn) {
      r = hel;
      n = m;
      *siffror = skriven;
    }
  }
  if (siffror->size() > kolumn) {
    Rec egen = r;
    const std::string del = line.substr(0, kolumn);
    const int m = scan(del, &egen);
    if (write(egen) == del) {
      r = egen;
      n = m;
      *siffror = del;
    }
  }
  return n;
}

// The code system a header's fifth value names: "SGF" when the line held it and it is 1.
const char* KodsystemAv(const TalHuvud& huvud);

// Takes what core drilling and water loss share of their header line: the block date, GUID,
// area flag, the two numbers after it and the code system.
template <class Block>
void TaTalHuvud(Block& block, const TalHuvud& huvud, const char* datum) {
  CopyField(block.datum, datum ? datum : "");
  block.guid = huvud.guid;
  block.areaflagga = huvud.varde1 > 0.99f && huvud.varde1 < 1.01f ? 1 : 0;
  if (huvud.antal >= 2) block.htal2 = huvud.tal[0];
  if (huvud.antal >= 3) block.htal3 = huvud.tal[1];
  CopyField(block.kodsystem, KodsystemAv(huvud));
}

}  // namespace geoproj
