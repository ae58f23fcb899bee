// Progress: the bar a command that works through many boreholes shows on a terminal: count,
// total, rate and time left, redrawn in place at most ten times a second. It shows nothing
// unless it was made visible (standard error a terminal, not quiet, more than a few
// boreholes); lines printed meanwhile go through Clear first so they do not mix with it.
#pragma once

#include <chrono>
#include <cstdio>
#include <string>

namespace geoproj::tool {

class Progress {
 public:
  // Work over fewer items than this ends before a bar would tell anything.
  static constexpr int kFewItems = 5;

  Progress(int total, bool visible, std::FILE* out = stderr);
  ~Progress();
  Progress(const Progress&) = delete;
  Progress& operator=(const Progress&) = delete;

  // Whether a bar belongs on out: a terminal, not quiet, and more than a few items.
  static bool Wanted(int total, bool quiet, std::FILE* out = stderr);

  // One more item done.
  void Step();
  // Items done so far, when the work counts them itself (never backwards).
  void StepTo(int done);
  // A text shown after the bar, such as counts of what was found; empty for none.
  void SetDetail(const std::string& detail) { detail_ = detail; }
  // Takes the bar off the line, so that a line of text can be printed; the next Step redraws.
  void Clear();
  // The bar's text for done of total after seconds (for the tests as much as for Draw).
  static std::string Text(int done, int total, double seconds, int width = 30);

 private:
  void Draw();

  using Clock = std::chrono::steady_clock;
  int total_;
  int done_ = 0;
  bool visible_;
  bool drawn_ = false;
  std::string detail_;
  std::FILE* out_;
  Clock::time_point start_ = Clock::now();
  Clock::time_point last_draw_{};
};

}  // namespace geoproj::tool
