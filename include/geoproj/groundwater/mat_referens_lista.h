// CMatReferensLista: the reference series groundwater levels are judged against, read from the
// reference file in the installation's settings directory: named stations, each with a number,
// a position and its dated values.
#pragma once

#include <string>

#include "geoproj/foundation/list0.h"

class CBorvIni;
class CMatReferensData;

struct matreflisttype {
  char namn[16];            // at most 15 characters
  int nummer;
  double koord1;
  double koord2;
  CMatReferensData* data;   // owned; none when the reference has no values
};

class CMatReferensLista : public list0<matreflisttype> {
 public:
  explicit CMatReferensLista(CBorvIni* ini);
  ~CMatReferensLista() override;

  // Reads the reference file when it exists and opens; 0.
  int Init();
  // The first reference of that name (upper-cased on both sides), made current; null when none.
  matreflisttype* Find(const char* namn);

  CBorvIni* ini = nullptr;
  // Lines of the file read that could not be taken (reported with file and line).
  int m_droppedContent = 0;

 private:
  bool ReadValue(const std::string& line, matreflisttype* ref);
};
