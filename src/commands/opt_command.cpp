#include "commands/command_handlers.h"
#include "commands/machine_data_dialog.h"
#include "commands/opt_commands.h"
#include "host/current_host.h"
#include "pathdef/path_definition.h"
#include "pathdef/pathdef_state.h"
#include "post/wcf_load.h"
#include "settings/mis_set.h"
#include "settings/opt_sel.h"
#include "settings/opt_settings.h"

namespace optgrind {
namespace {

void notBuiltYet(Host& host, const char* step) {
  host.acutPrintf(std::string("\nopt: ") + step + " is not available in this build yet.\n");
}

// The NC output that ends a path definition and that the dialog's NC
// button starts; pathDefState().ncFromDialog says which.
void runNcOutput(Host& host) { notBuiltYet(host, "NC output"); }

}  // namespace

int runOptCommand(Host& host) {
  resetPathDefState();
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
      if (runPathDefinition(host) == kStepDone) runNcOutput(host);
      break;
    case kMachineDataCreateNc:
      pathDefState().ncFromDialog = 1;
      runNcOutput(host);
      break;
    case kMachineDataToolTable:
      notBuiltYet(host, "the tool table");
      break;
    default:
      break;
  }
  deleteDirectionMarkers(host);
  return result;
}

void optCommand() {
  if (Host* host = currentHost()) runOptCommand(*host);
}

}  // namespace optgrind
