// Message boxes and status texts. The library never shows anything itself: a message goes to
// the handler the host installed, a status text to the status handler.
#pragma once

#include <functional>
#include <string>

namespace geoproj {

// Buttons and icons keep the values of the desktop platform so that hosts can pass them on.
inline constexpr unsigned kMbOk = 0x00;
inline constexpr unsigned kMbOkCancel = 0x01;
inline constexpr unsigned kMbYesNoCancel = 0x03;
inline constexpr unsigned kMbYesNo = 0x04;
inline constexpr unsigned kMbIconStop = 0x10;
inline constexpr unsigned kMbIconQuestion = 0x20;
inline constexpr unsigned kMbIconExclamation = 0x30;
inline constexpr unsigned kMbIconInformation = 0x40;
inline constexpr unsigned kMbSetForeground = 0x10000;

// Answers.
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;
inline constexpr int kIdYes = 6;
inline constexpr int kIdNo = 7;

// Shows text (code page 1252) titled caption with the buttons and icon of flags and returns the
// button pressed.
using MessageHandler =
    std::function<int(const std::string& text, unsigned flags, const std::string& caption)>;
using StatusHandler = std::function<void(const std::string& text)>;

// Installs the handlers; an empty function restores the default. Returns the previous handler.
MessageHandler SetMessageHandler(MessageHandler handler);
StatusHandler SetStatusHandler(StatusHandler handler);

// The title used when a message is shown without a caption of its own.
void SetApplicationTitle(const std::string& title);
const std::string& ApplicationTitle();

// Shows a message box. Without a handler the text goes to standard error as UTF-8 and the first
// button of flags is the answer. caption null or empty means the application title.
int ShowMessage(const char* text, unsigned flags = kMbOk, unsigned further_flags = 0,
                const char* caption = nullptr);
int ShowMessage(const std::string& text, unsigned flags = kMbOk, unsigned further_flags = 0,
                const char* caption = nullptr);

// printf-style convenience for the fixed message texts: formats, then ShowMessage.
int ShowMessageF(unsigned flags, const char* caption, const char* format, ...)
    __attribute__((format(printf, 3, 4)));

// Shows a status text; dropped when no status handler is installed.
void ShowStatus(const std::string& text);
void ShowStatusF(const char* format, ...) __attribute__((format(printf, 1, 2)));

// The first button of a button set: the answer when nobody can be asked.
int DefaultAnswer(unsigned flags);

}  // namespace geoproj
