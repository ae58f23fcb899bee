// CBorviCptPresentation: how a cone penetration test is presented (scales, steps, curve
// settings and a list of value triples), kept in a small file beside the sounding file: ID.SND
// has ID.cpt.
#pragma once

#include <string>

#include "geoproj/foundation/list0.h"

// One row of the presentation list. Plain; a new row is all zero.
struct cptpresentationtype {
  double p1;
  double p2;
  double p3;
};

class CBorviCptPresentation : public list0<cptpresentationtype> {
 public:
  CBorviCptPresentation() = default;
  ~CBorviCptPresentation() override = default;

  // The presentation file of a sounding file's path: the path without its last four
  // characters, then ".cpt".
  static std::string FileName(const std::string& sndPath);

  // Reads the presentation file of sndPath. 0 when read, -1 when it does not exist or does not
  // open (the members keep their values). Lines it cannot take are reported as dropped content
  // of the file and counted in m_droppedContent.
  int Init(const std::string& sndPath);
  // Writes the presentation file of sndPath when tvinga is non-zero or the file exists already.
  // 0 when written, -1 otherwise.
  int Uppdat(const std::string& sndPath, int tvinga);

  double d1 = 1.0;
  double d2 = 0.0;
  double d3 = 0.1;
  double d4 = 0.08;
  int i1 = 10;
  int i2 = 2;
  double d5 = 0.1;
  double d6 = 0.05;
  double d7 = 0.8;
  double d8 = 0.2;
  int i3 = 8;
  int i4 = 1;
  int i5 = 1;
  double d9 = 0.5;
  int i6 = 10;
  int i7 = 2;
  std::string guid;
  unsigned char andrad = 0;  // the host sets 1 when the settings were changed
  int m_droppedContent = 0;

 private:
  class LineReader;
  void ReadNumbered(LineReader& reader);
  void ReadRows(LineReader& reader);
  void SetNumberedLine(int number, const std::string& line, LineReader& reader);
};
