// Numbers, angles, points and bulge arithmetic shared by every geometric
// operation of the system, and the location of a point on a polyline.
#pragma once

#include "geometry/records.h"
#include "host/angles.h"
#include "host/host.h"
#include "host/tolerances.h"

namespace optgrind {

// A point lies on a straight segment when the detour through it is shorter.
constexpr double kOnSegmentTolerance = 1e-6;
// A point lies on a curved segment when its distance from the centre is
// this close to the radius.
constexpr double kOnArcRadiusTolerance = 0.01;
// The precision that roundToUnitPrecision never exceeds.
constexpr int kMaxUnitPrecision = 6;

inline double degreesFromRadians(double r) { return r * 180.0 / kPi; }
inline double radiansFromDegrees(double d) { return kPi * d / 180.0; }

// base^exponent by repeated squaring; a negative exponent gives the reciprocal.
double integerPower(double base, int exponent);
// v rounded to LUPREC decimals (at most 6).
double roundToUnitPrecision(Host& host, double v);

// The angle from one point to another in the XY plane, radians in [0, 2*pi).
double angleRad(const PointRec& from, const PointRec& to);
// The same angle in degrees, rounded to the drawing's precision.
double angleDeg(Host& host, const PointRec& from, const PointRec& to);
// The point at `distance` from base in the direction angleDegrees (Z kept).
PointRec polarDeg(const PointRec& base, double angleDegrees, double distance);
PointRec polarRad(const PointRec& base, double angleRadians, double distance);
// acos in degrees; prints a message and answers 0 when |x| > 1.
double safeAcosDeg(Host& host, double x);

double distance(const PointRec& a, const PointRec& b);
// True when any coordinate differs by kPointTolerance or more.
bool pointsDiffer(const PointRec& a, const PointRec& b);
inline bool pointsEqual(const PointRec& a, const PointRec& b) { return !pointsDiffer(a, b); }

// The centre and radius of the arc from p1 to p2 with that bulge (tan of a
// quarter of the included angle, positive counter-clockwise). The bulge must
// not be 0: a bulge of 0 is a straight segment.
void arcFromBulge(const PointRec& p1, const PointRec& p2, double bulge, PointRec& centre, double& radius);
// The same in 2D: the centre's Z is 0.
void arcFromBulge2d(const PointRec& p1, const PointRec& p2, double bulge, PointRec& centre, double& radius);

// Where a point lies on a polyline: result 0 on no segment, else the first
// segment carrying it and +1 when the point is at least as near the
// segment's end as its start (a tie goes to the end), -1 otherwise.
struct PolylineLocation {
  int result = 0;
  int segment = -1;
};
PolylineLocation locateOnPolyline(const PolylineGeom& polyline, const PointRec& p);

// The vertex i of a polyline as a point at the polyline's elevation.
PointRec vertexPoint(const PolylineGeom& polyline, size_t i);

}  // namespace optgrind
