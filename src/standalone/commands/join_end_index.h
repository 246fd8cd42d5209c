// The end points of the pieces that PEDIT's join may still take, indexed
// by a grid of cells so that the pieces meeting a point are found without
// looking at every piece.
#pragma once

#include <cstdint>
#include <vector>

#include "standalone/model/drawing.h"

namespace optgrind::standalone {

class JoinEndIndex {
 public:
  // Indexes both ends of every piece; pieces are numbered by their place in
  // `pieces`. An end that is not a finite point meets nothing and is left
  // out. `meetDistance` is the largest distance at which two ends meet.
  JoinEndIndex(const std::vector<std::vector<PolyVertex>>& pieces, double meetDistance);

  // The lowest-numbered piece not yet taken with an end that meets `at`
  // (distanceXY <= meetDistance); -1 when there is none.
  long long firstMeeting(const PolyVertex& at);
  // The piece is joined: it is no longer found.
  void take(size_t piece) { taken_[piece] = true; }

 private:
  struct Cell {
    int64_t x = 0, y = 0;
    uint32_t first = 0;  // its entries are entries_[first, first + count)
    uint32_t count = 0;
    bool used = false;
  };
  struct End {
    uint32_t piece;
    bool back;  // the piece's last vertex, else its first
  };

  int64_t cellOf(double v) const;
  Cell* findCell(int64_t x, int64_t y);
  Cell& insertCell(int64_t x, int64_t y);
  const PolyVertex& endPoint(const End& e) const;

  const std::vector<std::vector<PolyVertex>>& pieces_;
  double meet_;
  double cellSize_;
  std::vector<Cell> cells_;  // open addressing, a power of two in size
  std::vector<End> entries_;
  std::vector<bool> taken_;
};

}  // namespace optgrind::standalone
