// CKarnborr: the core-drilling block (method code 13) of a ".SND" file: one record per drilled
// length with its coded observations, and the rock level the drilling reached.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "geoproj/foundation/list0.h"

class CStdioFileMem;

// One record line, with the values of its extension line. Plain and copied bytewise.
struct kbtype {
  double djup;                 // metres
  std::int16_t k1, k2, k3, k4, k5, k6, k7, k8, k9, k10, k11, k12, k13;
  double kvarde;               // written with three decimals
  std::int16_t k14;
  char text[20];               // free text from column 61
  char b1, b2, b3, b4, b5, b6; // one-character values of the extension line; blank = none
  double e1, e2, e3, e4, e5;   // values of the extension line
};

class CKarnborr : public list0<kbtype> {
 public:
  static constexpr int kMetod = 13;
  // Record lines: the text starts here, behind numbers that take 58 characters at least.
  static constexpr std::size_t kTextKolumn = 60;

  CKarnborr();
  ~CKarnborr() override = default;

  // Reads the block that follows its code line, up to and including the next "*" line.
  // -1 when not even the header line is there, else 0. Lines it cannot take are reported as
  // dropped content of the file.
  int Init(CStdioFileMem* file, const char* datum);
  // Writes the block with its "*" and code lines; gives the block a GUID when it has none.
  int Uppdat(CStdioFileMem* file);
  // The rock level the drilling reached: 0 with it in *z, -1 when there is none.
  int ZBerg(double* z);

  char kodsystem[4] = {};   // "SGF" or "BVF"
  int htal2 = 0;
  char datum[12] = {};      // block date, day.month.year
  int htal3 = 0;
  char reserv[5] = {};
  int areaflagga = 0;       // 1 when the header's first value lies strictly between 0.99 and 1.01
  int version = 2;          // 2: current record layout, 0: the old one
  double zberg = 0.0;       // rock level, metres; 0 = none
  std::string guid;

 private:
  // A comment line ("%") of the block and the number of records read before it. Comments belong
  // to no record; they are kept so that a save writes them back where they stood.
  struct Comment {
    int before = 0;
    std::string line;
  };

  void ReadRecord(CStdioFileMem* file, const std::string& line);
  void WriteComments(CStdioFileMem* file, int records, std::size_t* next) const;
  void ReadExtension(CStdioFileMem* file, const std::string& line, double first);
  std::string RecordLine(const kbtype& rec) const;
  std::string ExtensionLine(const kbtype& rec) const;
  int RockCentimetres() const;

  std::vector<Comment> m_comments;
};
