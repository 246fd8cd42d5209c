#include "commands/command_handlers.h"
#include "commands/global_setting_dialog.h"
#include "commands/opt_commands.h"
#include "host/current_host.h"
#include "settings/mis_set.h"
#include "settings/opt_settings.h"

namespace optgrind {

int runOptSetCommand(Host& host) {
  loadMisSet(host);
  loadOptSet(host);
  return runGlobalSettingDialog(host);
}

void optSetCommand() {
  if (Host* host = currentHost()) runOptSetCommand(*host);
}

}  // namespace optgrind
