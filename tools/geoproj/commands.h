// The subcommands. Each Add...Command registers its subcommand on app; when the command line
// selects it, its run function is stored in *run for main to call after parsing.
#pragma once

#include <functional>
#include <string>

#include <CLI/CLI.hpp>

#include "tool_context.h"

class CBorviDbs;

namespace geoproj::tool {

class ProjectSession;

using CommandRun = std::function<int(ToolContext&)>;

void AddInitCommand(CLI::App& app, CommandRun* run);
void AddListCommand(CLI::App& app, CommandRun* run);
void AddShowCommand(CLI::App& app, CommandRun* run);
void AddSaveCommand(CLI::App& app, CommandRun* run);
void AddUnlockCommand(CLI::App& app, CommandRun* run);
void AddStatsCommand(CLI::App& app, CommandRun* run);
void AddInfoCommand(CLI::App& app, CommandRun* run);
void AddExportCommand(CLI::App& app, CommandRun* run);
void AddPlotCommand(CLI::App& app, CommandRun* run);
void AddLinesCommand(CLI::App& app, CommandRun* run);
void AddScanCommand(CLI::App& app, CommandRun* run);
void AddReportCommand(CLI::App& app, CommandRun* run);
void AddRestoreCommand(CLI::App& app, CommandRun* run);

// Reads the project's database read-only for the commands that only read (list, show). False
// when it cannot be read; a lock file held past the wait is named with its age, and damage
// found in a database that was read is told with the way to repair it (both on standard
// error).
bool ReadProjectDatabase(ProjectSession& session, const std::string& dir, CBorviDbs* dbs);

// What to tell about the lock file that kept the database of project dir closed; it points to
// the unlock command, with which it lives.
std::string LockFileAdvice(const std::string& lock_path, const std::string& dir);

}  // namespace geoproj::tool
