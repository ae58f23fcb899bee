// What every command gets: the global options and the host that shows the library's messages.
#pragma once

#include <cstdlib>
#include <string>

#include "message_host.h"

namespace geoproj::tool {

struct GlobalOptions {
  bool yes = false;
  bool no = false;
  bool quiet = false;
  std::string install_dir;

  AnswerMode Answers() const {
    return yes ? AnswerMode::kYes : no ? AnswerMode::kNo : AnswerMode::kAsk;
  }
  // The installation directory: the option, else GEOPROJ_HOME; empty when neither is given.
  std::string InstallDir() const {
    if (!install_dir.empty()) return install_dir;
    const char* home = std::getenv("GEOPROJ_HOME");
    return home ? std::string(home) : std::string();
  }
};

struct ToolContext {
  GlobalOptions options;
  MessageHost* host = nullptr;
};

}  // namespace geoproj::tool
