// A borehole read from its files for the export and plot commands.
#pragma once

#include <string>

#include <geoproj/export/sounding_log.h>

namespace geoproj::tool {

class ProjectSession;

// Reads borehole id (code page 1252) into *log. False when it cannot be read (told on standard
// error); places of its files that could not be read are told and the rest is kept.
bool ReadBoreholeLog(ProjectSession& session, const std::string& id, SoundingLog* log);

}  // namespace geoproj::tool
