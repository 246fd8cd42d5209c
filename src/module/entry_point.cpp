#include "module/entry_point.h"

#include "commands/command_handlers.h"
#include "host/current_host.h"
#include "host/messages.h"
#include "settings/mis_set.h"

namespace optgrind {

const CommandTableEntry kCommandTable[4] = {
    {"opt", optCommand},
    {"pw_opt", pwOptCommand},
    {"opt_mark", optMarkCommand},
    {"opt_set", optSetCommand},
};

int acrxEntryPoint(Host& host, int msg, void* appId) {
  switch (msg) {
    case kInitAppMsg:
      setCurrentHost(&host);
      useMisSetLanguage();
      host.unlockApplication(appId);
      host.registerAppMDIAware(appId);
      // A failed registration leaves that command out and the others in.
      for (const auto& entry : kCommandTable) {
        host.addCommand(kCommandGroup, entry.name, entry.name, ACRX_CMD_MODAL, entry.handler);
      }
      break;
    case kUnloadAppMsg:
      host.removeGroup(kCommandGroup);
      setCurrentHost(nullptr);
      setLanguageProvider(nullptr);
      break;
    default:
      break;
  }
  return kRetOK;
}

int acrxGetApiVersion() { return kApiVersion; }

}  // namespace optgrind
