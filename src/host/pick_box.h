// The pick box: the square around a picked point within which the host
// finds the entity picked. Its side is PICKBOX pixels on a view VIEWSIZE
// drawing units high, the view taken as kPickBoxViewPixels pixels high.
#pragma once

#include "host/host.h"

namespace optgrind {

inline constexpr double kPickBoxViewPixels = 150.0;
// What the host answers for PICKBOX and VIEWSIZE by default.
inline constexpr double kDefaultPickBoxPixels = 3.0;
inline constexpr double kDefaultViewSize = 100.0;

// A pick window's corners lie at these angles (radians) from the picked
// point: close to, but not exactly, 45 and 225 degrees.
inline constexpr double kPickBoxCornerAngle1 = 0.7333;
inline constexpr double kPickBoxCornerAngle2 = 3.9269;

// Half the pick box's side in drawing units; a variable the host does not
// answer takes its default.
double pickBoxHalfSize(Host& host);

}  // namespace optgrind
