// The module's entry point and command table.
#pragma once

#include "host/host.h"
#include "host/messages.h"

namespace optgrind {

// The host's application messages.
constexpr int kInitAppMsg = 1;
constexpr int kUnloadAppMsg = 2;
constexpr int kRetOK = 0;

// acrxGetApiVersion's answer: the API version of the 2010 host.
constexpr int kApiVersion = 0x120000;

// The command group and the command flag the system registers with.
inline constexpr const char* kCommandGroup = "Kestro_OPT";
constexpr int ACRX_CMD_MODAL = 0;

struct CommandTableEntry {
  const char* name;
  CommandHandler handler;
  MessageText summary;  // the host's HELP line
};

// The four commands, in the order they are registered.
extern const CommandTableEntry kCommandTable[4];

// The host's entry call. Load registers the command group; unload removes
// it; every other message is ignored. The answer is always kRetOK.
int acrxEntryPoint(Host& host, int msg, void* appId);
int acrxGetApiVersion();

}  // namespace optgrind
