// CPoreKalFil: the pore-pressure sensor calibrations of the file "Poretryk.kal", looked for in
// the project directory first and then in the installation's two calibration directories.
#pragma once

#include "geoproj/foundation/list0.h"

class CProjPath;
class CBorvIni;

struct porest {
  int givare;       // sensor number
  double konst[3];  // calibration constants 1 to 3
};

class CPoreKalFil : public list0<porest> {
 public:
  static const char* const Filnamn;  // "Poretryk.kal"

  CPoreKalFil() = default;
  ~CPoreKalFil() override = default;

  // Loads the first calibration file found (project directory, then the settings' two
  // directories). Returns -1 in every case: callers learn the outcome from the table.
  int Init(CProjPath* path, CBorvIni* ini);
  // Makes the first entry of the sensor current: 0, or -1 when there is none.
  int Find(int givare);

  // Lines of the file read that could not be taken (reported with file and line).
  int m_droppedContent = 0;
};
