// save DIR ID... | --all [--force]: reads each borehole and writes it back, so that its files
// are rewritten and its database record recomputed. A borehole whose files could not be read whole
// is left as it is unless --force is given: writing it back would lose what was not read.
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include <geoproj/database/borvi_dbs.h>
#include <geoproj/foundation/text_helpers.h>
#include <geoproj/methods/borvi_cpt.h>
#include <geoproj/platform/directory_snapshot.h>
#include <geoproj/platform/files.h>
#include <geoproj/sounding/borvi_snd.h>

#include "commands.h"
#include "exit_codes.h"
#include "measurement_slot.h"
#include "progress.h"
#include "project_session.h"

namespace geoproj::tool {
namespace {

struct SaveOptions {
  std::string dir;
  std::vector<std::string> ids;
  bool all = false;
  bool force = false;
};

// Whether the borehole read may be written back; says why not.
bool MayWriteBack(ProjectSession& session, const CBorviSnd& snd, const std::string& shown_id,
                  bool force) {
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
bool SaveBorehole(ProjectSession& session, CBorviDbs& dbs, const std::string& id, bool force,
                  bool quiet) {
  const std::string shown_id = Cp1252ToUtf8(id);
  // One look at what other processes changed in the directory for the whole borehole.
  const DirectorySnapshot snapshot;
  if (!session.HasFiles(id)) {
    session.host().Error("no borehole " + shown_id + " in " + session.path()->m_projKat);
    return false;
  }
  std::unique_ptr<CBorviSnd> snd = session.NewSounding(&dbs);
  if (snd->Init(id.c_str(), nullptr) != 0) {
    session.host().Error("borehole " + shown_id + " could not be read");
    return false;
  }
  // A measurement point is written through its own file (the slot makes the sounding file
  // write only that one).
  MeasurementSlot measurement(*snd);
  if (!MayWriteBack(session, *snd, shown_id, force)) return false;
  // The library writes a test's presentation file only when the host changed it; a save
  // rewrites every file the borehole has.
  if (snd->cpt && FileExists(CBorviCptPresentation::FileName(snd->sndfil.GetFilePath())))
    snd->cpt->presentation.andrad = 1;
  const auto written_before = dbs.m_huv.uppdnr;
  snd->Uppdat(id.c_str(), nullptr);
  if (dbs.m_huv.uppdnr == written_before) {
    session.host().Error("borehole " + shown_id + " was not saved");
    return false;
  }
  if (!quiet) std::printf("saved %s\n", shown_id.c_str());
  return true;
}

// The boreholes named on the command line, or with --all those of the directory (reporting the
// names that cannot be identifiers). Returns an exit status, 0 when ids holds the work.
// A file name as it stands on disk, readable whatever its bytes: those that are not printable
// ASCII as \xNN.
std::string ShownName(const std::string& name) {
  std::string shown;
  for (unsigned char c : name) {
    char hex[8];
    std::snprintf(hex, sizeof hex, "\\x%02X", c);
    shown += (c >= 0x20 && c < 0x7F) ? std::string(1, static_cast<char>(c)) : std::string(hex);
  }
  return shown;
}

int ChooseBoreholes(const SaveOptions& options, ProjectSession& session,
                    std::vector<std::string>* ids, int* passed_over) {
  if (options.all == !options.ids.empty()) {
    session.host().Error("give the boreholes to save, or --all (not both)");
    return kExitUsage;
  }
  if (options.all) {
    std::vector<std::string> unusable;
    *ids = session.BoreholeIds(&unusable);
    for (const std::string& name : unusable)
      session.host().Error("file name does not spell a borehole identifier (1 to 8 characters, "
                           "code page 1252 or UTF-8), not saved: '" + ShownName(name) + "'");
    *passed_over = static_cast<int>(unusable.size());
    if (ids->empty() && unusable.empty()) session.host().Error("no boreholes in " + options.dir);
    return kExitDone;
  }
  ids->resize(options.ids.size());
  for (std::size_t i = 0; i < ids->size(); ++i)
    if (int rc = session.ParseId(options.ids[i], &(*ids)[i])) return rc;
  return kExitDone;
}

int RunSave(const SaveOptions& options, ToolContext& context) {
  ProjectSession session(context);
  if (int rc = session.Open(options.dir)) return rc;
  std::vector<std::string> ids;
  int passed_over = 0;
  if (int rc = ChooseBoreholes(options, session, &ids, &passed_over)) return rc;
  CBorviDbs dbs(session.path());
  if (dbs.Init(0, 0) != 0) {
    session.host().Error("the database of " + options.dir + " could not be opened for writing");
    return kExitFailure;
  }
  const bool quiet = context.options.quiet;
  const int total = static_cast<int>(ids.size());
  Progress progress(total, Progress::Wanted(total, quiet));
  session.host().SetProgress(&progress);
  int saved = 0;
  for (const std::string& id : ids) {
    if (SaveBorehole(session, dbs, id, options.force, quiet)) ++saved;
    progress.Step();
  }
  session.host().SetProgress(nullptr);
  progress.Clear();
  const int refused = total - saved + passed_over;
  std::fprintf(stderr, "saved %d of %d boreholes, %d refused\n", saved, total + passed_over, refused);
  return refused == 0 && saved > 0 ? kExitDone : kExitFailure;
}

}  // namespace

void AddSaveCommand(CLI::App& app, CommandRun* run) {
  auto options = std::make_shared<SaveOptions>();
  CLI::App* cmd = app.add_subcommand(
      "save", "Read each borehole and write it back (its files and its database record)");
  cmd->footer(
      "Rewrites ID.SND and the borehole's other files in their current form and recomputes its "
      "record in Solumbra.dbs. A borehole whose files could not be read whole is left as it "
      "is unless --force is given.\n"
      "Examples: geoproj save ~/projects/road42 BH1 BH2\n"
      "          geoproj save ~/projects/road42 --all");
  cmd->add_option("DIR", options->dir, "Project directory")->required();
  cmd->add_option("ID", options->ids, "Borehole identifiers");
  cmd->add_flag("--all", options->all,
                "Every borehole of the directory (its .SND, .VB, .GVR and .MTN files), in "
                "identifier order");
  cmd->add_flag("--force", options->force,
                "Save also a borehole whose files could not be read whole (what was not read "
                "is lost)");
  cmd->fallthrough();
  cmd->callback([run, options] {
    *run = [options](ToolContext& context) { return RunSave(*options, context); };
  });
}

}  // namespace geoproj::tool
