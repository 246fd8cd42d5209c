// The end points of the pieces that PEDIT's join may still take, sorted by
// a grid of cells so that the pieces meeting a point are found without
// looking at every piece. Each end keeps its coordinates in the sorted
// list, so a look-up reads one short stretch of memory; a look-up at an end
// of the index itself (the free end of the chain is always the far end of
// the piece joined last) starts from that end's cell without a search.
#pragma once

#include <cstdint>
#include <vector>

namespace optgrind::standalone {

// A piece the join may take, as one walk of the drawing read it: its first
// and last vertex and, for a plain line or arc, everything else a polyline
// needs of it.
struct JoinPiece {
  double x0 = 0.0, y0 = 0.0;  // first vertex
  double x1 = 0.0, y1 = 0.0;  // last vertex
  double bulge = 0.0;         // of the one segment of a plain piece
  uint32_t slot = 0;          // where the entity stands in the drawing
  uint32_t run = 0;           // its own vertex list, or kPlainPiece
};

// A piece of two vertices without widths, the second without a bulge.
inline constexpr uint32_t kPlainPiece = UINT32_MAX;
// End 2i is piece i's first vertex, end 2i + 1 its last.
inline constexpr uint32_t kNoEnd = UINT32_MAX;

class JoinEndIndex {
 public:
  // Indexes the ends of the pieces; an end that is not a finite point meets
  // nothing. `meetDistance` is the largest distance at which two ends meet.
  JoinEndIndex(const std::vector<JoinPiece>& pieces, double meetDistance);

  // An end of the lowest-numbered piece not yet taken with an end that
  // meets (x, y) (distanceXY <= meetDistance), or kNoEnd. `near`, when not
  // kNoEnd, is an end lying at (x, y).
  uint32_t firstMeeting(double x, double y, uint32_t near = kNoEnd);
  // The piece is joined: it is no longer found.
  void take(uint32_t piece) { taken_[piece] = 1; }
  bool taken(uint32_t piece) const { return taken_[piece] != 0; }

 private:
  struct Cell {
    int64_t x = 0, y = 0;
    uint32_t first = 0;  // its ends are ends_[first, first + count)
    uint32_t count = 0;
  };
  struct End {
    double x = 0.0, y = 0.0;
    uint32_t end = 0;
  };

  int64_t cellOf(double v) const;
  Cell* findCell(int64_t x, int64_t y);
  // Looks through one cell for a better end than `best`, dropping the
  // taken ones as it goes.
  void searchCell(Cell& c, double x, double y, uint32_t& best);

  double meet_;
  double cellsPerUnit_;      // cells are 1 / cellsPerUnit_ wide
  std::vector<Cell> cells_;  // sorted by x, then y
  std::vector<End> ends_;
  std::vector<uint32_t> cellOfEnd_;  // by end; kNoEnd for an end not indexed
  std::vector<uint8_t> taken_;
};

}  // namespace optgrind::standalone
