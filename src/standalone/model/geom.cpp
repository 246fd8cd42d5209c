// The host's closest-point and intersection queries over entity records.
#include "standalone/model/geom.h"

#include <cmath>

#include "standalone/model/geom_curves.h"
#include "standalone/model/geom_intersect.h"

namespace optgrind::standalone {

namespace {

// The closest point of a lightweight polyline's own segments, as measuring
// every piece in order finds it, with the pieces that cannot come nearest
// left unmeasured: none is nearer than its segment's box, and the nearest
// is no farther than the nearest vertex. False when the polyline is left
// to the general way (a lone point piece).
bool closestOnPolyline(const PolylineGeom& pl, const Point3& given, Point3& out) {
  const std::vector<PolyVertex>& v = pl.vertices;
  const size_t n = v.size();
  if (n < 2) return false;
  const size_t segments = pl.closed ? n : n - 1;
  auto kept = [&](size_t i) {
    const PolyVertex& a = v[i];
    const PolyVertex& b = v[(i + 1) % n];
    return !isStraightBulge(a.bulge) || std::hypot(b.x - a.x, b.y - a.y) > kOnCurveTolerance;
  };
  double bound = HUGE_VAL;
  for (size_t i = 0; i < segments; ++i) {
    if (kept(i)) bound = std::fmin(bound, distanceXY({v[i].x, v[i].y, 0.0}, given));
  }
  if (bound == HUGE_VAL) return false;
  bool found = false;
  double best = 0.0;
  for (size_t i = 0; i < segments; ++i) {
    const PolyVertex& a = v[i];
    const PolyVertex& b = v[(i + 1) % n];
    if (!kept(i) || segmentBox(a, b).distanceFrom(given.x, given.y) > bound) continue;
    const Point3 candidate = closestOnPiece(bulgePiece(a, b, pl.elevation), given);
    const double distance = distanceXY(candidate, given);
    if (!found || distance < best) {
      out = candidate;
      best = distance;
      found = true;
    }
  }
  return found;
}

}  // namespace

int closestPointTo(const EntityRecord& curve, const Point3& given, bool extend, Point3& out) {
  if (const auto* point = curve.as<PointGeom>()) {
    out = point->position;
    return RTNORM;
  }
  const auto* pl = curve.as<PolylineGeom>();
  if (pl && !extend && closestOnPolyline(*pl, given, out)) return RTNORM;
  std::vector<CurvePiece> pieces;
  if (!curvePieces(curve, extend, pieces)) return RTERROR;
  bool found = false;
  double best = 0.0;
  for (const CurvePiece& piece : pieces) {
    const Point3 candidate = closestOnPiece(piece, given);
    const double distance = distanceXY(candidate, given);
    if (!found || distance < best) {
      out = candidate;
      best = distance;
      found = true;
    }
  }
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
