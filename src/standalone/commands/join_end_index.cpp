#include "standalone/commands/join_end_index.h"

#include <algorithm>
#include <cmath>

#include "standalone/model/geom_curves.h"

namespace optgrind::standalone {
namespace {

// Cell numbers stay this far inside the range of int64_t, so that huge
// coordinates share the outermost cells instead of overflowing.
constexpr double kMaxCellNumber = 4e18;
// Cells of a zero meeting distance: only equal points meet.
constexpr double kMinCellSize = 1e-9;

uint64_t mixed(int64_t x, int64_t y) {
  uint64_t h = static_cast<uint64_t>(x) * 0x9E3779B97F4A7C15ULL;
  h ^= (static_cast<uint64_t>(y) + 0x632BE59BD9B4E019ULL) * 0xC2B2AE3D27D4EB4FULL;
  return h ^ (h >> 31);
}

bool finitePoint(double x, double y) { return std::isfinite(x) && std::isfinite(y); }

}  // namespace

JoinEndIndex::JoinEndIndex(const std::vector<JoinEnd>& ends, size_t pieceCount, double meetDistance)
    : meet_(meetDistance), taken_(pieceCount, false) {
  // Ends within meet_ of a point lie within twice that in each axis (the
  // margin covers the rounding of the distance). Cells 64 times meet_ wide
  // keep most look-ups inside one cell.
  cellSize_ = std::max(64.0 * meet_, kMinCellSize);
  size_t capacity = 16;
  // Joined pieces share cells two by two, so most tables run half full.
  while (capacity < ends.size() + ends.size() / 4) capacity *= 2;
  cells_.resize(capacity);

  // Cells are counted first, then their ends are laid out one cell after
  // another.
  std::vector<uint32_t> cellOfEnd(ends.size(), UINT32_MAX);
  for (size_t i = 0; i < ends.size(); ++i) {
    const JoinEnd& e = ends[i];
    if (e.piece >= pieceCount || !finitePoint(e.x, e.y)) continue;
    Cell& c = insertCell(cellOf(e.x), cellOf(e.y));
    ++c.count;
    cellOfEnd[i] = static_cast<uint32_t>(&c - cells_.data());
  }
  uint32_t next = 0;
  for (Cell& c : cells_) {
    c.first = next;
    next += c.count;
  }
  ends_.resize(next);
  // Each cell's ends are put from its last place down to its first.
  for (size_t i = 0; i < ends.size(); ++i) {
    if (cellOfEnd[i] == UINT32_MAX) continue;
    Cell& c = cells_[cellOfEnd[i]];
    ends_[c.first + --c.count] = ends[i];
  }
  // The cells lie one after another in ends_: each one's count is back
  // from where the next begins (a free slot's is 0 again).
  for (size_t i = 0; i < cells_.size(); ++i) {
    cells_[i].count = (i + 1 < cells_.size() ? cells_[i + 1].first : next) - cells_[i].first;
  }
}

int64_t JoinEndIndex::cellOf(double v) const {
  double n = std::floor(v / cellSize_);
  return static_cast<int64_t>(std::clamp(n, -kMaxCellNumber, kMaxCellNumber));
}

JoinEndIndex::Cell* JoinEndIndex::findCell(int64_t x, int64_t y) {
  size_t mask = cells_.size() - 1;
  for (size_t at = mixed(x, y) & mask;; at = (at + 1) & mask) {
    Cell& c = cells_[at];
    if (c.count == 0) return nullptr;
    if (c.x == x && c.y == y) return &c;
  }
}

JoinEndIndex::Cell& JoinEndIndex::insertCell(int64_t x, int64_t y) {
  size_t mask = cells_.size() - 1;
  for (size_t at = mixed(x, y) & mask;; at = (at + 1) & mask) {
    Cell& c = cells_[at];
    if (c.count == 0) {
      c.x = x;
      c.y = y;
      return c;  // counted by the caller, which makes it used
    }
    if (c.x == x && c.y == y) return c;
  }
}

long long JoinEndIndex::firstMeeting(const PolyVertex& at) {
  if (!finitePoint(at.x, at.y)) return -1;
  const double reach = 2.0 * meet_;
  int64_t x0 = cellOf(at.x - reach), x1 = cellOf(at.x + reach);
  int64_t y0 = cellOf(at.y - reach), y1 = cellOf(at.y + reach);
  Point3 p{at.x, at.y, 0.0};
  long long best = -1;
  for (int64_t x = x0; x <= x1; ++x) {
    for (int64_t y = y0; y <= y1; ++y) {
      Cell* c = findCell(x, y);
      if (!c) continue;
      for (uint32_t i = c->first; i < c->first + c->count;) {
        const JoinEnd& e = ends_[i];
        if (taken_[e.piece]) {
          // Taken pieces leave their cells as they are met, so a busy
          // joint is not scanned again and again. The last end of a cell
          // stays, so that the cell is never taken for a free slot.
          if (c->count > 1) {
            ends_[i] = ends_[c->first + c->count - 1];
            --c->count;
            continue;
          }
          break;
        }
        if (distanceXY(p, {e.x, e.y, 0.0}) <= meet_ && (best < 0 || e.piece < best)) best = e.piece;
        ++i;
      }
    }
  }
  return best;
}

}  // namespace optgrind::standalone
