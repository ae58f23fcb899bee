// init DIR: creates the borehole database of a project directory.
#include <cstdio>
#include <memory>
#include <string>

#include <geoproj/database/borvi_dbs.h>

#include "commands.h"
#include "exit_codes.h"
#include "project_session.h"

namespace geoproj::tool {
namespace {

int RunInit(const std::string& dir, ToolContext& context) {
  ProjectSession session(context);
  if (int rc = session.Open(dir)) return rc;
  CBorviDbs dbs(session.path());
  // The library refuses an existing database itself and says so.
  if (dbs.Init(0, 1) != 0) {
    session.host().Error("no database created in " + dir);
    return kExitFailure;
  }
  std::printf("created %s\n", dbs.GetDbsFileName().c_str());
  if (!context.options.quiet)
    std::fprintf(stderr,
                 "the database is empty: boreholes enter it when they are saved "
                 "(geoproj save %s --all)\n",
                 dir.c_str());
  return kExitDone;
}

}  // namespace

void AddInitCommand(CLI::App& app, CommandRun* run) {
  auto dir = std::make_shared<std::string>();
  CLI::App* cmd = app.add_subcommand(
      "init", "Create the empty borehole database of project DIR (writes Solumbra.dbs)");
  cmd->footer(
      "Refuses when a database exists. Boreholes enter the database when they are saved.\n"
      "Example: geoproj init ~/projects/road42 && geoproj save ~/projects/road42 --all");
  cmd->add_option("DIR", *dir, "Project directory")->required();
  cmd->fallthrough();
  cmd->callback([run, dir] {
    *run = [dir](ToolContext& context) { return RunInit(*dir, context); };
  });
}

}  // namespace geoproj::tool
