// The distance under which two points of a drawing are the same point, shared
// by the system's geometry and the standalone host's picture of a path.
#pragma once

namespace optgrind {

// Two points are the same point when every coordinate differs by less.
constexpr double kPointTolerance = 0.001;

}  // namespace optgrind
