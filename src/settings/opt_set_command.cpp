#include "host/current_host.h"
#include "host/module/command_handlers.h"
#include "settings/global_setting_dialog.h"
#include "settings/mis_set.h"
#include "settings/opt_commands.h"
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
