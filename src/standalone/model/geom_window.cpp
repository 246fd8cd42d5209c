// Window and crossing selection of entities by a rectangle of the XY plane.
#include <algorithm>

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
  Point3 min;
  Point3 max;
  if (geomExtents(drawing, entity, min, max) != RTNORM) return false;
  const Window w = ordered(lo, hi);
  if (min.x > w.hi.x || max.x < w.lo.x || min.y > w.hi.y || max.y < w.lo.y) return false;
  if (boxInside(min, max, w)) return true;
  std::vector<CurvePiece> pieces;
  if (!curvePieces(entity, false, pieces)) return true;
  return curveTouchesEdges(pieces, w);
}

}  // namespace optgrind::standalone
