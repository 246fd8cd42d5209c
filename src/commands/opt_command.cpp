#include "commands/command_handlers.h"
#include "commands/machine_data_dialog.h"
#include "commands/opt_commands.h"
#include "commands/tool_table.h"
#include "host/current_host.h"
#include "post/wcf_load.h"
#include "settings/mis_set.h"
#include "settings/opt_sel.h"
#include "settings/opt_settings.h"

namespace optgrind {
namespace {

void notBuiltYet(Host& host, const char* step) {
  host.acutPrintf(std::string("\nopt: ") + step + " is not available in this build yet.\n");
}

}  // namespace

int runOptCommand(Host& host) {
  optSettings().Sel_row = 0;
  loadMisSet(host);
  loadOptSet(host);
  loadOptSel(host);
  wcfSettingsScan(host, optSettings().pcf_name);
  int result = kMachineDataShowAgain;
  while (result == kMachineDataShowAgain) {
    MachineDataForm form = buildMachineDataForm(host);
    result = runMachineDataForm(host, form);
  }
  if (result == kMachineDataQuit) return result;
  saveOptSet(host);
  switch (result) {
    case kMachineDataSelEnt:
      notBuiltYet(host, "path definition");
      break;
    case kMachineDataCreateNc:
      notBuiltYet(host, "NC output");
      break;
    case kMachineDataToolTable:
      drawToolTable(host);
      break;
    default:
      break;
  }
  return result;
}

void optCommand() {
  if (Host* host = currentHost()) runOptCommand(*host);
}

}  // namespace optgrind
