// Records the message boxes shown while it lives, answering each with the first button, and
// restores the previous handler afterwards.
#pragma once

#include <string>
#include <vector>

#include <geoproj/foundation/messages.h>

namespace geoproj::test {

struct ShownMessage {
  std::string text;
  unsigned flags;
  std::string caption;
};

class MessageLog {
 public:
  MessageLog() {
    previous_ = SetMessageHandler(
        [this](const std::string& text, unsigned flags, const std::string& caption) {
          shown_.push_back({text, flags, caption});
          return DefaultAnswer(flags);
        });
  }
  ~MessageLog() { SetMessageHandler(previous_); }
  MessageLog(const MessageLog&) = delete;
  MessageLog& operator=(const MessageLog&) = delete;

  const std::vector<ShownMessage>& shown() const { return shown_; }

 private:
  std::vector<ShownMessage> shown_;
  MessageHandler previous_;
};

}  // namespace geoproj::test
