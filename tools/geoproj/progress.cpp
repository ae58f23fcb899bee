#include "progress.h"

#include <unistd.h>

#include <cmath>

namespace geoproj::tool {
namespace {

constexpr auto kRedrawInterval = std::chrono::milliseconds(100);

std::string Duration(double seconds) {
  const long s = std::lround(seconds);
  char text[32];
  if (s >= 3600)
    std::snprintf(text, sizeof text, "%ld:%02ld:%02ld", s / 3600, s / 60 % 60, s % 60);
  else
    std::snprintf(text, sizeof text, "%ld:%02ld", s / 60, s % 60);
  return text;
}

}  // namespace

Progress::Progress(int total, bool visible, std::FILE* out) : total_(total), visible_(visible), out_(out) {}

Progress::~Progress() { Clear(); }

bool Progress::Wanted(int total, bool quiet, std::FILE* out) {
  return !quiet && total > kFewItems && isatty(fileno(out));
}

std::string Progress::Text(int done, int total, double seconds, int width) {
  const int filled = total > 0 ? static_cast<int>(static_cast<long long>(width) * done / total) : width;
  std::string bar = "[" + std::string(filled, '#') + std::string(width - filled, '.') + "]";
  const double rate = seconds > 0 ? done / seconds : 0.0;
  char text[160];
  std::snprintf(text, sizeof text, "%s %d/%d  %.0f/s  ", bar.c_str(), done, total, rate);
  std::string line = text;
  if (done > 0 && rate > 0)
    line += Duration((total - done) / rate) + " left";
  else
    line += "--:-- left";
  return line;
}

void Progress::Step() { StepTo(done_ + 1); }

void Progress::StepTo(int done) {
  if (done < done_) return;
  done_ = done;
  if (!visible_) return;
  const Clock::time_point now = Clock::now();
  if (done_ < total_ && drawn_ && now - last_draw_ < kRedrawInterval) return;
  last_draw_ = now;
  Draw();
}

void Progress::Draw() {
  const double seconds = std::chrono::duration<double>(Clock::now() - start_).count();
  const std::string detail = detail_.empty() ? std::string() : "  " + detail_;
  std::fprintf(out_, "\r%s%s\033[K", Text(done_, total_, seconds).c_str(), detail.c_str());
  std::fflush(out_);
  drawn_ = true;
}

void Progress::Clear() {
  if (!drawn_) return;
  std::fprintf(out_, "\r\033[K");
  std::fflush(out_);
  drawn_ = false;
}

}  // namespace geoproj::tool
