// list DIR [--sort KEY[:KEY...]] [--json]: the records of the borehole database.
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include <geoproj/database/borvi_dbs.h>
#include <geoproj/foundation/text_helpers.h>
#include <geoproj/platform/symbol_library.h>

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

// What each sort key orders by; the keys of a kind put the records of that kind first.
constexpr const char* kSortKeyWords[kMaxSortKey] = {
    "identifier (digits by their value)", "x", "y", "ground level z", "chainage", "offset",
    "CPT (7) first", "groundwater pipes and measurement points first", "AVP points first",
    "vane tests (20) first", "method 26 first", "method 25 first", "method 24 first",
    "method 22 first", "method 23 first", "method 21 first", "other samples first",
    "header value set first", "samples (40) first", "SkvPg first", "interpretation (60) first"};

std::string SortKeysHelp() {
  std::string help =
      "Sort keys (--sort KEY[:KEY...]; a negative key sorts descending; with several keys the "
      "first decides, the next ones break its ties):\n";
  for (int key = 1; key <= kMaxSortKey; ++key)
    help += "  " + std::to_string(key) + (key < 10 ? "   " : "  ") + kSortKeyWords[key - 1] + "\n";
  return help + "Prints a table, or JSON with --json; writes nothing.\n"
                "Example: geoproj list ~/projects/road42 --sort 5:1 --json";
}

struct ListOptions {
  std::string dir;
  std::vector<int> sort;  // the keys, the deciding one first
  bool json = false;
};

// The keys of "KEY[:KEY...]" into *keys; the reason when they are not keys.
std::string ParseSortKeys(const std::string& text, std::vector<int>* keys) {
  keys->clear();
  std::size_t start = 0;
  for (;;) {
    const std::size_t colon = text.find(':', start);
    const std::string part = text.substr(start, colon == std::string::npos ? std::string::npos : colon - start);
    char* end = nullptr;
    const long key = std::strtol(part.c_str(), &end, 10);
    if (part.empty() || *end != '\0' || key == 0 || key < -kMaxSortKey || key > kMaxSortKey)
      return "sort keys are 1 to 21 (ascending) or -1 to -21 (descending), joined by ':'; not " + text;
    keys->push_back(static_cast<int>(key));
    if (colon == std::string::npos) return std::string();
    start = colon + 1;
  }
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
  if (session.settings()) {
    const std::string endpoint = session.settings()->ReadKey("SYSTEM", "SYMBOLURL");
    if (!endpoint.empty()) SetSymbolLibraryEndpoint(endpoint);
  }
  CBorviDbs dbs(session.path());
  if (!ReadProjectDatabase(session, options.dir, &dbs)) return kExitFailure;
  // A damaged database of which nothing could be read has nothing to list: that is a failure.
  const CBorviDbs::ReadReport& report = dbs.GetReadReport();
  if (report.Damaged() && report.read_records == 0) return kExitFailure;
  // The sort is stable: sorting by the last key first leaves the first key deciding.
  for (auto key = options.sort.rbegin(); key != options.sort.rend(); ++key) dbs.Sortera(*key);
  std::size_t count = 0;
  if (options.json) {
    // Record by record: a database of 30,000 records is never one document in memory.
    JsonArrayPrinter printer(stdout);
    ForEachRecordJson(dbs, [&](const nlohmann::ordered_json& record) { printer.Add(record); });
    printer.Finish();
    count = printer.Count();
  } else {
    const nlohmann::ordered_json records = RecordsJson(dbs);
    std::fputs(RecordTable(records).c_str(), stdout);
    count = records.size();
  }
  if (count == 0 && !context.options.quiet)
    std::fprintf(stderr, "no records: boreholes enter the database when they are saved "
                         "(geoproj save %s --all)\n", options.dir.c_str());
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
  CLI::App* cmd = app.add_subcommand(
      "list",
      "List the records of the borehole database of project DIR (reads Solumbra.dbs)");
  cmd->add_option("DIR", options->dir, "Project directory")->required();
  cmd->add_option_function<std::string>(
         "--sort",
         [options](const std::string& text) { ParseSortKeys(text, &options->sort); },
         "Sort by these keys (see below)")
      ->type_name("KEY[:KEY...]")
      ->check(CLI::Validator(
          [](std::string& text) {
            std::vector<int> keys;
            return ParseSortKeys(text, &keys);
          },
          "", "sort keys"));
  cmd->footer(SortKeysHelp());
  cmd->add_flag("--json", options->json, "Print JSON");
  cmd->fallthrough();
  cmd->callback([run, options] {
    *run = [options](ToolContext& context) { return RunList(*options, context); };
  });
}

}  // namespace geoproj::tool
