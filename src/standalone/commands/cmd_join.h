// PEDIT's polyline work: turning a line or arc into a lightweight polyline
// and joining loose lines, arcs and polylines to one.
#pragma once

#include <vector>

#include "host/host_types.h"
#include "standalone/model/biarc_fit.h"
#include "standalone/model/drawing.h"

namespace optgrind::standalone {

// Ends closer than this meet and are joined (drawing units). Generous
// enough for coordinates that went through a file with fewer digits.
constexpr double kJoinFuzz = 1e-4;

// The two vertices of a line or an arc as a polyline runs it (an arc
// counter-clockwise, its bulge on the first). False for anything else and
// for an arc without sweep.
bool curveEnds(const EntityRecord& curve, PolyVertex& start, PolyVertex& end);

// The polyline of a line or an arc, running its way (an arc counter-
// clockwise), or of a spline or an ellipse as arcs and lines within
// fitTolerance of it (closed when the curve is). False for anything else,
// for an arc without sweep and for a curve that cannot be evaluated.
bool polylineOfCurve(const EntityRecord& curve, PolylineGeom& out,
                     double fitTolerance = kDefaultArcFitTolerance);

// Replaces the line, arc, spline or ellipse `id` by a new polyline (the last
// entity) with its properties; returns the polyline's id, or 0 when it
// cannot be turned.
long long turnIntoPolyline(Drawing& d, long long id, double fitTolerance = kDefaultArcFitTolerance);

// Joins to the open polyline `target` those of the candidates (lines, arcs,
// open splines and ellipses, and open polylines, looked at in drawing order)
// whose ends meet its ends, first at its end and then at its start. The
// target keeps its direction; joined pieces are turned round as needed and
// erased. The polyline is closed when the chain comes back to its start,
// and it becomes the last entity when anything was joined. Returns the
// number of entities joined.
int joinToPolyline(Drawing& d, long long target, const std::vector<long long>& candidates,
                   double fitTolerance = kDefaultArcFitTolerance);

// Turns the polyline round. A closed one still starts at its first vertex.
void reversePolyline(PolylineGeom& pl);

// Moves a live entity to the end of the drawing order; it keeps its id.
void moveToDrawingEnd(Drawing& d, long long id);

}  // namespace optgrind::standalone
