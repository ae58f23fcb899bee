// MessageHost: stands in for the desktop host behind the library's message boxes and status
// texts. Messages go to standard error as "CAPTION: TEXT" in UTF-8; questions are answered from
// the command line, from the terminal, or with No when nobody can be asked.
#pragma once

#include <cstdio>
#include <string>

#include <geoproj/foundation/messages.h>

namespace geoproj::tool {

class Progress;

enum class AnswerMode { kAsk, kYes, kNo };

// The desktop platform's flag that makes the second button the default one: an empty reply on
// the terminal takes it.
inline constexpr unsigned kMbDefButton2 = 0x100;

class MessageHost {
 public:
  // in is where questions are asked when it is a terminal; err receives everything shown.
  MessageHost(AnswerMode mode, bool quiet, std::FILE* in = stdin, std::FILE* err = stderr);
  // Installs this host as the library's message and status handler until destruction.
  void Install();
  ~MessageHost();
  MessageHost(const MessageHost&) = delete;
  MessageHost& operator=(const MessageHost&) = delete;

  // The handlers (text and caption in code page 1252).
  int Show(const std::string& text, unsigned flags, const std::string& caption);
  void Status(const std::string& text);

  // The tool's own diagnostics, in the same "CAPTION: TEXT" form (text in UTF-8).
  void Error(const std::string& utf8_text);

  // A progress bar on the same stream, taken off the line before anything is printed; null
  // for none.
  void SetProgress(Progress* progress) { progress_ = progress; }

  // Number of messages shown so far.
  int shown() const { return shown_; }

 private:
  int Answer(unsigned flags, const std::string& line);
  void ClearProgress();
  int AskTerminal(unsigned buttons, bool second_default, const std::string& line);

  AnswerMode mode_;
  bool quiet_;
  std::FILE* in_;
  std::FILE* err_;
  bool installed_ = false;
  int shown_ = 0;
  Progress* progress_ = nullptr;
  MessageHandler previous_message_;
  StatusHandler previous_status_;
};

}  // namespace geoproj::tool
