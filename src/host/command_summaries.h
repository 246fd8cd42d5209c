// One line about each command a module registers, for the host's list of
// commands. The module installs the answer when it loads, as it installs
// the message language; a host asks by the command's name.
#pragma once

#include <string>

#include "host/host.h"

namespace optgrind {

// The line about that command in the current message language, or "" for
// a name the module does not know.
using CommandSummaryProvider = std::string (*)(Host& host, const std::string& command);
void setCommandSummaryProvider(CommandSummaryProvider provider);

// The installed provider's answer; "" without one.
std::string commandSummary(Host& host, const std::string& command);

}  // namespace optgrind
