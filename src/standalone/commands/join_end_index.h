// The end points of the pieces that PEDIT's join may still take, sorted by
// a grid of cells so that the pieces meeting a point are found without
// looking at every piece. Each end record carries all that the chain walk
// needs of its piece (both ends, the bulge of a plain piece, the cell of
// the other end), so the walk reads only the index: ends that meet lie
// side by side in it, while the pieces themselves lie in drawing order. A
// look-up at an end of the index itself (the free end of the chain is
// always the far end of the piece joined last) starts from that end's cell
// without a search.
#pragma once

#include <cstddef>
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
// Cells are numbered in 31 bits.
inline constexpr uint32_t kNoCell = (uint32_t{1} << 31) - 1;

// One end of a piece as the index keeps it.
struct JoinEnd {
  double x = 0.0, y = 0.0;        // this end
  double farX = 0.0, farY = 0.0;  // the piece's other end
  double bulge = 0.0;             // the piece's, for a plain piece
  uint32_t end = kNoEnd;
  uint32_t farCell : 31 = kNoCell;  // the cell of the other end, or kNoCell
  uint32_t plain : 1 = 0;           // a plain piece
};

// Built again for each join; the storage stays for the next, as fresh
// buffers of megabytes cost a page fault for every page first written.
class JoinEndIndex {
 public:
  // Indexes the ends of the pieces; an end that is not a finite point meets
  // nothing. `meetDistance` is the largest distance at which two ends meet.
  void build(const std::vector<JoinPiece>& pieces, double meetDistance);
  // The storage held, in bytes.
  size_t capacityBytes() const;

  // An end of the lowest-numbered piece not yet taken with an end that
  // meets (x, y) (distanceXY <= meetDistance), into `found`; false for none.
  // `nearCell`, when not kNoCell, is the cell of an end lying at (x, y).
  bool firstMeeting(double x, double y, uint32_t nearCell, JoinEnd& found);
  // The piece is joined: it is no longer found.
  void take(uint32_t piece) { taken_[piece] = 1; }
  bool taken(uint32_t piece) const { return taken_[piece] != 0; }

 private:
  struct Cell {
    int64_t x = 0, y = 0;
    uint32_t first = 0;  // its ends are ends_[first, first + count)
    uint32_t count = 0;
  };

  int64_t cellOf(double v) const;
  // The cell (x, y), or null; `hint`, when not kNoCell, is a cell near it.
  Cell* findCell(int64_t x, int64_t y, uint32_t hint);
  // Looks through one cell for a better end than `best`, dropping the
  // taken ones as it goes.
  void searchCell(Cell& c, double x, double y, const JoinEnd*& best);
  // Appends the end record of `end` to the cell (cx, cy), a new cell when
  // it differs from the last; ends come sorted by cell.
  void place(const JoinPiece& piece, uint32_t end, int64_t cx, int64_t cy);

  double meet_ = 0.0;
  double cellsPerUnit_ = 1.0;  // cells are 1 / cellsPerUnit_ wide
  std::vector<Cell> cells_;    // sorted by x, then y
  std::vector<JoinEnd> ends_;
  std::vector<uint8_t> taken_;
  // Used while building.
  std::vector<uint32_t> cellOfEnd_;
  std::vector<uint64_t> keys_, sortedKeys_;
};

}  // namespace optgrind::standalone
