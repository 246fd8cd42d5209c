#include "standalone/dxf/dxf_curve_records.h"

#include <cmath>

#include "standalone/dxf/dxf_groups.h"
#include "standalone/model/spline_curve.h"

namespace optgrind::standalone {
namespace {

constexpr int kSplineClosed = 1;
constexpr int kSplinePeriodic = 2;
constexpr int kSplineRational = 4;
// Heights that differ by less are one plane (drawing units).
constexpr double kSamePlaneTolerance = 1e-9;

const Point3 kUp{0.0, 0.0, 1.0};

// Points of one group code in file order: x by `code`, y and z by the
// codes 10 and 20 above it, each belonging to the last x.
std::vector<Point3> pointsOf(const RawRecord& r, int code) {
  std::vector<Point3> points;
  for (const RawPair& p : r) {
    if (p.code == code) points.push_back({groupReal(p.value), 0.0, 0.0});
    if (p.code == code + 10 && !points.empty()) points.back().y = groupReal(p.value);
    if (p.code == code + 20 && !points.empty()) points.back().z = groupReal(p.value);
  }
  return points;
}

std::vector<double> realsOf(const RawRecord& r, int code) {
  std::vector<double> values;
  for (const RawPair& p : r) {
    if (p.code == code) values.push_back(groupReal(p.value));
  }
  return values;
}

Point3 normalOf(const RawRecord& r) {
  if (!r.has(210) && !r.has(220) && !r.has(230)) return kUp;
  return {r.real(210, 0.0), r.real(220, 0.0), r.real(230, 1.0)};
}

}  // namespace

bool rawSpline(const RawRecord& r, SplineGeom& g) {
  const long long flags = r.integer(70, 0);
  g.closed = (flags & kSplineClosed) != 0;
  g.periodic = (flags & kSplinePeriodic) != 0;
  g.rational = (flags & kSplineRational) != 0;
  g.otherFlags = static_cast<int>(flags & ~(kSplineClosed | kSplinePeriodic | kSplineRational));
  g.degree = static_cast<int>(r.integer(71, 0));
  g.knots = realsOf(r, 40);
  g.weights = realsOf(r, 41);
  g.controlPoints = pointsOf(r, 10);
  g.fitPoints = pointsOf(r, 11);
  g.hasStartTangent = r.has(12);
  g.hasEndTangent = r.has(13);
  g.startTangent = r.point(12);
  g.endTangent = r.point(13);
  g.knotTolerance = r.real(42, g.knotTolerance);
  g.controlTolerance = r.real(43, g.controlTolerance);
  g.fitTolerance = r.real(44, g.fitTolerance);
  g.normal = normalOf(r);
  if (r.integer(72, -1) != static_cast<long long>(g.knots.size()) ||
      r.integer(73, -1) != static_cast<long long>(g.controlPoints.size()) ||
      r.integer(74, 0) != static_cast<long long>(g.fitPoints.size()) || !splineValid(g)) {
    return false;
  }
  for (const Point3& p : g.controlPoints) {
    if (std::fabs(p.z - g.controlPoints.front().z) > kSamePlaneTolerance) return false;
  }
  return true;
}

bool rawEllipse(const RawRecord& r, EllipseGeom& g) {
  g.center = r.point(10);
  g.majorAxis = r.point(11);
  g.ratio = r.real(40, 1.0);
  g.startParam = r.real(41, 0.0);
  g.endParam = r.real(42, g.endParam);
  g.normal = normalOf(r);
  return ellipseValid(g) && std::fabs(g.majorAxis.z) <= kSamePlaneTolerance;
}

void writeSplineBody(DxfOut& out, const SplineGeom& g) {
  out.str(100, "AcDbSpline");
  if (!(g.normal == kUp)) out.point(210, g.normal);
  out.integer(70, (g.closed ? kSplineClosed : 0) | (g.periodic ? kSplinePeriodic : 0) |
                      (g.rational ? kSplineRational : 0) | g.otherFlags);
  out.integer(71, g.degree);
  out.integer(72, static_cast<long long>(g.knots.size()));
  out.integer(73, static_cast<long long>(g.controlPoints.size()));
  out.integer(74, static_cast<long long>(g.fitPoints.size()));
  if (g.knotTolerance >= 0.0) out.real(42, g.knotTolerance);
  if (g.controlTolerance >= 0.0) out.real(43, g.controlTolerance);
  if (g.fitTolerance >= 0.0) out.real(44, g.fitTolerance);
  if (g.hasStartTangent) out.point(12, g.startTangent);
  if (g.hasEndTangent) out.point(13, g.endTangent);
  for (double k : g.knots) out.real(40, k);
  for (double w : g.weights) out.real(41, w);
  for (const Point3& p : g.controlPoints) out.point(10, p);
  for (const Point3& p : g.fitPoints) out.point(11, p);
}

void writeEllipseBody(DxfOut& out, const EllipseGeom& g) {
  out.str(100, "AcDbEllipse");
  out.point(10, g.center);
  out.point(11, g.majorAxis);
  if (!(g.normal == kUp)) out.point(210, g.normal);
  out.real(40, g.ratio);
  out.real(41, g.startParam);
  out.real(42, g.endParam);
}

}  // namespace optgrind::standalone
