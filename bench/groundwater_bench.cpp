// Reading and writing groundwater files: a pipe with 10,000 readings and a measurement point
// with 1,000 measurements of 100 rows each. Beside each, the floor: the same bytes read whole
// and written whole again, without parsing.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <geoproj/foundation/messages.h>
#include <geoproj/foundation/stdio_file_mem.h>
#include <geoproj/foundation/text_helpers.h>
#include <geoproj/groundwater/borvi_gvr.h>
#include <geoproj/groundwater/borvi_mtn.h>
#include <geoproj/sounding/borvi_snd.h>

namespace {

class BenchDir {
 public:
  BenchDir() {
    std::string base = (std::filesystem::temp_directory_path() / "geoproj-gw-bench-XXXXXX").string();
    path_ = mkdtemp(base.data()) ? base : std::string();
  }
  ~BenchDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  std::string file(const std::string& name) const { return path_ + "/" + name; }
  void Write(const std::string& name, const std::string& text) const {
    std::ofstream out(file(name), std::ios::binary);
    out << text;
  }

 private:
  std::string path_;
};

void Quiet() {
  geoproj::SetStatusHandler([](const std::string&) {});
  geoproj::SetMessageHandler(
      [](const std::string&, unsigned flags, const std::string&) { return geoproj::DefaultAnswer(flags); });
}

std::string PipeFile(int readings) {
  std::string text =
      "1000.000000\r\n2000.000000\r\n10.000000\r\n9999999.900000\r\n0.000000\r\n"
      "GD 1 0 GUID 0b6f9a4e-1111-4222-8333-944455556666\r\n8.500000 0\r\n4.500000 90.000000\r\n"
      "0.000000 7.000000 \xD6PPEN\r\n*\r\n";
  for (int i = 0; i < readings; ++i) {
    const int year = 1990 + i / 336, month = 1 + i / 28 % 12, day = 1 + i % 28;
    std::string line = geoproj::Format(" %d %d %d %f %s %-25s%-44s %s", year, month, day,
                                       5.0 + (i % 100) / 100.0, "J", i % 10 ? "" : "SPOLAT",
                                       i % 7 ? "" : "kontroll", "08:15");
    text += line + "\r\n";
  }
  return text + "*\r\n*\r\n99\r\nGUID 6f1c2a3b-4d5e-4f60-8a7b-9c0d1e2f3a4b\r\n";
}

std::string MeasurementFile(int measurements, int rows) {
  std::string text =
      "1000.000000 \r\n2000.000000 \r\n10.000000 0.5\r\n9999999.900000\r\n0.000000\r\n0 0.000000\r\n"
      "**\r\nINKL x\r\n*\r\n";
  for (int m = 0; m < measurements; ++m) {
    text += geoproj::Format(" %d %d %d 12:00 J\r\nm\xE4tning %d\r\n", 2000 + m / 336,
                            1 + m / 28 % 12, 1 + m % 28, m);
    for (int r = 0; r < rows; ++r)
      text += geoproj::Format("%9.2f %10.4f %s\r\n", r * 0.5, (m + r) * 0.001, "a");
    text += "*\r\n";
  }
  return text + "*\r\n";
}

// The bytes read whole and written whole, as cat would.
void CopyBytes(const std::string& from, const std::string& to) {
  std::ifstream in(from, std::ios::binary);
  std::stringstream buffer;
  buffer << in.rdbuf();
  std::ofstream out(to, std::ios::binary);
  out << buffer.str();
}

void BM_PipeReadWrite10000(benchmark::State& state) {
  Quiet();
  BenchDir dir;
  dir.Write("GW1.GVR", PipeFile(10000));
  for (auto _ : state) {
    CBorviSnd snd;
    CBorviGvr gvr(1, &snd, nullptr);
    CStdioFileMem in;
    in.SetFilePath(dir.file("GW1.GVR"));
    gvr.Init(&in, "GW1");
    in.Close();
    CStdioFileMem out;
    out.SetFilePath(dir.file("OUT.GVR"));
    gvr.Uppdat(&out, "GW1");
  }
  state.SetItemsProcessed(state.iterations() * 10000);
}
BENCHMARK(BM_PipeReadWrite10000)->Unit(benchmark::kMillisecond);

void BM_PipeFloor10000(benchmark::State& state) {
  BenchDir dir;
  dir.Write("GW1.GVR", PipeFile(10000));
  for (auto _ : state) CopyBytes(dir.file("GW1.GVR"), dir.file("OUT.GVR"));
  state.SetItemsProcessed(state.iterations() * 10000);
}
BENCHMARK(BM_PipeFloor10000)->Unit(benchmark::kMillisecond);

void BM_MeasurementReadWrite1000x100(benchmark::State& state) {
  Quiet();
  BenchDir dir;
  dir.Write("M1.MTN", MeasurementFile(1000, 100));
  for (auto _ : state) {
    CBorviMtn mtn;
    CStdioFileMem in;
    in.SetFilePath(dir.file("M1.MTN"));
    mtn.Init(&in, "M1");
    CStdioFileMem out;
    out.SetFilePath(dir.file("OUT.MTN"));
    mtn.Uppdat(&out, "M1");
  }
  state.SetItemsProcessed(state.iterations() * 100000);
}
BENCHMARK(BM_MeasurementReadWrite1000x100)->Unit(benchmark::kMillisecond);

void BM_MeasurementFloor1000x100(benchmark::State& state) {
  BenchDir dir;
  dir.Write("M1.MTN", MeasurementFile(1000, 100));
  for (auto _ : state) CopyBytes(dir.file("M1.MTN"), dir.file("OUT.MTN"));
  state.SetItemsProcessed(state.iterations() * 100000);
}
BENCHMARK(BM_MeasurementFloor1000x100)->Unit(benchmark::kMillisecond);

}  // namespace
