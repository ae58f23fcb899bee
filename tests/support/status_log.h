// Records the status texts shown while it lives and restores the previous handler afterwards.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include <geoproj/foundation/messages.h>

namespace geoproj::test {

class StatusLog {
 public:
  StatusLog() {
    previous_ = SetStatusHandler([this](const std::string& text) { shown_.push_back(text); });
  }
  ~StatusLog() { SetStatusHandler(previous_); }
  StatusLog(const StatusLog&) = delete;
  StatusLog& operator=(const StatusLog&) = delete;

  const std::vector<std::string>& shown() const { return shown_; }
  bool Contains(const std::string& text) const {
    return std::find(shown_.begin(), shown_.end(), text) != shown_.end();
  }

 private:
  std::vector<std::string> shown_;
  StatusHandler previous_;
};

}  // namespace geoproj::test
