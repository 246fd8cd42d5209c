// Intersections of curves and segments, distances to entities, and the
// rubber-band display of profiles.
#include <gtest/gtest.h>

#include "geometry/drawing_fixture.h"
#include "geometry/intersect.h"
#include "geometry/rubber_band.h"

namespace optgrind::testing {
namespace {

using IntersectTest = DrawingTest;

TEST_F(IntersectTest, SegmentsStandForThemselvesAlone) {
  EntityRef square = addSquare();
  EntityRef diagonal = addLine(-5, 5, 15, 5);
  std::vector<PointRec> points;
  EXPECT_EQ(intersect(host, diagonal, square, 0, points, 8), 2);
  EXPECT_EQ(intersect(host, diagonal, segmentRef(square, 1, kKindLine), 0, points, 8), 1);
  expectPoint(points[0], 10, 5);
  EXPECT_EQ(intersect(host, diagonal, square, 0, points, 1), 1);
  EXPECT_EQ(intersect(host, square, segmentRef(square, 1, kKindLine), 0, points, 8), 0);

  // A curved segment is its arc, not its circle; extended it is the circle.
  EntityRef bump = addPolyline({{20, 0, 1}, {30, 0, 0}}, false);
  EntityRef across = addLine(25, -10, 25, 10);
  EXPECT_EQ(intersect(host, across, segmentRef(bump, 0, kKindArc), 0, points, 8), 1);
  expectPoint(points[0], 25, -5, 1e-9);
  EXPECT_EQ(intersect(host, across, segmentRef(bump, 0, kKindArc), 1, points, 8), 2);
  EntityRef shortLine = addLine(40, 0, 41, 0);
  EXPECT_EQ(intersect(host, shortLine, addLine(45, -1, 45, 1), 0, points, 8), 0);
  EXPECT_EQ(intersect(host, shortLine, addLine(45, -1, 45, 1), 3, points, 8), 1);
}

TEST_F(IntersectTest, DistancesAreSignedBySide) {
  EntityRef line = addLine(0, 0, 10, 0);
  EXPECT_NEAR(distanceToEntity(host, makePoint(20, 3), line), 3, 1e-9);  // extended
  EXPECT_NEAR(distanceToEntity(host, makePoint(5, -2), line), -2, 1e-9);
  EntityRef circle = addCircle(0, 0, 5);
  EXPECT_NEAR(distanceToEntity(host, makePoint(1, 0), circle), -4, 1e-9);
  EXPECT_NEAR(distanceToEntity(host, makePoint(7, 0), circle), 2, 1e-9);
  EntityRef square = addSquare();
  EXPECT_NEAR(distanceToEntity(host, makePoint(5, 1), segmentRef(square, 0, kKindLine)), 1, 1e-9);
  EXPECT_NEAR(distanceToEntity(host, makePoint(5, 1), square), 1, 1e-9);
  EXPECT_NEAR(distanceToEntity(host, makePoint(5, -1), square), -1, 1e-9);
  EntityRef bump = addPolyline({{20, 0, 1}, {30, 0, 0}}, false);
  EXPECT_NEAR(distanceToEntity(host, makePoint(25, -3), segmentRef(bump, 0, kKindArc)), 2, 1e-9);
  EXPECT_EQ(distanceToEntity(host, makePoint(0, 0), add(TextGeom{})), kUnreachableDistance);
}

// Refuses every temporary vector and counts the redraws.
class RefusingHost : public HostWrapper {
 public:
  using HostWrapper::HostWrapper;
  int acedGrDraw(const Point3&, const Point3&, int, bool) override { return RTERROR; }
  int acedRedraw(const EntityName* name, int mode) override {
    ++redraws;
    return HostWrapper::acedRedraw(name, mode);
  }
  int redraws = 0;
};

// Adds up the length of the vectors drawn.
class CountingHost : public HostWrapper {
 public:
  using HostWrapper::HostWrapper;
  int acedGrDraw(const Point3& from, const Point3& to, int color, bool highlight) override {
    length += std::hypot(to.x - from.x, to.y - from.y);
    return HostWrapper::acedGrDraw(from, to, color, highlight);
  }
  double length = 0;
};

TEST_F(IntersectTest, ProfilesAreDrawnSegmentBySegment) {
  EntityRef closed = addPolyline({{0, 0, 0}, {10, 0, 1}, {10, 10, 0}}, true);
  CountingHost counting(&host);
  EXPECT_EQ(showProfile(counting, closed, 1), 1);
  EXPECT_NEAR(counting.length, 10 + 5 * kPi + std::hypot(10, 10), 0.2);
  EntityRef line = addLine(0, 0, 3, 4);
  counting.length = 0;
  EXPECT_EQ(showProfile(counting, line, 2), 1);
  EXPECT_NEAR(counting.length, 5, 0.2);
  RefusingHost refusing(&host);
  EXPECT_EQ(showProfile(refusing, closed, 1), 0);
  EXPECT_EQ(refusing.redraws, 1);
  EXPECT_EQ(drawRubberCircle(refusing, makeCircle(makePoint(0, 0), 1), 3), 0);
}

}  // namespace
}  // namespace optgrind::testing
