#include "host/vertex_list.h"

#include <gtest/gtest.h>

#include <cmath>

#include "host/host_types.h"

namespace optgrind {
namespace {

// Records copied from one another share their vertices; a change to one
// copy must never show in another, and the boxes of a changed list must be
// those of its new vertices.
TEST(VertexList, CopiesShareUntilOneChangesAndBoxesFollowTheChange) {
  std::vector<PolyVertex> line;
  for (int i = 0; i <= 70; ++i) line.push_back({i * 1.0, 0.0, 0.0});
  PolylineGeom original{.vertices = line};
  PolylineGeom copy = original;
  EXPECT_EQ(copy.vertices.data(), original.vertices.data());
  ASSERT_EQ(original.vertices.segmentRuns().runs.size(), 3u);
  EXPECT_FALSE(original.vertices.segmentRuns().runs[0].bounds.meets(10, 40, 11, 41));

  copy.vertices.edit()[20].y = 40.0;
  copy.vertices.push_back({71.0, 0.0, 0.0});
  EXPECT_EQ(original.vertices[20].y, 0.0);
  EXPECT_EQ(original.vertices.size(), 71u);
  EXPECT_FALSE(original.vertices.segmentRuns().runs[0].bounds.meets(10, 40, 30, 41));
  EXPECT_TRUE(copy.vertices.segmentRuns().runs[0].bounds.meets(10, 40, 30, 41));

  // A list no longer shared keeps its boxes only until it changes.
  PolylineGeom own = std::move(copy);
  ASSERT_TRUE(own.vertices.segmentRuns().runs[0].bounds.meets(10, 40, 30, 41));
  own.vertices.edit()[20].y = 0.0;
  own.vertices.edit()[21].y = 0.0;
  EXPECT_FALSE(own.vertices.segmentRuns().runs[0].bounds.meets(10, 40, 30, 41));
  EXPECT_TRUE(own.vertices.segmentRuns().runs[0].distinctEnds);

  // Arcs are held whole: half a turn and more beyond their chords, a
  // segment without length or with a coordinate not finite flagged.
  PolylineGeom arcs{.vertices = {{0, 0, 1.0}, {2, 0, -3.0}, {4, 0, 0}, {4, 0, 0}}};
  const SegmentRun& run = arcs.vertices.segmentRuns().runs[0];
  EXPECT_TRUE(run.bounds.meets(1, -1, 1, -1));  // the bottom of the half circle
  EXPECT_TRUE(run.bounds.meets(3, 3, 3, 3));    // the far point of the larger arc
  EXPECT_FALSE(run.distinctEnds);
  PolylineGeom broken{.vertices = {{0, 0, 0}, {HUGE_VAL, 0, 0}}};
  EXPECT_TRUE(broken.vertices.segmentRuns().runs[0].bounds.meets(-1e300, 5, -1e300, 5));
}

}  // namespace
}  // namespace optgrind
