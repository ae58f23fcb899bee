#include "evaluation.h"

#include <cstdio>
#include <string>

#include <geoproj/database/borvi_dbs.h>
#include <geoproj/foundation/text_helpers.h>
#include <geoproj/platform/date_time.h>
#include <geoproj/platform/files.h>
#include <geoproj/reports/projekt_metod_lista.h>
#include <geoproj/reports/vaglinje_fil.h>

#include "commands.h"
#include "exit_codes.h"
#include "progress.h"
#include "project_session.h"

namespace geoproj::tool {
namespace {

// A day given as DD.MM.YYYY, in the form the scans read; false when it is no day.
bool ParseDay(const std::string& text, char (&out)[12]) {
  int day = 0, month = 0, year = 0, end = 0;
  if (std::sscanf(text.c_str(), "%2d.%2d.%4d%n", &day, &month, &year, &end) != 3 ||
      static_cast<std::size_t>(end) != text.size())
    return false;
  const DateTime date{year, month, day, 0, 0, 0};
  if (!IsValidDateTime(date)) return false;
  CopyField(out, FormatDate(date));
  return true;
}

}  // namespace

const char* const Evaluation::kMethodNames[kScanMetoder] = {"Dreie", "Dtrykk", "Enkel", "Fjell",
                                                            "Ram",   "Total",  "vane",  "CPT"};

int Evaluation::Run(const EvaluationOptions& options, ToolContext& context) {
  ProjectSession session(context);
  if (int rc = session.Open(options.dir)) return rc;
  if (int rc = SetPeriod(options, context)) return rc;
  if (int rc = ReadAlignment(options, context)) return rc;
  CBorviDbs dbs(session.path());
  if (!FileExists(dbs.GetDbsFileName())) {
    session.host().Error("no database in " + options.dir + ": create it with `geoproj init " +
                         options.dir + "` and enter the boreholes with `geoproj save " +
                         options.dir + " --all`");
    return kExitFailure;
  }
  if (!ReadProjectDatabase(session, options.dir, &dbs)) return kExitFailure;
  scan_.sondering = 1;
  scan_.cptdatum = options.cpt_file_date ? 2 : 0;
  CUtvDbs utv(session.path(), session.settings());
  int records = 0;
  dbs.Where(&records);
  Progress progress(records, Progress::Wanted(records, context.options.quiet));
  session.host().SetProgress(&progress);
  utv.SetProgress([&progress](int, int) { progress.Step(); });
  // An empty database has nothing to count: every figure stays 0.
  if (utv.MetodScan(&dbs, &scan_) == 0) utv.SondScan(&dbs, &scan_);
  session.host().SetProgress(nullptr);
  if (records == 0 && !context.options.quiet)
    std::fprintf(stderr, "no records: boreholes enter the database when they are saved "
                         "(geoproj save %s --all)\n", options.dir.c_str());
  return kExitDone;
}

int Evaluation::SetPeriod(const EvaluationOptions& options, ToolContext& context) {
  if (ParseDay(options.from, scan_.frandatum) && ParseDay(options.to, scan_.tilldatum))
    return kExitDone;
  context.host->Error("a period is given as --from DD.MM.YYYY --to DD.MM.YYYY (got " +
                      options.from + " to " + options.to + ")");
  return kExitUsage;
}

int Evaluation::ReadAlignment(const EvaluationOptions& options, ToolContext& context) {
  if (options.alignment.empty()) return kExitDone;
  if (!(options.half_width > 0.0)) {
    context.host->Error("--half-width must be a positive number of metres");
    return kExitUsage;
  }
  int dropped = 0;
  if (ReadVaglinjeFil(options.alignment, &alignment_, &dropped) != 0) {
    context.host->Error("cannot read the road alignment " + options.alignment);
    return kExitFailure;
  }
  int points = 0;
  alignment_.Where(&points);
  if (points < 2) {
    context.host->Error("the road alignment " + options.alignment + " holds " +
                        std::to_string(points) + " point(s) that could be read; it needs two or more");
    return kExitFailure;
  }
  if (dropped > 0)
    context.host->Error("warning: " + std::to_string(dropped) + " line(s) of " + options.alignment +
                        " are no points and were left out");
  alignment_.SetHalvbredd(options.half_width);
  scan_.vaglinje = &alignment_;
  return kExitDone;
}

std::vector<CProjektMetodLista*> Evaluation::Lists() const {
  std::vector<CProjektMetodLista*> lists;
  const auto add = [&lists](CProjektMetodLista* list) {
    int rows = 0;
    if (list && list->Where(&rows) >= 0 && rows > 0) lists.push_back(list);
  };
  for (const metscanmetodtype& m : scan_.metod) add(m.lista);
  add(scan_.tlk.lista);
  return lists;
}

// The options both evaluation commands take.
void AddEvaluationOptions(CLI::App* cmd, EvaluationOptions* options) {
  cmd->add_option("DIR", options->dir, "Project directory")->required();
  cmd->add_option("--from", options->from, "First day of the period")
      ->type_name("DD.MM.YYYY")
      ->required();
  cmd->add_option("--to", options->to, "Last day of the period")->type_name("DD.MM.YYYY")->required();
  cmd->add_option("--alignment", options->alignment,
                  "Only boreholes inside this road alignment's corridor; chainage and offset "
                  "along it")
      ->type_name("FILE");
  cmd->add_option("--half-width", options->half_width,
                  "Half-width of the alignment's corridor in metres (default 50)")
      ->type_name("M");
  cmd->add_flag("--cpt-file-date", options->cpt_file_date,
                "Date a cone penetration test by the day its sounding file was created, not by "
                "its block date");
}

}  // namespace geoproj::tool
