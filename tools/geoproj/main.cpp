#include <cstdio>

#include <geoproj/geoproj.h>

int main() {
  std::printf("geoproj %s\n", geoproj::Version());
  return 0;
}
