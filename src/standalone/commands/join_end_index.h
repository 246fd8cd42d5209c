// The end points of the pieces that PEDIT's join may still take, sorted by
// a grid of cells so that the pieces meeting a point are found without
// looking at every piece. The index keeps its own copy of the pieces'
// vertices in the same order: ends and pieces that lie near each other lie
// near each other in memory, so a chain walked along the profile reads
// them almost in order instead of jumping about.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "standalone/model/drawing.h"

namespace optgrind::standalone {

// One end of a piece; pieces are numbered from 0.
struct JoinEnd {
  uint32_t piece = 0;
  uint32_t first = 0;  // the piece's vertices are vertices()[first, first + count)
  uint32_t count = 0;
  uint32_t vertex = 0;  // the end itself
};

class JoinEndIndex {
 public:
  // Indexes the pieces of `store`: piece i is store[first[i], first[i + 1]),
  // at least one vertex. An end that is not a finite point meets nothing.
  // `meetDistance` is the largest distance at which two ends meet.
  JoinEndIndex(const std::vector<PolyVertex>& store, const std::vector<uint32_t>& first, double meetDistance);

  // An end of the lowest-numbered piece not yet taken with an end that
  // meets `at` (distanceXY <= meetDistance); null when there is none.
  const JoinEnd* firstMeeting(const PolyVertex& at);
  std::span<const PolyVertex> piece(const JoinEnd& end) const {
    return {vertices_.data() + end.first, end.count};
  }
  // The piece is joined: it is no longer found.
  void take(size_t piece) { taken_[piece] = true; }

 private:
  struct Cell {
    int64_t x = 0, y = 0;
    uint32_t first = 0;  // its ends are ends_[first, first + count)
    uint32_t count = 0;
  };

  int64_t cellOf(double v) const;
  Cell* findCell(int64_t x, int64_t y);

  double meet_;
  double cellSize_;
  std::vector<Cell> cells_;  // sorted by x, then y
  std::vector<JoinEnd> ends_;
  std::vector<PolyVertex> vertices_;
  std::vector<bool> taken_;
};

}  // namespace optgrind::standalone
