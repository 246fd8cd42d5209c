// New drawing entities made from the system's records, and single polyline
// segments as curves of their own.
#pragma once

#include <vector>

#include "geometry/records.h"
#include "host/host.h"

namespace optgrind {

// A record carrying the drawing's current layer, colour and linetype
// (CLAYER, CECOLOR, CELTYPE), as a new entity of the host gets them.
EntityRecord currentProperties(Host& host);

// Each appends to model space and answers a whole-entity reference (kind 2
// line, 3 arc, 0 polyline, valid 1), or an empty one when the host refused.
EntityRef makeLineEntity(Host& host, const LineRec& line);
// The same with the current properties read once for many lines.
EntityRef makeLineEntity(Host& host, const EntityRecord& properties, const LineRec& line);
// Angles as they are for a positive sweep, exchanged for a zero or negative
// one: the host's arc always runs counter-clockwise.
EntityRef makeArcEntity(Host& host, const ArcRec& arc);
// Vertices with one bulge each; the polyline's default width.
EntityRef makePolylineEntity(Host& host, std::vector<PolyVertex> vertices, bool closed,
                             double elevation = 0.0);

// Segment i of a polyline as a curve of its own with the polyline's
// properties: a line for bulge 0, else a counter-clockwise arc about the
// segment's centre. False when the record has no such segment.
bool segmentAsCurve(const EntityRecord& polyline, int segment, EntityRecord& out);
// The same with the vertices apart: `properties` may be the record with its
// vertices moved out, so that a long polyline is not copied for a segment.
bool segmentAsCurve(const EntityRecord& properties, const PolylineGeom& polyline, int segment,
                    EntityRecord& out);

}  // namespace optgrind
