#include <geoproj/geoproj.h>

#include <cstdio>

int main() {
  CProjPath path;
  path.SetPath("/tmp/project");
  std::printf("%s %s\n", geoproj::Version(), CProjPath::BorvDbsNamn);
  return 0;
}
