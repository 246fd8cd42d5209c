// Intersections of referenced curves and the distance from a point to an
// entity.
#pragma once

#include <vector>

#include "geometry/records.h"
#include "host/host.h"

namespace optgrind {

// What distanceToEntity answers for an entity that is not a curve or
// cannot be read: farther than anything in a drawing.
constexpr double kUnreachableDistance = 1e300;

// The intersections of two referenced curves (a polyline segment stands
// for itself alone), at most `room` of them, into out. extend 0: only
// points on both; any positive extend: both curves extended. 0 when both
// name the same entity or either cannot be read.
int intersect(Host& host, const EntityRef& a, const EntityRef& b, int extend, std::vector<PointRec>& out,
              size_t room);

// The distance from p to the entity or segment, signed by the side
// tests (positive to the left of a line or segment, inside a
// counter-clockwise arc); for a circle negative when p lies inside.
double distanceToEntity(Host& host, const PointRec& p, const EntityRef& ref);
// The same for segment `segment` of a polyline already read.
double distanceToSegment(const PolylineGeom& polyline, int segment, const PointRec& p);

}  // namespace optgrind
