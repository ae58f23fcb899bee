// CVattenF: the water-loss block (method code 14) of a ".SND" file: one record per measured
// section.
#pragma once

#include <cstdint>
#include <string>

#include "geoproj/foundation/list0.h"

class CStdioFileMem;

// One record line. Plain and copied bytewise.
struct vftype {
  double w1, w2, w3, w4, w5, w6;
  char text[32];       // free text from column 51
  std::int16_t wtal;
};

class CVattenF : public list0<vftype> {
 public:
  static constexpr int kMetod = 14;
  // Record lines: the text starts here.
  static constexpr std::size_t kTextKolumn = 50;

  CVattenF();
  ~CVattenF() override = default;

  // Reads the block that follows its code line, up to and including the next "*" line.
  // -1 when not even the header line is there, else 0. Lines it cannot take are reported as
  // dropped content of the file.
  int Init(CStdioFileMem* file, const char* datum);
  // Writes the block with its "*" and code lines; gives the block a GUID when it has none.
  int Uppdat(CStdioFileMem* file);

  char kodsystem[4] = {};   // "SGF" or "BVF"
  int htal2 = 0;
  char datum[12] = {};      // block date, day.month.year
  int htal3 = 0;
  char reserv[5] = {};
  int areaflagga = 0;       // 1 when the header's first value lies strictly between 0.99 and 1.01
  std::string guid;

 private:
  void ReadRecord(CStdioFileMem* file, const std::string& line);
  static std::string Numbers(const vftype& rec);
};
