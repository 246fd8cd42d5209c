#include "settings/mis_set.h"

namespace optgrind {
namespace {
MisSettings g_misSet;
}

const MisSettings& misSet() { return g_misSet; }

int reloadMisSet(Host&) { return 0; }

}  // namespace optgrind
