// The optgrind program run on a script, with a copy of the bundled install
// root in a temporary folder.
#pragma once

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "support/temp_root.h"

namespace optgrind::testing {

struct ProgramRun {
  int status = -1;
  std::string output;
};

// A copy of the bundled root in a temporary folder, and the program run on
// a script there.
struct ProgramSession {
  TempDir dir;
  std::string root = dir.path() + "/root";
  ProgramSession() {
    std::filesystem::copy(std::string(OPTGRIND_SOURCE_DIR) + "/share/optgrind", root,
                          std::filesystem::copy_options::recursive);
  }
  std::string dataFile(const std::string& name) const { return root + "/DAT/" + name; }
  // extra: more options, e.g. "--save 'x.dxf'".
  ProgramRun run(const std::string& scriptPath, const std::string& extra = std::string()) const {
    std::string command = std::string(OPTGRIND_BINARY) + " --root '" + root + "' --script '" + scriptPath +
                          "' " + extra + " 2>&1";
    ProgramRun result;
    std::FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return result;
    char buf[4096];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, pipe)) > 0) result.output.append(buf, n);
    int status = pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
  }
  ProgramRun runScript(const std::string& script, const std::string& extra = std::string()) const {
    std::string path = dir.path() + "/session.scr";
    writeFile(path, script);
    return run(path, extra);
  }
};

}  // namespace optgrind::testing
