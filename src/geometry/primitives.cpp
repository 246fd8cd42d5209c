#include "geometry/primitives.h"

#include <cmath>

#include "geometry/geometry_messages.h"

namespace optgrind {
namespace {

// LUPREC when the host cannot answer it: the host's own default.
constexpr int kDefaultUnitPrecision = 4;

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
