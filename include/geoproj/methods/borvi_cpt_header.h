// CBorviCptHeader: the settings of a cone penetration test as key/value lines, kept as their own
// block (code 107) right after the test's data block in ID.SND, with typed access to the cone
// area factor ("MA"), the sleeve area factor ("MB") and the probe number ("HN").
#pragma once

#include "geoproj/foundation/list0.h"

class CStdioFileMem;

// One setting. Plain; a new entry is all zero.
struct cptheadertype {
  char nyckel[26];  // key: first word of the line, at most 25 characters
  char varde[128];  // value: from column 27 on, at most 127 characters
};

class CBorviCptHeader : public list0<cptheadertype> {
 public:
  static constexpr int Metod = 107;

  CBorviCptHeader() = default;
  ~CBorviCptHeader() override = default;

  // Reads key/value lines up to and including the next "*" line; appends. Always 0. A line
  // whose text between its key and the value column would be lost is reported as dropped
  // content of the file.
  int Init(CStdioFileMem* file);
  // Writes "*", the code line "107 " and one line per entry. Always 0.
  int Uppdat(CStdioFileMem* file);

  // The first (from the top, or from the bottom) entry whose key equals key without regard to
  // case becomes current: 0; -1 when there is none.
  int Find(const char* key);
  int FindReverse(const char* key);
  // Sets the value of key, appending an entry when there is none. Always 0.
  int SetValue(const char* key, const char* value);

  // Cone area factor: 1.0 without "MA"; set only when it differs from 1.0 by more than 0.001.
  double SpetsAreaFaktor();
  void SpetsAreaFaktor(double v);
  // Sleeve area factor: -0.0 without "MB"; set only when it differs from 0 by more than 0.001.
  double MantelAreaFaktor();
  void MantelAreaFaktor(double v);
  // Probe number: 0 without "HN"; set only when not 0.
  int SondNummer();
  void SondNummer(int n);

  // Set by the sounding file's reader once the test's settings block is read.
  bool m_inlast = false;

 private:
  // The value of the first entry with key, or null when there is none.
  const char* ValueText(const char* key);
};
