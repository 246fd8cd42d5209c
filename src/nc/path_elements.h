// The elements of a stored path, read from its polyline in one go: lines
// and arcs in machining order.
#pragma once

#include <vector>

#include "geometry/records.h"
#include "host/host.h"

namespace optgrind {

// A path holds at most this many elements; a longer one is cut.
constexpr int kMaxPathElements = 1001;

struct PathElement {
  EntityKind kind = kKindLine;  // kKindLine or kKindArc
  PointRec start;
  PointRec end;
  PointRec centre;      // arcs
  double radius = 0.0;  // arcs
  double sweep = 0.0;   // arcs: signed, positive counter-clockwise
  double length = 0.0;
};

struct PathGeometry {
  std::vector<PathElement> elements;  // at most kMaxPathElements
  // The end of the polyline's last segment (also past the cut).
  PointRec lastEnd;
  int valid = 0;  // 0: not a readable lightweight polyline
};

PathGeometry readPathGeometry(Host& host, const EntityRef& path);
PathGeometry pathGeometryFromPolyline(const PolylineGeom& polyline);

// The point at `distance` from the element's start along it.
PointRec pointAlong(const PathElement& element, double distance);

}  // namespace optgrind
