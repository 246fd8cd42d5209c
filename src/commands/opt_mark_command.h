// `opt_mark`: marks a profile polyline's corners and longer segments and,
// on request, labels its points and lists their coordinates.
#pragma once

#include "host/host.h"

namespace optgrind {

// The settings form's result.
constexpr int kMarkFormGoOn = 1;
constexpr int kMarkFormQuit = 0;

// Shows the settings form over markSettings(); kMarkFormQuit on "QUIT".
int runMarkSettingsForm(Host& host);

// The whole command on a given host. Returns 1 when it got past the form.
int runOptMarkCommand(Host& host);

}  // namespace optgrind
