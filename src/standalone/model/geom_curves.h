// Curves of the XY plane cut into pieces (straight pieces, arcs, lone
// points), the form in which the geometry library measures them.
#pragma once

#include <cmath>
#include <vector>

#include "host/angles.h"
#include "host/host_types.h"

namespace optgrind::standalone {

// A point this close to a curve lies on it; two circles this close to
// touching touch (drawing units).
constexpr double kOnCurveTolerance = 1e-9;

enum class PieceKind { Point, Line, Arc };

// One piece of a curve. A line runs over a + t * (b - a) for t in
// tMin..tMax: 0..1 for the segment itself, unbounded where it is extended.
// An arc runs counter-clockwise from startAngle over sweep (2 pi for a
// circle). A point piece is `a` (a curve shrunk to nothing).
struct CurvePiece {
  PieceKind kind = PieceKind::Point;
  Point3 a;
  Point3 b;
  double tMin = 0.0;
  double tMax = 1.0;
  Point3 center;
  double radius = 0.0;
  double startAngle = 0.0;
  double sweep = 0.0;
};

// The segment from a to b (a point piece when it has no length in XY).
CurvePiece linePiece(const Point3& a, const Point3& b);
// The arc from startAngle counter-clockwise to endAngle; equal angles make
// the full circle. A point piece when the radius is not positive.
CurvePiece arcPiece(const Point3& center, double radius, double startAngle, double endAngle);
CurvePiece circlePiece(const Point3& center, double radius);

// The polyline segment from u to v at height z: an arc when it has a bulge
// (tan of a quarter of its sweep, positive counter-clockwise), else
// straight (a point piece when it has no length).
CurvePiece bulgePiece(const PolyVertex& u, const PolyVertex& v, double z);

// A box that holds every point of the segment from u to v with a margin
// beyond rounding, found without trigonometry: a segment whose box misses
// a region is sure to miss it, so long polylines skip most segments.
struct SegmentBox {
  double x0, y0, x1, y1;
  bool overlaps(double lx, double ly, double hx, double hy) const {
    return x0 <= hx && x1 >= lx && y0 <= hy && y1 >= ly;
  }
  // The least distance from (x, y) to the box.
  double distanceFrom(double x, double y) const {
    return std::hypot(std::fmax(std::fmax(x0 - x, x - x1), 0.0), std::fmax(std::fmax(y0 - y, y - y1), 0.0));
  }
};
SegmentBox segmentBox(const PolyVertex& u, const PolyVertex& v);

// A box that holds segmentBox(u, v), found with a few additions and no
// call: the chord's box grown by the bulge times the chord's taxicab
// length (at least the sagitta) and by a margin at least segmentBox's.
// False for more than half a turn, where only segmentBox can tell. Long
// polylines reject most segments with it before they build the exact box.
inline bool roughSegmentBox(const PolyVertex& u, const PolyVertex& v, SegmentBox& out) {
  const double bulge = u.bulge < 0.0 ? -u.bulge : u.bulge;
  if (!(bulge <= 1.0)) return false;
  const double dx = v.x - u.x, dy = v.y - u.y;
  const double grow = bulge * ((dx < 0.0 ? -dx : dx) + (dy < 0.0 ? -dy : dy)) / 2.0;
  const double size = (u.x < 0.0 ? -u.x : u.x) + (u.y < 0.0 ? -u.y : u.y) + (v.x < 0.0 ? -v.x : v.x) +
                      (v.y < 0.0 ? -v.y : v.y) + grow;
  if (!(size < HUGE_VAL)) return false;
  // Twice segmentBox's relative margin, for the rounding of this sum.
  const double margin = 2e-9 * (1.0 + size) + grow;
  out = {(u.x < v.x ? u.x : v.x) - margin, (u.y < v.y ? u.y : v.y) - margin, (u.x < v.x ? v.x : u.x) + margin,
         (u.y < v.y ? v.y : u.y) + margin};
  return true;
}

// A polyline segment that is more than a point: polylinePieces leaves the
// others out.
inline bool segmentHasLength(const PolyVertex& u, const PolyVertex& v);

// An open curve's end piece run on without end: a line beyond its first
// (backwards) or last (forwards) point, an arc to its whole circle.
void extendBackwards(CurvePiece& piece);
void extendForwards(CurvePiece& piece);

// The pieces of consecutive vertices at height z; closed adds the segment
// from the last vertex to the first. Zero-length segments are left out;
// when nothing is left but vertices, the first vertex is a point piece.
void polylinePieces(const std::vector<PolyVertex>& vertices, bool closed, double z,
                    std::vector<CurvePiece>& out);

// The pieces of a curve entity (line, arc, circle, lightweight polyline),
// extended as the host extends curves when asked: a line both ways, an arc
// to its circle, an open polyline's first segment backwards and its last
// forwards (an arc segment to its circle); a spline or an ellipse as the
// chords of its flattened copy, never extended. False for any other entity.
bool curvePieces(const EntityRecord& entity, bool extend, std::vector<CurvePiece>& out);

// True when the direction `angle` from the centre falls on the arc, allowing
// `tolerance` in length along the arc at either end.
bool angleOnArc(const CurvePiece& arc, double angle, double tolerance);
Point3 pointOnCircle(const Point3& center, double radius, double angle);

// The point of the piece nearest to p in XY, z taken from the piece.
Point3 closestOnPiece(const CurvePiece& piece, const Point3& p);
// The point (x, y) with the height the piece has there.
Point3 withPieceZ(const CurvePiece& piece, double x, double y);

double distanceXY(const Point3& p, const Point3& q);

// distanceXY(p, q) <= limit for the offsets dx, dy, with the same answer but
// without the exact hypot for points far apart or well inside: hypot is
// never below the larger offset, and at a quarter of the squared limit the
// plain square root is far from the limit.
inline bool withinXY(double dx, double dy, double limit) {
  dx = dx < 0.0 ? -dx : dx;
  dy = dy < 0.0 ? -dy : dy;
  if (dx > limit || dy > limit) return false;
  if (dx * dx + dy * dy <= 0.25 * limit * limit) return true;
  return std::hypot(dx, dy) <= limit;
}

inline bool segmentHasLength(const PolyVertex& u, const PolyVertex& v) {
  return !withinXY(v.x - u.x, v.y - u.y, kOnCurveTolerance) || !isStraightBulge(u.bulge);
}

}  // namespace optgrind::standalone
