// unlock DIR: removes the lock file a process that ended inside a database update left behind,
// after showing it with its age and asking. A lock file a running process of this machine
// holds is never removed.
#include <cstdio>
#include <memory>
#include <string>

#include <geoproj/foundation/messages.h>
#include <geoproj/foundation/text_helpers.h>
#include <geoproj/platform/files.h>
#include <geoproj/platform/proj_path.h>

#include "commands.h"
#include "exit_codes.h"
#include "project_session.h"

namespace geoproj::tool {
namespace {

constexpr long long kMinute = 60, kHour = 60 * kMinute, kDay = 24 * kHour;

// "2 min 13 s": the two largest units, enough to tell a crash last week from a save under way.
std::string LockAge(long long seconds) {
  auto two = [](long long big, const char* big_unit, long long small, const char* small_unit) {
    return std::to_string(big) + " " + big_unit + " " + std::to_string(small) + " " + small_unit;
  };
  if (seconds < kMinute) return std::to_string(seconds) + " s";
  if (seconds < kHour) return two(seconds / kMinute, "min", seconds % kMinute, "s");
  if (seconds < kDay) return two(seconds / kHour, "h", seconds % kHour / kMinute, "min");
  return two(seconds / kDay, "d", seconds % kDay / kHour, "h");
}

bool AskToRemove(const std::string& lock, const LockFileInfo& info) {
  const std::string question = "Remove the lock file " + lock + ", held for " +
                               LockAge(info.age_seconds) +
                               "? Only when no one is working on this project.";
  const unsigned flags = kMbYesNo | kMbIconQuestion | kMbDefButton2;
  return ShowMessage(Utf8ToCp1252(question), flags, 0, "geoproj unlock") == kIdYes;
}

int RunUnlock(const std::string& dir, ToolContext& context) {
  ProjectSession session(context);
  if (int rc = session.Open(dir)) return rc;
  const std::string lock = ResolvePath(JoinPath(session.path()->m_projKat, CProjPath::BorvDbkNamn));
  const LockFileInfo info = InspectLockFile(lock);
  if (!info.exists) {
    std::printf("no lock file in %s\n", dir.c_str());
    return kExitDone;
  }
  if (info.held_here) {
    session.host().Error("lock file " + lock + " is held by a running process of this machine; not removed");
    return kExitFailure;
  }
  if (!AskToRemove(lock, info)) {
    session.host().Error("lock file " + lock + " left in place");
    return kExitFailure;
  }
  switch (RemoveStaleLockFile(lock, info)) {
    case UnlockResult::kRemoved:
      std::printf("removed %s\n", lock.c_str());
      return kExitDone;
    case UnlockResult::kHeld:
      session.host().Error("lock file " + lock + " was taken by a running process meanwhile; not removed");
      return kExitFailure;
    case UnlockResult::kChanged:
      break;
  }
  session.host().Error("lock file " + lock + " was removed or replaced meanwhile; left as it is");
  return kExitFailure;
}

}  // namespace

std::string LockFileAdvice(const std::string& lock_path, const std::string& dir) {
  const LockFileInfo info = InspectLockFile(lock_path);
  if (!info.exists) return "the lock file " + lock_path + " was in the way; it is gone now, try again";
  const std::string held = "lock file " + lock_path + " held for " + LockAge(info.age_seconds);
  if (info.held_here) return held + " by a running process of this machine";
  return held + "; if no one is working on this project, `geoproj unlock " + dir + "` removes it";
}

void AddUnlockCommand(CLI::App& app, CommandRun* run) {
  auto dir = std::make_shared<std::string>();
  CLI::App* cmd = app.add_subcommand(
      "unlock", "Remove the lock file a stopped process left in project DIR (asks; --yes answers)");
  cmd->footer(
      "Refuses while a process of this machine holds the lock.\n"
      "Example: geoproj unlock ~/projects/road42");
  cmd->add_option("DIR", *dir, "Project directory")->required();
  cmd->fallthrough();
  cmd->callback([run, dir] {
    *run = [dir](ToolContext& context) { return RunUnlock(*dir, context); };
  });
}

}  // namespace geoproj::tool
