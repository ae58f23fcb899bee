// info DIR [--json]: the project information of Info.prj and the header of the database.
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include <geoproj/database/borvi_dbs.h>
#include <geoproj/platform/files.h>
#include <geoproj/platform/proj_path.h>
#include <geoproj/project/info_prj.h>

#include "commands.h"
#include "exit_codes.h"
#include "json_print.h"
#include "json_values.h"
#include "project_session.h"

namespace geoproj::tool {
namespace {

using Json = nlohmann::ordered_json;

struct InfoOptions {
  std::string dir;
  bool json = false;
};

template <std::size_t N>
Json TextsJson(const std::string (&texts)[N]) {
  Json out = Json::array();
  for (const std::string& t : texts) out.push_back(Utf8(t));
  return out;
}

Json DatabaseJson(const CBorviDbs& dbs) {
  const dbshuvtype& h = dbs.m_huv;
  return {{"version", Utf8(h.ver)},
          {"contractor", Utf8(h.entrepr)},
          {"project_name", Utf8(h.projnamn)},
          {"project_number", Utf8(h.projnr)},
          {"date", Utf8(h.datum)},
          {"remarks", {Utf8(h.anm1), Utf8(h.anm2)}},
          {"designer", Utf8(h.handlaggare)},
          {"drawings", Utf8(h.ritningar)},
          {"coordinates", Utf8(h.koord)},
          {"counts",
           {{"boreholes", h.antbh},
            {"avp", h.antavp},
            {"groundwater", h.antgvr},
            {"vane", h.antvb},
            {"environmental", h.antmil},
            {"lines", h.antlin},
            {"outcrops", h.anthell},
            {"deleted", h.antdel}}},
          {"extents",
           {{"sek_min", h.sekmin},
            {"sek_max", h.sekmax},
            {"x_min", h.xmin},
            {"x_max", h.xmax},
            {"y_min", h.ymin},
            {"y_max", h.ymax},
            {"z_min", h.zmin},
            {"z_max", h.zmax}}}};
}

// A path of the project as an absolute path, whatever directory the command was given in.
std::string Absolute(const std::string& path) {
  std::error_code ec;
  const std::filesystem::path absolute = std::filesystem::absolute(path, ec);
  return ec ? path : absolute.lexically_normal().string();
}

Json InfoJson(const CInfoPrj& info, const CProjPath& path, const Json& database) {
  return {{"company", Utf8(info.company)},
          {"document", Utf8(info.document)},
          {"texts", TextsJson(info.text)},
          {"lat_min", info.latMin},
          {"lat_max", info.latMax},
          {"lon_min", info.lonMin},
          {"lon_max", info.lonMax},
          {"centre_lat", info.centreLat},
          {"centre_lon", info.centreLon},
          {"coord_index", info.coordSystem},
          {"height_index", info.heightSystem},
          {"coord_text", Utf8(info.coordText)},
          {"height_text", Utf8(info.heightText)},
          {"transformation", TextsJson(info.transformation)},
          {"coord_epsg", CInfoPrj::EPGSsystem(info.coordSystem)},
          {"coord_name", Utf8(CInfoPrj::TextSystem(info.coordSystem))},
          {"height_epsg", CInfoPrj::EPGSsystemHeight(info.heightSystem)},
          {"line_dir", Utf8(Absolute(JoinPath(path.m_projKat, CProjPath::BorvDbfKat)))},
          {"avp_file", Utf8(Absolute(path.m_pktFil))},
          {"database", database}};
}

std::string Line(const char* label, const std::string& utf8) {
  return std::string(label) + ": " + utf8 + "\n";
}

std::string SystemText(int epsg, const std::string& name, const std::string& text) {
  if (epsg <= 0) return text.empty() ? "none" : text;
  return "EPSG:" + std::to_string(epsg) + (name.empty() ? "" : " " + name) +
         (text.empty() ? "" : " (" + text + ")");
}

// The readable form: what a person checks first.
std::string InfoText(const Json& j) {
  std::string out = Line("company", j["company"]) + Line("document", j["document"]);
  for (const Json& t : j["texts"])
    if (!t.get<std::string>().empty()) out += Line("text", t);
  out += Line("coordinate system", SystemText(j["coord_epsg"], j["coord_name"], j["coord_text"]));
  out += Line("height system", SystemText(j["height_epsg"], "", j["height_text"]));
  out += Format("extent: latitude %.6f to %.6f, longitude %.6f to %.6f\n",
                j["lat_min"].get<double>(), j["lat_max"].get<double>(),
                j["lon_min"].get<double>(), j["lon_max"].get<double>());
  out += Format("centre: %.6f %.6f\n", j["centre_lat"].get<double>(), j["centre_lon"].get<double>());
  for (const Json& t : j["transformation"])
    if (!t.get<std::string>().empty()) out += Line("transformation", t);
  out += Line("line files", j["line_dir"]) + Line("AVP file", j["avp_file"]);
  const Json& db = j["database"];
  if (db.is_null()) return out + "database: none\n";
  out += Line("project", db["project_name"].get<std::string>() + " " +
                             db["project_number"].get<std::string>());
  out += Line("contractor", db["contractor"]) + Line("designer", db["designer"]);
  out += Line("coordinates", db["coordinates"]);
  const Json& c = db["counts"];
  out += Format("records: %d boreholes, %d AVP points, %d groundwater/measurement, %d vane\n",
                c["boreholes"].get<int>(), c["avp"].get<int>(), c["groundwater"].get<int>(),
                c["vane"].get<int>());
  const Json& e = db["extents"];
  out += Format("x %.3f to %.3f, y %.3f to %.3f, z %.3f to %.3f\n", e["x_min"].get<double>(),
                e["x_max"].get<double>(), e["y_min"].get<double>(), e["y_max"].get<double>(),
                e["z_min"].get<double>(), e["z_max"].get<double>());
  return out;
}

int RunInfo(const InfoOptions& options, ToolContext& context) {
  ProjectSession session(context);
  if (int rc = session.Open(options.dir)) return rc;
  const bool existed = FileExists(JoinPath(session.path()->m_projKat, CInfoPrj::FilNamn));
  CInfoPrj info(session.path());
  if (!existed && !FileExists(info.GetFileName()))
    session.host().Error("warning: " + std::string(CInfoPrj::FilNamn) + " could not be created in " +
                         options.dir);
  if (info.GetDroppedCount() > 0)
    session.host().Error("warning: " + std::to_string(info.GetDroppedCount()) + " place(s) of " +
                         CInfoPrj::FilNamn + " could not be read; what follows lacks them");
  Json database = nullptr;
  CBorviDbs dbs(session.path());
  if (FileExists(dbs.GetDbsFileName())) {
    if (!ReadProjectDatabase(session, options.dir, &dbs)) return kExitFailure;
    database = DatabaseJson(dbs);
  }
  const Json out = InfoJson(info, *session.path(), database);
  if (options.json)
    PrintJson(out);
  else
    std::fputs(InfoText(out).c_str(), stdout);
  return kExitDone;
}

}  // namespace

void AddInfoCommand(CLI::App& app, CommandRun* run) {
  auto options = std::make_shared<InfoOptions>();
  CLI::App* cmd = app.add_subcommand(
      "info", "Show the project information (Info.prj) and the database header of project DIR");
  cmd->footer(
      "Info.prj is created empty when the project has none; an existing one is never "
      "rewritten.\nExample: geoproj info ~/projects/road42 --json");
  cmd->add_option("DIR", options->dir, "Project directory")->required();
  cmd->add_flag("--json", options->json, "Print JSON");
  cmd->fallthrough();
  cmd->callback([run, options] {
    *run = [options](ToolContext& context) { return RunInfo(*options, context); };
  });
}

}  // namespace geoproj::tool
