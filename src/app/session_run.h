// One drawing session of the program: the drawing opened, the command loop
// run on the console's answers, and --save and --svg written at the end.
#pragma once

#include <functional>

#include "app/options.h"
#include "standalone/console/console.h"
#include "standalone/host/standalone_host.h"

namespace optgrind {

// Exit statuses.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;  // the session ran, but a result could not be written
inline constexpr int kExitUsage = 2;    // bad options or an unreadable input file

// started is called once the host holds the drawing, before the first prompt.
int runDrawingSession(standalone::Console& console, const AppOptions& opts,
                      const std::function<void(standalone::StandaloneHost&)>& started);

}  // namespace optgrind
