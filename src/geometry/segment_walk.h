// The walk from one lightweight polyline segment to the next or previous.
#pragma once

#include "geometry/records.h"
#include "host/host.h"

namespace optgrind {

// The index of a polyline's last segment: n - 1 closed, n - 2 open.
int lastSegmentIndex(const PolylineGeom& polyline);
// The number of segments: n closed, n - 1 open (0 without vertices).
int segmentCount(const PolylineGeom& polyline);
// The kind of segment i by the bulge at its start vertex: line or arc.
EntityKind segmentKind(const PolylineGeom& polyline, int segment);

// The segment after ref's (segment 0 after a whole-entity reference); empty
// after the last segment of an open polyline or for anything that is not a
// readable lightweight polyline. Its point is not meaningful.
EntityRef nextSegment(Host& host, const EntityRef& ref);
// The segment before ref's (the last after a whole-entity reference or
// after segment 0 of a closed polyline); empty before segment 0 of an open
// polyline.
EntityRef previousSegment(Host& host, const EntityRef& ref);

// Reads the lightweight polyline that name names; false for anything else.
bool readPolyline(Host& host, const EntityName& name, PolylineGeom& out);

}  // namespace optgrind
