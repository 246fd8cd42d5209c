#include "host/command_summaries.h"

namespace optgrind {
namespace {

CommandSummaryProvider g_summaryProvider = nullptr;

}  // namespace

void setCommandSummaryProvider(CommandSummaryProvider provider) { g_summaryProvider = provider; }

std::string commandSummary(Host& host, const std::string& command) {
  return g_summaryProvider ? g_summaryProvider(host, command) : std::string();
}

}  // namespace optgrind
