#include "commands/mark_lines.h"

#include <algorithm>
#include <cmath>

#include "geometry/arcs.h"
#include "geometry/primitives.h"
#include "geometry/segment_walk.h"

namespace optgrind {
namespace {

// A corner whose cosine is this close to 0 is taken as a right angle.
constexpr double kRightAngleCosine = 0.001;

// The running direction, in degrees, of the segment at its start or end.
double runningDirection(Host& host, const MarkSegment& s, bool atEnd) {
  if (s.kind != kKindArc) return angleDeg(host, s.start, s.end);
  const PointRec& p = atEnd ? s.end : s.start;
  double radial = degreesFromRadians(angleRad(s.centre, p));
  return s.sweep > 0.0 ? radial + 90.0 : radial - 90.0;
}

// The difference of two directions in degrees, brought into (-180, 180].
double turnBetween(double from, double to) {
  double d = std::fmod(to - from, 360.0);
  if (d <= -180.0) d += 360.0;
  if (d > 180.0) d -= 360.0;
  return d;
}

LineRec markAt(const PointRec& centre, double angleDegrees, double length) {
  return makeLine(polarDeg(centre, angleDegrees, length / 2.0),
                  polarDeg(centre, angleDegrees + 180.0, length / 2.0));
}

}  // namespace

std::vector<MarkSegment> markSegments(const PolylineGeom& polyline) {
  std::vector<MarkSegment> segments;
  int count = segmentCount(polyline);
  size_t n = polyline.vertices.size();
  for (int i = 0; i < count; ++i) {
    MarkSegment s;
    s.start = vertexPoint(polyline, static_cast<size_t>(i));
    s.end = vertexPoint(polyline, (static_cast<size_t>(i) + 1) % n);
    s.kind = segmentKind(polyline, i);
    if (s.kind == kKindArc) {
      double bulge = polyline.vertices[static_cast<size_t>(i)].bulge;
      arcFromBulge(s.start, s.end, bulge, s.centre, s.radius);
      s.sweep = 4.0 * std::atan(bulge);
    }
    segments.push_back(s);
  }
  return segments;
}

double segmentLength(const MarkSegment& s) {
  return s.kind == kKindArc ? std::fabs(s.sweep) * s.radius : distance(s.start, s.end);
}

bool hasMiddlePoint(const MarkSegment& s, double shortLimit) {
  if (!(segmentLength(s) > shortLimit)) return false;
  if (s.kind == kKindArc) return true;
  return std::fabs(s.end.x - s.start.x) > kAxisParallelTolerance &&
         std::fabs(s.end.y - s.start.y) > kAxisParallelTolerance;
}

PointRec segmentMiddle(const MarkSegment& s) {
  if (s.kind != kKindArc) {
    return makePoint((s.start.x + s.end.x) / 2.0, (s.start.y + s.end.y) / 2.0, (s.start.z + s.end.z) / 2.0);
  }
  double middle = angleRad(s.centre, s.start) + s.sweep / 2.0;
  return polarRad(s.centre, middle, s.radius);
}

LineRec cornerMark(Host& host, const MarkSegment& in, const MarkSegment& out, double length) {
  const PointRec& vertex = in.end;
  double a1 = runningDirection(host, in, true);
  double a2 = runningDirection(host, out, false);
  bool straight = in.kind != kKindArc && out.kind != kKindArc;
  bool smooth = straight ? a1 == a2 : std::fabs(turnBetween(a1, a2)) < kSmoothJoinDegrees;
  if (smooth) return markAt(vertex, a2 + 90.0, length);
  // Points on the two running directions stand in for the segments' far
  // ends; for two lines they are the far ends themselves.
  PointRec before = in.kind == kKindArc ? polarDeg(vertex, a1 + 180.0, length) : in.start;
  PointRec after = out.kind == kKindArc ? polarDeg(vertex, a2, length) : out.end;
  double a = distance(before, vertex), b = distance(after, vertex), d = distance(before, after);
  double cosine = (a * a + b * b - d * d) / (2.0 * a * b);
  double gamma =
      std::fabs(cosine) < kRightAngleCosine ? 90.0 : safeAcosDeg(host, std::clamp(cosine, -1.0, 1.0));
  double half = (360.0 - gamma) / 2.0;
  double theta = angleDeg(host, vertex, after);
  theta += signedArea(before, vertex, after) > 0.0 ? -half : half;
  return markAt(vertex, theta, length);
}

LineRec middleMark(const MarkSegment& s, double length, double shortLimit) {
  if (!hasMiddlePoint(s, shortLimit)) return LineRec{};
  if (s.kind == kKindArc) {
    double middle = angleRad(s.centre, s.start) + s.sweep / 2.0;
    return makeLine(polarRad(s.centre, middle, s.radius + length / 2.0),
                    polarRad(s.centre, middle, s.radius - length / 2.0));
  }
  double along = degreesFromRadians(angleRad(s.start, s.end));
  PointRec m = segmentMiddle(s);
  return makeLine(polarDeg(m, along + 90.0, length / 2.0), polarDeg(m, along - 90.0, length / 2.0));
}

}  // namespace optgrind
