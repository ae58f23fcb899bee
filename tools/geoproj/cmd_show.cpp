// show DIR ID [--json]: one borehole read from its files.
#include <cstdio>
#include <memory>
#include <string>

#include <geoproj/database/borvi_dbs.h>
#include <geoproj/platform/files.h>
#include <geoproj/sounding/borvi_snd.h>

#include "borehole_json.h"
#include "commands.h"
#include "exit_codes.h"
#include "json_print.h"
#include "measurement_slot.h"
#include "project_session.h"
#include "text_report.h"

namespace geoproj::tool {
namespace {

struct ShowOptions {
  std::string dir;
  std::string id;
  bool json = false;
};

int RunShow(const ShowOptions& options, ToolContext& context) {
  ProjectSession session(context);
  if (int rc = session.Open(options.dir)) return rc;
  std::string id;
  if (int rc = session.ParseId(options.id, &id)) return rc;
  if (!session.HasFiles(id)) {
    session.host().Error("no borehole " + options.id + " in " + options.dir);
    return kExitFailure;
  }
  // Reading needs no database: the record is computed only when the borehole is saved. One
  // that is there is read all the same, to tell of damage or of a lock left behind.
  CBorviDbs dbs(session.path());
  if (FileExists(dbs.GetDbsFileName())) ReadProjectDatabase(session, options.dir, &dbs);
  std::unique_ptr<CBorviSnd> snd = session.NewSounding(nullptr);
  if (snd->Init(id.c_str(), nullptr) != 0) {
    session.host().Error("borehole " + options.id + " could not be read");
    return kExitFailure;
  }
  MeasurementSlot measurement(*snd);
  if (snd->m_droppedContent > 0)
    session.host().Error("borehole " + options.id + ": " + std::to_string(snd->m_droppedContent) +
                         " place(s) in its files could not be read; what follows lacks them");
  const nlohmann::ordered_json borehole = BoreholeJson(*snd);
  if (options.json)
    PrintJson(borehole);
  else
    std::fputs(BoreholeSummary(borehole).c_str(), stdout);
  return kExitDone;
}

}  // namespace

void AddShowCommand(CLI::App& app, CommandRun* run) {
  auto options = std::make_shared<ShowOptions>();
  CLI::App* cmd = app.add_subcommand("show", "Show one borehole read from its files (writes nothing)");
  cmd->footer("Reads ID.SND and the borehole's other files.\nExample: geoproj show ~/projects/road42 BH1 --json");
  cmd->add_option("DIR", options->dir, "Project directory")->required();
  cmd->add_option("ID", options->id, "Borehole identifier")->required();
  cmd->add_flag("--json", options->json, "Print JSON");
  cmd->fallthrough();
  cmd->callback([run, options] {
    *run = [options](ToolContext& context) { return RunShow(*options, context); };
  });
}

}  // namespace geoproj::tool
