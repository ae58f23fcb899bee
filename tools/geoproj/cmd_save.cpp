// save DIR ID... [--force]: reads each borehole and writes it back, so that its files are
// rewritten and its database record recomputed. A borehole whose files could not be read whole
// is left as it is unless --force is given: writing it back would lose what was not read.
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include <geoproj/database/borvi_dbs.h>
#include <geoproj/foundation/text_helpers.h>
#include <geoproj/sounding/borvi_snd.h>

#include "commands.h"
#include "exit_codes.h"
#include "project_session.h"

namespace geoproj::tool {
namespace {

struct SaveOptions {
  std::string dir;
  std::vector<std::string> ids;
  bool force = false;
};

// Whether the borehole read may be written back; says why not.
bool MayWriteBack(ProjectSession& session, const CBorviSnd& snd, const std::string& shown_id,
                  bool force) {
  if (snd.m_skippedSections > 0) {
    session.host().Error("borehole " + shown_id + " holds " +
                         std::to_string(snd.m_skippedSections) +
                         " section(s) this version cannot write back; not saved");
    return false;
  }
  if (snd.m_droppedContent > 0 && !force) {
    session.host().Error("borehole " + shown_id + ": " + std::to_string(snd.m_droppedContent) +
                         " place(s) in its files could not be read; not saved, as saving "
                         "would lose them (--force saves what was read)");
    return false;
  }
  return true;
}

// Writing a borehole reports its failures only by message; a database write that happened
// shows in the header's update number, which every successful write raises.
bool SaveBorehole(ProjectSession& session, CBorviDbs& dbs, const std::string& id, bool force) {
  const std::string shown_id = Cp1252ToUtf8(id);
  if (!session.HasFiles(id)) {
    session.host().Error("no borehole " + shown_id + " in " + session.path()->m_projKat);
    return false;
  }
  std::unique_ptr<CBorviSnd> snd = session.NewSounding(&dbs);
  if (snd->Init(id.c_str(), nullptr) != 0) {
    session.host().Error("borehole " + shown_id + " could not be read");
    return false;
  }
  if (!MayWriteBack(session, *snd, shown_id, force)) return false;
  const auto written_before = dbs.m_huv.uppdnr;
  snd->Uppdat(id.c_str(), nullptr);
  if (dbs.m_huv.uppdnr == written_before) {
    session.host().Error("borehole " + shown_id + " was not saved");
    return false;
  }
  std::printf("saved %s\n", shown_id.c_str());
  return true;
}

int RunSave(const SaveOptions& options, ToolContext& context) {
  ProjectSession session(context);
  if (int rc = session.Open(options.dir)) return rc;
  std::vector<std::string> ids(options.ids.size());
  for (std::size_t i = 0; i < ids.size(); ++i)
    if (int rc = session.ParseId(options.ids[i], &ids[i])) return rc;
  CBorviDbs dbs(session.path());
  if (dbs.Init(0, 0) != 0) {
    session.host().Error("the database of " + options.dir + " could not be opened for writing");
    return kExitFailure;
  }
  bool all_saved = true;
  for (const std::string& id : ids)
    all_saved = SaveBorehole(session, dbs, id, options.force) && all_saved;
  return all_saved ? kExitDone : kExitFailure;
}

}  // namespace

void AddSaveCommand(CLI::App& app, CommandRun* run) {
  auto options = std::make_shared<SaveOptions>();
  CLI::App* cmd = app.add_subcommand(
      "save", "Read each borehole and write it back (files and database record)");
  cmd->add_option("DIR", options->dir, "Project directory")->required();
  cmd->add_option("ID", options->ids, "Borehole identifiers")->required();
  cmd->add_flag("--force", options->force,
                "Save also a borehole whose files could not be read whole (what was not read "
                "is lost)");
  cmd->fallthrough();
  cmd->callback([run, options] {
    *run = [options](ToolContext& context) { return RunSave(*options, context); };
  });
}

}  // namespace geoproj::tool
