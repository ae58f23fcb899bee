// export DIR --format geojson|csv [--what records|soundings] [--epsg N] [-o FILE]: the records
// of the database, or every data record of every sounding, for maps and spreadsheets.
#include <cstdio>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include <geoproj/database/borvi_dbs.h>
#include <geoproj/export/coordinate_transform.h>
#include <geoproj/export/csv_writer.h>
#include <geoproj/export/geojson_writer.h>
#include <geoproj/export/project_system.h>
#include <geoproj/export/record_table.h>
#include <geoproj/export/sounding_log.h>
#include <geoproj/export/sounding_table.h>
#include <geoproj/foundation/text_helpers.h>
#include <geoproj/platform/files.h>
#include <geoproj/project/info_prj.h>

#include "borehole_log.h"
#include "commands.h"
#include "exit_codes.h"
#include "output_file.h"
#include "project_session.h"

namespace geoproj::tool {
namespace {

struct ExportOptions {
  std::string dir;
  std::string format;
  std::string what = "records";
  int epsg = 0;
  std::string output;
};

// The database of the project, or an explanation of why there is none to export.
bool ReadDatabase(ProjectSession& session, const std::string& dir, CBorviDbs* dbs) {
  if (!FileExists(dbs->GetDbsFileName())) {
    session.host().Error("no database in " + dir + ": boreholes enter it when they are saved (geoproj save " +
                         dir + " --all)");
    return false;
  }
  return ReadProjectDatabase(session, dir, dbs);
}

// Each record with files of its own gets the dates of its sounding file and blocks.
ExportTable RecordsTable(ProjectSession& session, CBorviDbs& dbs) {
  std::vector<std::string> unusable;
  const std::vector<std::string> ids = session.BoreholeIds(&unusable);
  const std::set<std::string> with_files(ids.begin(), ids.end());
  RecordTable records;
  if (dbs.Home() == 0) {
    do {
      std::string id = FieldText(dbs.Get_aktel()->id);
      UpperId(id);
      SoundingLog log;
      const bool read = with_files.count(id) && ReadBoreholeLog(session, id, &log);
      records.Add(dbs, read ? &log : nullptr);
    } while (dbs++);
  }
  return records.table();
}

ExportTable SoundingsTable(ProjectSession& session) {
  std::vector<std::string> unusable;
  SoundingTable soundings;
  for (const std::string& id : session.BoreholeIds(&unusable)) {
    SoundingLog log;
    if (ReadBoreholeLog(session, id, &log)) soundings.Add(log);
  }
  for (const std::string& name : unusable)
    session.host().Error("warning: " + Cp1252ToUtf8(name) + " names no borehole and is not exported");
  return soundings.table();
}

int RunExport(const ExportOptions& options, ToolContext& context) {
  ProjectSession session(context);
  if (int rc = session.Open(options.dir)) return rc;
  CBorviDbs dbs(session.path());
  const bool records = options.what == "records";
  if (records && !ReadDatabase(session, options.dir, &dbs)) return kExitFailure;
  if (!records && FileExists(dbs.GetDbsFileName())) ReadProjectDatabase(session, options.dir, &dbs);

  std::unique_ptr<CoordinateTransform> transform;
  if (options.format == "geojson") {
    CInfoPrj info(session.path());
    const ProjectSystem system = ProjectSystem::Resolve(info, FieldText(dbs.m_huv.koord), options.epsg);
    if (!system.Known()) {
      session.host().Error("cannot place " + options.dir + " on a map: " + Cp1252ToUtf8(system.source));
      return kExitFailure;
    }
    transform = std::make_unique<CoordinateTransform>(system.epsg);
    if (!transform->Ok()) {
      session.host().Error(transform->Error());
      return kExitFailure;
    }
  }

  const ExportTable table = records ? RecordsTable(session, dbs) : SoundingsTable(session);

  int unplaced = 0;
  const std::string bytes = transform ? GeoJsonWriter::Write(table, *transform, &unplaced)
                                      : CsvWriter::Write(table);
  if (!WriteOutput(session.host(), options.output, bytes)) return kExitFailure;
  if (unplaced > 0)
    session.host().Error("warning: " + std::to_string(unplaced) + " of " +
                         std::to_string(table.rows.size()) +
                         " rows have no position that could be placed; their geometry is null");
  if (!options.output.empty() && !context.options.quiet)
    std::fprintf(stderr, "%zu %s written to %s\n", table.rows.size(),
                 transform ? "features" : "rows", options.output.c_str());
  return kExitDone;
}

}  // namespace

void AddExportCommand(CLI::App& app, CommandRun* run) {
  auto options = std::make_shared<ExportOptions>();
  CLI::App* cmd = app.add_subcommand(
      "export", "Export the records or the soundings of project DIR as GeoJSON or CSV (writes only -o FILE)");
  cmd->add_option("DIR", options->dir, "Project directory")->required();
  cmd->add_option("--format", options->format, "geojson (RFC 7946, WGS 84) or csv (RFC 4180, UTF-8)")
      ->required()
      ->check(CLI::IsMember({"geojson", "csv"}));
  cmd->add_option("--what", options->what,
                  "records: one per database record (default); soundings: one per data record of every block")
      ->check(CLI::IsMember({"records", "soundings"}));
  cmd->add_option("--epsg", options->epsg,
                  "EPSG code of the project's coordinates (default: the coordinate system of Info.prj)")
      ->type_name("N")
      ->check(CLI::PositiveNumber);
  cmd->add_option("-o,--output", options->output, "Write to FILE instead of standard output")
      ->type_name("FILE");
  cmd->footer(
      "x is the northing and y the easting; GeoJSON gets longitude and latitude in WGS 84,\n"
      "transformed with PROJ from the project's system. A project in a local system (LOK) needs "
      "--epsg.\n"
      "Examples: geoproj export ~/projects/road42 --format geojson -o road42.geojson\n"
      "          geoproj export ~/projects/road42 --format csv --what soundings -o soundings.csv");
  cmd->fallthrough();
  cmd->callback([run, options] {
    *run = [options](ToolContext& context) { return RunExport(*options, context); };
  });
}

}  // namespace geoproj::tool
