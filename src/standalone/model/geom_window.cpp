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

// Widens the running box of end points by p; as fmin and fmax, so that
// the running ends are never NaN.
void widenEnds(Window& ends, double x, double y) {
  ends.lo = {x < ends.lo.x ? x : ends.lo.x, y < ends.lo.y ? y : ends.lo.y, 0.0};
  ends.hi = {x > ends.hi.x ? x : ends.hi.x, y > ends.hi.y ? y : ends.hi.y, 0.0};
}

bool outside(const PolyVertex& p, const Window& w) {
  return p.x < w.lo.x || p.y < w.lo.y || p.x > w.hi.x || p.y > w.hi.y;
}

// The answer of crossesWindow for a lightweight polyline, found from the
// few segments near the window; false in `decided` when only the whole
// polyline's extents can tell. The polyline's box overlaps the window when
// the box of its pieces' ends does, and is not inside when one end is out.
// Runs of segments whose box misses the window are passed over whole.
bool polylineCrossesWindow(const PolylineGeom& pl, const Window& w, bool& decided) {
  decided = false;
  const VertexList& v = pl.vertices;
  const size_t n = v.size();
  if (n < 2) return false;
  const size_t segments = pl.closed ? n : n - 1;
  auto next = [&](size_t i) -> const PolyVertex& { return v[i + 1 < n ? i + 1 : 0]; };
  auto kept = [&](size_t i) { return segmentHasLength(v[i], next(i)); };
  std::vector<size_t> near;
  auto look = [&](size_t i) {
    if (!kept(i)) return;
    SegmentBox rough;
    if (roughSegmentBox(v[i], next(i), rough) && !rough.overlaps(w.lo.x, w.lo.y, w.hi.x, w.hi.y)) return;
    if (segmentBox(v[i], next(i)).overlaps(w.lo.x, w.lo.y, w.hi.x, w.hi.y)) near.push_back(i);
  };
  const SegmentRuns& runs = v.segmentRuns();
  for (size_t r = 0; r < runs.runs.size(); ++r) {
    if (!runs.runs[r].bounds.meets(w.lo.x, w.lo.y, w.hi.x, w.hi.y)) continue;
    const size_t from = SegmentRuns::firstOf(r), to = runs.endOf(r);
    for (size_t i = from; i < to; ++i) look(i);
  }
  if (pl.closed) look(n - 1);
  size_t firstKept = 0;
  while (firstKept < segments && !kept(firstKept)) ++firstKept;
  const bool anyPiece = firstKept < segments;
  // Nothing near: the box is not inside, no edge is met.
  if (anyPiece && near.empty()) {
    decided = true;
    return false;
  }
  if (!anyPiece) return false;
  // One end of a piece out of the window; runs wholly inside have none.
  bool endOutside = false;
  for (size_t r = 0; r < runs.runs.size() && !endOutside; ++r) {
    const PlaneBox& c = runs.runs[r].corners;
    if (c.x0 >= w.lo.x && c.y0 >= w.lo.y && c.x1 <= w.hi.x && c.y1 <= w.hi.y) continue;
    const size_t from = SegmentRuns::firstOf(r), to = runs.endOf(r);
    for (size_t i = from; i < to && !endOutside; ++i)
      endOutside = kept(i) && (outside(v[i], w) || outside(next(i), w));
  }
  if (pl.closed && kept(n - 1)) endOutside = endOutside || outside(v[n - 1], w) || outside(v[0], w);
  if (!endOutside) return false;
  std::vector<CurvePiece> pieces;
  for (size_t i : near) pieces.push_back(bulgePiece(v[i], next(i), pl.elevation));
  if (!curveTouchesEdges(pieces, w)) {
    decided = true;
    return false;
  }
  // The box of the pieces' ends, a run's corners when all its segments are
  // pieces.
  Window ends{{HUGE_VAL, HUGE_VAL, 0.0}, {-HUGE_VAL, -HUGE_VAL, 0.0}};
  for (size_t r = 0; r < runs.runs.size(); ++r) {
    const size_t from = SegmentRuns::firstOf(r), to = runs.endOf(r);
    if (runs.runs[r].distinctEnds) {
      widenEnds(ends, runs.runs[r].corners.x0, runs.runs[r].corners.y0);
      widenEnds(ends, runs.runs[r].corners.x1, runs.runs[r].corners.y1);
      continue;
    }
    for (size_t i = from; i < to; ++i) {
      if (!kept(i)) continue;
      widenEnds(ends, v[i].x, v[i].y);
      widenEnds(ends, next(i).x, next(i).y);
    }
  }
  if (pl.closed && kept(n - 1)) widenEnds(ends, v[n - 1].x, v[n - 1].y), widenEnds(ends, v[0].x, v[0].y);
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
