// Opening a borehole database of tens of thousands of records, and sorting it by identifier.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <system_error>
#include <vector>

#include <geoproj/database/borvi_dbs.h>
#include <geoproj/foundation/messages.h>
#include <geoproj/platform/proj_path.h>

namespace {

// Identifiers in random order, a third of them bare numbers as in many projects.
std::vector<bhdbstype> Records(int n) {
  std::mt19937 random(12345);
  std::vector<bhdbstype> records(static_cast<size_t>(n));
  for (int i = 0; i < n; ++i) {
    bhdbstype& r = records[static_cast<size_t>(i)];
    r = bhdbstype{};
    const unsigned number = random() % 9999999u;
    std::snprintf(r.id, sizeof r.id, i % 3 == 0 ? "%u" : "bh%u", number % (i % 3 == 0 ? 99999u : 999999u));
    r.bit.b[0] = 0x01;
    r.x = 6500000.0 + random() % 100000;
    r.y = 150000.0 + random() % 100000;
    r.z = 10.0 + random() % 50;
    r.sek = CBorviDbs::m_sek_noll;
    r.djup = 12.5f;
  }
  return records;
}

// A project directory holding a database of n records, removed afterwards.
class BenchDatabase {
 public:
  explicit BenchDatabase(int n)
      : dir_(std::filesystem::temp_directory_path() / ("geoproj-bench-dbs-" + std::to_string(n))) {
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
    path_.SetPath(dir_.string().c_str());
    CBorviDbs db(&path_);
    db.Init(0, 1);
    db.Init(0, 0);
    for (const auto& r : Records(n)) db.Ny(1, &r);
    db.SaveDbs(nullptr, 0);
  }
  ~BenchDatabase() {
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
  }
  CProjPath* path() { return &path_; }

 private:
  std::filesystem::path dir_;
  CProjPath path_;
};

void Quiet() {
  geoproj::SetMessageHandler([](const std::string&, unsigned flags, const std::string&) {
    return geoproj::DefaultAnswer(flags);
  });
}

void BM_DbsOpen(benchmark::State& state) {
  Quiet();
  const int n = static_cast<int>(state.range(0));
  BenchDatabase database(n);
  for (auto _ : state) {
    CBorviDbs db(database.path());
    benchmark::DoNotOptimize(db.Init(0, 0));
  }
  state.SetComplexityN(n);
  state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_DbsOpen)->Arg(3750)->Arg(7500)->Arg(15000)->Arg(30000)
    ->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

void BM_DbsSortById(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const std::vector<bhdbstype> records = Records(n);
  for (auto _ : state) {
    state.PauseTiming();
    CBorviDbs db;
    for (const auto& r : records) db.Ny(1, &r);
    state.ResumeTiming();
    benchmark::DoNotOptimize(db.Sortera(1));
  }
  state.SetComplexityN(n);
}
BENCHMARK(BM_DbsSortById)->Arg(3750)->Arg(7500)->Arg(15000)->Arg(30000)
    ->Unit(benchmark::kMillisecond)->Complexity(benchmark::oNLogN);

}  // namespace
