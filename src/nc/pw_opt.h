// The NC run: stored grinding paths to one NC file through the WCF program,
// from the `pw_opt` command, the machine data dialog or the end of a path
// definition.
#pragma once

#include "geometry/records.h"
#include "host/host.h"

namespace optgrind {

// Results of a run.
constexpr int kPwOptWritten = 1;     // the NC file was written
constexpr int kPwOptNoPath = 0;      // no stored path to process
constexpr int kPwOptCancelled = -1;  // the user cancelled a selection or the name form
constexpr int kPwOptFailed = -2;     // the WCF file or the NC file could not be used

// The paths that the last path definition left for NC output (empty at
// load). The path definition fills it before it starts a run.
EntityRefList& definedPaths();
// Where NC output was last started: 1 from the machine data dialog (the
// paths are then selected in the drawing), 0 after a path definition (the
// defined paths are processed). 0 at load; kept between commands.
int ncFromDialog();

// Runs NC output with the given origin flag (kept for later `pw_opt`s).
// The tool row of OptSettings::Sel_row (0: none) takes part as described
// in pw_opt.cpp. The settings must be loaded. Answers one of the results above.
int runPwOpt(Host& host, int fromDialog);

// The `pw_opt` command: loads the settings and runs with the kept flag.
int runPwOptCommand(Host& host);

}  // namespace optgrind
