// Runs the built geoproj tool as a child process and captures what it prints, for the tool's
// end-to-end tests.
#pragma once

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

extern char** environ;

namespace geoproj::tooltest {

struct ToolResult {
  int status = -1;  // exit status; -1 when the tool did not exit normally
  std::string out;
  std::string err;

  nlohmann::json Json() const { return nlohmann::json::parse(out); }
};

#ifdef GEOPROJ_TOOL_EXE
inline constexpr bool kHaveTool = true;
inline const char* ToolPath() { return GEOPROJ_TOOL_EXE; }
#else
inline constexpr bool kHaveTool = false;
inline const char* ToolPath() { return ""; }
#endif

// The test's environment without GEOPROJ_HOME, plus the given variables.
inline std::vector<std::string> ToolEnvironment(const std::map<std::string, std::string>& extra) {
  std::vector<std::string> env;
  for (char** e = environ; *e; ++e)
    if (std::strncmp(*e, "GEOPROJ_HOME=", 13) != 0) env.emplace_back(*e);
  for (const auto& [name, value] : extra) env.push_back(name + "=" + value);
  return env;
}

inline void DrainPipes(int out_fd, int err_fd, ToolResult& result) {
  pollfd fds[2] = {{out_fd, POLLIN, 0}, {err_fd, POLLIN, 0}};
  std::string* sinks[2] = {&result.out, &result.err};
  int open_fds = 2;
  while (open_fds > 0) {
    if (poll(fds, 2, -1) < 0) {
      if (errno == EINTR) continue;
      break;
    }
    for (int i = 0; i < 2; ++i) {
      if (fds[i].fd < 0 || !(fds[i].revents & (POLLIN | POLLHUP | POLLERR))) continue;
      char buffer[4096];
      const ssize_t n = read(fds[i].fd, buffer, sizeof buffer);
      if (n > 0) {
        sinks[i]->append(buffer, static_cast<size_t>(n));
      } else if (n == 0 || errno != EINTR) {
        close(fds[i].fd);
        fds[i].fd = -1;
        --open_fds;
      }
    }
  }
}

// Runs program (looked up in PATH when it has no "/") with args; standard input is stdin_text
// through a pipe, so never a terminal, unless stdin_fd names another open file to read.
inline ToolResult RunProgram(const std::string& program, const std::vector<std::string>& args,
                             const std::map<std::string, std::string>& env = {},
                             const std::string& stdin_text = "", int stdin_fd = -1,
                             int stderr_fd = -1) {
  // A tool that exits before reading its input must not kill the test with SIGPIPE.
  std::signal(SIGPIPE, SIG_IGN);
  ToolResult result;
  int in_pipe[2], out_pipe[2], err_pipe[2];
  if (pipe(in_pipe) || pipe(out_pipe) || pipe(err_pipe)) return result;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, stdin_fd >= 0 ? stdin_fd : in_pipe[0], 0);
  posix_spawn_file_actions_adddup2(&actions, out_pipe[1], 1);
  posix_spawn_file_actions_adddup2(&actions, stderr_fd >= 0 ? stderr_fd : err_pipe[1], 2);
  for (int fd : {in_pipe[0], in_pipe[1], out_pipe[0], out_pipe[1], err_pipe[0], err_pipe[1]})
    posix_spawn_file_actions_addclose(&actions, fd);

  std::vector<std::string> argv_text = {program};
  argv_text.insert(argv_text.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& a : argv_text) argv.push_back(a.data());
  argv.push_back(nullptr);
  std::vector<std::string> env_text = ToolEnvironment(env);
  std::vector<char*> envp;
  for (std::string& e : env_text) envp.push_back(e.data());
  envp.push_back(nullptr);

  pid_t pid = 0;
  const int spawned =
      posix_spawnp(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  close(in_pipe[0]);
  close(out_pipe[1]);
  close(err_pipe[1]);
  if (spawned == 0 && !stdin_text.empty())
    (void)!write(in_pipe[1], stdin_text.data(), stdin_text.size());
  close(in_pipe[1]);
  DrainPipes(out_pipe[0], err_pipe[0], result);
  if (spawned != 0) return result;
  int status = 0;
  while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

inline ToolResult RunTool(const std::vector<std::string>& args,
                          const std::map<std::string, std::string>& env = {},
                          const std::string& stdin_text = "") {
  return RunProgram(ToolPath(), args, env, stdin_text);
}

// Runs the tool with a pseudo-terminal as standard input on which typed waits to be read.
// A pseudo-terminal: its controlling side and the terminal a child is given. False when none.
inline bool OpenPseudoTerminal(int* master, int* terminal) {
  *master = posix_openpt(O_RDWR | O_NOCTTY);
  if (*master < 0) return false;
  if (grantpt(*master) == 0 && unlockpt(*master) == 0 &&
      (*terminal = open(ptsname(*master), O_RDWR | O_NOCTTY)) >= 0)
    return true;
  close(*master);
  return false;
}

inline ToolResult RunToolOnTerminal(const std::vector<std::string>& args, const std::string& typed) {
  int master = -1, terminal = -1;
  if (!OpenPseudoTerminal(&master, &terminal)) return ToolResult{};
  (void)!write(master, typed.data(), typed.size());
  ToolResult result = RunProgram(ToolPath(), args, {}, "", terminal);
  close(terminal);
  close(master);
  return result;
}

// Runs the tool with standard error on a pseudo-terminal; what it wrote there comes back in err.
inline ToolResult RunToolWithTerminalErrors(const std::vector<std::string>& args) {
  int master = -1, terminal = -1;
  if (!OpenPseudoTerminal(&master, &terminal)) return ToolResult{};
  ToolResult result = RunProgram(ToolPath(), args, {}, "", -1, terminal);
  close(terminal);
  fcntl(master, F_SETFL, O_NONBLOCK);
  char chunk[4096];
  for (ssize_t n; (n = read(master, chunk, sizeof chunk)) > 0;) result.err.append(chunk, static_cast<std::size_t>(n));
  close(master);
  return result;
}

}  // namespace geoproj::tooltest
