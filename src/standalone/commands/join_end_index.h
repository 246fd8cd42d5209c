// The end points of the pieces that PEDIT's join may still take, indexed
// by a grid of cells so that the pieces meeting a point are found without
// looking at every piece.
#pragma once

#include <cstdint>
#include <vector>

#include "standalone/model/drawing.h"

namespace optgrind::standalone {

// One end of a piece; pieces are numbered from 0.
struct JoinEnd {
  double x = 0.0;
  double y = 0.0;
  uint32_t piece = 0;
};

class JoinEndIndex {
 public:
  // Indexes the ends of `pieceCount` pieces. An end that is not a finite
  // point meets nothing and is left out. `meetDistance` is the largest
  // distance at which two ends meet.
  JoinEndIndex(const std::vector<JoinEnd>& ends, size_t pieceCount, double meetDistance);

  // The lowest-numbered piece not yet taken with an end that meets `at`
  // (distanceXY <= meetDistance); -1 when there is none.
  long long firstMeeting(const PolyVertex& at);
  // The piece is joined: it is no longer found.
  void take(size_t piece) { taken_[piece] = true; }

 private:
  struct Cell {
    int64_t x = 0, y = 0;
    uint32_t first = 0;  // its ends are ends_[first, first + count)
    uint32_t count = 0;  // 0 also for a free slot of the table
  };

  int64_t cellOf(double v) const;
  Cell* findCell(int64_t x, int64_t y);
  Cell& insertCell(int64_t x, int64_t y);

  double meet_;
  double cellSize_;
  std::vector<Cell> cells_;  // open addressing, a power of two in size
  std::vector<JoinEnd> ends_;
  std::vector<bool> taken_;
};

}  // namespace optgrind::standalone
