// The lines `opt_mark` draws across a profile polyline: a mark across every
// corner, on the corner's bisector, and one across the middle of every arc
// and oblique line longer than the short limit; and the segments' middle
// points that the coordinate list numbers.
#pragma once

#include <vector>

#include "geometry/records.h"
#include "host/host.h"

namespace optgrind {

// One segment of a polyline, in drawing coordinates. An arc's sweep is
// signed (negative clockwise), its centre and radius set.
struct MarkSegment {
  EntityKind kind = kKindLine;
  PointRec start;
  PointRec end;
  PointRec centre;
  double radius = 0.0;
  double sweep = 0.0;
};

// Two directions at a vertex count as one straight run when they differ by
// less than this many degrees.
constexpr double kSmoothJoinDegrees = 0.001;
// A line is horizontal or vertical when its ends differ by no more than
// this in x or in y; such lines get no middle mark.
constexpr double kAxisParallelTolerance = 0.001;

// The segments of the polyline in order, the closing one of a closed polyline last.
std::vector<MarkSegment> markSegments(const PolylineGeom& polyline);

double segmentLength(const MarkSegment& segment);

// True when the segment gets a middle mark and a middle point: longer than
// shortLimit (strictly), and for a line neither horizontal nor vertical.
bool hasMiddlePoint(const MarkSegment& segment, double shortLimit);
// The point half-way along the segment.
PointRec segmentMiddle(const MarkSegment& segment);

// The mark of length `length` across the vertex where `in` ends and `out`
// begins: on the bisector of the corner, or perpendicular to the path where
// it runs on smoothly.
LineRec cornerMark(Host& host, const MarkSegment& in, const MarkSegment& out, double length);
// The mark across the segment's middle: radial on an arc, perpendicular on
// a line. valid 0 when the segment gets none.
LineRec middleMark(const MarkSegment& segment, double length, double shortLimit);

}  // namespace optgrind
