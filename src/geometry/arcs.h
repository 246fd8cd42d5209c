// Turning direction, signed areas and distances, and arcs through three
// points.
#pragma once

#include "geometry/records.h"
#include "host/host.h"

namespace optgrind {

// An arc counts as a full circle when its sweep is this close to 0; a full
// circle's sweep is then a full turn less this much.
constexpr double kFullCircleSweepTolerance = 1e-8;

// -1 when the arc from p1 through p2 to p3 runs clockwise, +1 otherwise
// (also for three points on one line). Z is ignored.
int turnDirection(const PointRec& p1, const PointRec& p2, const PointRec& p3);
// The triangle's area (Heron's formula) signed by turnDirection.
double signedArea(const PointRec& p1, const PointRec& p2, const PointRec& p3);
// The distance from p to the infinite line through a and b, positive when p
// lies to the left of a->b.
double signedDistanceToLine(const PointRec& a, const PointRec& b, const PointRec& p);
// The distance from p to the arc from start to end with that signed sweep
// (radians), positive when p lies to the left of the arc's running
// direction (inside a counter-clockwise arc).
double signedDistanceToArc(const PointRec& start, const PointRec& end, double sweep, const PointRec& p);

// mode 0: a is the centre, b the start, c the end. Otherwise a, b and c lie
// on the arc with a between the ends; the arc is made to run
// counter-clockwise. Start and end at the same angle give a full circle.
// Points on one line, or so nearly on one that their circle's centre would
// lie a million times their spread away, give an invalid record.
ArcRec arcFromThreePoints(Host& host, const PointRec& a, const PointRec& b, const PointRec& c, int mode);
// The arc about centre from start to end with angles and sweep filled in as
// arcFromThreePoints does in mode 0.
ArcRec arcAboutCentre(const PointRec& centre, const PointRec& start, const PointRec& end);

}  // namespace optgrind
