// lines DIR [--json]: the records of the line and outcrop database, read without ever writing
// it (no packing, no repair).
#include <cstdio>
#include <memory>
#include <string>

#include <geoproj/lines/kvar_bv_dbs.h>
#include <geoproj/platform/proj_path.h>

#include "commands.h"
#include "exit_codes.h"
#include "json_print.h"
#include "json_values.h"
#include "project_session.h"

namespace geoproj::tool {
namespace {

using Json = nlohmann::ordered_json;

struct LinesOptions {
  std::string dir;
  bool json = false;
};

Json RecordJson(const sadbstype& r) {
  return {{"type", static_cast<int>(r.typ)},
          {"id", Utf8(r.id)},
          {"file", Utf8(r.fil)},
          {"x", r.x},
          {"y", r.y},
          {"z", r.z},
          {"dx", r.dx},
          {"dy", r.dy},
          {"dz", r.dz},
          {"flags", static_cast<int>(r.flagg)},
          {"object", static_cast<int>(r.objekt)},
          {"object_values", {r.objv[0], r.objv[1], r.objv[2]}},
          {"link_type", static_cast<int>(r.kopptyp)},
          {"link_id", Utf8(r.koppid)},
          {"filpos", r.filpos}};
}

const char* TypeName(int type) {
  switch (type) {
    case CKvarBvDbs::kTypLinje: return "line";
    case CKvarBvDbs::kTypHall: return "outcrop";
    default: return "";
  }
}

std::string RecordsText(const Json& records) {
  std::string out = Format("%-4s %-8s %-15s %-8s %12s %12s %9s %10s %10s %8s %5s %4s %s\n", "type",
                           "", "id", "file", "x", "y", "z", "dx", "dy", "dz", "flags", "obj", "link");
  for (const Json& r : records) {
    const int link_type = r["link_type"];
    const std::string link =
        r["link_id"].get<std::string>().empty()
            ? std::string()
            : r["link_id"].get<std::string>() + (link_type < 0 ? " (none)" : " (" + std::to_string(link_type) + ")");
    out += Format("%-4d %-8s %-15s %-8s %12.3f %12.3f %9.3f %10.3f %10.3f %8.3f %5d %4d %s\n",
                  r["type"].get<int>(), TypeName(r["type"]), r["id"].get<std::string>().c_str(),
                  r["file"].get<std::string>().c_str(), r["x"].get<double>(), r["y"].get<double>(),
                  r["z"].get<double>(), r["dx"].get<double>(), r["dy"].get<double>(),
                  r["dz"].get<double>(), r["flags"].get<int>(), r["object"].get<int>(), link.c_str());
  }
  return out;
}

// What a reading found wrong, said on standard error; the records shown are those it took.
void TellDamage(ProjectSession& session, const CKvarBvDbs& db) {
  const CKvarBvDbs::ReadReport& report = db.GetReadReport();
  if (!report.Damaged()) return;
  session.host().Error(Format("warning: %s is damaged: the header counts %d record(s), %d were "
                              "read, %d dropped%s%s",
                              db.GetDbsFileName().c_str(), report.header_records,
                              report.read_records, report.dropped, report.cut ? ", a record is cut" : "",
                              report.bad_end ? ", the data end was wrong" : ""));
}

int RunLines(const LinesOptions& options, ToolContext& context) {
  ProjectSession session(context);
  if (int rc = session.Open(options.dir)) return rc;
  CKvarBvDbs db(session.path(), session.settings());
  if (db.Init(1, 0) != 0) return kExitFailure;
  TellDamage(session, db);
  Json records = Json::array();
  for (int rc = db.Home(); rc == 0; rc = db++ ? 0 : -1) records.push_back(RecordJson(*db.Get_aktel()));
  if (options.json)
    PrintJson(records);
  else
    std::fputs(RecordsText(records).c_str(), stdout);
  return kExitDone;
}

}  // namespace

void AddLinesCommand(CLI::App& app, CommandRun* run) {
  auto options = std::make_shared<LinesOptions>();
  CLI::App* cmd = app.add_subcommand(
      "lines", "List the line and outcrop database (KVARTOLI.SDBS) of project DIR, one record each");
  cmd->footer(
      "The database is only read: deleted records are never packed out and nothing is "
      "rewritten.\nExit 1 when the database is missing, too short or of a refused version.\n"
      "Examples: geoproj lines ~/projects/road42\n          geoproj lines ~/projects/road42 --json");
  cmd->add_option("DIR", options->dir, "Project directory")->required();
  cmd->add_flag("--json", options->json, "Print JSON");
  cmd->fallthrough();
  cmd->callback([run, options] {
    *run = [options](ToolContext& context) { return RunLines(*options, context); };
  });
}

}  // namespace geoproj::tool
