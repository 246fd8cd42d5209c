// The check of a stored path for segments and arcs too small to grind.
#pragma once

#include "geometry/records.h"
#include "host/host.h"

namespace optgrind {

// Asks for every element shorter than the small segment setting and every
// arc of a smaller radius than the small radius setting (both only when
// the segment setting is above 0) whether to go on, with the element
// marked in yellow meanwhile. kStepEnded on the first "No".
int checkSmallElements(Host& host, const EntityRef& path);

}  // namespace optgrind
