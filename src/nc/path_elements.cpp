#include "nc/path_elements.h"

#include <algorithm>
#include <cmath>

#include "geometry/primitives.h"
#include "geometry/segment_walk.h"

namespace optgrind {
namespace {

PathElement elementOf(const PolylineGeom& polyline, int segment) {
  size_t n = polyline.vertices.size();
  size_t i = static_cast<size_t>(segment);
  PathElement e;
  e.start = vertexPoint(polyline, i);
  e.end = vertexPoint(polyline, (i + 1) % n);
  double bulge = polyline.vertices[i].bulge;
  if (bulge == 0.0) {
    e.kind = kKindLine;
    e.length = distance(e.start, e.end);
    return e;
  }
  e.kind = kKindArc;
  arcFromBulge(e.start, e.end, bulge, e.centre, e.radius);
  e.sweep = 4.0 * std::atan(bulge);
  e.length = std::fabs(e.sweep) * e.radius;
  return e;
}

}  // namespace

PathGeometry pathGeometryFromPolyline(const PolylineGeom& polyline) {
  PathGeometry geometry;
  geometry.valid = 1;
  int count = segmentCount(polyline);
  if (count <= 0) return geometry;
  int kept = std::min(count, kMaxPathElements);
  geometry.elements.reserve(static_cast<size_t>(kept));
  for (int i = 0; i < kept; ++i) geometry.elements.push_back(elementOf(polyline, i));
  geometry.lastEnd = elementOf(polyline, lastSegmentIndex(polyline)).end;
  return geometry;
}

PathGeometry readPathGeometry(Host& host, const EntityRef& path) {
  PolylineGeom polyline;
  if (!readPolyline(host, path.name, polyline)) return PathGeometry{};
  return pathGeometryFromPolyline(polyline);
}

PointRec pointAlong(const PathElement& e, double d) {
  if (e.kind == kKindArc && e.radius > 0.0) {
    double a = angleRad(e.centre, e.start) + (e.sweep >= 0.0 ? 1.0 : -1.0) * d / e.radius;
    return polarRad(e.centre, a, e.radius);
  }
  if (e.length <= 0.0) return e.start;
  double t = d / e.length;
  return makePoint(e.start.x + (e.end.x - e.start.x) * t, e.start.y + (e.end.y - e.start.y) * t,
                   e.start.z + (e.end.z - e.start.z) * t);
}

}  // namespace optgrind
