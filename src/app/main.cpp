// optgrind: the standalone host with the optgrind module loaded.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include <unistd.h>

#include "app/options.h"
#include "app/session_run.h"
#include "app/view_session.h"
#include "app/wcf_tool.h"
#include "standalone/host/standalone_host.h"

using namespace optgrind;
using namespace optgrind::standalone;

namespace {

int runSession(const AppOptions& opts) {
  if (opts.view) return runViewSession(opts);
  std::ifstream scriptFile;
  std::istream* in = &std::cin;
  bool echo = false;
  if (!opts.script.empty()) {
    echo = true;
    if (opts.script != "-") {
      // A folder opens like a file here but reads as nothing.
      std::error_code ec;
      if (!std::filesystem::is_directory(opts.script, ec)) scriptFile.open(opts.script);
      if (!scriptFile.is_open()) {
        std::cerr << "optgrind: cannot open script " << opts.script << "\n";
        return kExitUsage;
      }
      in = &scriptFile;
    }
  }

  std::cerr << installRootWarning(opts);
  Console console(*in, std::cout, echo);
  return runDrawingSession(console, opts, nullptr);
}

// `optgrind [--root DIR] wcf FILE [--events EVENTS]`: the WCF tool. Its
// messages go to standard error; a box's answer is read from standard input.
int runWcf(const std::string& root, const std::vector<std::string>& args) {
  bool terminal = isatty(STDIN_FILENO) != 0;
  Console console(std::cin, std::cerr, !terminal);
  AppOptions opts;
  opts.root = root;
  StandaloneHost host(console, {resolveInstallRoot(opts)});
  return runWcfTool(host, args);
}

}  // namespace

int main(int argc, char** argv) {
  // The WCF tool: "wcf" as the first word, after an optional --root DIR.
  int first = 1;
  std::string root;
  if (argc > 2 && std::string(argv[1]) == "--root") {
    root = argv[2];
    first = 3;
  }
  if (argc > first && std::string(argv[first]) == "wcf") {
    return runWcf(root, std::vector<std::string>(argv + first + 1, argv + argc));
  }

  AppOptions opts;
  std::string error;
  if (!parseOptions(argc, argv, opts, error)) {
    std::cerr << "optgrind: " << error << "\n" << kUsage;
    return kExitUsage;
  }
  if (opts.help) {
    std::cout << kUsage;
    return kExitOk;
  }
  if (opts.version) {
    std::cout << "optgrind " << OPTGRIND_VERSION << "\n";
    return kExitOk;
  }
  return runSession(opts);
}
