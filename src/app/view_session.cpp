#include "app/view_session.h"

#include <unistd.h>

#include <iostream>

#include "app/session_run.h"
#include "standalone/console/terminal_reader.h"
#include "standalone/svg/svg_writer.h"
#include "standalone/view/transcript_tee.h"
#include "standalone/view/view_access.h"
#include "standalone/view/view_server.h"

namespace optgrind {
namespace {

using namespace optgrind::standalone;

// Publishes what the session shows at every prompt that waits, and lets the
// page's picks set the view the pick box is measured in.
class ViewBridge : public ConsoleObserver {
 public:
  ViewBridge(StandaloneHost& host, ViewState& state) : host_(host), state_(state) {}
  void promptOpened(const PromptShape& shape) override {
    state_.publishDrawing(svgText(host_.drawing()));
    state_.publishPrompt(shape);
  }
  void answerTaken(const std::string& line, bool shownWhereTyped) override {
    if (shownWhereTyped) state_.appendTranscript(line);
    state_.closePrompt();
  }
  void answerView(const AnswerView& view) override {
    host_.session().setView(Point3{view.centerX, view.centerY, 0.0}, view.height);
  }

 private:
  StandaloneHost& host_;
  ViewState& state_;
};

}  // namespace

int runViewSession(const AppOptions& opts) {
  ViewState state;
  AnswerQueue answers;
  ViewServer server(state, answers);
  ViewServerOptions serverOptions{opts.viewAddress, opts.viewPort, randomToken(), bundledRoot() + "/view"};
  std::string error;
  if (!server.start(serverOptions, error)) {
    std::cerr << "optgrind: " << error << "\n";
    return kExitUsage;
  }
  std::cerr << installRootWarning(opts);
  std::cout << server.url() << std::endl;

  TranscriptTee tee(*std::cout.rdbuf(), state);
  std::ostream out(&tee);
  Console console(answers, out);
  TerminalReader terminal(STDIN_FILENO, answers, isatty(STDIN_FILENO) != 0);
  std::unique_ptr<ViewBridge> bridge;
  int status = runDrawingSession(console, opts, [&](StandaloneHost& host) {
    bridge = std::make_unique<ViewBridge>(host, state);
    console.setObserver(bridge.get());
  });
  console.setObserver(nullptr);
  answers.close();
  server.stop();
  return status;
}

}  // namespace optgrind
