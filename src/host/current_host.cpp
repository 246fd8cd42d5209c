#include "host/current_host.h"

namespace optgrind {
namespace {
Host* g_host = nullptr;
}

void setCurrentHost(Host* host) { g_host = host; }
Host* currentHost() { return g_host; }

}  // namespace optgrind
