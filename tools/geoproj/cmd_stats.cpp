// stats DIR ID [--from DD.MM.YYYY --to DD.MM.YYYY] [--json]: count, minimum, maximum and mean of
// the readings of a groundwater pipe, a settlement point or a measurement point, over a period
// or as the statistics without one give them.
#include <cstdio>
#include <memory>
#include <optional>
#include <string>

#include <geoproj/database/borvi_dbs.h>
#include <geoproj/groundwater/borvi_gvr.h>
#include <geoproj/groundwater/borvi_mtn.h>
#include <geoproj/platform/date_time.h>
#include <geoproj/platform/files.h>
#include <geoproj/sounding/borvi_snd.h>

#include "commands.h"
#include "exit_codes.h"
#include "json_print.h"
#include "measurement_slot.h"
#include "project_session.h"

namespace geoproj::tool {
namespace {

struct StatsOptions {
  std::string dir;
  std::string id;
  std::string from;
  std::string to;
  bool json = false;
};

// A day given as DD.MM.YYYY, at the given time of day; nothing when it is no date.
std::optional<OleDateTime> ParseDay(const std::string& text, int hour, int minute, int second) {
  int day = 0, month = 0, year = 0, end = 0;
  if (std::sscanf(text.c_str(), "%2d.%2d.%4d%n", &day, &month, &year, &end) != 3 ||
      static_cast<std::size_t>(end) != text.size())
    return std::nullopt;
  const OleDateTime t = MakeOleDateTime(year, month, day, hour, minute, second);
  if (!t.valid) return std::nullopt;
  return t;
}

struct Result {
  int count = 0;
  double min = 0.0, max = 0.0, mean = 0.0;
};

void Print(const Result& r, bool json) {
  if (json) {
    nlohmann::ordered_json out;
    out["count"] = r.count;
    const auto value = [&](double v) { return r.count > 0 ? nlohmann::ordered_json(v) : nullptr; };
    out["min"] = value(r.min);
    out["max"] = value(r.max);
    out["mean"] = value(r.mean);
    PrintJson(out);
    return;
  }
  std::printf("count %d\n", r.count);
  if (r.count == 0) return;
  std::printf("min   %.4f\nmax   %.4f\nmean  %.4f\n", r.min, r.max, r.mean);
}

int RunStats(const StatsOptions& options, ToolContext& context) {
  ProjectSession session(context);
  if (int rc = session.Open(options.dir)) return rc;
  std::string id;
  if (int rc = session.ParseId(options.id, &id)) return rc;
  // The period runs from the start of its first day to the end of its last.
  std::optional<OleDateTime> from, to;
  if (!options.from.empty()) {
    from = ParseDay(options.from, 0, 0, 0);
    to = ParseDay(options.to, 23, 59, 59);
    if (!from || !to) {
      session.host().Error("a period is given as --from DD.MM.YYYY --to DD.MM.YYYY");
      return kExitUsage;
    }
  }
  if (!session.HasFiles(id)) {
    session.host().Error("no borehole " + options.id + " in " + options.dir);
    return kExitFailure;
  }
  std::unique_ptr<CBorviSnd> snd = session.NewSounding(nullptr);
  if (snd->Init(id.c_str(), nullptr) != 0) {
    session.host().Error("borehole " + options.id + " could not be read");
    return kExitFailure;
  }
  MeasurementSlot measurement(*snd);
  if (snd->m_droppedContent > 0)
    session.host().Error("borehole " + options.id + ": " + std::to_string(snd->m_droppedContent) +
                         " place(s) in its files could not be read; the statistics lack them");
  Result r;
  const OleDateTime* f = from ? &*from : nullptr;
  const OleDateTime* t = to ? &*to : nullptr;
  if (snd->gvr)
    r.count = snd->gvr->MinMaxMedel(&r.min, &r.max, &r.mean, f, t);
  else if (snd->mtn)
    r.count = snd->mtn->MinMaxMedel(&r.min, &r.max, &r.mean, f, t);
  else {
    session.host().Error("borehole " + options.id +
                         " is neither a groundwater pipe, a settlement point nor a measurement point");
    return kExitFailure;
  }
  Print(r, options.json);
  return kExitDone;
}

}  // namespace

void AddStatsCommand(CLI::App& app, CommandRun* run) {
  auto options = std::make_shared<StatsOptions>();
  CLI::App* cmd = app.add_subcommand(
      "stats", "Count, minimum, maximum and mean of a groundwater pipe's or measurement's readings");
  cmd->footer(
      "Reads ID.GVR (groundwater pipe or settlement point) or ID.MTN (measurement point). "
      "Counted are the readings flagged J with a value; a pipe leaves out the dry, flowing and "
      "blocked ones, a settlement point gives settlements from its first reading. Without a "
      "period a measurement point gives its first row. The period includes both days whole.\n"
      "Example: geoproj stats ~/projects/road42 GW1 --from 01.01.2020 --to 31.12.2020 --json");
  cmd->add_option("DIR", options->dir, "Project directory")->required();
  cmd->add_option("ID", options->id, "Borehole identifier")->required();
  CLI::Option* from =
      cmd->add_option("--from", options->from, "First day of the period")->type_name("DD.MM.YYYY");
  CLI::Option* to =
      cmd->add_option("--to", options->to, "Last day of the period")->type_name("DD.MM.YYYY");
  from->needs(to);
  to->needs(from);
  cmd->add_flag("--json", options->json, "Print JSON");
  cmd->fallthrough();
  cmd->callback([run, options] {
    *run = [options](ToolContext& context) { return RunStats(*options, context); };
  });
}

}  // namespace geoproj::tool
