#include "message_host.h"

#include "progress.h"

#include <unistd.h>

#include <cctype>

#include <geoproj/foundation/text_helpers.h>

namespace geoproj::tool {
namespace {

bool IsQuestion(unsigned buttons) {
  return buttons == kMbOkCancel || buttons == kMbYesNo || buttons == kMbYesNoCancel;
}

int YesAnswer(unsigned buttons) { return buttons == kMbOkCancel ? kIdOk : kIdYes; }
int NoAnswer(unsigned buttons) { return buttons == kMbOkCancel ? kIdCancel : kIdNo; }

}  // namespace

MessageHost::MessageHost(AnswerMode mode, bool quiet, std::FILE* in, std::FILE* err)
    : mode_(mode), quiet_(quiet), in_(in), err_(err) {}

void MessageHost::Install() {
  previous_message_ = SetMessageHandler(
      [this](const std::string& text, unsigned flags, const std::string& caption) {
        return Show(text, flags, caption);
      });
  previous_status_ = SetStatusHandler([this](const std::string& text) { Status(text); });
  installed_ = true;
}

MessageHost::~MessageHost() {
  if (!installed_) return;
  SetMessageHandler(std::move(previous_message_));
  SetStatusHandler(std::move(previous_status_));
}

int MessageHost::Show(const std::string& text, unsigned flags, const std::string& caption) {
  ++shown_;
  ClearProgress();
  const std::string line = Cp1252ToUtf8(caption) + ": " + Cp1252ToUtf8(text);
  const unsigned buttons = flags & 0x0F;
  if (!IsQuestion(buttons)) {
    std::fprintf(err_, "%s\n", line.c_str());
    std::fflush(err_);
    return buttons == kMbOk ? kIdOk : DefaultAnswer(flags);
  }
  if (mode_ == AnswerMode::kAsk && in_ && isatty(fileno(in_)))
    return AskTerminal(buttons, (flags & kMbDefButton2) != 0, line);
  return Answer(buttons, line);
}

void MessageHost::ClearProgress() {
  if (progress_) progress_->Clear();
}

void MessageHost::Status(const std::string& text) {
  if (quiet_) return;
  ClearProgress();
  std::fprintf(err_, "Status: %s\n", Cp1252ToUtf8(text).c_str());
  std::fflush(err_);
}

void MessageHost::Error(const std::string& utf8_text) {
  ClearProgress();
  std::fprintf(err_, "geoproj: %s\n", utf8_text.c_str());
  std::fflush(err_);
}

int MessageHost::Answer(unsigned buttons, const std::string& line) {
  const char* word = nullptr;
  int answer = 0;
  if (mode_ == AnswerMode::kYes) {
    word = buttons == kMbOkCancel ? "OK" : "Yes";
    answer = YesAnswer(buttons);
  } else if (mode_ == AnswerMode::kNo) {
    word = buttons == kMbOkCancel ? "Cancel" : "No";
    answer = NoAnswer(buttons);
  } else {
    std::fprintf(err_, "%s\n", line.c_str());
    std::fprintf(err_, "geoproj: no terminal to ask; answered %s (use --yes or --no)\n",
                 buttons == kMbOkCancel ? "Cancel" : "No");
    std::fflush(err_);
    return NoAnswer(buttons);
  }
  std::fprintf(err_, "%s\n-> %s\n", line.c_str(), word);
  std::fflush(err_);
  return answer;
}

int MessageHost::AskTerminal(unsigned buttons, bool second_default, const std::string& line) {
  const char* choices = buttons == kMbOkCancel ? "[o]k/[c]ancel" : "[y]es/[n]o";
  for (int attempt = 0; attempt < 3; ++attempt) {
    std::fprintf(err_, "%s %s? ", line.c_str(), choices);
    std::fflush(err_);
    char reply[64];
    if (!std::fgets(reply, sizeof reply, in_)) break;
    const char* p = reply;
    while (*p == ' ' || *p == '\t') ++p;
    const int c = std::tolower(static_cast<unsigned char>(*p));
    if ((c == '\n' || c == '\0') && second_default) return NoAnswer(buttons);
    // Swedish and Norwegian users answer j(a); both languages say n(ej/ei) for no.
    if (c == 'y' || c == 'j' || c == 'o') return YesAnswer(buttons);
    if (c == 'n' || c == 'c') return NoAnswer(buttons);
  }
  std::fprintf(err_, "\n");
  return NoAnswer(buttons);
}

}  // namespace geoproj::tool
