#include "standalone/commands/join_end_index.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

#include "standalone/model/geom_curves.h"

namespace optgrind::standalone {
namespace {

// Cell numbers stay this far inside the range of int64_t, so that huge
// coordinates share the outermost cells instead of overflowing.
constexpr double kMaxCellNumber = 4e18;
// Cells of a zero meeting distance: only equal points meet.
constexpr double kMinCellSize = 1e-9;
// Cells 64 times the meeting distance wide keep most look-ups inside one
// cell.
constexpr double kCellsPerMeet = 64.0;

bool finitePoint(double x, double y) { return std::isfinite(x) && std::isfinite(y); }

// Sorts `order` by `keys` (both in step), keeping equal keys in their
// order: a byte at a time from the lowest up to the last of `bits`,
// skipping bytes all keys share.
void radixSort(std::vector<uint64_t>& keys, std::vector<uint32_t>& order, int bits) {
  constexpr size_t kBuckets = 256;
  std::vector<uint64_t> keysOut(keys.size());
  std::vector<uint32_t> orderOut(order.size());
  for (int shift = 0; shift < bits; shift += 8) {
    std::array<uint32_t, kBuckets> counts{};
    for (uint64_t k : keys) ++counts[(k >> shift) & 0xFF];
    if (std::find(counts.begin(), counts.end(), keys.size()) != counts.end()) continue;
    uint32_t at = 0;
    for (uint32_t& c : counts) {
      uint32_t n = c;
      c = at;
      at += n;
    }
    for (size_t i = 0; i < keys.size(); ++i) {
      uint32_t to = counts[(keys[i] >> shift) & 0xFF]++;
      keysOut[to] = keys[i];
      orderOut[to] = order[i];
    }
    keys.swap(keysOut);
    order.swap(orderOut);
  }
}

int bitWidth(uint64_t v) { return v == 0 ? 0 : 64 - __builtin_clzll(v); }

}  // namespace

JoinEndIndex::JoinEndIndex(const std::vector<PolyVertex>& store, const std::vector<uint32_t>& first,
                           double meetDistance)
    : meet_(meetDistance),
      cellSize_(std::max(kCellsPerMeet * meetDistance, kMinCellSize)),
      taken_(first.empty() ? 0 : first.size() - 1, false) {
  size_t pieceCount = taken_.size();
  // End e is piece e / 2's first vertex when e is even, else its last.
  auto endVertex = [&](uint32_t e) { return e % 2 == 0 ? first[e / 2] : first[e / 2 + 1] - 1; };
  // The ends that can meet, and the span of their cells.
  std::vector<uint32_t> order;
  order.reserve(2 * pieceCount);
  int64_t xLo = 0, xHi = 0, yLo = 0, yHi = 0;
  for (uint32_t e = 0; e < 2 * pieceCount; ++e) {
    const PolyVertex& v = store[endVertex(e)];
    if (!finitePoint(v.x, v.y)) continue;
    int64_t x = cellOf(v.x), y = cellOf(v.y);
    if (order.empty()) {
      xLo = xHi = x;
      yLo = yHi = y;
    }
    xLo = std::min(xLo, x), xHi = std::max(xHi, x);
    yLo = std::min(yLo, y), yHi = std::max(yHi, y);
    order.push_back(e);
  }
  // Sorted by cell, along x first: by one key of both cell numbers when
  // they fit in 64 bits together, else cell by cell.
  auto x0 = static_cast<uint64_t>(xLo), y0 = static_cast<uint64_t>(yLo);
  int xBits = bitWidth(static_cast<uint64_t>(xHi) - x0), yBits = bitWidth(static_cast<uint64_t>(yHi) - y0);
  auto cellAt = [&](uint32_t e) {
    const PolyVertex& v = store[endVertex(e)];
    return std::pair{cellOf(v.x), cellOf(v.y)};
  };
  if (xBits + yBits <= 64) {
    std::vector<uint64_t> keys(order.size());
    for (size_t i = 0; i < keys.size(); ++i) {
      auto [x, y] = cellAt(order[i]);
      uint64_t kx = static_cast<uint64_t>(x) - x0, ky = static_cast<uint64_t>(y) - y0;
      keys[i] = yBits == 64 ? ky : kx << yBits | ky;
    }
    radixSort(keys, order, xBits + yBits);
  } else {
    std::stable_sort(order.begin(), order.end(),
                     [&](uint32_t a, uint32_t b) { return cellAt(a) < cellAt(b); });
  }
  // The pieces' vertices in the order their ends first come, the ends
  // pointing at them, and the cells.
  constexpr uint32_t kNotMoved = UINT32_MAX;
  std::vector<uint32_t> movedTo(pieceCount, kNotMoved);
  vertices_.reserve(store.size());
  ends_.reserve(order.size());
  for (uint32_t e : order) {
    uint32_t piece = e / 2;
    uint32_t count = first[piece + 1] - first[piece];
    uint32_t& at = movedTo[piece];
    if (at == kNotMoved) {
      at = static_cast<uint32_t>(vertices_.size());
      vertices_.insert(vertices_.end(), store.begin() + first[piece], store.begin() + first[piece + 1]);
    }
    JoinEnd end{piece, at, count, e % 2 == 0 ? at : at + count - 1};
    auto [x, y] = cellAt(e);
    if (cells_.empty() || cells_.back().x != x || cells_.back().y != y) {
      cells_.push_back(Cell{x, y, static_cast<uint32_t>(ends_.size()), 0});
    }
    ++cells_.back().count;
    ends_.push_back(end);
  }
}

int64_t JoinEndIndex::cellOf(double v) const {
  double n = std::floor(v / cellSize_);
  return static_cast<int64_t>(std::clamp(n, -kMaxCellNumber, kMaxCellNumber));
}

JoinEndIndex::Cell* JoinEndIndex::findCell(int64_t x, int64_t y) {
  auto it = std::lower_bound(cells_.begin(), cells_.end(), std::pair{x, y},
                             [](const Cell& c, const std::pair<int64_t, int64_t>& at) {
                               return c.x != at.first ? c.x < at.first : c.y < at.second;
                             });
  return it != cells_.end() && it->x == x && it->y == y ? &*it : nullptr;
}

const JoinEnd* JoinEndIndex::firstMeeting(const PolyVertex& at) {
  if (!finitePoint(at.x, at.y)) return nullptr;
  // Ends within meet_ of a point lie within twice that in each axis (the
  // margin covers the rounding of the distance).
  const double reach = 2.0 * meet_;
  int64_t x0 = cellOf(at.x - reach), x1 = cellOf(at.x + reach);
  int64_t y0 = cellOf(at.y - reach), y1 = cellOf(at.y + reach);
  const JoinEnd* best = nullptr;
  for (int64_t x = x0; x <= x1; ++x) {
    for (int64_t y = y0; y <= y1; ++y) {
      Cell* c = findCell(x, y);
      if (!c) continue;
      for (uint32_t i = c->first; i < c->first + c->count;) {
        const JoinEnd& e = ends_[i];
        const PolyVertex& v = vertices_[e.vertex];
        if (taken_[e.piece]) {
          // Taken pieces leave their cells as they are met, so a busy
          // joint is not scanned again and again.
          ends_[i] = ends_[c->first + c->count - 1];
          --c->count;
          continue;
        }
        if (withinXY(v.x - at.x, v.y - at.y, meet_) && (!best || e.piece < best->piece)) best = &e;
        ++i;
      }
    }
  }
  return best;
}

}  // namespace optgrind::standalone
