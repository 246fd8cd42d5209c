#include "standalone/commands/join_end_index.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
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

std::pair<double, double> endPoint(const std::vector<JoinPiece>& pieces, uint32_t end) {
  const JoinPiece& p = pieces[end / 2];
  return end % 2 == 0 ? std::pair{p.x0, p.y0} : std::pair{p.x1, p.y1};
}

// Sorts `order` by `keys` (both in step), keeping equal keys in their
// order: eleven bits at a time from the lowest up to the last of `bits`,
// skipping digits all keys share. One pass counts every digit.
void radixSort(std::vector<uint64_t>& keys, std::vector<uint32_t>& order, int bits) {
  constexpr int kDigitBits = 11;
  constexpr size_t kBuckets = size_t{1} << kDigitBits;
  const int digits = (bits + kDigitBits - 1) / kDigitBits;
  std::vector<std::array<uint32_t, kBuckets>> counts(static_cast<size_t>(digits));
  for (uint64_t k : keys) {
    for (int d = 0; d < digits; ++d)
      ++counts[static_cast<size_t>(d)][(k >> (d * kDigitBits)) & (kBuckets - 1)];
  }
  std::vector<uint64_t> keysOut(keys.size());
  std::vector<uint32_t> orderOut(order.size());
  for (int d = 0; d < digits; ++d) {
    auto& count = counts[static_cast<size_t>(d)];
    if (std::find(count.begin(), count.end(), keys.size()) != count.end()) continue;
    uint32_t at = 0;
    for (uint32_t& c : count) {
      uint32_t n = c;
      c = at;
      at += n;
    }
    const int shift = d * kDigitBits;
    for (size_t i = 0; i < keys.size(); ++i) {
      uint32_t to = count[(keys[i] >> shift) & (kBuckets - 1)]++;
      keysOut[to] = keys[i];
      orderOut[to] = order[i];
    }
    keys.swap(keysOut);
    order.swap(orderOut);
  }
}

int bitWidth(uint64_t v) { return v == 0 ? 0 : 64 - __builtin_clzll(v); }

}  // namespace

JoinEndIndex::JoinEndIndex(const std::vector<JoinPiece>& pieces, double meetDistance)
    : meet_(meetDistance),
      cellsPerUnit_(1.0 / std::max(kCellsPerMeet * meetDistance, kMinCellSize)),
      cellOfEnd_(2 * pieces.size(), kNoEnd),
      taken_(pieces.size(), 0) {
  const auto endCount = static_cast<uint32_t>(cellOfEnd_.size());
  // The span of the ends that can meet; cells grow with the coordinates.
  constexpr double kInf = std::numeric_limits<double>::infinity();
  double xMin = kInf, xMax = -kInf, yMin = kInf, yMax = -kInf;
  size_t finiteCount = 0;
  for (uint32_t e = 0; e < endCount; ++e) {
    auto [x, y] = endPoint(pieces, e);
    if (!finitePoint(x, y)) continue;
    xMin = std::min(xMin, x), xMax = std::max(xMax, x);
    yMin = std::min(yMin, y), yMax = std::max(yMax, y);
    ++finiteCount;
  }
  if (finiteCount == 0) return;
  const int64_t xLo = cellOf(xMin), yLo = cellOf(yMin);
  const auto x0 = static_cast<uint64_t>(xLo), y0 = static_cast<uint64_t>(yLo);
  const int xBits = bitWidth(static_cast<uint64_t>(cellOf(xMax)) - x0);
  const int yBits = bitWidth(static_cast<uint64_t>(cellOf(yMax)) - y0);
  // Sorted by cell, along x first: by one key of both cell numbers when
  // they fit in 64 bits together, else cell by cell.
  std::vector<uint32_t> order;
  order.reserve(finiteCount);
  auto cellAt = [&](uint32_t e) {
    auto [x, y] = endPoint(pieces, e);
    return std::pair{cellOf(x), cellOf(y)};
  };
  ends_.reserve(finiteCount);
  // Appends an end to the cell of (cx, cy), a new one when it differs from
  // the last.
  auto place = [&](uint32_t e, int64_t cx, int64_t cy) {
    if (cells_.empty() || cells_.back().x != cx || cells_.back().y != cy) {
      cells_.push_back(Cell{cx, cy, static_cast<uint32_t>(ends_.size()), 0});
    }
    ++cells_.back().count;
    cellOfEnd_[e] = static_cast<uint32_t>(cells_.size() - 1);
    auto [x, y] = endPoint(pieces, e);
    ends_.push_back(End{x, y, e});
  };
  if (xBits + yBits > 64) {
    for (uint32_t e = 0; e < endCount; ++e) {
      auto [x, y] = endPoint(pieces, e);
      if (finitePoint(x, y)) order.push_back(e);
    }
    std::stable_sort(order.begin(), order.end(),
                     [&](uint32_t a, uint32_t b) { return cellAt(a) < cellAt(b); });
    for (uint32_t e : order) {
      auto [cx, cy] = cellAt(e);
      place(e, cx, cy);
    }
    return;
  }
  std::vector<uint64_t> keys;
  keys.reserve(finiteCount);
  for (uint32_t e = 0; e < endCount; ++e) {
    auto [x, y] = endPoint(pieces, e);
    if (!finitePoint(x, y)) continue;
    uint64_t kx = static_cast<uint64_t>(cellOf(x)) - x0, ky = static_cast<uint64_t>(cellOf(y)) - y0;
    keys.push_back(yBits == 64 ? ky : kx << yBits | ky);
    order.push_back(e);
  }
  radixSort(keys, order, xBits + yBits);
  const uint64_t yMask = yBits == 64 ? ~uint64_t{0} : (uint64_t{1} << yBits) - 1;
  for (size_t i = 0; i < order.size(); ++i) {
    const uint64_t kx = yBits == 64 ? 0 : keys[i] >> yBits;
    place(order[i], static_cast<int64_t>(x0 + kx), static_cast<int64_t>(y0 + (keys[i] & yMask)));
  }
}

int64_t JoinEndIndex::cellOf(double v) const {
  double n = std::floor(v * cellsPerUnit_);
  return static_cast<int64_t>(std::clamp(n, -kMaxCellNumber, kMaxCellNumber));
}

JoinEndIndex::Cell* JoinEndIndex::findCell(int64_t x, int64_t y) {
  auto it = std::lower_bound(cells_.begin(), cells_.end(), std::pair{x, y},
                             [](const Cell& c, const std::pair<int64_t, int64_t>& at) {
                               return c.x != at.first ? c.x < at.first : c.y < at.second;
                             });
  return it != cells_.end() && it->x == x && it->y == y ? &*it : nullptr;
}

void JoinEndIndex::searchCell(Cell& c, double x, double y, uint32_t& best) {
  for (uint32_t i = c.first; i < c.first + c.count;) {
    const End& e = ends_[i];
    const uint32_t piece = e.end / 2;
    if (taken_[piece]) {
      // Taken pieces leave their cells as they are met, so a busy joint is
      // not scanned again and again.
      ends_[i] = ends_[c.first + c.count - 1];
      --c.count;
      continue;
    }
    if (withinXY(e.x - x, e.y - y, meet_) && (best == kNoEnd || piece < best / 2)) best = e.end;
    ++i;
  }
}

uint32_t JoinEndIndex::firstMeeting(double x, double y, uint32_t near) {
  if (!finitePoint(x, y)) return kNoEnd;
  // Ends within meet_ of a point lie within twice that in each axis (the
  // margin covers the rounding of the distance).
  const double reach = 2.0 * meet_;
  const int64_t xFrom = cellOf(x - reach), xTo = cellOf(x + reach);
  const int64_t yFrom = cellOf(y - reach), yTo = cellOf(y + reach);
  uint32_t best = kNoEnd;
  if (near != kNoEnd && cellOfEnd_[near] != kNoEnd && xFrom == xTo && yFrom == yTo) {
    Cell& own = cells_[cellOfEnd_[near]];
    if (own.x == xFrom && own.y == yFrom) {
      searchCell(own, x, y, best);
      return best;
    }
  }
  for (int64_t cx = xFrom; cx <= xTo; ++cx) {
    for (int64_t cy = yFrom; cy <= yTo; ++cy) {
      if (Cell* c = findCell(cx, cy)) searchCell(*c, x, y, best);
    }
  }
  return best;
}

}  // namespace optgrind::standalone
