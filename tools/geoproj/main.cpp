// geoproj: the library's command-line tool.
#include <cstdio>
#include <exception>
#include <new>
#include <string>

#include <CLI/CLI.hpp>

#include <geoproj/version.h>

#include "commands.h"
#include "exit_codes.h"
#include "message_host.h"
#include "tool_context.h"

namespace {

using geoproj::tool::CommandRun;
using geoproj::tool::GlobalOptions;

void AddGlobalOptions(CLI::App& app, GlobalOptions& options) {
  app.set_version_flag("--version", std::string("geoproj ") + geoproj::Version(),
                       "Print the version and exit");
  CLI::Option* yes = app.add_flag("--yes", options.yes, "Answer Yes (or OK) to every question");
  CLI::Option* no = app.add_flag("--no", options.no, "Answer No (or Cancel) to every question");
  yes->excludes(no);
  app.add_option("--install-dir", options.install_dir,
                 "Installation directory (settings, Kodfil.dat); default $GEOPROJ_HOME")
      ->type_name("DIR");
  app.add_flag("-q,--quiet", options.quiet, "Do not show status texts");
}

int RunCommand(const CommandRun& run, const GlobalOptions& options) {
  geoproj::tool::MessageHost host(options.Answers(), options.quiet);
  host.Install();
  geoproj::tool::ToolContext context{options, &host};
  try {
    return run(context);
  } catch (const std::bad_alloc&) {
    host.Error("out of memory");
  } catch (const std::exception& e) {
    host.Error(e.what());
  }
  return geoproj::tool::kExitFailure;
}

}  // namespace

int main(int argc, char** argv) {
  // Results line by line as they are made, also into a pipe or a file: what was printed is
  // what was done, even when the run is interrupted.
  std::setvbuf(stdout, nullptr, _IOLBF, 0);
  CLI::App app{"geoproj: the boreholes and soundings of a project directory"};
  app.name("geoproj");
  GlobalOptions options;
  AddGlobalOptions(app, options);
  app.require_subcommand(1);

  CommandRun run;
  geoproj::tool::AddInitCommand(app, &run);
  geoproj::tool::AddListCommand(app, &run);
  geoproj::tool::AddShowCommand(app, &run);
  geoproj::tool::AddSaveCommand(app, &run);
  geoproj::tool::AddUnlockCommand(app, &run);
  geoproj::tool::AddStatsCommand(app, &run);
  geoproj::tool::AddInfoCommand(app, &run);
  geoproj::tool::AddExportCommand(app, &run);
  geoproj::tool::AddPlotCommand(app, &run);
  geoproj::tool::AddLinesCommand(app, &run);
  geoproj::tool::AddScanCommand(app, &run);
  geoproj::tool::AddReportCommand(app, &run);
  geoproj::tool::AddRestoreCommand(app, &run);

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    // Help and version end the run successfully; every other parse error is a usage error.
    return app.exit(e) == 0 ? geoproj::tool::kExitDone : geoproj::tool::kExitUsage;
  }
  return RunCommand(run, options);
}
