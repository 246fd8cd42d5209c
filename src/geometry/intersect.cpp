#include "geometry/intersect.h"

#include <cmath>
#include <utility>

#include "geometry/arcs.h"
#include "geometry/entity_make.h"
#include "geometry/primitives.h"
#include "geometry/segment_walk.h"

namespace optgrind {
namespace {

// The host extends both curves for any positive request.
constexpr int kExtendBoth = 3;

// The referenced curve: the entity itself, or its segment alone.
bool curveOf(Host& host, const EntityRef& ref, EntityRecord& out) {
  EntityRecord record;
  if (host.acdbEntGet(ref.name, record) != RTNORM) return false;
  if (ref.segment == kWholeEntity) {
    out = std::move(record);
    return true;
  }
  PolylineGeom* polyline = record.as<PolylineGeom>();
  if (!polyline) return false;
  const PolylineGeom vertices = std::move(*polyline);
  return segmentAsCurve(record, vertices, ref.segment, out);
}

double planarDistance(const PointRec& a, const PointRec& b) { return std::hypot(a.x - b.x, a.y - b.y); }

double signedDistanceToSegment(const PolylineGeom& polyline, int segment, const PointRec& p) {
  size_t i = static_cast<size_t>(segment);
  PointRec a = vertexPoint(polyline, i), b = vertexPoint(polyline, (i + 1) % polyline.vertices.size());
  double bulge = polyline.vertices[i].bulge;
  if (isStraightBulge(bulge)) return signedDistanceToLine(a, b, p);
  return signedDistanceToArc(a, b, 4.0 * std::atan(bulge), p);
}

// The side of p: +1 or -1 by the side test of the curve, at the part of
// the curve that holds the nearest point.
double sideOf(const EntityRecord& curve, const PointRec& p, const PointRec& nearest) {
  if (const auto* line = curve.as<LineGeom>()) {
    return turnDirection(toPointRec(line->start), toPointRec(line->end), p);
  }
  if (const auto* arc = curve.as<ArcGeom>()) {
    PointRec centre = toPointRec(arc->center);
    double sweep = counterClockwiseSweep(arc->startAngle, arc->endAngle);
    if (sweep == 0.0) sweep = kTwoPi;
    double d = signedDistanceToArc(polarRad(centre, arc->startAngle, arc->radius),
                                   polarRad(centre, arc->endAngle, arc->radius), sweep, p);
    return d < 0.0 ? -1.0 : 1.0;
  }
  if (const auto* polyline = curve.as<PolylineGeom>()) {
    PolylineLocation at = locateOnPolyline(*polyline, nearest);
    if (at.result == 0) return 1.0;
    return signedDistanceToSegment(*polyline, at.segment, p) < 0.0 ? -1.0 : 1.0;
  }
  return 1.0;
}

}  // namespace

int intersect(Host& host, const EntityRef& a, const EntityRef& b, int extend, std::vector<PointRec>& out,
              size_t room) {
  out.clear();
  if (a.name == b.name) return 0;
  EntityRecord curveA, curveB;
  if (!curveOf(host, a, curveA) || !curveOf(host, b, curveB)) return 0;
  std::vector<Point3> points;
  if (host.intersectWith(curveA, curveB, extend > 0 ? kExtendBoth : 0, points) != RTNORM) return 0;
  for (const Point3& p : points) {
    if (out.size() >= room) break;
    out.push_back(toPointRec(p));
  }
  return static_cast<int>(out.size());
}

double distanceToSegment(const PolylineGeom& polyline, int segment, const PointRec& p) {
  if (segment < 0 || segment >= segmentCount(polyline)) return kUnreachableDistance;
  return signedDistanceToSegment(polyline, segment, p);
}

double distanceToEntity(Host& host, const PointRec& p, const EntityRef& ref) {
  EntityRecord record;
  if (host.acdbEntGet(ref.name, record) != RTNORM) return kUnreachableDistance;
  if (ref.segment != kWholeEntity) {
    const PolylineGeom* polyline = record.as<PolylineGeom>();
    return polyline ? distanceToSegment(*polyline, ref.segment, p) : kUnreachableDistance;
  }
  Point3 closest;
  if (host.getClosestPointTo(record, toPoint3(p), true, closest) != RTNORM) return kUnreachableDistance;
  PointRec nearest = toPointRec(closest);
  double d = planarDistance(p, nearest);
  if (const auto* circle = record.as<CircleGeom>()) {
    bool inside = planarDistance(toPointRec(circle->center), p) - circle->radius <= kPointTolerance;
    return inside ? -d : d;
  }
  return d * sideOf(record, p, nearest);
}

}  // namespace optgrind
