#include <geoproj/foundation/messages.h>

#include <cstdarg>
#include <cstdio>
#include <utility>

#include <geoproj/foundation/text_helpers.h>

#include "foundation/quick_print.h"

namespace geoproj {
namespace {

MessageHandler& CurrentMessageHandler() {
  static MessageHandler handler;
  return handler;
}

StatusHandler& CurrentStatusHandler() {
  static StatusHandler handler;
  return handler;
}

std::string& Title() {
  static std::string title = "geoproj";
  return title;
}

// A save formats every record of every block: the quick path takes the shapes of record lines;
// the rest is formatted once into a buffer on the stack, again only when the text is longer.
std::string VFormat(const char* format, va_list args) {
  std::string quick;
  if (QuickFormat(quick, format, args)) return quick;
  char line[256];
  va_list copy;
  va_copy(copy, args);
  const int n = std::vsnprintf(line, sizeof line, format, copy);
  va_end(copy);
  if (n <= 0) return std::string();
  if (static_cast<size_t>(n) < sizeof line) return std::string(line, static_cast<size_t>(n));
  std::string out(static_cast<size_t>(n) + 1, '\0');
  std::vsnprintf(out.data(), out.size(), format, args);
  out.resize(static_cast<size_t>(n));
  return out;
}

}  // namespace

MessageHandler SetMessageHandler(MessageHandler handler) {
  return std::exchange(CurrentMessageHandler(), std::move(handler));
}

StatusHandler SetStatusHandler(StatusHandler handler) {
  return std::exchange(CurrentStatusHandler(), std::move(handler));
}

void SetApplicationTitle(const std::string& title) { Title() = title; }
const std::string& ApplicationTitle() { return Title(); }

int DefaultAnswer(unsigned flags) {
  switch (flags & 0x0F) {
    case kMbOkCancel: return kIdOk;
    case kMbYesNoCancel:
    case kMbYesNo: return kIdYes;
    default: return kIdOk;
  }
}

int ShowMessage(const std::string& text, unsigned flags, unsigned further_flags,
                const char* caption) {
  const std::string title = (caption && *caption) ? std::string(caption) : Title();
  const unsigned all_flags = flags | further_flags;
  if (const MessageHandler& handler = CurrentMessageHandler())
    return handler(text, all_flags, title);
  std::fprintf(stderr, "%s: %s\n", Cp1252ToUtf8(title).c_str(), Cp1252ToUtf8(text).c_str());
  return DefaultAnswer(all_flags);
}

int ShowMessage(const char* text, unsigned flags, unsigned further_flags, const char* caption) {
  return ShowMessage(std::string(text ? text : ""), flags, further_flags, caption);
}

int ShowMessageF(unsigned flags, const char* caption, const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::string text = VFormat(format, args);
  va_end(args);
  return ShowMessage(text, flags, 0, caption);
}

void ShowStatus(const std::string& text) {
  if (const StatusHandler& handler = CurrentStatusHandler()) handler(text);
}

void ShowStatusF(const char* format, ...) {
  if (!CurrentStatusHandler()) return;
  va_list args;
  va_start(args, format);
  std::string text = VFormat(format, args);
  va_end(args);
  ShowStatus(text);
}

std::string Format(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::string text = VFormat(format, args);
  va_end(args);
  return text;
}

}  // namespace geoproj
