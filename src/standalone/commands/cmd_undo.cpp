// U, UNDO and REDO: moving through the drawing's undo history (see
// drawing_history.h for what one step is and what it restores).
#include <cctype>

#include "host/utf8.h"
#include "standalone/commands/cmd_commands.h"
#include "standalone/commands/cmd_support.h"
#include "standalone/model/drawing_history.h"

namespace optgrind::standalone {
namespace {

// The other options of the original host's UNDO, which this host leaves
// out; each is recognised by its capitals, so that it is refused by name.
const char* const kLeftOutOptions[] = {"Auto", "Control", "BEgin", "End", "Mark", "Back"};

bool isLeftOutOption(const std::string& typed) {
  std::string key = upperAscii(typed);
  for (const char* option : kLeftOutOptions) {
    std::string full = upperAscii(option);
    std::string capitals;
    for (const char* c = option; *c && std::isupper(static_cast<unsigned char>(*c)); ++c) capitals += *c;
    if (key == full || key == capitals) return true;
  }
  return false;
}

// A count of one or more, written in digits only (blanks around it go).
bool parseCount(std::string typed, size_t& out) {
  constexpr size_t kMaxDigits = 9;
  size_t b = typed.find_first_not_of(" \t");
  typed = b == std::string::npos ? "" : typed.substr(b, typed.find_last_not_of(" \t") - b + 1);
  if (typed.empty() || typed.size() > kMaxDigits) return false;
  for (char c : typed) {
    if (!std::isdigit(static_cast<unsigned char>(c))) return false;
  }
  out = std::stoul(typed);
  return out > 0;
}

std::string joined(const std::vector<std::string>& names) {
  std::string text;
  for (const auto& n : names) text += (text.empty() ? "" : " ") + n;
  return text;
}

// Inside another command the history is being written: it cannot be moved through.
bool refusedInsideCommand(Session& session, Answers& in) {
  if (!commandRunning(session.drawing)) return false;
  in.message("U, UNDO and REDO cannot run inside another command.\n");
  return true;
}

int undo(Session& session, Answers& in, size_t count) {
  if (refusedInsideCommand(session, in)) return RTERROR;
  std::vector<std::string> names = undoCommands(session.drawing, count);
  if (!names.empty()) in.message("Undone: " + joined(names) + "\n");
  if (names.size() < count) in.message("Everything has been undone\n");
  return RTNORM;
}

}  // namespace

int runU(Session& session, Answers& in) { return undo(session, in, 1); }

// As the original host's UNDO, a number of operations; of its other options
// none is kept here.
int runUndo(Session& session, Answers& in) {
  std::string typed;
  int rc = in.text("Enter the number of operations to undo <1>: ", typed);
  if (rc == RTNONE) return undo(session, in, 1);
  if (rc != RTNORM) return rc;
  size_t count = 0;
  if (parseCount(typed, count)) return undo(session, in, count);
  if (isLeftOutOption(typed)) {
    in.message(
        "UNDO takes a number of operations here; Auto, Control, BEgin, End, Mark and Back are not "
        "available.\n");
  } else {
    in.message("Requires a positive whole number of operations.\n");
  }
  return RTERROR;
}

int runRedo(Session& session, Answers& in) {
  if (refusedInsideCommand(session, in)) return RTERROR;
  std::vector<std::string> names = redoCommands(session.drawing);
  in.message(names.empty() ? std::string("Nothing to redo\n") : "Redone: " + joined(names) + "\n");
  return RTNORM;
}

}  // namespace optgrind::standalone
