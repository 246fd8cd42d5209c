// The host commands that `opt_mark` and the tool table draw with: TEXT,
// MOVE with the destination left to the user, and a solid HATCH; and the
// drawing's current colour.
#pragma once

#include <string>

#include "geometry/records.h"
#include "host/host.h"

namespace optgrind {

// Runs the host's TEXT command: the text at `at`, height, rotation 0.
int drawText(Host& host, const PointRec& at, double height, const std::string& text);
// Runs the host's MOVE command on one entity from `base`; the user gives
// the destination. RTNORM when the command ran.
int moveByUser(Host& host, const EntityName& entity, const PointRec& base);
// Runs the host's HATCH command with the solid pattern on one closed boundary.
int hatchSolid(Host& host, const EntityName& boundary);

// The current colour (CECOLOR) as the host gives it, and setting it to a
// colour index or back to a text read earlier.
std::string currentColor(Host& host);
void setCurrentColor(Host& host, int colorIndex);
void restoreCurrentColor(Host& host, const std::string& color);

// A short system variable: its value, or `fallback` when it cannot be read.
int shortVariable(Host& host, const std::string& name, int fallback);
void setShortVariable(Host& host, const std::string& name, int value);

// A closed rectangle polyline from one corner to the opposite one.
EntityRef makeRectangle(Host& host, const PointRec& corner, const PointRec& opposite);

}  // namespace optgrind
