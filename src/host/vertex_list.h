// The vertices of a lightweight polyline, shared by the copies of a record
// until one of them changes. A profile or a grinding path holds thousands
// of vertices, and every read of an entity, every change and every undo
// step copies its record: sharing makes those copies cost nothing.
//
// Reading never copies: access is through const references and pointers.
// A change (push_back, insert, edit()) first gives this list its own
// vertices when others share them. The boxes of runs of segments that
// queries use to skip far parts are kept with the vertices they describe
// and dropped when they change.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <memory>
#include <vector>

namespace optgrind {

struct PolyVertex {
  double x = 0.0;
  double y = 0.0;
  double bulge = 0.0;
  double startWidth = 0.0;
  double endWidth = 0.0;
  bool operator==(const PolyVertex&) const = default;
};

// An axis-aligned box of the XY plane.
struct PlaneBox {
  double x0 = 0.0, y0 = 0.0, x1 = 0.0, y1 = 0.0;
  bool meets(double lx, double ly, double hx, double hy) const {
    return x0 <= hx && x1 >= lx && y0 <= hy && y1 >= ly;
  }
  // The least distance from (x, y) to the box (0 inside).
  double distanceFrom(double x, double y) const;
};

// A run of consecutive segments: `bounds` holds their arcs whole, with a
// margin for rounding (the whole plane when a segment cannot be bounded).
// Up to half a turn an arc keeps within its sagitta (bulge times half the
// chord) of the chord; beyond, within twice the sagitta of either end; the
// taxicab length of the chord stands for its length.
// `corners` is the exact box of their end points; `distinctEnds` says that
// every segment's ends differ by more than kDistinctEnds in x or in y.
struct SegmentRun {
  PlaneBox bounds;
  PlaneBox corners;
  bool distinctEnds = true;
};
constexpr double kDistinctEnds = 1e-6;

// The segments between consecutive vertices (the closing segment of a
// closed polyline is not among them) in runs of kSegmentsPerRun: run r
// holds segments r * kSegmentsPerRun up to the next run's first.
struct SegmentRuns {
  static constexpr std::size_t kSegmentsPerRun = 32;
  std::vector<SegmentRun> runs;
  std::size_t segments = 0;  // in all runs
  // The segments of run r: from firstOf(r) up to endOf(r).
  static std::size_t firstOf(std::size_t run) { return run * kSegmentsPerRun; }
  std::size_t endOf(std::size_t run) const {
    return firstOf(run) + kSegmentsPerRun < segments ? firstOf(run) + kSegmentsPerRun : segments;
  }
};

class VertexList {
 public:
  using value_type = PolyVertex;
  using size_type = std::size_t;
  using const_iterator = const PolyVertex*;
  using const_reference = const PolyVertex&;

  VertexList() = default;
  VertexList(std::vector<PolyVertex> items);  // NOLINT: a list stands for its vector
  VertexList(std::initializer_list<PolyVertex> items) : VertexList(std::vector<PolyVertex>(items)) {}
  template <class It>
  VertexList(It first, It last) : VertexList(std::vector<PolyVertex>(first, last)) {}

  size_type size() const { return block_ ? block_->items.size() : 0; }
  bool empty() const { return size() == 0; }
  const PolyVertex& operator[](size_type i) const { return block_->items[i]; }
  const PolyVertex* data() const { return block_ ? block_->items.data() : nullptr; }
  const PolyVertex* begin() const { return data(); }
  const PolyVertex* end() const { return data() + size(); }
  const PolyVertex& front() const { return block_->items.front(); }
  const PolyVertex& back() const { return block_->items.back(); }
  // The vertices as a vector, for code that takes one.
  const std::vector<PolyVertex>& items() const;
  operator const std::vector<PolyVertex>&() const { return items(); }  // NOLINT

  // The vertices to change, this list's own. References into them hold
  // until the list is copied or changed again.
  std::vector<PolyVertex>& edit();
  void push_back(const PolyVertex& v) { edit().push_back(v); }
  void pop_back() { edit().pop_back(); }
  void clear() { block_.reset(); }
  void reserve(size_type n) { edit().reserve(n); }
  void resize(size_type n) { edit().resize(n); }
  template <class It>
  void insert(const PolyVertex* at, It first, It last) {
    const size_type offset = static_cast<size_type>(at - data());
    std::vector<PolyVertex>& v = edit();
    v.insert(v.begin() + static_cast<std::ptrdiff_t>(offset), first, last);
  }
  void insert(const PolyVertex* at, const PolyVertex& item) { insert(at, &item, &item + 1); }
  void erase(const PolyVertex* first, const PolyVertex* last);
  void erase(const PolyVertex* at) { erase(at, at + 1); }

  // The boxes of runs of segments, made at the first call after a change.
  const SegmentRuns& segmentRuns() const;

  bool operator==(const VertexList& other) const;

 private:
  struct Block {
    std::vector<PolyVertex> items;
    mutable std::unique_ptr<SegmentRuns> runs;
  };
  std::shared_ptr<Block> block_;
};

}  // namespace optgrind
