// The standalone host's operating-system services.
#include "standalone/host/host_platform.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <ctime>
#include <utility>

#include "standalone/console/answers.h"

extern char** environ;

namespace optgrind::standalone {
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

StandalonePlatform::StandalonePlatform(Console& console, std::string installRoot)
    : console_(console), installRoot_(std::move(installRoot)) {}

// The install-root value of every suite version is the root given to the
// program (--root, else OPTGRIND_ROOT, else the bundled root).
int StandalonePlatform::registryValue(const std::string&, const std::string&, std::string& out) {
  if (installRoot_.empty()) return RTERROR;
  out = installRoot_;
  return RTNORM;
}

// A script run (tests, batch jobs) opens no windows: it only shows what it
// would start.
int StandalonePlatform::startProgram(const std::vector<std::string>& argv) {
  if (argv.empty() || argv.front().empty()) return RTERROR;
  if (console_.scripted()) {
    console_.print("\nstart: " + programLine(argv) + "\n");
    return RTNORM;
  }
  reapFinished();
  std::vector<char*> args;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  // The program's own output would mix with the command line's.
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  pid_t pid = 0;
  int failed = posix_spawnp(&pid, args.front(), &actions, nullptr, args.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  // glibc reports a program that cannot be executed here.
  if (failed != 0) return RTERROR;
  g_started.push_back(pid);
  return RTNORM;
}

LocalDate StandalonePlatform::localDate() {
  std::time_t now = std::time(nullptr);
  std::tm tm{};
  localtime_r(&now, &tm);
  return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

void StandalonePlatform::messageBeep() { console_.print("\a"); }

int StandalonePlatform::acedGetFileD(const std::string& title, const std::string& defaultName,
                                     const std::string&, int, std::string& out) {
  std::string prompt = "\n" + title + (defaultName.empty() ? "" : " <" + defaultName + ">") + ": ";
  std::string answer;
  PromptShape shape = promptOfKind(PromptKind::Path);
  shape.title = title;
  if (!console_.ask(prompt, answer, shape)) return RTCAN;
  std::string path = trimmed(answer);
  if (path.empty() || path == kCancelAnswer) return RTCAN;
  out = path;
  return RTNORM;
}

int StandalonePlatform::browseForFolder(const std::string& title, std::string& out) {
  return acedGetFileD(title, "", "", 0, out);
}

int StandalonePlatform::acedFindFile(const std::string& name, std::string& out) {
  struct stat st {};
  if (name.empty() || stat(name.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return RTERROR;
  out = name;
  return RTNORM;
}

}  // namespace optgrind::standalone
