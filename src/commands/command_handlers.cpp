// Commands whose subsystem is not built yet say so in one line.
#include "commands/command_handlers.h"

#include "host/current_host.h"

namespace optgrind {
namespace {

void notBuiltYet(const char* name) {
  if (Host* host = currentHost()) {
    host->acutPrintf(std::string("\n") + name + ": this command is not available in this build yet.\n");
  }
}

}  // namespace

void pwOptCommand() { notBuiltYet("pw_opt"); }

}  // namespace optgrind
