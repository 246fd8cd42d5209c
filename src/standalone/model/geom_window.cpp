// Window and crossing selection of entities by a rectangle of the XY plane.
#include <algorithm>
#include <cmath>

#include "standalone/model/geom.h"
#include "standalone/model/geom_curves.h"
#include "standalone/model/geom_intersect.h"

namespace optgrind::standalone {
namespace {

// The window with its corners in order, whichever two were given.
struct Window {
  Point3 lo;
  Point3 hi;
};

Window ordered(const Point3& a, const Point3& b) {
  return {{std::min(a.x, b.x), std::min(a.y, b.y), 0.0}, {std::max(a.x, b.x), std::max(a.y, b.y), 0.0}};
}

bool boxInside(const Point3& min, const Point3& max, const Window& w) {
  return min.x >= w.lo.x && min.y >= w.lo.y && max.x <= w.hi.x && max.y <= w.hi.y;
}

bool curveTouchesEdges(const std::vector<CurvePiece>& pieces, const Window& w) {
  const Point3 corners[4] = {w.lo, {w.hi.x, w.lo.y, 0.0}, w.hi, {w.lo.x, w.hi.y, 0.0}};
  std::vector<Point3> points;
  for (int i = 0; i < 4; ++i) {
    const CurvePiece edge = linePiece(corners[i], corners[(i + 1) % 4]);
    for (const CurvePiece& piece : pieces) {
      intersectPieces(edge, piece, points);
      if (!points.empty()) return true;
    }
  }
  return false;
}

// The answer of crossesWindow for a lightweight polyline, found from the
// few segments near the window; false in `decided` when only the whole
// polyline's extents can tell. The polyline's box overlaps the window when
// the box of its pieces' ends does, and is not inside when one end is out.
bool polylineCrossesWindow(const PolylineGeom& pl, const Window& w, bool& decided) {
  decided = false;
  const std::vector<PolyVertex>& v = pl.vertices;
  const size_t n = v.size();
  if (n < 2) return false;
  const size_t segments = pl.closed ? n : n - 1;
  // Most polylines lie wholly away from a pick: when every segment's rough
  // box misses the window, nothing is near, and a segment with length
  // decides it as the full walk below would.
  bool allAway = true, anyLength = false;
  for (size_t i = 0; i < segments && allAway; ++i) {
    const PolyVertex& a = v[i];
    const PolyVertex& b = v[i + 1 < n ? i + 1 : 0];
    SegmentBox rough;
    allAway = roughSegmentBox(a, b, rough) && !rough.overlaps(w.lo.x, w.lo.y, w.hi.x, w.hi.y);
    anyLength = anyLength || segmentHasLength(a, b);
  }
  if (allAway && anyLength) {
    decided = true;
    return false;
  }
  bool anyPiece = false, endOutside = false;
  Window ends{{HUGE_VAL, HUGE_VAL, 0.0}, {-HUGE_VAL, -HUGE_VAL, 0.0}};
  std::vector<size_t> near;
  for (size_t i = 0; i < segments; ++i) {
    const PolyVertex& a = v[i];
    const PolyVertex& b = v[i + 1 < n ? i + 1 : 0];
    if (!segmentHasLength(a, b)) continue;
    anyPiece = true;
    for (const PolyVertex* p : {&a, &b}) {
      endOutside = endOutside || p->x < w.lo.x || p->y < w.lo.y || p->x > w.hi.x || p->y > w.hi.y;
      // As fmin and fmax: the running ends are never NaN.
      ends.lo = {p->x < ends.lo.x ? p->x : ends.lo.x, p->y < ends.lo.y ? p->y : ends.lo.y, 0.0};
      ends.hi = {p->x > ends.hi.x ? p->x : ends.hi.x, p->y > ends.hi.y ? p->y : ends.hi.y, 0.0};
    }
    SegmentBox rough;
    if (roughSegmentBox(a, b, rough) && !rough.overlaps(w.lo.x, w.lo.y, w.hi.x, w.hi.y)) continue;
    if (segmentBox(a, b).overlaps(w.lo.x, w.lo.y, w.hi.x, w.hi.y)) near.push_back(i);
  }
  // Nothing near: the box is not inside, no edge is met.
  if (anyPiece && near.empty()) {
    decided = true;
    return false;
  }
  if (!anyPiece || !endOutside) return false;
  std::vector<CurvePiece> pieces;
  for (size_t i : near) pieces.push_back(bulgePiece(v[i], v[(i + 1) % n], pl.elevation));
  if (!curveTouchesEdges(pieces, w)) {
    decided = true;
    return false;
  }
  decided = ends.lo.x <= w.hi.x && ends.hi.x >= w.lo.x && ends.lo.y <= w.hi.y && ends.hi.y >= w.lo.y;
  return decided;
}

}  // namespace

bool insideWindow(const Drawing& drawing, const EntityRecord& entity, const Point3& lo, const Point3& hi) {
  Point3 min;
  Point3 max;
  if (geomExtents(drawing, entity, min, max) != RTNORM) return false;
  return boxInside(min, max, ordered(lo, hi));
}

// A curve crosses when it lies inside or meets an edge of the window (a
// circle around the window does not); any other entity when its box
// overlaps the window.
bool crossesWindow(const Drawing& drawing, const EntityRecord& entity, const Point3& lo, const Point3& hi) {
  const Window w = ordered(lo, hi);
  if (const auto* pl = entity.as<PolylineGeom>()) {
    bool decided = false;
    bool crosses = polylineCrossesWindow(*pl, w, decided);
    if (decided) return crosses;
  }
  Point3 min;
  Point3 max;
  if (geomExtents(drawing, entity, min, max) != RTNORM) return false;
  if (min.x > w.hi.x || max.x < w.lo.x || min.y > w.hi.y || max.y < w.lo.y) return false;
  if (boxInside(min, max, w)) return true;
  std::vector<CurvePiece> pieces;
  if (!curvePieces(entity, false, pieces)) return true;
  return curveTouchesEdges(pieces, w);
}

}  // namespace optgrind::standalone
