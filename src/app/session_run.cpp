#include "app/session_run.h"

#include <iostream>

#include "module/entry_point.h"
#include "standalone/dxf/dxf_io.h"
#include "standalone/svg/svg_writer.h"

namespace optgrind {

using namespace optgrind::standalone;

int runDrawingSession(Console& console, const AppOptions& opts,
                      const std::function<void(StandaloneHost&)>& started) {
  StandaloneHost host(console, {resolveInstallRoot(opts)});
  if (!opts.drawing.empty()) {
    Drawing drawing;
    Outcome r = loadDxf(opts.drawing, drawing);
    if (!r.ok) {
      std::cerr << "optgrind: " << r.where() << "\n";
      return kExitUsage;
    }
    if (!r.message.empty()) console.print(opts.drawing + ": " + r.message + "\n");
    host.setDrawing(std::move(drawing));
  }
  if (started) started(host);

  acrxEntryPoint(host, kInitAppMsg, &host);
  host.runCommandLoop();
  acrxEntryPoint(host, kUnloadAppMsg, &host);
  console.print("\n");

  int status = kExitOk;
  if (!opts.save.empty()) {
    Outcome r = saveDxf(host.drawing(), opts.save);
    if (!r.ok) {
      std::cerr << "optgrind: " << r.where() << "\n";
      status = kExitFailure;
    }
  }
  if (!opts.svg.empty()) {
    Outcome written = writeSvg(host.drawing(), opts.svg);
    if (!written) {
      std::cerr << "optgrind: " << written.where() << "\n";
      status = kExitFailure;
    }
  }
  return status;
}

}  // namespace optgrind
