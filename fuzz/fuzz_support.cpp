#include "fuzz_support.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <vector>

#include <geoproj/foundation/messages.h>

namespace geoproj::fuzz {

void Quiet() {
  static const bool installed = [] {
    SetStatusHandler([](const std::string&) {});
    SetMessageHandler([](const std::string&, unsigned flags, const std::string&) {
      return DefaultAnswer(flags);
    });
    return true;
  }();
  (void)installed;
}

Scratch& Scratch::Get() {
  static Scratch scratch;
  return scratch;
}

Scratch::Scratch() {
  std::string base = std::filesystem::temp_directory_path().string() + "/geoproj-fuzz-XXXXXX";
  std::vector<char> name(base.begin(), base.end());
  name.push_back('\0');
  if (!mkdtemp(name.data())) throw std::runtime_error("cannot create a scratch directory");
  path_ = name.data();
  project_.SetPath(path_.c_str());
}

Scratch::~Scratch() {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

const std::string& Scratch::Fresh() {
  Quiet();
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(path_, ec))
    std::filesystem::remove_all(entry.path(), ec);
  // A host may have changed the project's paths; every input starts from the same ones.
  project_ = CProjPath();
  project_.SetPath(path_.c_str());
  return path_;
}

std::string Scratch::file(const std::string& name) const { return path_ + "/" + name; }

void WriteFile(const std::string& path, const std::uint8_t* data, std::size_t size) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

void WriteFile(const std::string& path, const std::string& bytes) {
  WriteFile(path, reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

void ExpectSame(const std::string& first, const std::string& second, const char* what) {
  if (first == second) return;
  std::size_t at = 0;
  while (at < first.size() && at < second.size() && first[at] == second[at]) ++at;
  std::fprintf(stderr, "%s: %zu and %zu bytes, first difference at offset %zu\n", what,
               first.size(), second.size(), at);
  // Short texts are shown whole, which is what it takes to see the cause.
  if (first.size() + second.size() < 8192)
    std::fprintf(stderr, "--- first\n%s\n--- second\n%s\n---\n", first.c_str(), second.c_str());
  std::abort();
}

}  // namespace geoproj::fuzz
