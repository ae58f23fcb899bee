// Listing a project directory of many borehole files, as a restore does: one pass over the
// directory and one sort.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include <geoproj/platform/dir_sort.h>

namespace {

void BM_DirSortAll(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const std::filesystem::path dir = std::filesystem::temp_directory_path() /
                                    ("geoproj-bench-dirsort-" + std::to_string(n));
  std::filesystem::create_directories(dir);
  for (int i = 0; i < n; ++i) {
    // Reversed numbering so that the listing starts far from sorted.
    char name[32];
    std::snprintf(name, sizeof name, "BH%06d.SND", n - i);
    std::FILE* f = std::fopen((dir / name).string().c_str(), "wb");
    if (f) std::fclose(f);
  }
  const std::string pattern = (dir / "*.*").string();
  for (auto _ : state) {
    CDirSort list;
    benchmark::DoNotOptimize(list.Init(pattern.c_str(), 0));
  }
  state.SetComplexityN(n);
  std::error_code ec;
  std::filesystem::remove_all(dir, ec);
}
BENCHMARK(BM_DirSortAll)->RangeMultiplier(4)->Range(256, 16384)->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oNLogN);

}  // namespace
