// The direction step of a path: arrows show which way the profile
// polyline runs, and the user may reverse it.
#pragma once

#include "geometry/records.h"
#include "host/host.h"

namespace optgrind {

// The marker a reversal leaves at the new start: a circle and a cross,
// kept until the command that asked ends.
struct DirectionMarkers {
  EntityRef circle;
  EntityRef line1;
  EntityRef line2;
  int set = 0;
};

// The pick slot of the direction question.
constexpr int kDirectionSlot = 5;
// The marks' size is the view's height over this.
constexpr double kMarkSizeDivisor = 40.0;

// Draws the direction marks on the whole polyline `path`, asks "Change
// direction ?" and erases the marks. Only "Y" reverses the polyline in
// place and draws the markers. Returns 1 when the polyline was reversed.
int askDirection(Host& host, const EntityRef& path, DirectionMarkers& markers);

// Erases the markers of a reversal, if any.
void eraseDirectionMarkers(Host& host, DirectionMarkers& markers);

}  // namespace optgrind
