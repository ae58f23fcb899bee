// restore DIR [--name TEXT] [--second TEXT] [--date DD.MM.YYYY]: rebuilds the borehole database
// of DIR from its files, as the restore dialog does, and prints what it found. The old database
// stays in place until the new one is complete.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

#include <geoproj/database/arktype.h>
#include <geoproj/database/borvi_dbs.h>
#include <geoproj/database/konvertera_dlg.h>
#include <geoproj/foundation/messages.h>
#include <geoproj/foundation/text_helpers.h>

#include "commands.h"
#include "exit_codes.h"
#include "progress.h"
#include "project_session.h"

namespace geoproj::tool {
namespace {

struct RestoreOptions {
  std::string dir;
  std::string name;    // UTF-8
  std::string second;  // UTF-8
  std::string date;
};

// "" when text is a date DD.MM.YYYY; else why not.
std::string CheckDate(const std::string& text) {
  int day = 0, month = 0, year = 0;
  char end = 0;
  const bool shaped = text.size() == 10 && text[2] == '.' && text[5] == '.' &&
                      std::sscanf(text.c_str(), "%2d.%2d.%4d%c", &day, &month, &year, &end) == 3;
  if (shaped && day >= 1 && day <= 31 && month >= 1 && month <= 12) return std::string();
  return "the date is DD.MM.YYYY, not " + text;
}

arktype ProjectTexts(const RestoreOptions& options) {
  arktype ark{};
  CopyField(ark.namn, Utf8ToCp1252(options.name));
  CopyField(ark.text2, Utf8ToCp1252(options.second));
  CopyField(ark.datum, options.date);
  return ark;
}

// The dialog's counts after the bar.
std::string CountsText(const CKonverteraDlg::State& s) {
  return "soundings " + s.counts[0] + ", groundwater " + s.counts[1] + ", measurements " +
         s.counts[2] + ", terrain points " + s.counts[3] + ", lines " + s.counts[4];
}

// The log is for a person to read at leisure: the question whether to show it now is answered
// No, unless --yes asks for every Yes.
class LogQuestion {
 public:
  LogQuestion(MessageHost& host, bool yes) {
    previous_ = SetMessageHandler([&host, yes](const std::string& text, unsigned flags,
                                                const std::string& caption) {
      if (text.rfind("Show logfile with errors:", 0) == 0) return yes ? kIdYes : kIdNo;
      return host.Show(text, flags, caption);
    });
  }
  ~LogQuestion() { SetMessageHandler(previous_); }
  LogQuestion(const LogQuestion&) = delete;
  LogQuestion& operator=(const LogQuestion&) = delete;

 private:
  MessageHandler previous_;
};

void PrintCounts(const CKonverteraDlg::State& s, const CBorviDbs& dbs) {
  std::printf("soundings %s\ngroundwater %s\nmeasurements %s\nterrain points %s\nlines %s\n",
              s.counts[0].c_str(), s.counts[1].c_str(), s.counts[2].c_str(), s.counts[3].c_str(),
              s.counts[4].c_str());
  const std::string& log = dbs.GetRestoreLogName();
  if (!log.empty()) std::printf("log %s\n", std::filesystem::absolute(log).string().c_str());
}

int RunRestore(const RestoreOptions& options, ToolContext& context) {
  ProjectSession session(context);
  if (int rc = session.Open(options.dir)) return rc;
  const arktype ark = ProjectTexts(options);
  CBorviDbs dbs(session.path());
  CKonverteraDlg dialog(dbs.GetDbsFileName().c_str(), &ark, &dbs);
  Progress progress(100, Progress::Wanted(100, context.options.quiet));
  session.host().SetProgress(&progress);
  dialog.SetListener([&progress](const CKonverteraDlg::State& s) {
    progress.SetDetail(CountsText(s));
    progress.StepTo(s.progress);
  });
  LogQuestion question(session.host(), context.options.yes);
  dialog.OnInitDialog();
  if (!dialog.GetState().continueEnabled) {
    session.host().Error("the project " + options.dir + " is locked by another user; not restored");
    return kExitFailure;
  }
  dialog.OnOK();
  dialog.Wait();
  progress.Clear();
  session.host().SetProgress(nullptr);
  const CKonverteraDlg::State state = dialog.GetState();
  if (!state.done) {
    session.host().Error("not restored: the database of " + options.dir + " is of a later version");
    return kExitFailure;
  }
  if (state.result != 0) {
    session.host().Error("the database of " + options.dir + " could not be restored; it is as it was");
    return kExitFailure;
  }
  PrintCounts(state, dbs);
  return kExitDone;
}

}  // namespace

void AddRestoreCommand(CLI::App& app, CommandRun* run) {
  auto options = std::make_shared<RestoreOptions>();
  CLI::App* cmd = app.add_subcommand(
      "restore", "Rebuild the borehole database of project DIR from its files (Solumbra.dbs)");
  cmd->add_option("DIR", options->dir, "Project directory")->required();
  cmd->add_option("--name", options->name, "Project name (kept from the old database when omitted)")
      ->type_name("TEXT");
  cmd->add_option("--second", options->second, "Project number of a database made anew")
      ->type_name("TEXT");
  cmd->add_option("--date", options->date, "Creation date of a database made anew")
      ->type_name("DD.MM.YYYY")
      ->check(CLI::Validator(CheckDate, "", "date"));
  cmd->footer(
      "Prints the number of soundings, groundwater pipes, measurement points, terrain points and\n"
      "lines entered, and the path of the log of duplicate GUIDs when one was written. The old\n"
      "database is replaced only by a complete new one.\n"
      "Example: geoproj restore ~/projects/road42 --name \"Road 42\"");
  cmd->fallthrough();
  cmd->callback([run, options] {
    *run = [options](ToolContext& context) { return RunRestore(*options, context); };
  });
}

}  // namespace geoproj::tool
