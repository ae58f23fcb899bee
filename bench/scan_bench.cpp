// The evaluation scans over projects of 1,000 and 4,000 boreholes (a rotary and a total sounding
// of 20 records each), beside the floor of reading the same files' bytes: the items counted are
// boreholes, so equal rates at both sizes show the scan is linear.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <geoproj/database/borvi_dbs.h>
#include <geoproj/foundation/messages.h>
#include <geoproj/foundation/text_helpers.h>
#include <geoproj/platform/proj_path.h>
#include <geoproj/reports/utv_dbs.h>

#include "bench_borehole.h"

namespace {

// A project of count generated boreholes and their records, removed afterwards.
class ScanProject {
 public:
  explicit ScanProject(int count) : count_(count) {
    std::string base = (std::filesystem::temp_directory_path() / "geoproj-scanbench-XXXXXX").string();
    path_ = mkdtemp(base.data()) ? base : std::string();
    proj_.SetPath(path_.c_str());
    for (int i = 1; i <= count; ++i) {
      const std::string id = "B" + std::to_string(i);
      std::ofstream(path_ + "/" + id + ".SND", std::ios::binary) << geoproj::bench::Borehole(20, 20, i);
      bhdbstype rec{};
      geoproj::CopyField(rec.id, id);
      geoproj::SetBit(rec.bit, geoproj::kBitBorehole);
      geoproj::SetBit(rec.bit, geoproj::kBitDreie);
      geoproj::SetBit(rec.bit, geoproj::kBitTotal);
      dbs_.Ny(1, &rec);
    }
  }
  ~ScanProject() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  ScanProject(const ScanProject&) = delete;
  ScanProject& operator=(const ScanProject&) = delete;

  CProjPath* proj() { return &proj_; }
  CBorviDbs* dbs() { return &dbs_; }
  std::string File(int i) const { return path_ + "/B" + std::to_string(i) + ".SND"; }
  int count() const { return count_; }

 private:
  int count_;
  std::string path_;
  CProjPath proj_;
  CBorviDbs dbs_;
};

void Quiet() { geoproj::SetStatusHandler([](const std::string&) {}); }

void BM_SondScan(benchmark::State& state) {
  Quiet();
  ScanProject project(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    metscantype scan{};
    geoproj::CopyField(scan.frandatum, "01.01.2019");
    geoproj::CopyField(scan.tilldatum, "31.12.2019");
    scan.sondering = 1;
    CUtvDbs utv(project.proj(), nullptr);
    utv.MetodScan(project.dbs(), &scan);
    utv.SondScan(project.dbs(), &scan);
    benchmark::DoNotOptimize(scan.totmeter);
    geoproj::DeleteScanLists(&scan);
  }
  state.SetItemsProcessed(state.iterations() * project.count());
}
BENCHMARK(BM_SondScan)->Arg(1000)->Arg(4000)->Unit(benchmark::kMillisecond);

// The floor: every sounding file opened and read whole, nothing parsed.
void BM_SondScanFloorReadFiles(benchmark::State& state) {
  ScanProject project(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    std::size_t bytes = 0;
    for (int i = 1; i <= project.count(); ++i) {
      std::ifstream in(project.File(i), std::ios::binary);
      bytes += std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()).size();
    }
    benchmark::DoNotOptimize(bytes);
  }
  state.SetItemsProcessed(state.iterations() * project.count());
}
BENCHMARK(BM_SondScanFloorReadFiles)->Arg(1000)->Arg(4000)->Unit(benchmark::kMillisecond);

}  // namespace
