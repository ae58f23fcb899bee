// The subcommands. Each Add...Command registers its subcommand on app; when the command line
// selects it, its run function is stored in *run for main to call after parsing.
#pragma once

#include <functional>

#include <CLI/CLI.hpp>

#include "tool_context.h"

namespace geoproj::tool {

using CommandRun = std::function<int(ToolContext&)>;

void AddInitCommand(CLI::App& app, CommandRun* run);
void AddListCommand(CLI::App& app, CommandRun* run);
void AddShowCommand(CLI::App& app, CommandRun* run);
void AddSaveCommand(CLI::App& app, CommandRun* run);

}  // namespace geoproj::tool
