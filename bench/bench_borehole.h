// The generated borehole the benchmarks read and write: a rotary sounding and a total sounding
// of chosen lengths, positioned by its number so that the project's extents grow with it.
#pragma once

#include <cstdio>
#include <string>

namespace geoproj::bench {

inline std::string Line(const char* format, double depth, long value) {
  char line[64];
  std::snprintf(line, sizeof line, format, depth, value);
  return line;
}

// A borehole file with a rotary sounding of dreie records and a total sounding of total records.
inline std::string Borehole(int dreie, int total, int number = 0) {
  char head[160];
  std::snprintf(head, sizeof head, "%f\r\n%f\r\n20.000000\r\n9999999.900000\r\n0.000000\r\n",
                6543210.125 + number % 1000, 1234567.5 + number / 1000);
  char guid[80];
  std::snprintf(guid, sizeof guid, "GUID 6f1c2a3b-4d5e-4f60-8a7b-%012d\r\n", number);
  std::string text = std::string(head) +
                     "0.000000 0 90.000000\r\nKommentar\r\n\r\n\r\n\r\n*\r\n97\r\n40 0\r\n"
                     "*\r\n99\r\n" + guid +
                     "*\r\n21 03.05.2019\r\n1.000000 93 0 0 1 0 x GUID 10000000-0000-4000-8000-000000000021\r\n";
  for (int i = 0; i < dreie; ++i) text += Line("%7.3f %4ld 25       ST SA\r\n", 0.02 * i, 10 + i % 90);
  text += "*\r\n25 03.05.2019\r\n1.000000 90 0 4 1 0 t GUID 10000000-0000-4000-8000-000000000025\r\n";
  for (int i = 0; i < total; ++i) text += Line("%7.3f %5ld    10     0    LE\r\n", 0.02 * i, 100 + i % 50);
  return text + "*\r\n";
}

}  // namespace geoproj::bench
