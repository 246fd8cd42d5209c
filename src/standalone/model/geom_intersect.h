// Where curve pieces meet.
#pragma once

#include <vector>

#include "standalone/model/geom_curves.h"

namespace optgrind::standalone {

// Intersection points closer together than this are one point.
constexpr double kSamePointTolerance = 1e-8;

// Appends the points where the two pieces meet, z taken from the first.
// A tangency gives one point; parallel or overlapping straight pieces and
// concentric arcs give none.
void intersectPieces(const CurvePiece& first, const CurvePiece& second, std::vector<Point3>& out);

// Appends p unless a point within kSamePointTolerance of it is already there.
void addDistinctPoint(std::vector<Point3>& points, const Point3& p);

}  // namespace optgrind::standalone
