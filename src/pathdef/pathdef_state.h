// The working state of the `opt` command and its path definition: filled
// again on every run, nothing carried between runs.
#pragma once

#include <array>

#include "geometry/records.h"

namespace optgrind {

// Each list of the definition holds at most this many pieces, so one path
// has at most this many lifts.
constexpr int kPathListCapacity = 100;

struct PathDefState {
  EntityRefList definedPaths;
  EntityRefList downPieces;  // skipped pieces, cut at tool-down points
  EntityRefList upPieces;    // ground pieces, cut at tool-up points
  int definedCount = 0;
  int downCount = 0;
  int upCount = 0;
  // 1 when NC output is started from the machine data dialog, 0 after a
  // path definition.
  int ncFromDialog = 0;
  // The circle and cross that mark the new start after a reversal.
  int markerFlag = 0;
  std::array<EntityRef, 3> markers{};
  int reversed = 0;
  PointRec origin;
  PointRec start;      // where grinding starts; the side decisions refer to it
  int pointCount = 0;  // tool points given so far; even asks for a tool-down point
  int overCut = 1;     // the over-cut switch
  EntityRef path;      // the path polyline the prompts work on
};

PathDefState& pathDefState();
// Empty lists of full capacity, counts 0, markers cleared.
void resetPathDefState();

}  // namespace optgrind
