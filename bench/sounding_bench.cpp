// Reading and writing sounding files: one borehole with 2,000 sounding records, and a whole
// project of 1,000 boreholes read, written and entered into the database one after the other.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include <geoproj/database/borvi_dbs.h>
#include <geoproj/foundation/messages.h>
#include <geoproj/platform/proj_path.h>
#include <geoproj/sounding/borvi_snd.h>

#include "bench_borehole.h"

namespace {

// A fresh project directory, removed with its content afterwards.
class BenchProject {
 public:
  BenchProject() {
    std::string base = (std::filesystem::temp_directory_path() / "geoproj-bench-XXXXXX").string();
    path_ = mkdtemp(base.data()) ? base : std::string();
    proj_.SetPath(path_.c_str());
  }
  ~BenchProject() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  BenchProject(const BenchProject&) = delete;
  BenchProject& operator=(const BenchProject&) = delete;

  CProjPath* proj() { return &proj_; }
  void Write(const std::string& name, const std::string& text) {
    std::ofstream out(path_ + "/" + name, std::ios::binary);
    out << text;
  }

 private:
  std::string path_;
  CProjPath proj_;
};

void QuietHandlers() {
  geoproj::SetStatusHandler([](const std::string&) {});
  geoproj::SetMessageHandler([](const std::string&, unsigned flags, const std::string&) {
    return geoproj::DefaultAnswer(flags);
  });
}

void BM_ReadWriteBorehole2000(benchmark::State& state) {
  QuietHandlers();
  BenchProject project;
  project.Write("BH1.SND", geoproj::bench::Borehole(1000, 1000));
  for (auto _ : state) {
    CBorviSnd snd(project.proj(), nullptr);
    snd.Init("BH1", nullptr);
    snd.Uppdat(nullptr, nullptr);
  }
  state.SetItemsProcessed(state.iterations() * 2000);
}
BENCHMARK(BM_ReadWriteBorehole2000)->Unit(benchmark::kMillisecond);

// Read + write + database update of every borehole of a 1,000-borehole project; the items
// counted are boreholes.
void BM_ProjectReadWriteUpdate(benchmark::State& state) {
  QuietHandlers();
  const int count = static_cast<int>(state.range(0));
  BenchProject project;
  const std::string text = geoproj::bench::Borehole(40, 40);
  for (int i = 0; i < count; ++i) project.Write("B" + std::to_string(i) + ".SND", text);
  CBorviDbs dbs(project.proj());
  dbs.Init(0, 1);
  for (auto _ : state) {
    for (int i = 0; i < count; ++i) {
      CBorviSnd snd(project.proj(), &dbs);
      snd.Init(("B" + std::to_string(i)).c_str(), nullptr);
      snd.Uppdat(nullptr, nullptr);
    }
  }
  state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_ProjectReadWriteUpdate)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace
