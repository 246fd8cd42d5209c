// The host's own commands: those typed at "Command:" and those the system
// runs through acedCommand. Each takes its answers from `in`; see
// cmd_support.h for the result codes.
#pragma once

#include "standalone/commands/cmd_answers.h"
#include "standalone/host/standalone_host.h"

namespace optgrind::standalone {

// Drawing (cmd_draw.cpp).
int runLine(StandaloneHost& host, Answers& in);
int runArc(StandaloneHost& host, Answers& in);
int runCircle(StandaloneHost& host, Answers& in);
int runPline(StandaloneHost& host, Answers& in);

// Editing (cmd_edit.cpp).
int runErase(StandaloneHost& host, Answers& in);
int runMove(StandaloneHost& host, Answers& in);
int runSelect(StandaloneHost& host, Answers& in);

// Polyline editing and joining (cmd_pedit.cpp).
int runPedit(StandaloneHost& host, Answers& in);

// The view (cmd_view.cpp).
int runZoom(StandaloneHost& host, Answers& in);
int runUcs(StandaloneHost& host, Answers& in);

// Layers (cmd_layer.cpp).
int runLayer(StandaloneHost& host, Answers& in);

// Files (cmd_file.cpp).
int runOpen(StandaloneHost& host, Answers& in);
int runSave(StandaloneHost& host, Answers& in);
int runSvg(StandaloneHost& host, Answers& in);

// Listing (cmd_list.cpp).
int runList(StandaloneHost& host, Answers& in);

// Text and hatches (cmd_annotate.cpp).
int runText(StandaloneHost& host, Answers& in);
int runHatch(StandaloneHost& host, Answers& in);

}  // namespace optgrind::standalone
