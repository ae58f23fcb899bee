// Reading and writing a borehole holding a cone penetration test (with its settings block and
// presentation file) of 2,000 depths and a sample file of 2,000 samples, beside the floor: the
// same files read line by line and written back unparsed through the same text file class.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include <geoproj/foundation/messages.h>
#include <geoproj/foundation/stdio_file_mem.h>
#include <geoproj/methods/borvi_cpt.h>
#include <geoproj/platform/proj_path.h>
#include <geoproj/sounding/borvi_snd.h>

namespace {

constexpr int kRecords = 2000;

std::string Printf(const char* format, double a, long b, long c, long d) {
  char line[128];
  std::snprintf(line, sizeof line, format, a, b, c, d);
  return line;
}

std::string CptBorehole() {
  std::string text =
      "6543210.125000\r\n1234567.500000\r\n20.000000\r\n9999999.900000\r\n0.000000\r\n"
      "0.000000 0 90.000000\r\n*\r\n97\r\n40 0\r\n*\r\n99\r\n"
      "GUID 6f1c2a3b-4d5e-4f60-8a7b-000000000001\r\n*\r\n7 03.05.2019\r\n"
      "1.000000 92 0 0 1 0 c GUID 10000000-0000-4000-8000-000000000007\r\n";
  for (int i = 0; i < kRecords; ++i) {
    std::string line = Printf("%7.3f %6ld %6ld %6ld  SA", 0.02 * i, 1000 + i, 20 + i % 50, i % 90);
    if (i % 10 == 0) line.resize(56, ' '), line += "1     1.5   0.250    -2.0";
    text += line + "\r\n";
  }
  return text + "*\r\n107 \r\nMA                        0.845\r\n*\r\n";
}

std::string Samples() {
  std::string text = "A43 2.500000 03.05.2019 305 GUID 10000000-0000-4000-8000-000000000040\r\n*\r\n";
  for (int i = 0; i < kRecords; ++i) {
    char numbers[128];
    std::snprintf(numbers, sizeof numbers,
                  "SP %6d %5.2f 12.34  5.50  0.00  1.5  2.5  0.0  3  1.5 0.5", -129, 0.02 * i);
    std::string line = numbers;
    line.resize(62, ' ');
    text += line + "x lerig silt\r\n";
  }
  return text + "*\r\n";
}

class BenchProject {
 public:
  BenchProject() {
    std::string base = (std::filesystem::temp_directory_path() / "geoproj-bench-XXXXXX").string();
    path_ = mkdtemp(base.data()) ? base : std::string();
    proj_.SetPath(path_.c_str());
    Write("BH1.SND", CptBorehole());
    Write("BH1.PRV", Samples());
    Write("BH1.cpt", "10.0000 2.0000 GUID 10000000-0000-4000-8000-000000000017\r\n*\r\n*\r\n");
  }
  ~BenchProject() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  BenchProject(const BenchProject&) = delete;
  BenchProject& operator=(const BenchProject&) = delete;

  CProjPath* proj() { return &proj_; }
  std::string File(const std::string& name) const { return path_ + "/" + name; }

 private:
  void Write(const std::string& name, const std::string& text) {
    std::ofstream out(File(name), std::ios::binary);
    out << text;
  }
  std::string path_;
  CProjPath proj_;
};

void QuietHandlers() {
  geoproj::SetStatusHandler([](const std::string&) {});
  geoproj::SetMessageHandler([](const std::string&, unsigned flags, const std::string&) {
    return geoproj::DefaultAnswer(flags);
  });
}

void BM_ReadWriteCptAndSamples2000(benchmark::State& state) {
  QuietHandlers();
  BenchProject project;
  for (auto _ : state) {
    CBorviSnd snd(project.proj(), nullptr);
    snd.Init("BH1", nullptr);
    // The presentation file is rewritten too, as a save does.
    if (snd.cpt) snd.cpt->presentation.andrad = 1;
    snd.Uppdat(nullptr, nullptr);
  }
  state.SetItemsProcessed(state.iterations() * 2 * kRecords);
}
BENCHMARK(BM_ReadWriteCptAndSamples2000)->Unit(benchmark::kMillisecond);

// The floor: the three files read line by line and written back as they are.
void BM_ReadWriteCptAndSamples2000Floor(benchmark::State& state) {
  BenchProject project;
  for (auto _ : state) {
    for (const char* name : {"BH1.SND", "BH1.PRV", "BH1.cpt"}) {
      CStdioFileMem in;
      in.Open(project.File(name), CStdioFileMem::modeRead);
      std::string text, line;
      while (in.ReadString(line)) text += line + "\n";
      in.Close();
      CStdioFileMem out;
      out.Open(project.File(name), CStdioFileMem::modeCreate | CStdioFileMem::modeWrite);
      out.WriteString(text);
      out.Close();
    }
  }
  state.SetItemsProcessed(state.iterations() * 2 * kRecords);
}
BENCHMARK(BM_ReadWriteCptAndSamples2000Floor)->Unit(benchmark::kMillisecond);

}  // namespace
