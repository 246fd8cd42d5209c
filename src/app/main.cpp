// optgrind: the standalone host with the optgrind module loaded.
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>

#include "app/options.h"
#include "host/module/entry_point.h"
#include "standalone/dxf_io.h"
#include "standalone/standalone_host.h"
#include "standalone/svg_writer.h"

using namespace optgrind;
using namespace optgrind::standalone;

namespace {

// Exit statuses.
constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;  // the session ran, but a result could not be written
constexpr int kExitUsage = 2;    // bad options or an unreadable input file

int runSession(const AppOptions& opts) {
  std::ifstream scriptFile;
  std::istream* in = &std::cin;
  bool echo = false;
  if (!opts.script.empty()) {
    echo = true;
    if (opts.script != "-") {
      scriptFile.open(opts.script);
      if (!scriptFile) {
        std::cerr << "optgrind: cannot open script " << opts.script << "\n";
        return kExitUsage;
      }
      in = &scriptFile;
    }
  }

  Console console(*in, std::cout, echo);
  StandaloneHost host(console, {resolveInstallRoot(opts)});
  if (!opts.drawing.empty()) {
    Drawing drawing;
    DxfResult r = loadDxf(opts.drawing, drawing);
    if (!r.ok) {
      std::cerr << "optgrind: " << r.message << "\n";
      return kExitUsage;
    }
    host.setDrawing(std::move(drawing));
  }

  acrxEntryPoint(host, kInitAppMsg, &host);
  host.runCommandLoop();
  acrxEntryPoint(host, kUnloadAppMsg, &host);
  console.print("\n");

  int status = kExitOk;
  if (!opts.save.empty()) {
    DxfResult r = saveDxf(host.drawing(), opts.save);
    if (!r.ok) {
      std::cerr << "optgrind: " << r.message << "\n";
      status = kExitFailure;
    }
  }
  if (!opts.svg.empty()) {
    std::string error;
    if (!writeSvg(host.drawing(), opts.svg, error)) {
      std::cerr << "optgrind: " << error << "\n";
      status = kExitFailure;
    }
  }
  return status;
}

}  // namespace

int main(int argc, char** argv) {
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
