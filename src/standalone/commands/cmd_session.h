// Session: what the host's own commands share with the Host implementation
// that runs them. It owns the drawing, its selection sets, the previous
// selection and the view history; the commands reach the prompts, variables
// and tables through `host`, the same interface the system sees.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "host/host.h"
#include "standalone/console/console.h"
#include "standalone/model/drawing.h"

namespace optgrind::standalone {

struct SavedView {
  Point3 center;
  double height = 0.0;
};

// A command the loaded module registered through addCommand.
struct RegisteredCommand {
  std::string group;
  std::string globalName;
  std::string localName;
  int flags = 0;
  CommandHandler handler = nullptr;
};

// The keyword prompt of the command line, which the system itself never asks:
// RTNORM with one of the keywords of the last acedInitGet, else a prompt code.
using KeywordPrompt = std::function<int(const std::string& prompt, std::string& out)>;

class Session {
 public:
  Session(Host& host, Console& console, KeywordPrompt keywordPrompt);
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  Host& host;
  Console& console;
  Drawing drawing;
  // Selection sets by number: each a list of entity ids.
  std::map<long long, std::vector<long long>> selectionSets;
  long long nextSelectionSet = 1;
  // What the "P" selection mode selects.
  std::vector<long long> previousSelection;
  // The module's commands, in the order they were registered.
  std::vector<RegisteredCommand> registeredCommands;
  // Set by QUIT when the session may end: the command line stops.
  bool quitRequested = false;

  int keyword(const std::string& prompt, std::string& out) { return keywordPrompt_(prompt, out); }

  // Replaces the drawing (after OPEN or a load): its selection sets, the
  // previous selection and the views before it go with the old one.
  void setDrawing(Drawing replacement);

  // The view that VIEWCTR, VIEWSIZE, VSMIN and VSMAX report (read-only to
  // acedSetVar). A view without a finite, positive height is ignored.
  void setView(const Point3& center, double height);
  SavedView currentView();
  // Remembers the current view for ZOOM Previous.
  void rememberView();
  // Takes the newest remembered view; false when there is none.
  bool takePreviousView(SavedView& out);

 private:
  KeywordPrompt keywordPrompt_;
  // The views before each zoom, newest last.
  std::vector<SavedView> previousViews_;
};

}  // namespace optgrind::standalone
