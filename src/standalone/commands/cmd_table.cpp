// The table of the host's own commands, by the names they are run with.
#include "host/utf8.h"
#include "standalone/commands/cmd_commands.h"
#include "standalone/commands/cmd_support.h"

namespace optgrind::standalone {

const std::vector<HostCommandEntry>& hostCommandTable() {
  static const std::vector<HostCommandEntry> table = {
      {"LINE", "L", runLine},    {"ARC", "A", runArc},      {"CIRCLE", "C", runCircle},
      {"PLINE", "PL", runPline}, {"ERASE", "E", runErase},  {"MOVE", "M", runMove},
      {"SELECT", "", runSelect}, {"PEDIT", "PE", runPedit}, {"ZOOM", "Z", runZoom},
      {"UCS", "", runUcs},       {"LAYER", "LA", runLayer}, {"OPEN", "", runOpen},
      {"SAVE", "", runSave},     {"SAVEAS", "", runSave},   {"SVG", "", runSvg},
      {"LIST", "LI", runList},   {"TEXT", "DT", runText},   {"HATCH", "H", runHatch},
      {"SETVAR", "", runSetvar},
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

}  // namespace optgrind::standalone
