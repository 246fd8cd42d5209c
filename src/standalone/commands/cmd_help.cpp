// HELP: every command that "Command:" takes, one line each: the module's
// commands in the message language, then the host's own.
#include <algorithm>

#include "host/command_summaries.h"
#include "standalone/commands/cmd_commands.h"
#include "standalone/commands/cmd_support.h"

namespace optgrind::standalone {

int runHelp(Session& session, Answers& in) {
  std::vector<std::pair<std::string, std::string>> rows;
  for (const RegisteredCommand& c : session.registeredCommands) {
    rows.emplace_back(c.localName, commandSummary(session.host, c.globalName));
  }
  for (const HostCommandEntry& e : hostCommandTable()) {
    std::string name = e.name;
    if (*e.alias) name += std::string(" (") + e.alias + ")";
    rows.emplace_back(name, e.summary);
  }
  size_t width = 0;
  for (const auto& row : rows) width = std::max(width, row.first.size());
  std::string text = "Commands (typed without regard to case):\n";
  for (const auto& [name, summary] : rows) {
    text += "  " + name + std::string(width - name.size() + 2, ' ') + summary + "\n";
  }
  in.message(text);
  return RTNORM;
}

}  // namespace optgrind::standalone
