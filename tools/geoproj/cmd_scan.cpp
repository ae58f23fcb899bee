// scan DIR --from DD.MM.YYYY --to DD.MM.YYYY [--alignment FILE] [--json]: how many boreholes of
// each kind the project holds and how many metres of each method were sounded in the period,
// with one row per sounding and per interpretation.
#include <cstdio>
#include <memory>
#include <string>

#include <geoproj/foundation/text_helpers.h>
#include <geoproj/reports/projekt_metod_lista.h>
#include <geoproj/reports/utv_dbs.h>

#include "commands.h"
#include "evaluation.h"
#include "exit_codes.h"
#include "json_print.h"
#include "json_values.h"

namespace geoproj::tool {
namespace {

using Json = nlohmann::ordered_json;

struct ScanOptions {
  EvaluationOptions evaluation;
  bool json = false;
};

Json RowJson(const metlisttype& r) {
  Json texts = Json::array();
  for (const auto& t : r.text) texts.push_back(Utf8(t));
  return {{"kind", r.typ},          {"id", Utf8(r.id)},         {"date1", Utf8(r.datum1)},
          {"date2", Utf8(r.datum2)}, {"created", Utf8(r.skapad)}, {"modified", Utf8(r.andrad)},
          {"sek", r.sek},           {"avst", r.avst},           {"x", r.x},
          {"y", r.y},               {"z", r.z},                 {"length", r.langd},
          {"stop", r.stopp},        {"texts", texts},           {"count", r.antal},
          {"method", Utf8(r.metod)}, {"number", r.nummer},      {"extra", Utf8(r.extra)}};
}

Json ListJson(CProjektMetodLista& list) {
  Json rows = Json::array();
  if (list.Home() < 0) return rows;
  do rows.push_back(RowJson(*list.Get_aktel()));
  while (list++);
  return rows;
}

Json ScanJson(const Evaluation& evaluation) {
  const metscantype& s = evaluation.scan();
  Json counts, metres;
  for (int m = 0; m < kScanMetoder; ++m) {
    counts[Evaluation::kMethodNames[m]] = s.metodantal[m];
    metres[Evaluation::kMethodNames[m]] = s.metod[m].meter;
  }
  metres["Tlk"] = s.tlk.meter;
  Json lists = Json::object();
  for (CProjektMetodLista* list : evaluation.Lists()) lists[Utf8(list->m_namn)] = ListJson(*list);
  return {{"boreholes", s.antalbh},
          {"environmental", s.antalmil},
          {"avp", s.antalavp},
          {"counts", counts},
          {"metres", metres},
          {"total_metres", s.totmeter},
          {"lists", lists}};
}

std::string ScanText(const Evaluation& evaluation, const EvaluationOptions& options) {
  const metscantype& s = evaluation.scan();
  std::string out = Format("period %s to %s%s\n", s.frandatum, s.tilldatum,
                           options.alignment.empty() ? "" : ", inside the road alignment");
  out += Format("boreholes %d, environmental %d, AVP points %d\n\n", s.antalbh, s.antalmil,
                s.antalavp);
  out += Format("%-8s %8s %8s %12s\n", "method", "records", "blocks", "metres");
  for (int m = 0; m < kScanMetoder; ++m)
    out += Format("%-8s %8d %8d %12.3f\n", Evaluation::kMethodNames[m], s.metodantal[m],
                  s.metod[m].antal, s.metod[m].meter);
  out += Format("%-8s %8s %8d %12.3f\n", "Tlk", "-", s.tlk.antal, s.tlk.meter);
  out += Format("%-8s %8s %8s %12.3f\n", "total", "", "", s.totmeter);
  return out;
}

int RunScan(const ScanOptions& options, ToolContext& context) {
  Evaluation evaluation;
  if (int rc = evaluation.Run(options.evaluation, context)) return rc;
  if (options.json)
    PrintJson(ScanJson(evaluation));
  else
    std::fputs(ScanText(evaluation, options.evaluation).c_str(), stdout);
  return kExitDone;
}

}  // namespace

void AddScanCommand(CLI::App& app, CommandRun* run) {
  auto options = std::make_shared<ScanOptions>();
  CLI::App* cmd = app.add_subcommand(
      "scan", "Count boreholes and sounded metres per method over a period (reads every borehole)");
  cmd->footer(
      "Counts the database's records by kind and method, then reads every borehole's files: a "
      "sounding block dated within the period (both days included) adds its sounded length and "
      "a row to its method's list; one outside it lowers its method's count, and a borehole "
      "without any lowers the borehole count. Interpretations give their fill, dry-crust, clay, "
      "friction-soil and total depths. Boreholes enter the counts through the database: save "
      "them first.\n"
      "The road alignment file holds one point per line, \"x y z station\", in station order "
      "(a LINJE section of a measurement file reads as it stands).\n"
      "Examples:\n"
      "  geoproj scan ~/projects/road42 --from 01.01.2021 --to 31.12.2021\n"
      "  geoproj scan ~/projects/road42 --from 01.04.2021 --to 30.04.2021 --alignment E6.txt --json");
  AddEvaluationOptions(cmd, &options->evaluation);
  cmd->add_flag("--json", options->json, "Print JSON");
  cmd->fallthrough();
  cmd->callback([run, options] {
    *run = [options](ToolContext& context) { return RunScan(*options, context); };
  });
}

}  // namespace geoproj::tool
