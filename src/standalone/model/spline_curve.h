// Splines and ellipses as parametric curves: evaluation (rational de Boor
// for splines), the parameters where the tangent may turn abruptly, and a
// flattened copy for the queries that only need to see the curve.
#pragma once

#include <vector>

#include "host/host_types.h"

namespace optgrind::standalone {

// Splines of a higher degree than this are not modelled.
constexpr int kMaxSplineDegree = 25;

// A spline or an ellipse over the parameters start..end. It points into the
// entity's geometry, which must outlive it. `breaks` runs from start to end
// through the parameters where the curve is only continuous, not smooth: a
// spline's knots whose multiplicity reaches its degree.
struct SmoothCurve {
  bool valid = false;
  const SplineGeom* spline = nullptr;
  const EllipseGeom* ellipse = nullptr;
  double start = 0.0;
  double end = 0.0;
  std::vector<double> breaks;
  bool closed = false;  // a closed spline or a whole ellipse
};

// Whether the record describes a curve that can be evaluated: knots,
// weights and control points that agree and are finite.
bool splineValid(const SplineGeom& g);
bool ellipseValid(const EllipseGeom& g);

// The curve of a spline or ellipse entity; not valid for any other entity
// or for geometry that does not describe a curve.
SmoothCurve smoothCurveOf(const EntityRecord& e);
SmoothCurve smoothCurveOf(const SplineGeom& g);
SmoothCurve smoothCurveOf(const EllipseGeom& g);

// The ellipse's minor axis: ratio times the major one, turned a quarter
// counter-clockwise about the normal.
Point3 ellipseMinorAxis(const EllipseGeom& g);

Point3 curvePoint(const SmoothCurve& c, double t);
// The derivative at t. At a break, fromLeft takes the piece that ends there.
Point3 curveDerivative(const SmoothCurve& c, double t, bool fromLeft);

// How far a flattened copy may stray from the curve: fine against its size,
// never coarser than the distance at which a pick counts as on a curve.
double displayTolerance(const SmoothCurve& c);

// Points on the curve from start to end whose chords stray from it by no
// more than `tolerance` (a closed curve repeats its first point at the end).
void flattenCurve(const SmoothCurve& c, double tolerance, std::vector<Point3>& out);

}  // namespace optgrind::standalone
