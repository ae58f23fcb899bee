// report DIR --from DD.MM.YYYY --to DD.MM.YYYY [-o FILE.rtf]: the lists of an evaluation as one
// rich-text document, a table per list that holds rows.
#include <memory>
#include <string>

#include <geoproj/foundation/stdio_file_mem.h>
#include <geoproj/foundation/text_helpers.h>
#include <geoproj/reports/projekt_metod_lista.h>

#include "commands.h"
#include "evaluation.h"
#include "exit_codes.h"
#include "output_file.h"

namespace geoproj::tool {
namespace {

struct ReportOptions {
  EvaluationOptions evaluation;
  std::string output;
};

// The document's opening group: code page 1252 text, and font 3, in which every table's
// paragraphs are set.
constexpr const char* kOpening =
    "{\\rtf1\\ansi\\ansicpg1252\\deff0"
    "{\\fonttbl{\\f0\\froman\\fcharset0 Times New Roman;}{\\f3\\fswiss\\fcharset0 Arial;}}\n";
constexpr const char* kClosing = "}\n";
// The document's title: the evaluation and its period.
constexpr const char* kTitle = "\\pard\\plain\\f3\\fs28\\b Utv\xE4rdering %s - %s\\par\n";

// What a reader sees above each table: the method the list holds.
std::string Title(const CProjektMetodLista& list) {
  return Format("\\pard\\plain\\f3\\fs24\\b %s\\par\n", list.m_namn.c_str());
}

void WriteDocument(CStdioFileMem& file, const Evaluation& evaluation) {
  const metscantype& s = evaluation.scan();
  file.WriteString(kOpening);
  file.WriteString(Format(kTitle, s.frandatum, s.tilldatum));
  for (CProjektMetodLista* list : evaluation.Lists()) {
    file.WriteString(Title(*list));
    list->SetUtfil(&file);
    list->Skriv(0);
    list->SetUtfil(nullptr);
    file.WriteString("\n");
  }
  file.WriteString(kClosing);
}

int RunReport(const ReportOptions& options, ToolContext& context) {
  Evaluation evaluation;
  if (int rc = evaluation.Run(options.evaluation, context)) return rc;
  CStdioFileMem file;
  if (options.output.empty() || options.output == "-") {
    file.SetMemFile(1);
    WriteDocument(file, evaluation);
    return WriteOutput(*context.host, "", *file.MemFile()) ? kExitDone : kExitFailure;
  }
  std::string error;
  if (!file.Open(options.output, CStdioFileMem::modeCreate | CStdioFileMem::modeWrite, &error)) {
    context.host->Error("cannot write " + options.output + (error.empty() ? "" : ": " + error));
    return kExitFailure;
  }
  WriteDocument(file, evaluation);
  file.Close();
  return kExitDone;
}

}  // namespace

void AddReportCommand(CLI::App& app, CommandRun* run) {
  auto options = std::make_shared<ReportOptions>();
  CLI::App* cmd = app.add_subcommand(
      "report", "Write the evaluation's lists of project DIR as tables of a rich-text document");
  cmd->footer(
      "Runs the evaluation of `geoproj scan` and writes each list that holds rows (one per "
      "sounding method, and the interpretations) as a table in code page 1252 rich text, which "
      "word processors open.\n"
      "Example: geoproj report ~/projects/road42 --from 01.01.2021 --to 31.12.2021 -o road42.rtf");
  AddEvaluationOptions(cmd, &options->evaluation);
  cmd->add_option("-o,--output", options->output, "Write to FILE.rtf instead of standard output")
      ->type_name("FILE.rtf");
  cmd->fallthrough();
  cmd->callback([run, options] {
    *run = [options](ToolContext& context) { return RunReport(*options, context); };
  });
}

}  // namespace geoproj::tool
