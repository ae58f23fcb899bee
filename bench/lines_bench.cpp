// The line database opened with tens of thousands of records, and a long line read and written,
// each beside its floor: the same bytes read (and written) without parsing.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include <geoproj/foundation/messages.h>
#include <geoproj/foundation/text_helpers.h>
#include <geoproj/lines/kvar_bv_dbs.h>
#include <geoproj/lines/linje_bv_data.h>
#include <geoproj/platform/files.h>
#include <geoproj/platform/proj_path.h>

namespace {

// A project directory with its line folder, removed afterwards.
class BenchProject {
 public:
  explicit BenchProject(const std::string& name)
      : dir_(std::filesystem::temp_directory_path() / ("geoproj-bench-" + name)) {
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_ / CProjPath::BorvDbfKat);
    path_.SetPath(dir_.string().c_str());
    geoproj::SetMessageHandler([](const std::string&, unsigned flags, const std::string&) {
      return geoproj::DefaultAnswer(flags);
    });
  }
  ~BenchProject() {
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
  }
  CProjPath* path() { return &path_; }

 private:
  std::filesystem::path dir_;
  CProjPath path_;
};

// A line database of n records, written the way the restore writes it.
void FillDatabase(CProjPath* path, int n) {
  CKvarBvDbs db(path, nullptr);
  db.Init(0, 1);
  for (int i = 0; i < n; ++i) {
    sadbstype r{};
    r.typ = i % 2 ? 5 : 2;
    std::snprintf(r.id, sizeof r.id, "L%d", i);
    geoproj::CopyField(r.fil, r.id);
    r.x = 6500000.0 + i;
    r.y = 150000.0 + i;
    r.dx = r.dy = 10.0;
    db.Ny(1, &r);
    db.Uppdat(0);
  }
}

void BM_LineDatabaseOpen(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  BenchProject project("kvartoli-" + std::to_string(n));
  FillDatabase(project.path(), n);
  for (auto _ : state) {
    CKvarBvDbs db(project.path(), nullptr);
    benchmark::DoNotOptimize(db.Init(1, 0));
  }
  state.SetComplexityN(n);
  state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_LineDatabaseOpen)->Arg(5000)->Arg(10000)->Arg(20000)->Arg(40000)
    ->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

void BM_LineDatabaseOpenFloor(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  BenchProject project("kvartoli-floor-" + std::to_string(n));
  FillDatabase(project.path(), n);
  const std::string file = geoproj::JoinPath(project.path()->m_projKat, CKvarBvDbs::KvarDbsNamn);
  for (auto _ : state) {
    std::string bytes;
    benchmark::DoNotOptimize(geoproj::ReadFileBytes(file, &bytes));
  }
  state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_LineDatabaseOpenFloor)->Arg(40000)->Unit(benchmark::kMillisecond);

// A line of 20000 points with two layers.
void MakeLine(CProjPath* path) {
  CLinjeBvData line(path, "LONG", 0);
  geoproj::CopyField(line.m_lagnamn[1], "Lera");
  for (int i = 0; i < 20000; ++i) {
    lintype p{};
    p.forst = i * 2.5;
    p.x = 6500000.0 + i * 2.0;
    p.y = 150000.0 + i * 1.5;
    p.z = 20.0 - i * 0.001;
    p.lager[0] = p.z - 5.0;
    p.lager[1] = p.z - 1.0;
    std::snprintf(p.text, sizeof p.text, "P%d", i % 1000);
    line.Ny(1, &p);
  }
  line.Save(nullptr);
}

void BM_LongLineReadWrite(benchmark::State& state) {
  BenchProject project("long-line");
  MakeLine(project.path());
  for (auto _ : state) {
    CLinjeBvData line(project.path(), "LONG", 0);
    line.Init(1);
    benchmark::DoNotOptimize(line.Save(nullptr));
  }
}
BENCHMARK(BM_LongLineReadWrite)->Unit(benchmark::kMillisecond);

void BM_LongLineReadWriteFloor(benchmark::State& state) {
  BenchProject project("long-line-floor");
  MakeLine(project.path());
  const std::string file = CLinjeBvData(project.path(), "LONG", 0).GetFilePath();
  const std::string copy = file + ".copy";
  for (auto _ : state) {
    std::string bytes;
    geoproj::ReadFileBytes(file, &bytes);
    benchmark::DoNotOptimize(geoproj::WriteFileBytes(copy, bytes));
  }
}
BENCHMARK(BM_LongLineReadWriteFloor)->Unit(benchmark::kMillisecond);

}  // namespace
