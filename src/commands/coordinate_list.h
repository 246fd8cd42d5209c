// `opt_mark`'s point labels and coordinate list: the profile's points P1,
// P2, ... (segment starts, the middle points of marked segments, an open
// end) labelled in the drawing and listed in a frame the user places.
#pragma once

#include <vector>

#include "geometry/records.h"
#include "host/host.h"

namespace optgrind {

// The numbered points of the polyline, in order, for short limit S.
std::vector<PointRec> listedPoints(const PolylineGeom& polyline, double shortLimit);

// The list line of point number `number` (from 1).
std::string coordinateLine(int number, const PointRec& point);

// Labels the points and draws the list (frame, MOVE by the user, lines) with
// text height basis `height`. RTNORM, or the failing host result.
int drawCoordinateList(Host& host, const PolylineGeom& polyline, double height, double shortLimit);

}  // namespace optgrind
