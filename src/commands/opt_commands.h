// The `opt` and `opt_set` commands over a given host; the command handlers
// run them on the current host.
#pragma once

#include "host/host.h"

namespace optgrind {

// `opt_set`: loads "mis_set.set" and "opt.set", runs the global setting
// dialog. Returns 1 when it ended with " OK ".
int runOptSetCommand(Host& host);

// `opt`: loads the settings, the choice lists and the post file's options,
// shows the machine data dialog until it ends with something other than
// "show again", and acts on that. Returns the dialog's result.
int runOptCommand(Host& host);

}  // namespace optgrind
