// The standalone host's geometry library over entity records: closest
// points, intersections and extents, as the original host computes them.
#pragma once

#include <vector>

#include "host/host_types.h"
#include "standalone/model/drawing.h"

namespace optgrind::standalone {

// Character cell of the text font metric used for extents: a character is
// this many heights wide (times the width factor); a line is one height tall.
constexpr double kCharWidthPerHeight = 0.6;
// Multi-line text lines are this many heights apart (times the spacing factor).
constexpr double kMTextLineAdvance = 5.0 / 3.0;

// Closest point on a curve in the XY plane; extend takes a line as an
// infinite line and an arc as its circle. RTERROR for a non-curve.
int closestPointTo(const EntityRecord& curve, const Point3& given, bool extend, Point3& out);

// Intersections of two curves (lines, arcs, circles, polylines). extend:
// 0 none, 1 the first extended, 2 the second, 3 both. RTNORM, possibly
// with no points; RTERROR when either is not a curve.
int intersectWith(const EntityRecord& a, const EntityRecord& b, int extend, std::vector<Point3>& out);

// The entity's box. Block references use the drawing's block definitions.
int geomExtents(const Drawing& drawing, const EntityRecord& entity, Point3& min, Point3& max);

// Selection windows: true when the entity lies wholly inside the box from
// lo to hi (window selection), or has any part inside it or crossing its
// edges (crossing selection).
bool insideWindow(const Drawing& drawing, const EntityRecord& entity, const Point3& lo, const Point3& hi);
bool crossesWindow(const Drawing& drawing, const EntityRecord& entity, const Point3& lo, const Point3& hi);

}  // namespace optgrind::standalone
