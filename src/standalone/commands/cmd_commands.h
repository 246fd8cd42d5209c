// The host's own commands: those typed at "Command:" and those the system
// runs through acedCommand. Each takes its answers from `in`; see
// cmd_support.h for the result codes.
#pragma once

#include "standalone/commands/cmd_answers.h"
#include "standalone/commands/cmd_session.h"

namespace optgrind::standalone {

// Drawing (cmd_draw.cpp).
int runLine(Session& session, Answers& in);
int runArc(Session& session, Answers& in);
int runCircle(Session& session, Answers& in);
int runPline(Session& session, Answers& in);

// Editing (cmd_edit.cpp).
int runErase(Session& session, Answers& in);
int runMove(Session& session, Answers& in);
int runSelect(Session& session, Answers& in);

// Polyline editing and joining (cmd_pedit.cpp).
int runPedit(Session& session, Answers& in);

// The view (cmd_view.cpp).
int runZoom(Session& session, Answers& in);
int runUcs(Session& session, Answers& in);

// Layers (cmd_layer.cpp).
int runLayer(Session& session, Answers& in);

// Files (cmd_file.cpp).
int runOpen(Session& session, Answers& in);
int runSave(Session& session, Answers& in);
int runSvg(Session& session, Answers& in);

// Ending the session or leaving the drawing (cmd_file.cpp). Before the
// drawing goes, a person is asked whether to save its changes; a script is
// not asked (the --save option decides): RTNORM to go on, RTCAN to stay.
int offerToSave(Session& session, Answers& in);
int runQuit(Session& session, Answers& in);

// The undo history (cmd_undo.cpp).
int runU(Session& session, Answers& in);
int runUndo(Session& session, Answers& in);
int runRedo(Session& session, Answers& in);

// The commands with one line each (cmd_help.cpp).
int runHelp(Session& session, Answers& in);

// Listing (cmd_list.cpp).
int runList(Session& session, Answers& in);

// System variables (cmd_setvar.cpp).
int runSetvar(Session& session, Answers& in);

// Text and hatches (cmd_annotate.cpp).
int runText(Session& session, Answers& in);
int runHatch(Session& session, Answers& in);

}  // namespace optgrind::standalone
