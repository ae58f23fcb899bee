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

std::string Line(const char* format, double depth, long value) {
  char line[64];
  std::snprintf(line, sizeof line, format, depth, value);
  return line;
}

// A borehole file with a rotary sounding of dreie records and a total sounding of total records.
std::string Borehole(int dreie, int total) {
  std::string text =
      "6543210.125000\r\n1234567.500000\r\n20.000000\r\n9999999.900000\r\n0.000000\r\n"
      "0.000000 0 90.000000\r\nKommentar\r\n\r\n\r\n\r\n*\r\n97\r\n40 0\r\n"
      "*\r\n99\r\nGUID 6f1c2a3b-4d5e-4f60-8a7b-9c0d1e2f3a4b\r\n"
      "*\r\n21 03.05.2019\r\n1.000000 93 0 0 1 0 x GUID 10000000-0000-4000-8000-000000000021\r\n";
  for (int i = 0; i < dreie; ++i)
    text += Line("%7.3f %4ld 25       ST SA\r\n", 0.02 * i, 10 + i % 90);
  text += "*\r\n25 03.05.2019\r\n1.000000 90 0 4 1 0 t GUID 10000000-0000-4000-8000-000000000025\r\n";
  for (int i = 0; i < total; ++i)
    text += Line("%7.3f %5ld    10     0    LE\r\n", 0.02 * i, 100 + i % 50);
  return text + "*\r\n";
}

void QuietHandlers() {
  geoproj::SetStatusHandler([](const std::string&) {});
  geoproj::SetMessageHandler([](const std::string&, unsigned flags, const std::string&) {
    return geoproj::DefaultAnswer(flags);
  });
}

void BM_ReadWriteBorehole2000(benchmark::State& state) {
  QuietHandlers();
  BenchProject project;
  project.Write("BH1.SND", Borehole(1000, 1000));
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
  const std::string text = Borehole(40, 40);
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
