// Temporary vectors on the screen (never stored): lines, arcs, circles and
// whole profiles in a colour. Each answers 1, or 0 when the host refused a
// vector (the screen is then redrawn).
#pragma once

#include "geometry/records.h"
#include "host/host.h"

namespace optgrind {

int drawRubberLine(Host& host, const PointRec& from, const PointRec& to, int color);
// Runs from startAngle over the signed sweep.
int drawRubberArc(Host& host, const ArcRec& arc, int color);
int drawRubberCircle(Host& host, const CircleRec& circle, int color);
// A line, arc or circle as such; a whole polyline segment by segment.
int showProfile(Host& host, const EntityRef& ref, int color);

}  // namespace optgrind
