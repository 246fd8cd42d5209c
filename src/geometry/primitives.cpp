#include "geometry/primitives.h"

#include <algorithm>
#include <cmath>

#include "geometry/geometry_messages.h"

namespace optgrind {
namespace {

// LUPREC when the host cannot answer it: the host's own default.
constexpr int kDefaultUnitPrecision = 4;

// Relative rounding allowed for in a quick box test.
constexpr double kBoxRoundingMargin = 1e-9;

// Whether p surely lies on no point that the exact test of
// locateOnPolyline takes as on segment u-v, found with a few additions
// before any root or angle. A point whose detour through it is shorter
// than t lies within L/2 + t of the chord's box (the half minor axis of
// the ellipse round the chord); a point on an arc of half a turn or less
// lies within the bulge times the chord's taxicab length of the chord's
// box. The margin covers the rounding of the exact test.
bool surelyOffSegment(const PolyVertex& u, const PolyVertex& v, const PointRec& p) {
  double taxicab = std::fabs(v.x - u.x) + std::fabs(v.y - u.y);
  double size = std::fabs(u.x) + std::fabs(u.y) + std::fabs(v.x) + std::fabs(v.y) + std::fabs(p.x) +
                std::fabs(p.y) + taxicab;
  if (!(size < HUGE_VAL)) return false;
  double grow = 0.0;
  if (isStraightBulge(u.bulge)) {
    grow = taxicab / 2.0 + kOnSegmentTolerance + kBoxRoundingMargin * (1.0 + size);
  } else {
    double bulge = std::fabs(u.bulge);
    if (!(bulge <= 1.0)) return false;
    grow =
        bulge * taxicab / 2.0 + kOnArcRadiusTolerance + kBoxRoundingMargin * (1.0 + size + taxicab / bulge);
  }
  return std::min(u.x, v.x) - grow > p.x || std::max(u.x, v.x) + grow < p.x ||
         std::min(u.y, v.y) - grow > p.y || std::max(u.y, v.y) + grow < p.y;
}

int unitPrecision(Host& host) {
  ResBuf value;
  int precision = kDefaultUnitPrecision;
  if (host.acedGetVar("LUPREC", value) == RTNORM && (value.isInt() || value.isReal())) {
    precision = static_cast<int>(value.asInt());
  }
  return precision > kMaxUnitPrecision ? kMaxUnitPrecision : precision;
}

}  // namespace

double integerPower(double base, int exponent) {
  bool reciprocal = exponent < 0;
  // Widened so that the smallest int can be negated.
  long long e = reciprocal ? -static_cast<long long>(exponent) : exponent;
  double result = 1.0;
  double square = base;
  while (e > 0) {
    if (e & 1) result *= square;
    square *= square;
    e >>= 1;
  }
  return reciprocal ? 1.0 / result : result;
}

double roundToUnitPrecision(Host& host, double v) {
  double scale = integerPower(10.0, unitPrecision(host));
  return std::floor(v * scale + 0.5) / scale;
}

double angleRad(const PointRec& from, const PointRec& to) {
  double a = std::atan2(to.y - from.y, to.x - from.x);
  if (a < 0.0) a += 2.0 * kPi;
  // atan2 of a tiny negative y gives -0.0 or a value that rounds to 2*pi.
  if (a >= 2.0 * kPi) a = 0.0;
  return a;
}

double angleDeg(Host& host, const PointRec& from, const PointRec& to) {
  return roundToUnitPrecision(host, degreesFromRadians(angleRad(from, to)));
}

PointRec polarRad(const PointRec& base, double angleRadians, double dist) {
  return makePoint(base.x + dist * std::cos(angleRadians), base.y + dist * std::sin(angleRadians), base.z);
}

PointRec polarDeg(const PointRec& base, double angleDegrees, double dist) {
  return polarRad(base, radiansFromDegrees(angleDegrees), dist);
}

double safeAcosDeg(Host& host, double x) {
  if (std::fabs(x) > 1.0) {
    printMessage(host, geometry_messages::kAcosOutOfRange);
    return 0.0;
  }
  return degreesFromRadians(std::acos(x));
}

double distance(const PointRec& a, const PointRec& b) {
  double dx = a.x - b.x, dy = a.y - b.y, dz = a.z - b.z;
  return std::sqrt(dx * dx + dy * dy + dz * dz);
}

bool pointsDiffer(const PointRec& a, const PointRec& b) {
  return std::fabs(a.x - b.x) >= kPointTolerance || std::fabs(a.y - b.y) >= kPointTolerance ||
         std::fabs(a.z - b.z) >= kPointTolerance;
}

void arcFromBulge(const PointRec& p1, const PointRec& p2, double bulge, PointRec& centre, double& radius) {
  double halfAngle = 2.0 * std::atan(std::fabs(bulge));
  double halfChord = distance(p1, p2) / 2.0;
  radius = halfChord / std::sin(halfAngle);
  double side = bulge > 0.0 ? 1.0 : -1.0;
  centre = polarRad(p1, angleRad(p1, p2) + side * (kPi / 2.0 - halfAngle), radius);
}

void arcFromBulge2d(const PointRec& p1, const PointRec& p2, double bulge, PointRec& centre, double& radius) {
  arcFromBulge(makePoint(p1.x, p1.y), makePoint(p2.x, p2.y), bulge, centre, radius);
}

PointRec vertexPoint(const PolylineGeom& polyline, size_t i) {
  const PolyVertex& v = polyline.vertices[i];
  return makePoint(v.x, v.y, polyline.elevation);
}

PolylineLocation locateOnPolyline(const PolylineGeom& polyline, const PointRec& p) {
  PolylineLocation location;
  size_t n = polyline.vertices.size();
  if (n < 2) return location;
  size_t segments = polyline.closed ? n : n - 1;
  // Only X and Y decide: the vertices lie at the polyline's elevation.
  PointRec flat = makePoint(p.x, p.y);
  for (size_t i = 0; i < segments; ++i) {
    const PolyVertex& va = polyline.vertices[i];
    const PolyVertex& vb = polyline.vertices[(i + 1) % n];
    if (surelyOffSegment(va, vb, flat)) continue;
    PointRec a = makePoint(va.x, va.y), b = makePoint(vb.x, vb.y);
    bool onIt = false;
    if (isStraightBulge(va.bulge)) {
      onIt = std::fabs(distance(a, flat) + distance(flat, b) - distance(a, b)) < kOnSegmentTolerance;
    } else {
      PointRec centre;
      double radius = 0.0;
      arcFromBulge(a, b, va.bulge, centre, radius);
      if (std::fabs(distance(centre, flat) - radius) < kOnArcRadiusTolerance) {
        double aA = angleRad(centre, a), aB = angleRad(centre, b), aP = angleRad(centre, flat);
        onIt = va.bulge > 0.0 ? angleWithinRange(aP, aA, aB) : angleWithinRange(aP, aB, aA);
      }
    }
    if (onIt) {
      location.segment = static_cast<int>(i);
      location.result = distance(b, flat) <= distance(flat, a) ? 1 : -1;
      return location;
    }
  }
  return location;
}

}  // namespace optgrind
