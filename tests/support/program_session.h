// The optgrind program run on a script, with a copy of the bundled install
// root in a temporary folder.
#pragma once

#include <filesystem>
#include <string>

#include "support/temp_root.h"

namespace optgrind::testing {

using ProgramRun = CommandRun;

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
    return runCommand(std::string(OPTGRIND_BINARY) + " --root '" + root + "' --script '" + scriptPath + "' " +
                      extra + " 2>&1");
  }
  ProgramRun runScript(const std::string& script, const std::string& extra = std::string()) const {
    std::string path = dir.path() + "/session.scr";
    writeFile(path, script);
    return run(path, extra);
  }
};

}  // namespace optgrind::testing
