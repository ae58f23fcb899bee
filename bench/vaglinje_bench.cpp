// Station and corridor queries against alignments of growing length: each query walks the
// points once, so the time per query should grow linearly with the points.
#include <benchmark/benchmark.h>

#include <cmath>

#include <geoproj/platform/vaglinje.h>

namespace {

// A winding alignment of n points, 10 m apart.
void BuildAlignment(CVaglinje& line, int n) {
  for (int i = 0; i < n; ++i) {
    const double s = 10.0 * i;
    kovltype p{s, 200.0 * std::sin(s / 500.0), 0.0, s};
    line.Ny(1, &p);
  }
}

void BM_Vagstv(benchmark::State& state) {
  CVaglinje line;
  const int n = static_cast<int>(state.range(0));
  BuildAlignment(line, n);
  double x = 0.0;
  for (auto _ : state) {
    double sek = 0.0, avst = 0.0;
    benchmark::DoNotOptimize(line.Vagstv(x, 15.0, &sek, &avst));
    benchmark::DoNotOptimize(sek);
    x += 7.3;
    if (x > 10.0 * n) x = 0.0;
  }
  state.SetComplexityN(n);
}
BENCHMARK(BM_Vagstv)->RangeMultiplier(8)->Range(64, 262144)->Complexity(benchmark::oN);

}  // namespace
