// The host the module was loaded into. The command handlers take no
// arguments, as the host calls them, and reach their host through this.
#pragma once

#include "host/host.h"

namespace optgrind {

// Set by the entry point at load, cleared at unload.
void setCurrentHost(Host* host);
// The current host; null when the module is not loaded.
Host* currentHost();

}  // namespace optgrind
