// Commands whose subsystem is not built yet say so in one line.
#include "commands/command_handlers.h"

#include "host/current_host.h"
#include "host/messages.h"

namespace optgrind {
namespace {

void notBuiltYet(const char* name) {
  if (Host* host = currentHost()) {
    host->acutPrintf(notAvailableLine(std::string(name) + ": this command"));
  }
}

}  // namespace

void pwOptCommand() { notBuiltYet("pw_opt"); }
void optMarkCommand() { notBuiltYet("opt_mark"); }

}  // namespace optgrind
