// list DIR [--sort KEY] [--json]: the records of the borehole database.
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include <geoproj/database/borvi_dbs.h>
#include <geoproj/foundation/text_helpers.h>

#include "commands.h"
#include "exit_codes.h"
#include "json_print.h"
#include "project_session.h"
#include "record_json.h"
#include "text_report.h"

namespace geoproj::tool {
namespace {

// The database sorts by keys 1 to 21, negative for descending.
constexpr int kMaxSortKey = 21;

struct ListOptions {
  std::string dir;
  int sort = 0;
  bool json = false;
};

std::string CheckSortKey(const std::string& text) {
  char* end = nullptr;
  const long key = std::strtol(text.c_str(), &end, 10);
  if (text.empty() || *end != '\0' || key == 0 || key < -kMaxSortKey || key > kMaxSortKey)
    return "sort key must be 1 to 21 (ascending) or -1 to -21 (descending), not " + text;
  return std::string();
}

std::string Plural(int n, const char* word) {
  return std::to_string(n) + " " + word + (n == 1 ? "" : "s");
}

// What is damaged, the header's count against the records read, and the way out.
std::string DamageWarning(const CBorviDbs& dbs, const std::string& dir) {
  const CBorviDbs::ReadReport& report = dbs.GetReadReport();
  std::string file;
  SplitPath(dbs.GetDbsFileName().c_str(), nullptr, &file);
  std::string details;
  if (report.dropped > 0) details = Plural(report.dropped, "record") + " dropped";
  if (report.cut) details += std::string(details.empty() ? "" : ", ") + "the file ends inside a record";
  return "warning: database " + file + " is damaged: the header counts " +
         Plural(report.header_records, "record") + ", " + std::to_string(report.read_records) +
         " could be read" + (details.empty() ? "" : " (" + details + ")") + "; `geoproj restore " +
         dir + "` rebuilds it from the borehole files";
}

int RunList(const ListOptions& options, ToolContext& context) {
  ProjectSession session(context);
  if (int rc = session.Open(options.dir)) return rc;
  CBorviDbs dbs(session.path());
  if (!ReadProjectDatabase(session, options.dir, &dbs)) return kExitFailure;
  // A damaged database of which nothing could be read has nothing to list: that is a failure.
  const CBorviDbs::ReadReport& report = dbs.GetReadReport();
  if (report.Damaged() && report.read_records == 0) return kExitFailure;
  if (options.sort != 0) dbs.Sortera(options.sort);
  const nlohmann::ordered_json records = RecordsJson(dbs);
  if (options.json)
    PrintJson(records);
  else
    std::fputs(RecordTable(records).c_str(), stdout);
  return kExitDone;
}

}  // namespace

bool ReadProjectDatabase(ProjectSession& session, const std::string& dir, CBorviDbs* dbs) {
  if (dbs->Init(1, 0) != 0) {
    session.host().Error("the database of " + dir + " could not be read");
    if (dbs->LockWasBusy()) session.host().Error(LockFileAdvice(dbs->GetLockFileName(), dir));
    return false;
  }
  if (dbs->GetReadReport().Damaged()) session.host().Error(DamageWarning(*dbs, dir));
  return true;
}

void AddListCommand(CLI::App& app, CommandRun* run) {
  auto options = std::make_shared<ListOptions>();
  CLI::App* cmd = app.add_subcommand("list", "List the database records of project DIR");
  cmd->add_option("DIR", options->dir, "Project directory")->required();
  cmd->add_option("--sort", options->sort, "Sort key 1 to 21, negative for descending")
      ->type_name("KEY")
      ->check(CLI::Validator(
          [](std::string& text) { return CheckSortKey(text); }, "KEY", "sort key"));
  cmd->add_flag("--json", options->json, "Print JSON");
  cmd->fallthrough();
  cmd->callback([run, options] {
    *run = [options](ToolContext& context) { return RunList(*options, context); };
  });
}

}  // namespace geoproj::tool
