#include "standalone/commands/join_end_index.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <tuple>
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

std::pair<double, double> endPoint(const JoinPiece& p, uint32_t end) {
  return end % 2 == 0 ? std::pair{p.x0, p.y0} : std::pair{p.x1, p.y1};
}

int bitWidth(uint64_t v) { return v == 0 ? 0 : 64 - __builtin_clzll(v); }

// Sorts `values` by their bits [low, low + bits), keeping equal keys in
// their order: in digits of at most eleven bits, from the lowest up,
// skipping digits all values share. One pass counts every digit.
void radixSort(std::vector<uint64_t>& values, std::vector<uint64_t>& out, int low, int bits) {
  constexpr int kMaxDigitBits = 11;
  // Fewer values than this are sorted by comparing: clearing and scanning
  // the digits' counts would cost more.
  constexpr size_t kFewValues = 256;
  if (bits <= 0) return;
  if (values.size() < kFewValues) {
    // The bits below `low` number the values in the order they came, so no
    // two are equal and the order is the one a stable sort by key gives.
    std::sort(values.begin(), values.end());
    return;
  }
  const int digits = (bits + kMaxDigitBits - 1) / kMaxDigitBits;
  const int digitBits = (bits + digits - 1) / digits;
  const size_t buckets = size_t{1} << digitBits;
  const uint64_t mask = buckets - 1;
  std::vector<uint32_t> counts(buckets * static_cast<size_t>(digits), 0);
  for (uint64_t v : values) {
    for (int d = 0; d < digits; ++d) ++counts[d * buckets + ((v >> (low + d * digitBits)) & mask)];
  }
  out.resize(values.size());
  for (int d = 0; d < digits; ++d) {
    uint32_t* count = counts.data() + d * buckets;
    if (std::find(count, count + buckets, values.size()) != count + buckets) continue;
    uint32_t at = 0;
    for (size_t b = 0; b < buckets; ++b) {
      uint32_t n = count[b];
      count[b] = at;
      at += n;
    }
    const int shift = low + d * digitBits;
    for (uint64_t v : values) out[count[(v >> shift) & mask]++] = v;
    values.swap(out);
  }
}

// Reading the pieces in sorted order jumps about the drawing order; the
// piece this many ends ahead is fetched early.
constexpr size_t kPrefetchAhead = 16;

}  // namespace

void JoinEndIndex::build(const std::vector<JoinPiece>& pieces, double meetDistance) {
  meet_ = meetDistance;
  cellsPerUnit_ = 1.0 / std::max(kCellsPerMeet * meetDistance, kMinCellSize);
  taken_.assign(pieces.size(), 0);
  cells_.clear();
  ends_.clear();
  const auto endCount = static_cast<uint32_t>(2 * pieces.size());
  // The span of the ends that can meet; cells grow with the coordinates.
  constexpr double kInf = std::numeric_limits<double>::infinity();
  double xMin = kInf, xMax = -kInf, yMin = kInf, yMax = -kInf;
  size_t finiteCount = 0;
  for (const JoinPiece& p : pieces) {
    for (auto [x, y] : {std::pair{p.x0, p.y0}, std::pair{p.x1, p.y1}}) {
      if (!finitePoint(x, y)) continue;
      xMin = std::min(xMin, x), xMax = std::max(xMax, x);
      yMin = std::min(yMin, y), yMax = std::max(yMax, y);
      ++finiteCount;
    }
  }
  if (finiteCount == 0) return;
  const int64_t xLo = cellOf(xMin), yLo = cellOf(yMin);
  const auto x0 = static_cast<uint64_t>(xLo), y0 = static_cast<uint64_t>(yLo);
  const int xBits = bitWidth(static_cast<uint64_t>(cellOf(xMax)) - x0);
  const int yBits = bitWidth(static_cast<uint64_t>(cellOf(yMax)) - y0);
  const int endBits = bitWidth(endCount - 1);
  cellOfEnd_.assign(endCount, kNoCell);
  // Reserving touches no memory; growing would copy and touch it twice.
  ends_.reserve(finiteCount);
  cells_.reserve(finiteCount);
  // Sorted by cell, along x first: the cell numbers and the end number
  // packed in one word when they fit, else as they are.
  if (xBits + yBits + endBits <= 64) {
    std::vector<uint64_t>& keys = keys_;
    keys.clear();
    for (uint32_t e = 0; e < endCount; ++e) {
      auto [x, y] = endPoint(pieces[e / 2], e);
      if (!finitePoint(x, y)) continue;
      const uint64_t kx = static_cast<uint64_t>(cellOf(x)) - x0, ky = static_cast<uint64_t>(cellOf(y)) - y0;
      keys.push_back(((kx << yBits | ky) << endBits) | e);
    }
    radixSort(keys, sortedKeys_, endBits, xBits + yBits);
    const uint64_t endMask = (uint64_t{1} << endBits) - 1;
    const uint64_t yMask = (uint64_t{1} << yBits) - 1;
    for (size_t i = 0; i < keys.size(); ++i) {
      if (i + kPrefetchAhead < keys.size()) {
        // A piece may straddle two cache lines.
        const JoinPiece* ahead = &pieces[(keys[i + kPrefetchAhead] & endMask) / 2];
        __builtin_prefetch(ahead);
        __builtin_prefetch(reinterpret_cast<const char*>(ahead + 1) - 1);
      }
      const auto e = static_cast<uint32_t>(keys[i] & endMask);
      const uint64_t cell = keys[i] >> endBits;
      place(pieces[e / 2], e, static_cast<int64_t>(x0 + (cell >> yBits)),
            static_cast<int64_t>(y0 + (cell & yMask)));
    }
  } else {
    struct Sorted {
      int64_t cx, cy;
      uint32_t end;
    };
    std::vector<Sorted> sorted;
    sorted.reserve(finiteCount);
    for (uint32_t e = 0; e < endCount; ++e) {
      auto [x, y] = endPoint(pieces[e / 2], e);
      if (finitePoint(x, y)) sorted.push_back(Sorted{cellOf(x), cellOf(y), e});
    }
    std::sort(sorted.begin(), sorted.end(), [](const Sorted& a, const Sorted& b) {
      return std::tie(a.cx, a.cy, a.end) < std::tie(b.cx, b.cy, b.end);
    });
    for (const Sorted& s : sorted) place(pieces[s.end / 2], s.end, s.cx, s.cy);
  }
  for (JoinEnd& r : ends_) r.farCell = cellOfEnd_[r.end ^ 1] & kNoCell;
}

size_t JoinEndIndex::capacityBytes() const {
  return cells_.capacity() * sizeof(Cell) + ends_.capacity() * sizeof(JoinEnd) + taken_.capacity() +
         cellOfEnd_.capacity() * sizeof(uint32_t) +
         (keys_.capacity() + sortedKeys_.capacity()) * sizeof(uint64_t);
}

void JoinEndIndex::place(const JoinPiece& piece, uint32_t end, int64_t cx, int64_t cy) {
  if (cells_.empty() || cells_.back().x != cx || cells_.back().y != cy) {
    cells_.push_back(Cell{cx, cy, static_cast<uint32_t>(ends_.size()), 0});
  }
  ++cells_.back().count;
  cellOfEnd_[end] = static_cast<uint32_t>(cells_.size() - 1);
  JoinEnd& r = ends_.emplace_back();
  const bool first = end % 2 == 0;
  r.x = first ? piece.x0 : piece.x1, r.y = first ? piece.y0 : piece.y1;
  r.farX = first ? piece.x1 : piece.x0, r.farY = first ? piece.y1 : piece.y0;
  r.bulge = piece.bulge;
  r.end = end;
  r.plain = piece.run == kPlainPiece;
}

int64_t JoinEndIndex::cellOf(double v) const {
  double n = std::floor(v * cellsPerUnit_);
  return static_cast<int64_t>(std::clamp(n, -kMaxCellNumber, kMaxCellNumber));
}

JoinEndIndex::Cell* JoinEndIndex::findCell(int64_t x, int64_t y, uint32_t hint) {
  auto before = [x, y](const Cell& c) { return c.x != x ? c.x < x : c.y < y; };
  const size_t n = cells_.size();
  size_t lo = 0, hi = n;
  if (hint < n) {
    // Steps doubling away from the hint bracket the cell, in few steps when
    // it lies close by.
    size_t step = 1;
    if (before(cells_[hint])) {
      size_t passed = hint;
      while (hint + step < n && before(cells_[hint + step])) passed = hint + step, step *= 2;
      lo = passed + 1;
      hi = std::min(n, hint + step + 1);
    } else {
      size_t reached = hint;
      while (step <= hint && !before(cells_[hint - step])) reached = hint - step, step *= 2;
      lo = step <= hint ? hint - step + 1 : 0;
      hi = reached + 1;
    }
  }
  auto it = std::partition_point(cells_.begin() + static_cast<std::ptrdiff_t>(lo),
                                 cells_.begin() + static_cast<std::ptrdiff_t>(hi), before);
  return it != cells_.end() && it->x == x && it->y == y ? &*it : nullptr;
}

void JoinEndIndex::searchCell(Cell& c, double x, double y, const JoinEnd*& best) {
  for (uint32_t i = c.first; i < c.first + c.count;) {
    const JoinEnd& e = ends_[i];
    const uint32_t piece = e.end / 2;
    if (taken_[piece]) {
      // Taken pieces leave their cells as they are met, so a busy joint is
      // not scanned again and again.
      ends_[i] = ends_[c.first + c.count - 1];
      --c.count;
      continue;
    }
    if (withinXY(e.x - x, e.y - y, meet_) && (!best || piece < best->end / 2)) best = &e;
    ++i;
  }
}

bool JoinEndIndex::firstMeeting(double x, double y, uint32_t nearCell, JoinEnd& found) {
  if (!finitePoint(x, y)) return false;
  // Ends within meet_ of a point lie within twice that in each axis (the
  // margin covers the rounding of the distance).
  const double reach = 2.0 * meet_;
  const int64_t xFrom = cellOf(x - reach), xTo = cellOf(x + reach);
  const int64_t yFrom = cellOf(y - reach), yTo = cellOf(y + reach);
  const JoinEnd* best = nullptr;
  const bool oneCell = xFrom == xTo && yFrom == yTo;
  if (nearCell != kNoCell && oneCell && cells_[nearCell].x == xFrom && cells_[nearCell].y == yFrom) {
    searchCell(cells_[nearCell], x, y, best);
  } else {
    for (int64_t cx = xFrom; cx <= xTo; ++cx) {
      for (int64_t cy = yFrom; cy <= yTo; ++cy) {
        if (Cell* c = findCell(cx, cy, nearCell)) searchCell(*c, x, y, best);
      }
    }
  }
  if (!best) return false;
  found = *best;
  return true;
}

}  // namespace optgrind::standalone
