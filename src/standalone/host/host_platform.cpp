// StandaloneHost: the operations the original host leaves to the operating
// system: files, programs, the registry and the clock.
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <ctime>
#include <vector>

#include "standalone/host/standalone_host.h"

namespace optgrind::standalone {

int StandaloneHost::acedFindFile(const std::string& name, std::string& out) {
  struct stat st {};
  if (name.empty() || stat(name.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return RTERROR;
  out = name;
  return RTNORM;
}

namespace {

// Programs started and not yet seen to end; reaped without waiting, so
// finished ones leave no zombie behind.
std::vector<pid_t> g_started;

void reapFinished() {
  std::erase_if(g_started, [](pid_t pid) { return waitpid(pid, nullptr, WNOHANG) != 0; });
}

std::string programLine(const std::vector<std::string>& argv) {
  std::string line;
  for (const std::string& arg : argv) {
    bool quote = arg.empty() || arg.find_first_of(" \t\"'") != std::string::npos;
    line += (line.empty() ? "" : " ") + (quote ? "\"" + arg + "\"" : arg);
  }
  return line;
}

}  // namespace

// A script run (tests, batch jobs) opens no windows: it only shows what it
// would start.
int StandaloneHost::startProgram(const std::vector<std::string>& argv) {
  if (argv.empty() || argv[0].empty()) return RTERROR;
  if (console_.scripted()) {
    acutPrintf("\nstart: " + programLine(argv) + "\n");
    return RTNORM;
  }
  reapFinished();
  std::vector<char*> args;
  for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
  args.push_back(nullptr);
  // The program's own output would mix with the command line's.
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  pid_t pid = 0;
  int failed = posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (failed != 0) return RTERROR;
  g_started.push_back(pid);
  return RTNORM;
}

// The install-root value of every suite version is the root given to the
// program (--root, else OPTGRIND_ROOT, else the bundled root).
int StandaloneHost::registryValue(const std::string&, const std::string&, std::string& out) {
  if (options_.installRoot.empty()) return RTERROR;
  out = options_.installRoot;
  return RTNORM;
}

LocalDate StandaloneHost::localDate() {
  std::time_t now = std::time(nullptr);
  std::tm tm{};
  localtime_r(&now, &tm);
  return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

}  // namespace optgrind::standalone
