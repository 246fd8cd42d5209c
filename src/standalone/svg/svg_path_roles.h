// A stored grinding path drawn by the roles of its elements: where the
// wheel grinds, lifts, travels at the safe height, comes down and runs in,
// with its start point marked and a legend on the page.
#pragma once

#include <ostream>

#include "standalone/svg/svg_shapes.h"

namespace optgrind::standalone {

// Whether the entity is a stored path: a polyline tagged "OPT_PATH" in its
// "my_tag" extended data.
bool isStoredPathEntity(const EntityRecord& entity);

// Draws every element of the path in the colour and line style of its role
// and a ring around the start point.
void writeStoredPathSvg(SvgContext& ctx, const EntityRecord& path, const PlaneTransform& toPage);

// The page gets this share of its larger side as room for the legend.
constexpr double kLegendRoomShare = 0.6;

// The legend of the roles with its upper-left corner at topLeft (drawing
// coordinates); side is the page's larger side.
void writePathLegend(std::ostream& out, const Point3& topLeft, double side);

}  // namespace optgrind::standalone
