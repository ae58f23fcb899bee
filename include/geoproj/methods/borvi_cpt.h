// CBorviCpt: a cone penetration test (method code 7), one block of ID.SND: a header line and
// one line per depth with three measured values, a soil code and optional further values. It
// owns the test's settings (block 107, written right after it) and its presentation (the
// ".cpt" file beside ID.SND), and can derive an interpretation from the soil codes.
#pragma once

#include <string>

#include "geoproj/foundation/list0.h"
#include "geoproj/methods/borvi_cpt_header.h"
#include "geoproj/methods/borvi_cpt_presentation.h"

class CBorviSnd;
class CStdioFileMem;

// One measured depth. Plain; a new record is all zero.
struct cpttype {
  float djup;          // depth, metres
  int matvarde1;       // the three measured values
  int matvarde2;
  int matvarde3;
  int extra;           // first optional value
  double extra1;       // further optional values
  double extra2;
  double extra3;
  char kod[26];        // soil code, at most 25 characters
  char kortkod[6];     // symbol of the code found in kod, 4 characters
};

class CBorviCpt : public list0<cpttype> {
 public:
  static constexpr int kMetod = 7;

  // Only the owned objects and the GUID text are set up.
  CBorviCpt() = default;
  CBorviCpt(int option1, int option2, int embedded);
  ~CBorviCpt() override = default;

  // Reads the block after its code line: the header line, then data lines up to and including
  // the next "*" line, then the presentation file beside the file read. -1 when not even a
  // header line was there, else 0. Lines it cannot take whole, and a block cut off by the end
  // of the file, are reported as dropped content of the file.
  int Init(CStdioFileMem* file, const char* datum);
  // Writes the data block and the settings block, and the presentation file when it was
  // changed. Gives the test a GUID when it has none. Always 0.
  int Uppdat(CStdioFileMem* file);

  // 0 when a line's code is of the own-sounding group "MY", else -1.
  int MyKod();
  // Adds layer boundaries to the interpretation of snd from the soil codes; the level of a depth
  // d is the ground level - d * faktor. grov non-zero uses the coarse soil words. -1 with no
  // lines, else 0.
  int AutoTolk(CBorviSnd* snd, double faktor, int grov);

  char kodsystem[4] = {};  // "SGF" or "BVF"
  int htal2 = 0;           // header value 2: how the test ended
  char datum[12] = {};     // block date, day.month.year
  int htal3 = 0;           // header value 3; above 0 marks a digitised test
  int htal6 = 0;           // header value 6
  char htext[256] = {};    // header value 7, one word
  int areaflagga = 0;      // 1 when header value 1 lies strictly between 0.99 and 1.01
  int m_option1 = 0;
  int m_option2 = 0;
  int m_inbaddad = 0;
  std::string guid;
  CBorviCptPresentation presentation;
  CBorviCptHeader header;
  double m_startdjup = 0.0;  // set by the sounding file after reading; never in the file

 private:
  void ReadHeaderLine(CStdioFileMem* file, std::string line);
  void ReadDataLine(CStdioFileMem* file, const std::string& line);
  std::string DataLine(const cpttype& rec) const;
};
