// Splines and ellipses as polylines of arcs and lines: each smooth piece of
// the curve is matched by a line, an arc or a biarc (two arcs meeting with a
// common tangent; a few ratios of its tangent lengths are tried) from its
// start to its end with the curve's end tangents,
// and halved while the match strays from the curve by more than the
// tolerance.
#pragma once

#include <vector>

#include "host/host_types.h"
#include "standalone/model/spline_curve.h"

namespace optgrind::standalone {

// The default of ARCFITTOL, the fit's tolerance (drawing units).
constexpr double kDefaultArcFitTolerance = 0.001;

// The polyline of arcs and lines within `tolerance` of the curve, running
// its way, closed when the curve is closed, at the height of its start.
// False when the curve is not valid or the tolerance is not positive.
bool fitArcPolyline(const SmoothCurve& curve, double tolerance, PolylineGeom& out);

// The same for a spline or ellipse entity; false for any other entity.
bool arcPolylineOf(const EntityRecord& entity, double tolerance, PolylineGeom& out);

}  // namespace optgrind::standalone
