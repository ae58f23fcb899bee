// CProjektStatus: the project statuses the project information sheet offers, as a list of
// numbered texts.
//
// The status list file is a code page 1252 text file with one "number;text" per line (blanks
// around either part ignored, CR LF or LF). Blank lines, lines beginning with ";", lines
// without a number and ";", and lines with an empty text are passed over; a number given twice
// keeps its first text. Texts are cut to 63 characters. The lines passed over other than blank
// and ";" lines, and lines holding binary garbage, are reported as dropped content (status text
// with the file and line) and counted.
#pragma once

#include <geoproj/foundation/list0.h>

struct projektstatustype {
  int status;     // the status number
  char text[64];  // its display text
};

class CProjektStatus : public list0<projektstatustype> {
 public:
  CProjektStatus() = default;
  ~CProjektStatus() override = default;

  // Keeps an opaque handle of the host (its window or resource module); never used here.
  void SetHandle(void* handle) { m_handle = handle; }
  void* GetHandle() const { return m_handle; }

  // Replaces the list with the statuses of the file at path. When the file does not exist,
  // cannot be read or holds no status, the built-in list is taken instead. Returns 0 when the
  // file's statuses were taken, 1 when the built-in list was.
  int Load(const char* path);
  // Lines of the file the last Load could not take (see above).
  int DroppedContent() const { return m_droppedContent; }
  // Replaces the list with the built-in statuses: 1 "Planerat", 2 "P\xE5g\xE5ende",
  // 3 "Levererat", 4 "Vilande", 5 "Avslutat", 6 "Ska arkiveras", 7 "Arkiverat".
  void LoadDefault();

  // The text of status number, or null when the list has no such status.
  const char* GetStatus(int number);
  // The number of the status whose text equals text (letters compared as identifiers are,
  // blanks around text ignored), or -1.
  int Find(const char* text);

 private:
  void Clear();
  void Append(int number, const char* text);

  void* m_handle = nullptr;
  int m_droppedContent = 0;
};
