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

bool finitePoint(const PolyVertex& v) { return std::isfinite(v.x) && std::isfinite(v.y); }

}  // namespace

JoinEndIndex::JoinEndIndex(const std::vector<std::vector<PolyVertex>>& pieces, double meetDistance)
    : pieces_(pieces), meet_(meetDistance), taken_(pieces.size(), false) {
  // Ends within meet_ of a point lie within twice that in each axis (the
  // margin covers the rounding of the distance); with cells four times
  // meet_ wide a look-up touches at most two by two cells.
  cellSize_ = std::max(4.0 * meet_, kMinCellSize);
  std::vector<End> ends;
  ends.reserve(2 * pieces.size());
  for (size_t i = 0; i < pieces.size(); ++i) {
    if (pieces[i].empty()) continue;
    for (bool back : {false, true}) {
      End e{static_cast<uint32_t>(i), back};
      if (finitePoint(endPoint(e))) ends.push_back(e);
    }
  }
  size_t capacity = 16;
  while (capacity < 2 * ends.size()) capacity *= 2;
  cells_.resize(capacity);

  std::vector<Cell*> cellOfEnd;
  cellOfEnd.reserve(ends.size());
  for (const End& e : ends) {
    const PolyVertex& v = endPoint(e);
    Cell& c = insertCell(cellOf(v.x), cellOf(v.y));
    ++c.count;
    cellOfEnd.push_back(&c);
  }
  uint32_t next = 0;
  for (Cell& c : cells_) {
    c.first = next;
    next += c.count;
    c.count = 0;
  }
  entries_.resize(ends.size());
  for (size_t i = 0; i < ends.size(); ++i) {
    Cell& c = *cellOfEnd[i];
    entries_[c.first + c.count++] = ends[i];
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
    if (!c.used) return nullptr;
    if (c.x == x && c.y == y) return &c;
  }
}

JoinEndIndex::Cell& JoinEndIndex::insertCell(int64_t x, int64_t y) {
  size_t mask = cells_.size() - 1;
  for (size_t at = mixed(x, y) & mask;; at = (at + 1) & mask) {
    Cell& c = cells_[at];
    if (!c.used) {
      c.used = true;
      c.x = x;
      c.y = y;
      return c;
    }
    if (c.x == x && c.y == y) return c;
  }
}

const PolyVertex& JoinEndIndex::endPoint(const End& e) const {
  const std::vector<PolyVertex>& p = pieces_[e.piece];
  return e.back ? p.back() : p.front();
}

long long JoinEndIndex::firstMeeting(const PolyVertex& at) {
  if (!finitePoint(at)) return -1;
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
        End e = entries_[i];
        if (taken_[e.piece]) {
          // Taken pieces leave their cells as they are met, so a busy
          // joint is not scanned again and again.
          entries_[i] = entries_[c->first + c->count - 1];
          --c->count;
          continue;
        }
        const PolyVertex& v = endPoint(e);
        if (distanceXY(p, {v.x, v.y, 0.0}) <= meet_ && (best < 0 || e.piece < best)) best = e.piece;
        ++i;
      }
    }
  }
  return best;
}

}  // namespace optgrind::standalone
