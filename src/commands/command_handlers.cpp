// Commands whose subsystem is not built yet say so in one line.
#include "commands/command_handlers.h"

#include "host/current_host.h"
#include "host/messages.h"
#include "nc/pw_opt.h"

namespace optgrind {
namespace {

void notBuiltYet(const char* name) {
  if (Host* host = currentHost()) {
    host->acutPrintf(notAvailableLine(std::string(name) + ": this command"));
  }
}

}  // namespace

void pwOptCommand() {
  if (Host* host = currentHost()) runPwOptCommand(*host);
}
void optMarkCommand() { notBuiltYet("opt_mark"); }

}  // namespace optgrind
