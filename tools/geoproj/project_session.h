// ProjectSession: one project directory as the commands see it: its path object, the optional
// installation settings, and the checks on directories and borehole identifiers that turn a
// bad command line into a clear message instead of a library failure.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include <geoproj/platform/borv_ini.h>
#include <geoproj/platform/proj_path.h>

#include "tool_context.h"

class CBorviDbs;
class CBorviSnd;

namespace geoproj::tool {

class ProjectSession {
 public:
  explicit ProjectSession(ToolContext& context) : context_(context) {}

  // Takes the project directory and the installation directory of the options. Shows what is
  // wrong and returns an exit status (non-zero) when either is missing; 0 when both are usable.
  int Open(const std::string& dir);

  CProjPath* path() { return &path_; }
  // The installation settings, or null when no installation directory was given.
  CBorvIni* settings() { return settings_.get(); }

  // A sounding file for this project: with settings when an installation directory was given,
  // so that its code choice and "Kodfil.dat" apply; without otherwise.
  std::unique_ptr<CBorviSnd> NewSounding(CBorviDbs* dbs);

  // The identifier of a command-line argument (UTF-8) in code page 1252, upper-cased as the
  // database compares identifiers. Shows what is wrong
  // and returns kExitUsage when it cannot name a borehole; 0 otherwise.
  int ParseId(const std::string& utf8, std::string* id);

  // Whether any of the borehole's files exists.
  bool HasFiles(const std::string& id) const;

  // The identifiers (code page 1252, upper-cased) of every borehole of the directory: the names
  // of its sounding, vane, groundwater and measurement files, spelled in the code page or in
  // UTF-8, in identifier order (B2 before B10). Names that cannot be identifiers (bytes of
  // neither spelling, too long) go to *unusable as they stand on disk.
  std::vector<std::string> BoreholeIds(std::vector<std::string>* unusable) const;

  MessageHost& host() { return *context_.host; }

 private:
  ToolContext& context_;
  CProjPath path_;
  std::unique_ptr<CBorvIni> settings_;
};

}  // namespace geoproj::tool
