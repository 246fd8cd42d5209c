// Locating a point on a profile entity and breaking the entity there.
#pragma once

#include "geometry/primitives.h"
#include "geometry/records.h"
#include "host/host.h"

namespace optgrind {

// A point this close to an end or a vertex is at it.
constexpr double kAtVertexTolerance = 1e-6;

// Whether p lies on the entity: result 0 not on it; for a line or arc +1
// when p is at least as near the end as the start, else -1; +1 on a
// circle; on a polyline as locateOnPolyline, with the segment.
PolylineLocation locateOnEntity(Host& host, const PointRec& p, const EntityRef& ref);
// The same for a record already read.
PolylineLocation locateOnRecord(const EntityRecord& record, const PointRec& p);

// Splits the whole entity at p. The result names the piece that begins at
// p (a closed polyline is opened in place and begins and ends at p; a
// circle becomes an arc from p round to p), or is empty when nothing was
// split: p not on the entity, at an end of a line or arc, at the first or
// last vertex of an open polyline.
EntityRef breakAtPoint(Host& host, const EntityRef& ref, const PointRec& p);

}  // namespace optgrind
