// Exit status of the tool: scripts rely on these three values.
#pragma once

namespace geoproj::tool {

inline constexpr int kExitDone = 0;
inline constexpr int kExitFailure = 1;  // the library (or the project) reported a failure
inline constexpr int kExitUsage = 2;    // the command line itself was wrong

}  // namespace geoproj::tool
