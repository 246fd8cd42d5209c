#include "standalone/model/geom_intersect.h"

#include <cmath>

namespace optgrind::standalone {
namespace {

// Straight pieces whose directions differ by less than this (sine of the
// angle between them) count as parallel.
constexpr double kParallelSine = 1e-12;

struct XY {
  double x = 0.0;
  double y = 0.0;
};

// Whether a point of the piece's line or circle falls within the piece.
bool onPiece(const CurvePiece& piece, const XY& p) {
  switch (piece.kind) {
    case PieceKind::Line: {
      const double length = distanceXY(piece.a, piece.b);
      const double t =
          ((p.x - piece.a.x) * (piece.b.x - piece.a.x) + (p.y - piece.a.y) * (piece.b.y - piece.a.y)) /
          (length * length);
      const double slack = kOnCurveTolerance / length;
      return t >= piece.tMin - slack && t <= piece.tMax + slack;
    }
    case PieceKind::Arc:
      return angleOnArc(piece, std::atan2(p.y - piece.center.y, p.x - piece.center.x), kOnCurveTolerance);
    case PieceKind::Point:
      break;
  }
  return false;
}

// The straight piece's line against another straight piece's line.
void lineLine(const CurvePiece& p, const CurvePiece& q, std::vector<XY>& out) {
  const XY d1{p.b.x - p.a.x, p.b.y - p.a.y};
  const XY d2{q.b.x - q.a.x, q.b.y - q.a.y};
  const double cross = d1.x * d2.y - d1.y * d2.x;
  if (std::fabs(cross) <= kParallelSine * std::hypot(d1.x, d1.y) * std::hypot(d2.x, d2.y)) return;
  const double t = ((q.a.x - p.a.x) * d2.y - (q.a.y - p.a.y) * d2.x) / cross;
  out.push_back({p.a.x + t * d1.x, p.a.y + t * d1.y});
}

// The straight piece's line against the arc's circle, in the line's direction.
void lineCircle(const CurvePiece& line, const CurvePiece& arc, std::vector<XY>& out) {
  const double length = distanceXY(line.a, line.b);
  const XY u{(line.b.x - line.a.x) / length, (line.b.y - line.a.y) / length};
  const double along = (arc.center.x - line.a.x) * u.x + (arc.center.y - line.a.y) * u.y;
  const XY foot{line.a.x + along * u.x, line.a.y + along * u.y};
  const double offset = std::hypot(foot.x - arc.center.x, foot.y - arc.center.y);
  if (offset > arc.radius + kOnCurveTolerance) return;
  if (offset >= arc.radius - kOnCurveTolerance) {
    out.push_back(foot);  // tangent
    return;
  }
  const double half = std::sqrt(arc.radius * arc.radius - offset * offset);
  out.push_back({foot.x - half * u.x, foot.y - half * u.y});
  out.push_back({foot.x + half * u.x, foot.y + half * u.y});
}

void circleCircle(const CurvePiece& p, const CurvePiece& q, std::vector<XY>& out) {
  const double d = distanceXY(p.center, q.center);
  if (d <= kOnCurveTolerance) return;  // concentric: apart or the same circle
  const double outer = p.radius + q.radius;
  const double inner = std::fabs(p.radius - q.radius);
  if (d > outer + kOnCurveTolerance || d < inner - kOnCurveTolerance) return;
  const XY u{(q.center.x - p.center.x) / d, (q.center.y - p.center.y) / d};
  // Distance from p's centre to the chord through both points, along u.
  const double a = (d * d + p.radius * p.radius - q.radius * q.radius) / (2.0 * d);
  const XY mid{p.center.x + a * u.x, p.center.y + a * u.y};
  if (std::fabs(d - outer) <= kOnCurveTolerance || std::fabs(d - inner) <= kOnCurveTolerance) {
    out.push_back(mid);  // tangent
    return;
  }
  const double h = std::sqrt(std::fmax(0.0, p.radius * p.radius - a * a));
  out.push_back({mid.x - h * u.y, mid.y + h * u.x});
  out.push_back({mid.x + h * u.y, mid.y - h * u.x});
}

}  // namespace

void intersectPieces(const CurvePiece& first, const CurvePiece& second, std::vector<Point3>& out) {
  const PieceKind k1 = first.kind;
  const PieceKind k2 = second.kind;
  if (k1 == PieceKind::Point || k2 == PieceKind::Point) {
    // A curve shrunk to a point meets the other where it lies on it.
    const Point3& point = k1 == PieceKind::Point ? first.a : second.a;
    const CurvePiece& other = k1 == PieceKind::Point ? second : first;
    if (distanceXY(closestOnPiece(other, point), point) <= kOnCurveTolerance) {
      addDistinctPoint(out, withPieceZ(first, point.x, point.y));
    }
    return;
  }
  std::vector<XY> candidates;
  if (k1 == PieceKind::Line && k2 == PieceKind::Line) {
    lineLine(first, second, candidates);
  } else if (k1 == PieceKind::Line) {
    lineCircle(first, second, candidates);
  } else if (k2 == PieceKind::Line) {
    lineCircle(second, first, candidates);
  } else {
    circleCircle(first, second, candidates);
  }
  for (const XY& c : candidates) {
    if (onPiece(first, c) && onPiece(second, c)) addDistinctPoint(out, withPieceZ(first, c.x, c.y));
  }
}

void addDistinctPoint(std::vector<Point3>& points, const Point3& p) {
  for (const Point3& q : points) {
    if (distanceXY(p, q) <= kSamePointTolerance) return;
  }
  points.push_back(p);
}

}  // namespace optgrind::standalone
