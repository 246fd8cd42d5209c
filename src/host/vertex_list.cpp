#include "host/vertex_list.h"

#include <algorithm>
#include <cmath>

namespace optgrind {
namespace {

// Relative margin of a segment's box over the rounding of its corners.
constexpr double kBoxRounding = 1e-8;

const std::vector<PolyVertex>& noVertices() {
  static const std::vector<PolyVertex> none;
  return none;
}

PlaneBox wholePlane() { return {-HUGE_VAL, -HUGE_VAL, HUGE_VAL, HUGE_VAL}; }

}  // namespace

double PlaneBox::distanceFrom(double x, double y) const {
  return std::hypot(std::fmax(std::fmax(x0 - x, x - x1), 0.0), std::fmax(std::fmax(y0 - y, y - y1), 0.0));
}

VertexList::VertexList(std::vector<PolyVertex> items) {
  if (items.empty()) return;
  block_ = std::make_shared<Block>();
  block_->items = std::move(items);
}

const std::vector<PolyVertex>& VertexList::items() const { return block_ ? block_->items : noVertices(); }

std::vector<PolyVertex>& VertexList::edit() {
  if (!block_) {
    block_ = std::make_shared<Block>();
  } else if (block_.use_count() > 1) {
    auto own = std::make_shared<Block>();
    own->items = block_->items;
    block_ = std::move(own);
  } else {
    block_->runs.reset();
  }
  return block_->items;
}

void VertexList::erase(const PolyVertex* first, const PolyVertex* last) {
  const auto from = static_cast<std::ptrdiff_t>(first - data());
  const auto to = static_cast<std::ptrdiff_t>(last - data());
  std::vector<PolyVertex>& v = edit();
  v.erase(v.begin() + from, v.begin() + to);
}

const SegmentRuns& VertexList::segmentRuns() const {
  static const SegmentRuns none;
  if (!block_) return none;
  if (block_->runs) return *block_->runs;
  auto runs = std::make_unique<SegmentRuns>();
  const std::vector<PolyVertex>& v = block_->items;
  const size_t segments = v.size() < 2 ? 0 : v.size() - 1;
  runs->segments = segments;
  runs->runs.reserve((segments + SegmentRuns::kSegmentsPerRun - 1) / SegmentRuns::kSegmentsPerRun);
  for (size_t first = 0; first < segments; first += SegmentRuns::kSegmentsPerRun) {
    const size_t last = std::min(segments, first + SegmentRuns::kSegmentsPerRun);
    // One pass of additions and comparisons: the corners, the largest
    // growth of a segment's chord box (as segmentBounds finds it), and a
    // sum that turns NaN when anything in the run is not finite.
    SegmentRun run;
    run.corners = {v[first].x, v[first].y, v[first].x, v[first].y};
    double grow = 0.0, check = 0.0;
    for (size_t i = first; i < last; ++i) {
      const PolyVertex& a = v[i];
      const PolyVertex& b = v[i + 1];
      const double dx = std::fabs(b.x - a.x), dy = std::fabs(b.y - a.y);
      const double bulge = std::fabs(a.bulge);
      const double g = bulge * (dx + dy) * (bulge <= 1.0 ? 0.5 : 1.0);
      grow = g > grow ? g : grow;
      check += g + dx + dy;
      run.corners.x0 = b.x < run.corners.x0 ? b.x : run.corners.x0;
      run.corners.y0 = b.y < run.corners.y0 ? b.y : run.corners.y0;
      run.corners.x1 = b.x > run.corners.x1 ? b.x : run.corners.x1;
      run.corners.y1 = b.y > run.corners.y1 ? b.y : run.corners.y1;
      run.distinctEnds = run.distinctEnds && (dx > kDistinctEnds || dy > kDistinctEnds);
    }
    const PlaneBox& c = run.corners;
    const double size =
        std::max(std::max(std::fabs(c.x0), std::fabs(c.x1)), std::max(std::fabs(c.y0), std::fabs(c.y1)));
    if (!(check + size < HUGE_VAL)) {
      run.bounds = wholePlane();
      run.distinctEnds = false;
    } else {
      const double margin = grow + kBoxRounding * (1.0 + 4.0 * size + 2.0 * grow);
      run.bounds = {c.x0 - margin, c.y0 - margin, c.x1 + margin, c.y1 + margin};
    }
    runs->runs.push_back(run);
  }
  block_->runs = std::move(runs);
  return *block_->runs;
}

bool VertexList::operator==(const VertexList& other) const {
  return block_ == other.block_ || items() == other.items();
}

}  // namespace optgrind
