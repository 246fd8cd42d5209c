// The `pw_opt` command: stored paths to an NC program.
#include "commands/command_handlers.h"

#include "host/current_host.h"
#include "nc/pw_opt.h"

namespace optgrind {

void pwOptCommand() {
  if (Host* host = currentHost()) runPwOptCommand(*host);
}

}  // namespace optgrind
