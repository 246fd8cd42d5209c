// The host's closest-point and intersection queries over entity records.
#include "standalone/model/geom.h"

#include "standalone/model/geom_curves.h"
#include "standalone/model/geom_intersect.h"

namespace optgrind::standalone {

int closestPointTo(const EntityRecord& curve, const Point3& given, bool extend, Point3& out) {
  if (const auto* point = curve.as<PointGeom>()) {
    out = point->position;
    return RTNORM;
  }
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
