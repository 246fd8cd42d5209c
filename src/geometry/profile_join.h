// Joining the user's entities into one polyline that keeps the direction
// of the picked element, and reversing a polyline.
#pragma once

#include "geometry/records.h"
#include "host/host.h"

namespace optgrind {

// The joined ends count as the picked element's ends within this distance.
constexpr double kJoinEndTolerance = 0.01;

// Has the host's PEDIT join the entities of list to ref's entity (turning
// it into a polyline first when it is none) and orients the result as the
// picked element runs. The result names the whole joined polyline; it is
// empty when the host has no last entity after the join.
EntityRef join(Host& host, const EntityRef& ref, const EntityRefList& list);
// Reverses the vertex order of the polyline that a whole-entity reference
// names; a closed polyline keeps its first vertex. Anything else is left
// alone. Returns ref.
EntityRef reverse(Host& host, const EntityRef& ref);

}  // namespace optgrind
