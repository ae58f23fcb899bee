// geoproj_make_project DIR COUNT RECORDS: writes COUNT generated boreholes B1..BCOUNT into DIR,
// each with two blocks of RECORDS records, for the project-scale benchmarks.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "bench_borehole.h"

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: %s DIR COUNT RECORDS\n", argv[0]);
    return 2;
  }
  const std::string dir = argv[1];
  const int count = std::atoi(argv[2]);
  const int records = std::atoi(argv[3]);
  for (int i = 1; i <= count; ++i) {
    std::ofstream out(dir + "/B" + std::to_string(i) + ".SND", std::ios::binary);
    out << geoproj::bench::Borehole(records, records, i);
    if (!out) return 1;
  }
  return 0;
}
