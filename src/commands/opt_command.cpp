#include "commands/command_handlers.h"
#include "commands/machine_data_dialog.h"
#include "commands/opt_commands.h"
#include "commands/tool_table.h"
#include "host/current_host.h"
#include "nc/pw_opt.h"
#include "pathdef/path_definition.h"
#include "pathdef/pathdef_state.h"
#include "post/settings_scan.h"
#include "settings/mis_set.h"
#include "settings/opt_sel.h"
#include "settings/opt_settings.h"

namespace optgrind {
namespace {

// The NC output that ends a path definition and that the dialog's NC
// button starts; pathDefState().ncFromDialog says which. The defined paths
// are handed over for a later `pw_opt` too.
void runNcOutput(Host& host) {
  const PathDefState& s = pathDefState();
  definedPaths().assign(s.definedPaths.begin(), s.definedPaths.begin() + s.definedCount);
  runPwOpt(host, s.ncFromDialog);
}

}  // namespace

int runOptCommand(Host& host) {
  resetPathDefState();
  definedPaths().clear();
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
      drawToolTable(host);
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
