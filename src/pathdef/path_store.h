// Storing a defined path: every ground piece with its lift, the rapid move
// at the safe height and the lowering to the next piece, joined into one
// polyline with the lift tags.
#pragma once

#include <vector>

#include "geometry/records.h"
#include "host/host.h"

namespace optgrind {

// The join list holds at most this many entities.
constexpr int kJoinListCapacity = 9999;

struct StoredPath {
  EntityRef path;               // the joined polyline
  PointRec first;               // the start of ground piece 0 (the leader's start)
  std::vector<int> liftStarts;  // element number of each lift, 1-based
  int valid = 0;
};

// The element number of each lift along the stored path, from the element
// counts of the ground pieces: the lift of piece i follows its elements and
// the up, rapid and down moves of every lift before it.
std::vector<int> liftElementNumbers(const std::vector<int>& groundElementCounts);

// Builds the stored path from the ground and skipped pieces of the working
// state; valid 0 when there is no ground piece.
StoredPath storePath(Host& host);

}  // namespace optgrind
