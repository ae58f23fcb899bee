// What every fuzz target shares: quiet message and status handlers, a scratch project directory
// emptied for each input, whole-file helpers and the way a broken property is reported.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include <geoproj/platform/proj_path.h>

namespace geoproj::fuzz {

// Drops status texts and answers every message with its first button, so that nothing waits
// for a user. Installed once per process; calling it again does nothing.
void Quiet();

// A directory of this process, removed at exit. Fresh() empties it for the next input.
class Scratch {
 public:
  static Scratch& Get();
  // Quiet(), then an empty directory; returns its path.
  const std::string& Fresh();
  const std::string& path() const { return path_; }
  std::string file(const std::string& name) const;
  // The directory as a project whose borehole files lie in it.
  CProjPath& project() { return project_; }

 private:
  Scratch();
  ~Scratch();
  std::string path_;
  CProjPath project_;
};

// Writes the bytes to path (created or replaced); ReadFile gives them back, empty when missing.
void WriteFile(const std::string& path, const std::uint8_t* data, std::size_t size);
void WriteFile(const std::string& path, const std::string& bytes);
std::string ReadFile(const std::string& path);

// A property that must hold: prints what and the first differing offset of the two texts, and
// aborts, which the fuzzer and the replay report as a crash.
void ExpectSame(const std::string& first, const std::string& second, const char* what);

}  // namespace geoproj::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);
