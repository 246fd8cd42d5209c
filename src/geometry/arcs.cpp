#include "geometry/arcs.h"

#include <algorithm>
#include <cmath>

#include "geometry/primitives.h"

namespace optgrind {
namespace {

// Three points whose circle's centre would lie further than this many
// times their spread away are taken as lying on one line: their bisectors
// meet only by rounding.
constexpr double kFarthestCentre = 1e6;

double cross2d(const PointRec& o, const PointRec& a, const PointRec& b) {
  return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x);
}

// Where the lines through p1 in direction d1 and through p2 in direction
// d2 (degrees) meet; false when they are parallel, that is when they would
// meet further than kFarthestCentre times `spread` from p1.
bool intersectLines(const PointRec& p1, double d1, const PointRec& p2, double d2, double spread,
                    PointRec& out) {
  double ux = std::cos(radiansFromDegrees(d1)), uy = std::sin(radiansFromDegrees(d1));
  double vx = std::cos(radiansFromDegrees(d2)), vy = std::sin(radiansFromDegrees(d2));
  double denominator = ux * vy - uy * vx;
  double numerator = (p2.x - p1.x) * vy - (p2.y - p1.y) * vx;
  if (!(std::fabs(denominator) * kFarthestCentre * spread > std::fabs(numerator))) return false;
  double t = numerator / denominator;
  out = makePoint(p1.x + t * ux, p1.y + t * uy, p1.z);
  return true;
}

PointRec midpoint(const PointRec& a, const PointRec& b) {
  return makePoint((a.x + b.x) / 2.0, (a.y + b.y) / 2.0, (a.z + b.z) / 2.0);
}

}  // namespace

int turnDirection(const PointRec& p1, const PointRec& p2, const PointRec& p3) {
  return cross2d(p1, p2, p3) < 0.0 ? -1 : 1;
}

double signedArea(const PointRec& p1, const PointRec& p2, const PointRec& p3) {
  double a = distance(p1, p2), b = distance(p2, p3), c = distance(p3, p1);
  double s = (a + b + c) / 2.0;
  double squared = s * (s - a) * (s - b) * (s - c);
  // Rounding makes the product of a flat triangle slightly negative.
  double area = squared > 0.0 ? std::sqrt(squared) : 0.0;
  return area * turnDirection(p1, p2, p3);
}

double signedDistanceToLine(const PointRec& a, const PointRec& b, const PointRec& p) {
  double length = std::hypot(b.x - a.x, b.y - a.y);
  double d = length > 0.0 ? std::fabs(cross2d(a, b, p)) / length : std::hypot(p.x - a.x, p.y - a.y);
  return d * turnDirection(a, b, p);
}

double signedDistanceToArc(const PointRec& start, const PointRec& end, double sweep, const PointRec& p) {
  double bulge = std::tan(sweep / 4.0);
  if (isStraightBulge(bulge)) return signedDistanceToLine(start, end, p);
  PointRec centre;
  double radius = 0.0;
  arcFromBulge2d(start, end, bulge, centre, radius);
  PointRec flat = makePoint(p.x, p.y);
  double fromCentre = distance(centre, flat);
  // The arc's own point nearest p: on the circle when p's direction lies in
  // the arc's range, else the nearer end.
  double a0 = angleRad(centre, start), a1 = angleRad(centre, end), ap = angleRad(centre, flat);
  double from = bulge > 0.0 ? a0 : a1, to = bulge > 0.0 ? a1 : a0;
  bool inRange = angleWithinRange(ap, from, to);
  double d = inRange && fromCentre > 0.0 ? std::fabs(fromCentre - radius)
                                         : std::min(distance(makePoint(start.x, start.y), flat),
                                                    distance(makePoint(end.x, end.y), flat));
  bool inside = fromCentre < radius;
  bool left = bulge > 0.0 ? inside : !inside;
  return left ? d : -d;
}

ArcRec arcAboutCentre(const PointRec& centre, const PointRec& start, const PointRec& end) {
  ArcRec arc;
  arc.centre = centre;
  arc.start = start;
  arc.end = end;
  arc.startAngle = angleRad(centre, start);
  arc.endAngle = angleRad(centre, end);
  arc.radius = distance(centre, start);
  arc.sweep = arc.endAngle - arc.startAngle;
  if (std::fabs(arc.sweep) <= kFullCircleSweepTolerance) {
    arc.sweep += 2.0 * kPi - kFullCircleSweepTolerance;
    arc.endAngle += 2.0 * kPi - kFullCircleSweepTolerance;
  } else if (arc.startAngle > arc.endAngle) {
    arc.sweep += 2.0 * kPi;
  }
  arc.valid = 1;
  return arc;
}

ArcRec arcFromThreePoints(Host& host, const PointRec& a, const PointRec& b, const PointRec& c, int mode) {
  if (mode == 0) return arcAboutCentre(a, b, c);
  // The centre is where the perpendicular bisectors of the chords a-b and
  // a-c meet; their directions go through the drawing's angle precision.
  PointRec centre;
  double spread = std::max({distance(a, b), distance(a, c), distance(b, c)});
  if (spread <= 0.0 || !intersectLines(midpoint(a, b), angleDeg(host, a, b) + 90.0, midpoint(a, c),
                                       angleDeg(host, a, c) + 90.0, spread, centre)) {
    return ArcRec{};
  }
  if (signedArea(b, a, c) < 0.0) return arcAboutCentre(centre, c, b);
  return arcAboutCentre(centre, b, c);
}

}  // namespace optgrind
