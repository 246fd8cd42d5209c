// Copies of entities, or of single polyline segments as entities of their own.
#pragma once

#include "geometry/records.h"
#include "host/host.h"

namespace optgrind {

// The drawing variable that makes copies take the drawing's current colour,
// linetype and layer instead of their source's.
inline constexpr const char* kUseEmodeVar = "USE_EMODE";

// A new entity copying what ref names: the whole entity, or a line or arc
// with the geometry of a polyline segment. A whole-entity reference to it,
// or an empty one when nothing was made.
EntityRef copy(Host& host, const EntityRef& ref);
// copy applied to every entry that names an existing entity; the copies in order.
EntityRefList copyAll(Host& host, const EntityRefList& list);

}  // namespace optgrind
