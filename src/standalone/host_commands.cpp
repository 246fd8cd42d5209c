// StandaloneHost: the host commands the system runs through acedCommand.
#include "standalone/standalone_host.h"

namespace optgrind::standalone {

int StandaloneHost::acedCommand(const ResBufList&) { return RTERROR; }

}  // namespace optgrind::standalone
