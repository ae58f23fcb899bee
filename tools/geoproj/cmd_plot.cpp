// plot DIR ID [-o FILE.svg]: a borehole's sounding log as SVG.
#include <cstdio>
#include <memory>
#include <string>

#include <geoproj/export/sounding_log.h>
#include <geoproj/export/svg_log.h>

#include "borehole_log.h"
#include "commands.h"
#include "exit_codes.h"
#include "output_file.h"
#include "project_session.h"

namespace geoproj::tool {
namespace {

struct PlotOptions {
  std::string dir;
  std::string id;
  std::string output;
};

int RunPlot(const PlotOptions& options, ToolContext& context) {
  ProjectSession session(context);
  if (int rc = session.Open(options.dir)) return rc;
  std::string id;
  if (int rc = session.ParseId(options.id, &id)) return rc;
  if (!session.HasFiles(id)) {
    session.host().Error("no borehole " + options.id + " in " + options.dir);
    return kExitFailure;
  }
  SoundingLog log;
  if (!ReadBoreholeLog(session, id, &log)) return kExitFailure;
  if (log.blocks.empty() && log.layers.empty())
    session.host().Error("warning: borehole " + options.id + " holds no sounding or layer to plot");
  if (!WriteOutput(session.host(), options.output, SvgLog::Write(log))) return kExitFailure;
  if (!options.output.empty() && !context.options.quiet)
    std::fprintf(stderr, "log of %s written to %s\n", options.id.c_str(), options.output.c_str());
  return kExitDone;
}

}  // namespace

void AddPlotCommand(CLI::App& app, CommandRun* run) {
  auto options = std::make_shared<PlotOptions>();
  CLI::App* cmd = app.add_subcommand("plot", "Draw one borehole's sounding log as SVG (writes only -o FILE)");
  cmd->add_option("DIR", options->dir, "Project directory")->required();
  cmd->add_option("ID", options->id, "Borehole identifier")->required();
  cmd->add_option("-o,--output", options->output, "Write to FILE.svg instead of standard output")
      ->type_name("FILE.svg");
  cmd->footer(
      "Depth downward, each sounding block in its own panel, the interpretation's layers as a\n"
      "column; F and H beside a total or rotary pressure sounding mark flushing and hammering.\n"
      "Example: geoproj plot ~/projects/road42 BH9 -o BH9.svg && rsvg-convert BH9.svg -o BH9.png");
  cmd->fallthrough();
  cmd->callback([run, options] {
    *run = [options](ToolContext& context) { return RunPlot(*options, context); };
  });
}

}  // namespace geoproj::tool
