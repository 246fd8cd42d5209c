// StandaloneHost: the host's own commands, typed at "Command:" or run by
// the system through acedCommand.
#include "standalone/commands/cmd_commands.h"
#include "standalone/commands/cmd_support.h"
#include "standalone/host/standalone_host.h"

namespace optgrind::standalone {

const std::vector<HostCommandEntry>& hostCommandTable() {
  static const std::vector<HostCommandEntry> table = {
      {"LINE", "L", runLine},    {"ARC", "A", runArc},      {"CIRCLE", "C", runCircle},
      {"PLINE", "PL", runPline}, {"ERASE", "E", runErase},  {"MOVE", "M", runMove},
      {"SELECT", "", runSelect}, {"PEDIT", "PE", runPedit}, {"ZOOM", "Z", runZoom},
      {"UCS", "", runUcs},       {"LAYER", "LA", runLayer}, {"OPEN", "", runOpen},
      {"SAVE", "", runSave},     {"SAVEAS", "", runSave},   {"SVG", "", runSvg},
      {"LIST", "LI", runList},   {"TEXT", "DT", runText},   {"HATCH", "H", runHatch},
  };
  return table;
}

const HostCommandEntry* findHostCommand(const std::string& name) {
  size_t start = name.find_first_not_of("'_.-");
  if (start == std::string::npos) return nullptr;
  std::string key = upperAscii(name.substr(start));
  for (const auto& entry : hostCommandTable()) {
    if (key == entry.name || key == entry.alias) return &entry;
  }
  return nullptr;
}

bool StandaloneHost::runHostCommand(const std::string& name) {
  const HostCommandEntry* command = findHostCommand(name);
  if (!command) return false;
  UserAnswers answers(*this);
  command->run(*this, answers);
  return true;
}

int StandaloneHost::acedCommand(const ResBufList& args) {
  if (args.empty() || !args.front().isString()) return RTERROR;
  const HostCommandEntry* command = findHostCommand(args.front().asString());
  if (!command) return RTERROR;
  ResBuf cmdecho;
  bool echo = acedGetVar("CMDECHO", cmdecho) != RTNORM || cmdecho.asInt() != 0;
  if (echo) acutPrintf("\nCommand: " + args.front().asString() + "\n");
  ScriptedAnswers answers(*this, args, 1, echo);
  int rc = command->run(*this, answers);
  return rc == RTCAN || rc == RTERROR ? rc : RTNORM;
}

}  // namespace optgrind::standalone
