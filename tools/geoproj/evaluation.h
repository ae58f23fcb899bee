// Evaluation: what scan and report share: the period and the road alignment of the command line,
// the project's database read, and both scans run over it. It owns the lists the scans make.
#pragma once

#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include <geoproj/platform/vaglinje.h>
#include <geoproj/reports/utv_dbs.h>

#include "tool_context.h"

class CProjektMetodLista;

namespace geoproj::tool {

struct EvaluationOptions {
  std::string dir;
  std::string from;
  std::string to;
  std::string alignment;
  double half_width = 50.0;
  bool cpt_file_date = false;  // a CPT is dated by its sounding file's creation date
};

// Adds DIR, --from, --to, --alignment and --half-width to cmd.
void AddEvaluationOptions(CLI::App* cmd, EvaluationOptions* options);

class Evaluation {
 public:
  Evaluation() = default;
  ~Evaluation() { DeleteScanLists(&scan_); }
  Evaluation(const Evaluation&) = delete;
  Evaluation& operator=(const Evaluation&) = delete;

  // Checks the options, reads the project's database and runs MetodScan, then SondScan. 0, or
  // the exit status after telling what is wrong.
  int Run(const EvaluationOptions& options, ToolContext& context);

  const metscantype& scan() const { return scan_; }
  // The lists that hold rows, in the order of the scan record: the methods, then the
  // interpretations.
  std::vector<CProjektMetodLista*> Lists() const;

  // The method names of the scan record's arrays, as the tool shows them.
  static const char* const kMethodNames[kScanMetoder];

 private:
  int SetPeriod(const EvaluationOptions& options, ToolContext& context);
  int ReadAlignment(const EvaluationOptions& options, ToolContext& context);

  metscantype scan_{};
  CVaglinje alignment_;
};

}  // namespace geoproj::tool
