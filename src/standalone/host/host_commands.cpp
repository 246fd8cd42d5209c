// StandaloneHost: the host's own commands, typed at "Command:" or run by
// the system through acedCommand.
#include "standalone/commands/cmd_commands.h"
#include "standalone/commands/cmd_support.h"
#include "standalone/host/standalone_host.h"
#include "standalone/model/drawing_history.h"

namespace optgrind::standalone {

bool StandaloneHost::runHostCommand(const std::string& name) {
  const HostCommandEntry* command = findHostCommand(name);
  if (!command) return false;
  UserAnswers answers(session_);
  if (command->recorded) beginCommand(session_.drawing, command->name);
  command->run(session_, answers);
  if (command->recorded) endCommand(session_.drawing);
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
  // Inside a command this is part of that command's step.
  if (command->recorded) beginCommand(session_.drawing, command->name);
  int rc = command->run(session_, answers);
  if (command->recorded) endCommand(session_.drawing);
  return rc == RTCAN || rc == RTERROR ? rc : RTNORM;
}

}  // namespace optgrind::standalone
