// StandaloneHost: the operations the original host leaves to the operating
// system: files, programs, the registry and the clock.
#include <sys/stat.h>

#include <cstdlib>
#include <ctime>

#include "standalone/host/standalone_host.h"

namespace optgrind::standalone {

int StandaloneHost::acedFindFile(const std::string& name, std::string& out) {
  struct stat st {};
  if (name.empty() || stat(name.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return RTERROR;
  out = name;
  return RTNORM;
}

int StandaloneHost::startProgram(const std::string& commandLine) {
  if (commandLine.empty()) return RTERROR;
  // A script run opens no windows: the command is only shown.
  if (console_.scripted()) {
    console_.print("\n(script run: not started) " + commandLine + "\n");
    return RTNORM;
  }
  // Detached, so the command does not wait for the program.
  std::string detached = "(" + commandLine + ") >/dev/null 2>&1 </dev/null &";
  return std::system(detached.c_str()) == 0 ? RTNORM : RTERROR;
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
