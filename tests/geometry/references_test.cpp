// References: equality, whole-entity references, the segment walk, the
// host's last and next entity, and list compaction.
#include <gtest/gtest.h>

#include "geometry/drawing_fixture.h"
#include "geometry/entity_refs.h"
#include "geometry/segment_walk.h"

namespace optgrind::testing {
namespace {

using ReferencesTest = DrawingTest;

TEST(EntityRefRecord, EqualityComparesNameSegmentAndTagOnly) {
  EntityRef a, b;
  a.name = b.name = EntityName{3, 1};
  b.kind = kKindArc;
  b.point = makePoint(1, 2);
  EXPECT_TRUE(a == b);
  b.tagIndex = 0;
  EXPECT_FALSE(a == b);
  b.valid = 1;
  EXPECT_EQ(wholeEntity(b).tagIndex, -1);
}

TEST_F(ReferencesTest, WalkOpenAndClosedPolylines) {
  EntityRef open = addPolyline({{0, 0, 0}, {10, 0, 0.5}, {20, 0, 0}, {30, 0, 0}}, false);
  EntityRef first = nextSegment(host, open);
  EXPECT_EQ(first.segment, 0);
  EXPECT_EQ(first.kind, kKindLine);
  EXPECT_EQ(first.valid, 1);
  EXPECT_EQ(nextSegment(host, first).kind, kKindArc);
  EXPECT_EQ(nextSegment(host, segmentRef(open, 2, kKindLine)).valid, 0);
  EXPECT_EQ(previousSegment(host, first).valid, 0);
  EXPECT_EQ(previousSegment(host, open).segment, 2);

  EntityRef closed = addSquare();
  EXPECT_EQ(nextSegment(host, segmentRef(closed, 3, kKindLine)).segment, 0);
  EXPECT_EQ(previousSegment(host, segmentRef(closed, 0, kKindLine)).segment, 3);
  EXPECT_EQ(previousSegment(host, closed).segment, 3);

  EntityRef line = addLine(0, 0, 1, 1);
  EXPECT_EQ(nextSegment(host, line).valid, 0);
  EXPECT_EQ(previousSegment(host, EntityRef{}).valid, 0);
}

TEST(Compact, KeepsValidEntriesInOrderAndResetsTheRest) {
  EntityRefList list = makeEntityRefList(5);
  EXPECT_EQ(compact(list), 0);
  EntityRef inPlace = wholeEntityRef({1, 1}, kKindArc);
  inPlace.segment = 2;
  list[0] = inPlace;
  list[2] = wholeEntityRef({2, 1}, kKindLine);
  list[2].segment = 4;
  list[2].point = makePoint(7, 7);
  list[3] = wholeEntityRef({3, 1});
  list[3].valid = 2;  // only exactly 1 counts
  list[4] = wholeEntityRef({-1, 1});
  EXPECT_EQ(compact(list), 2);
  EXPECT_EQ(list[0].segment, 2);  // left as it was
  EXPECT_EQ(std::make_tuple(list[1].name, list[1].segment, list[1].kind),
            std::make_tuple(EntityName{2, 1}, -1, kKindLine));
  for (size_t i = 2; i < list.size(); ++i) EXPECT_EQ(list[i].valid, 0);
}

}  // namespace
}  // namespace optgrind::testing
