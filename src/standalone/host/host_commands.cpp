// StandaloneHost: the host's own commands, typed at "Command:" or run by
// the system through acedCommand.
#include "standalone/commands/cmd_commands.h"
#include "standalone/commands/cmd_support.h"
#include "standalone/host/standalone_host.h"

namespace optgrind::standalone {

bool StandaloneHost::runHostCommand(const std::string& name) {
  const HostCommandEntry* command = findHostCommand(name);
  if (!command) return false;
  UserAnswers answers(session_);
  command->run(session_, answers);
  return true;
}

int StandaloneHost::acedCommand(const ResBufList& args) {
  if (args.empty() || !args.front().isString()) return RTERROR;
  const HostCommandEntry* command = findHostCommand(args.front().asString());
  if (!command) return RTERROR;
  ResBuf cmdecho;
  bool echo = acedGetVar("CMDECHO", cmdecho) != RTNORM || cmdecho.asInt() != 0;
  if (echo) acutPrintf("\nCommand: " + args.front().asString() + "\n");
  ScriptedAnswers answers(session_, args, 1, echo);
  int rc = command->run(session_, answers);
  return rc == RTCAN || rc == RTERROR ? rc : RTNORM;
}

}  // namespace optgrind::standalone
