// The host's closest-point and intersection queries over entity records.
#include "standalone/model/geom.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "standalone/model/geom_curves.h"
#include "standalone/model/geom_intersect.h"

namespace optgrind::standalone {

namespace {

// Relative and absolute slack over the rounding of a squared distance.
constexpr double kRoundingSlack = 1e-9;
constexpr double kRoundingFloor = 1e-300;

// The nearest of the candidates offered so far; among equally near ones
// the one of the lowest index, as measuring them in order finds it.
struct NearestPoint {
  Point3 point;
  double distance = HUGE_VAL;
  size_t index = 0;
  bool found = false;

  void offer(const Point3& candidate, const Point3& given, size_t at = 0) {
    const double d = distanceXY(candidate, given);
    if (!found || d < distance || (d == distance && at < index))
      point = candidate, distance = d, index = at, found = true;
  }
};

// The closest point of a lightweight polyline's own segments, as measuring
// every piece in order finds it, with the pieces that cannot come nearest
// left unmeasured: runs of segments are measured nearest box first, and a
// run or a segment whose box lies farther than the nearest point so far is
// passed over. An extended open polyline's first and last pieces run on
// without end and are always measured. False when the polyline is left to
// the general way (no segment with length).
bool closestOnPolyline(const PolylineGeom& pl, const Point3& given, bool extend, Point3& out) {
  const VertexList& v = pl.vertices;
  const size_t n = v.size();
  if (n < 2) return false;
  const size_t segments = pl.closed ? n : n - 1;
  auto kept = [&](size_t i) { return segmentHasLength(v[i], v[i + 1 < n ? i + 1 : 0]); };
  size_t first = 0, last = segments - 1;
  while (first < segments && !kept(first)) ++first;
  if (first == segments) return false;
  while (!kept(last)) --last;
  const bool extended = extend && !pl.closed;
  NearestPoint nearest;
  auto measure = [&](size_t i) {
    const PolyVertex& a = v[i];
    const PolyVertex& b = v[i + 1 < n ? i + 1 : 0];
    const bool endless = extended && (i == first || i == last);
    if (!endless) {
      if (!kept(i)) return;
      const double bound = nearest.distance;
      SegmentBox rough;
      if (roughSegmentBox(a, b, rough) && (given.x < rough.x0 - bound || given.x > rough.x1 + bound ||
                                           given.y < rough.y0 - bound || given.y > rough.y1 + bound))
        return;
      if (segmentBox(a, b).distanceFrom(given.x, given.y) > bound) return;
    }
    CurvePiece piece = bulgePiece(a, b, pl.elevation);
    if (endless && i == first) extendBackwards(piece);
    if (endless && i == last) extendForwards(piece);
    nearest.offer(closestOnPiece(piece, given), given, i);
  };
  if (extended) measure(first), measure(last);
  if (pl.closed) measure(n - 1);
  const SegmentRuns& runs = v.segmentRuns();
  std::vector<std::pair<double, size_t>> order;
  order.reserve(runs.runs.size());
  for (size_t r = 0; r < runs.runs.size(); ++r) {
    const double away = runs.runs[r].bounds.distanceFrom(given.x, given.y);
    order.emplace_back(away >= 0.0 ? away : 0.0, r);  // NaN sorts nowhere: measured first
  }
  std::sort(order.begin(), order.end());
  for (const auto& [away, r] : order) {
    if (away > nearest.distance) break;
    for (size_t i = SegmentRuns::firstOf(r); i < runs.endOf(r); ++i) measure(i);
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
