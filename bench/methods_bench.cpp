// Reading and writing a borehole that holds core drilling, water loss, environmental data and
// vane tests with 2,000 records each, beside the floor: reading the same files' bytes and
// finding their lines.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <geoproj/foundation/messages.h>
#include <geoproj/methods/borvi_vb.h>
#include <geoproj/platform/proj_path.h>
#include <geoproj/sounding/borvi_snd.h>

namespace {

constexpr int kRecords = 2000;
const char* const kFiles[] = {"BH1.SND", "BH1.MIL", "BH1.VB"};

template <class... Args>
std::string Printf(const char* format, Args... args) {
  char line[160];
  std::snprintf(line, sizeof line, format, args...);
  return line;
}

std::string SoundingFile() {
  std::string text =
      "6543210.125000\r\n1234567.500000\r\n20.000000\r\n9999999.900000\r\n0.000000\r\n"
      "0.000000 0 90.000000\r\n*\r\n97\r\n40 0\r\n*\r\n99\r\n"
      "GUID 6f1c2a3b-4d5e-4f60-8a7b-000000000001\r\n"
      "*\r\n13 03.05.2019\r\n1.000000 5 2 -1234 1 0 2 GUID 10000000-0000-4000-8000-000000000013\r\n";
  for (int i = 0; i < kRecords; ++i) {
    std::string line = Printf("%6.2f  3  2  45 -30 1 2 10  4 3 1200  80 1 0 %8.3f %3d", 0.01 * i,
                              12.345, i % 200);
    line.resize(60, ' ');
    text += line + "gnejs\r\n";
    if (i % 10 == 5) text += Printf("%.2f 0.5 1.25 2.0 3.5 4.0 65 32 32 32 32 66\r\n", -0.01 * i);
  }
  text += "*\r\n14 03.05.2019\r\n0.000000 2 3 0 1 0 0 GUID 10000000-0000-4000-8000-000000000014\r\n";
  for (int i = 0; i < kRecords; ++i) {
    std::string line = Printf("%7.3f %7.3f 0.5 12.0 3.5 0.250 %d", 0.01 * i, 0.01 * i + 3, i % 9);
    line.resize(50, ' ');
    text += line + "tat\r\n";
  }
  return text;
}

std::string EnvironmentalFile() {
  std::string text = "12.05.2020 3 1 1.500000 GUID 10000000-0000-4000-8000-000000000045\r\n*\r\n";
  for (int i = 0; i < kRecords; ++i) {
    text += Printf("P%-2d %7.2f a b c%d\r\n", i % 100, 0.01 * i, i % 10);
    text += "kind   12.5  x      12345678\r\nkommentar\r\n";
  }
  return text + "*\r\n";
}

std::string VaneFile() {
  std::string text =
      "6543210.125000\r\n1234567.500000\r\n20.000000\r\n9999999.900000\r\n0.000000\r\n"
      "0.000000\r\nSGI-65\r\n3\r\nkommentar GUID 10000000-0000-4000-8000-000000000020\r\n*\r\n";
  for (int i = 0; i < kRecords; ++i)
    text += Printf(" %.3f 12.5 10.0 0.0 1.5 4 0.25 %d 8.75 le\r\n", 0.01 * i, i % 3);
  return text + "*\r\n*\r\n99\r\nGUID 6f1c2a3b-4d5e-4f60-8a7b-000000000001\r\n";
}

class Project {
 public:
  Project() {
    std::string base = (std::filesystem::temp_directory_path() / "geoproj-bench-XXXXXX").string();
    path_ = mkdtemp(base.data()) ? base : std::string();
    proj_.SetPath(path_.c_str());
    Write("BH1.SND", SoundingFile());
    Write("BH1.MIL", EnvironmentalFile());
    Write("BH1.VB", VaneFile());
  }
  ~Project() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  CProjPath* proj() { return &proj_; }
  std::string file(const char* name) const { return path_ + "/" + name; }

 private:
  void Write(const char* name, const std::string& text) {
    std::ofstream out(file(name), std::ios::binary);
    out << text;
  }
  std::string path_;
  CProjPath proj_;
};

void Quiet() {
  geoproj::SetStatusHandler([](const std::string&) {});
  geoproj::SetMessageHandler([](const std::string&, unsigned flags, const std::string&) {
    return geoproj::DefaultAnswer(flags);
  });
}

// A borehole with a vane object is written through its vane file alone; the sounding and
// environmental files are written with the vane object set aside, then the vane file.
void BM_ReadWriteOtherMethods2000(benchmark::State& state) {
  Quiet();
  Project project;
  for (auto _ : state) {
    CBorviSnd snd(project.proj(), nullptr);
    snd.Init("BH1", nullptr);
    if (snd.m_droppedContent) state.SkipWithError("the generated borehole did not read whole");
    CBorviVb* vane = snd.vb;
    snd.vb = nullptr;
    snd.Uppdat(nullptr, nullptr);
    snd.vb = vane;
    snd.UppdatVb(nullptr, nullptr);
  }
  state.SetItemsProcessed(state.iterations() * 4 * kRecords);
}
BENCHMARK(BM_ReadWriteOtherMethods2000)->Unit(benchmark::kMillisecond);

// The floor: the same files read whole and their lines found.
void BM_OtherMethodsFloor(benchmark::State& state) {
  Project project;
  for (auto _ : state) {
    std::size_t lines = 0;
    for (const char* name : kFiles) {
      std::ifstream in(project.file(name), std::ios::binary);
      const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
      for (char c : bytes) lines += c == '\n';
    }
    benchmark::DoNotOptimize(lines);
  }
  state.SetItemsProcessed(state.iterations() * 4 * kRecords);
}
BENCHMARK(BM_OtherMethodsFloor)->Unit(benchmark::kMillisecond);

}  // namespace
