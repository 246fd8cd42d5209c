// A stored grinding path drawn by the roles of its elements: where the
// wheel grinds, runs in, runs past a corner, lifts, travels at the safe
// height and comes down, with its start point marked and a legend on the
// page.
#pragma once

#include <ostream>
#include <vector>

#include "standalone/svg/svg_shapes.h"

namespace optgrind::standalone {

enum class PathRole { Ground, Lift, Rapid, Lowering, Approach, OverCut };

// Whether the entity is a stored path: a polyline tagged "OPT_PATH" in its
// "my_tag" extended data.
bool isStoredPathEntity(const EntityRecord& entity);
bool isStoredPathEntity(const DrawingEntity& entity);

// The role of each element of the path, element 1 first. The lift, rapid
// and lowering moves are named by the path's tags, as the NC run reads
// them, and so is any element tagged "APPROACH%d". The path definition
// writes no tag for the moves that run in or past the profile, so they are
// found from what it leaves behind: element 1 is the leader; the element
// after it is the lead-in when it comes back to the leader's X (the leader
// starts straight below the start point); and the open polylines of the
// drawing are the pieces cut off the profile, each from a tool-up point to
// the next tool-down point. A ground piece's first element that only ends
// at a tool-down point is its approach; its last element, when it only
// starts at a tool-up point, is its over-cut.
std::vector<PathRole> pathElementRoles(const Drawing& drawing, const EntityRecord& path);

// Draws every element of the path in the colour and line style of its role
// and a ring around the start point.
void writeStoredPathSvg(SvgContext& ctx, const EntityRecord& path, const PlaneTransform& toPage);

// The page gets this share of its larger side as room for the legend.
constexpr double kLegendRoomShare = 0.6;

// The legend of the roles with its upper-left corner at topLeft (drawing
// coordinates); side is the page's larger side.
void writePathLegend(std::ostream& out, const Point3& topLeft, double side);

}  // namespace optgrind::standalone
