// The host's closest-point and intersection queries over entity records.
#include "standalone/model/geom.h"

#include <cmath>

#include "standalone/model/geom_curves.h"
#include "standalone/model/geom_intersect.h"

namespace optgrind::standalone {

namespace {

// Relative and absolute slack over the rounding of a squared distance.
constexpr double kRoundingSlack = 1e-9;
constexpr double kRoundingFloor = 1e-300;

// The nearest of the candidates offered so far.
struct NearestPoint {
  Point3 point;
  double distance = 0.0;
  bool found = false;

  void offer(const Point3& candidate, const Point3& given) {
    const double d = distanceXY(candidate, given);
    if (!found || d < distance) point = candidate, distance = d, found = true;
  }
};

// The closest point of a lightweight polyline's own segments, as measuring
// every piece in order finds it, with the pieces that cannot come nearest
// left unmeasured: none is nearer than its segment's box, and the nearest
// is no farther than the nearest vertex. An extended open polyline's first
// and last pieces run on without end and are always measured. False when
// the polyline is left to the general way (a lone point piece).
bool closestOnPolyline(const PolylineGeom& pl, const Point3& given, bool extend, Point3& out) {
  const std::vector<PolyVertex>& v = pl.vertices;
  const size_t n = v.size();
  if (n < 2) return false;
  const size_t segments = pl.closed ? n : n - 1;
  auto kept = [&](size_t i) { return segmentHasLength(v[i], v[i + 1 < n ? i + 1 : 0]); };
  // The nearest vertex by its square; the exact distance of those as near
  // as the nearest so far within rounding gives the same bound as
  // measuring every vertex, since the nearest so far only comes nearer.
  double nearestSquare = HUGE_VAL, bound = HUGE_VAL;
  size_t first = segments, last = segments;
  for (size_t i = 0; i < segments; ++i) {
    if (!kept(i)) continue;
    if (first == segments) first = i;
    last = i;
    const double dx = v[i].x - given.x, dy = v[i].y - given.y;
    const double square = dx * dx + dy * dy;
    if (square < nearestSquare) nearestSquare = square;
    if (square <= nearestSquare * (1.0 + kRoundingSlack) + kRoundingFloor)
      bound = std::fmin(bound, distanceXY({v[i].x, v[i].y, 0.0}, given));
  }
  if (first == segments) return false;
  if (bound == HUGE_VAL) return false;
  const bool extended = extend && !pl.closed;
  NearestPoint nearest;
  for (size_t i = first; i <= last; ++i) {
    const PolyVertex& a = v[i];
    const PolyVertex& b = v[i + 1 < n ? i + 1 : 0];
    const bool endless = extended && (i == first || i == last);
    if (!endless) {
      SegmentBox rough;
      if (roughSegmentBox(a, b, rough) && (given.x < rough.x0 - bound || given.x > rough.x1 + bound ||
                                           given.y < rough.y0 - bound || given.y > rough.y1 + bound))
        continue;
      if (!kept(i) || segmentBox(a, b).distanceFrom(given.x, given.y) > bound) continue;
    }
    CurvePiece piece = bulgePiece(a, b, pl.elevation);
    if (endless && i == first) extendBackwards(piece);
    if (endless && i == last) extendForwards(piece);
    nearest.offer(closestOnPiece(piece, given), given);
  }
  if (nearest.found) out = nearest.point;
  return nearest.found;
}

}  // namespace

int closestPointTo(const EntityRecord& curve, const Point3& given, bool extend, Point3& out) {
  if (const auto* point = curve.as<PointGeom>()) {
    out = point->position;
    return RTNORM;
  }
  const auto* pl = curve.as<PolylineGeom>();
  if (pl && closestOnPolyline(*pl, given, extend, out)) return RTNORM;
  std::vector<CurvePiece> pieces;
  if (!curvePieces(curve, extend, pieces)) return RTERROR;
  NearestPoint nearest;
  for (const CurvePiece& piece : pieces) nearest.offer(closestOnPiece(piece, given), given);
  if (nearest.found) out = nearest.point;
  return RTNORM;
}

int intersectWith(const EntityRecord& a, const EntityRecord& b, int extend, std::vector<Point3>& out) {
  out.clear();
  std::vector<CurvePiece> first;
  std::vector<CurvePiece> second;
  if (!curvePieces(a, (extend & 1) != 0, first) || !curvePieces(b, (extend & 2) != 0, second)) return RTERROR;
  for (const CurvePiece& p : first) {
    for (const CurvePiece& q : second) intersectPieces(p, q, out);
  }
  return RTNORM;
}

}  // namespace optgrind::standalone
