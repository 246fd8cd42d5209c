#include "standalone/model/geom_curves.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "standalone/model/spline_curve.h"

namespace optgrind::standalone {
namespace {

constexpr double kUnbounded = std::numeric_limits<double>::infinity();

CurvePiece pointPiece(const Point3& p) {
  CurvePiece piece;
  piece.a = p;
  piece.b = p;
  return piece;
}

}  // namespace

CurvePiece bulgePiece(const PolyVertex& u, const PolyVertex& v, double z) {
  const Point3 from{u.x, u.y, z};
  const Point3 to{v.x, v.y, z};
  const double bulge = u.bulge;
  if (isStraightBulge(bulge)) return linePiece(from, to);
  // The centre sits on the chord's perpendicular bisector, (1/b - b) / 4
  // chord lengths to the left of the chord.
  const double offset = (1.0 / bulge - bulge) / 4.0;
  const Point3 center{(u.x + v.x) / 2.0 - offset * (v.y - u.y), (u.y + v.y) / 2.0 + offset * (v.x - u.x), z};
  CurvePiece piece;
  piece.kind = PieceKind::Arc;
  piece.center = center;
  piece.radius = distanceXY(center, from);
  const Point3& ccwStart = bulge > 0.0 ? from : to;
  piece.startAngle = normalizeAngle(std::atan2(ccwStart.y - center.y, ccwStart.x - center.x));
  piece.sweep = 4.0 * std::atan(std::fabs(bulge));
  piece.a = from;
  piece.b = to;
  return piece;
}

void extendBackwards(CurvePiece& piece) {
  if (piece.kind == PieceKind::Line) piece.tMin = -kUnbounded;
  if (piece.kind == PieceKind::Arc) piece.sweep = kTwoPi;
}

void extendForwards(CurvePiece& piece) {
  if (piece.kind == PieceKind::Line) piece.tMax = kUnbounded;
  if (piece.kind == PieceKind::Arc) piece.sweep = kTwoPi;
}

SegmentBox segmentBox(const PolyVertex& u, const PolyVertex& v) {
  // Far more than the rounding of any piece's points, far less than a pick.
  constexpr double kRelativeMargin = 1e-9;
  SegmentBox box{std::fmin(u.x, v.x), std::fmin(u.y, v.y), std::fmax(u.x, v.x), std::fmax(u.y, v.y)};
  if (!isStraightBulge(u.bulge) && std::fabs(u.bulge) <= 1.0) {
    // Half a turn or less: the arc keeps within its sagitta of the chord.
    const double sagitta = std::fabs(u.bulge) * std::hypot(v.x - u.x, v.y - u.y) / 2.0;
    box = {box.x0 - sagitta, box.y0 - sagitta, box.x1 + sagitta, box.y1 + sagitta};
  } else if (!isStraightBulge(u.bulge)) {
    // More: the arc lies on its circle, the circle's box as bulgePiece finds it.
    const double offset = (1.0 / u.bulge - u.bulge) / 4.0;
    const double cx = (u.x + v.x) / 2.0 - offset * (v.y - u.y);
    const double cy = (u.y + v.y) / 2.0 + offset * (v.x - u.x);
    const double r = std::hypot(u.x - cx, u.y - cy);
    box = {cx - r, cy - r, cx + r, cy + r};
  }
  const double margin = kRelativeMargin * (1.0 + std::fmax(std::fmax(std::fabs(box.x0), std::fabs(box.x1)),
                                                           std::fmax(std::fabs(box.y0), std::fabs(box.y1))));
  return {box.x0 - margin, box.y0 - margin, box.x1 + margin, box.y1 + margin};
}

double distanceXY(const Point3& p, const Point3& q) { return std::hypot(q.x - p.x, q.y - p.y); }

Point3 pointOnCircle(const Point3& center, double radius, double angle) {
  return {center.x + radius * std::cos(angle), center.y + radius * std::sin(angle), center.z};
}

CurvePiece linePiece(const Point3& a, const Point3& b) {
  if (distanceXY(a, b) <= kOnCurveTolerance) return pointPiece(a);
  CurvePiece piece;
  piece.kind = PieceKind::Line;
  piece.a = a;
  piece.b = b;
  return piece;
}

CurvePiece arcPiece(const Point3& center, double radius, double startAngle, double endAngle) {
  if (!(radius > 0.0)) return pointPiece(center);
  CurvePiece piece;
  piece.kind = PieceKind::Arc;
  piece.center = center;
  piece.radius = radius;
  piece.startAngle = normalizeAngle(startAngle);
  piece.sweep = normalizeAngle(endAngle - startAngle);
  if (piece.sweep == 0.0) piece.sweep = kTwoPi;
  piece.a = pointOnCircle(center, radius, piece.startAngle);
  piece.b = pointOnCircle(center, radius, piece.startAngle + piece.sweep);
  return piece;
}

CurvePiece circlePiece(const Point3& center, double radius) { return arcPiece(center, radius, 0.0, 0.0); }

void polylinePieces(const std::vector<PolyVertex>& vertices, bool closed, double z,
                    std::vector<CurvePiece>& out) {
  const size_t n = vertices.size();
  if (n == 0) return;
  const size_t segments = closed ? n : n - 1;
  const size_t first = out.size();
  for (size_t i = 0; i < segments; ++i) {
    CurvePiece piece = bulgePiece(vertices[i], vertices[(i + 1) % n], z);
    if (piece.kind != PieceKind::Point) out.push_back(piece);
  }
  if (out.size() == first) out.push_back(pointPiece({vertices[0].x, vertices[0].y, z}));
}

bool curvePieces(const EntityRecord& entity, bool extend, std::vector<CurvePiece>& out) {
  if (const auto* line = entity.as<LineGeom>()) {
    CurvePiece piece = linePiece(line->start, line->end);
    if (extend) {
      extendBackwards(piece);
      extendForwards(piece);
    }
    out.push_back(piece);
    return true;
  }
  if (const auto* arc = entity.as<ArcGeom>()) {
    CurvePiece piece = arcPiece(arc->center, arc->radius, arc->startAngle, arc->endAngle);
    if (extend) piece.sweep = kTwoPi;  // its circle
    out.push_back(piece);
    return true;
  }
  if (const auto* circle = entity.as<CircleGeom>()) {
    out.push_back(circlePiece(circle->center, circle->radius));
    return true;
  }
  if (const auto* poly = entity.as<PolylineGeom>()) {
    if (poly->vertices.empty()) return false;
    const size_t first = out.size();
    polylinePieces(poly->vertices, poly->closed, poly->elevation, out);
    if (extend && !poly->closed) {
      extendBackwards(out[first]);
      extendForwards(out.back());
    }
    return true;
  }
  // Splines and ellipses are measured on a flattened copy; they are not
  // extended.
  const SmoothCurve smooth = smoothCurveOf(entity);
  if (smooth.valid) {
    std::vector<Point3> points;
    flattenCurve(smooth, displayTolerance(smooth), points);
    const size_t first = out.size();
    for (size_t i = 1; i < points.size(); ++i) {
      CurvePiece piece = linePiece(points[i - 1], points[i]);
      if (piece.kind != PieceKind::Point) out.push_back(piece);
    }
    if (out.size() == first) out.push_back(pointPiece(points.front()));
    return true;
  }
  return false;
}

bool angleOnArc(const CurvePiece& arc, double angle, double tolerance) {
  const double slack = arc.radius > 0.0 ? tolerance / arc.radius : 0.0;
  return angleWithinSweep(angle, arc.startAngle, arc.sweep, slack);
}

Point3 withPieceZ(const CurvePiece& piece, double x, double y) {
  switch (piece.kind) {
    case PieceKind::Line: {
      const double dx = piece.b.x - piece.a.x;
      const double dy = piece.b.y - piece.a.y;
      const double t = ((x - piece.a.x) * dx + (y - piece.a.y) * dy) / (dx * dx + dy * dy);
      return {x, y, piece.a.z + t * (piece.b.z - piece.a.z)};
    }
    case PieceKind::Arc:
      return {x, y, piece.center.z};
    case PieceKind::Point:
      break;
  }
  return {x, y, piece.a.z};
}

Point3 closestOnPiece(const CurvePiece& piece, const Point3& p) {
  switch (piece.kind) {
    case PieceKind::Line: {
      const double dx = piece.b.x - piece.a.x;
      const double dy = piece.b.y - piece.a.y;
      double t = ((p.x - piece.a.x) * dx + (p.y - piece.a.y) * dy) / (dx * dx + dy * dy);
      t = std::clamp(t, piece.tMin, piece.tMax);
      return {piece.a.x + t * dx, piece.a.y + t * dy, piece.a.z + t * (piece.b.z - piece.a.z)};
    }
    case PieceKind::Arc: {
      const double dx = p.x - piece.center.x;
      const double dy = p.y - piece.center.y;
      // From the centre every point of a circle is as near; take the start.
      const double angle = (dx == 0.0 && dy == 0.0) ? piece.startAngle : std::atan2(dy, dx);
      if (angleOnArc(piece, angle, 0.0)) return pointOnCircle(piece.center, piece.radius, angle);
      const Point3 start = pointOnCircle(piece.center, piece.radius, piece.startAngle);
      const Point3 end = pointOnCircle(piece.center, piece.radius, piece.startAngle + piece.sweep);
      return distanceXY(p, end) < distanceXY(p, start) ? end : start;
    }
    case PieceKind::Point:
      break;
  }
  return piece.a;
}

}  // namespace optgrind::standalone
