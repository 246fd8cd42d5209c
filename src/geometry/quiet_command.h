// Host commands that the system runs for its own drawing steps: run with
// the command echo off, which is no business of the command line, and the
// echo setting put back afterwards.
#pragma once

#include "host/host.h"

namespace optgrind {

// acedCommand with CMDECHO 0 meanwhile; the host command's result.
int runQuietCommand(Host& host, const ResBufList& args);

}  // namespace optgrind
