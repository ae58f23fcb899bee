// Where a command's made file goes: the file named by -o, written whole through the platform's
// safe rewrite (a reader never sees half of it, a failed write leaves the old one), or standard
// output when none is named.
#pragma once

#include <string>

#include "message_host.h"

namespace geoproj::tool {

// True when written; on failure the reason is shown on standard error.
bool WriteOutput(MessageHost& host, const std::string& path, const std::string& bytes);

}  // namespace geoproj::tool
