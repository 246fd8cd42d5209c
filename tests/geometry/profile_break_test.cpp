// Locating points on entities and breaking lines, arcs, circles and
// polylines there, as other programs write them.
#include <gtest/gtest.h>

#include "geometry/arcs.h"
#include "geometry/drawing_fixture.h"
#include "geometry/entity_data.h"
#include "geometry/profile_break.h"

namespace optgrind::testing {
namespace {

using BreakTest = DrawingTest;

TEST_F(BreakTest, LocatesOnLinesArcsAndCircles) {
  EntityRef line = addLine(0, 0, 10, 0);
  EXPECT_EQ(locateOnEntity(host, makePoint(5, 0), line).result, 1);
  EXPECT_EQ(locateOnEntity(host, makePoint(4, 0), line).result, -1);
  EXPECT_EQ(locateOnEntity(host, makePoint(5, 0.01), line).result, 0);
  EntityRef arc = addArc(0, 0, 5, 350, 10);
  EXPECT_EQ(locateOnEntity(host, makePoint(5, 0), arc).result, 1);
  EXPECT_EQ(locateOnEntity(host, makePoint(0, 5), arc).result, 0);
  EXPECT_EQ(locateOnEntity(host, makePoint(0, -5), addCircle(0, 0, 5)).result, 1);
  EXPECT_EQ(locateOnEntity(host, makePoint(5, 0), EntityRef{}).result, 0);
}

// (Breaks inside polylines and at their vertices: the invariants test.)
TEST_F(BreakTest, OpenPolylineEndsAndPointsBesideSplitNothing) {
  EntityRef open = addPolyline({{0, 0, 0}, {10, 0, 0}, {10, 10, 0}}, false);
  for (PointRec p : {makePoint(0, 0), makePoint(10, 10), makePoint(3, 3)}) {
    EXPECT_EQ(breakAtPoint(host, open, p).valid, 0) << p.x << "," << p.y;
  }
  EXPECT_EQ(polyline(open).vertices.size(), 3u);
}

TEST_F(BreakTest, LinesArcsAndCircles) {
  EntityRef line = addLine(0, 0, 10, 0);
  EXPECT_EQ(breakAtPoint(host, line, makePoint(0, 0)).valid, 0);
  EntityRef rest = breakAtPoint(host, line, makePoint(4, 0));
  ASSERT_EQ(rest.valid, 1);
  EXPECT_EQ(record(line).as<LineGeom>()->end.x, 4);
  EXPECT_EQ(record(rest).as<LineGeom>()->start.x, 4);
  EXPECT_EQ(record(rest).as<LineGeom>()->end.x, 10);

  EntityRef arc = addArc(0, 0, 5, 0, 180);
  EXPECT_EQ(breakAtPoint(host, arc, makePoint(5, 0)).valid, 0);
  EntityRef other = breakAtPoint(host, arc, makePoint(0, 5));
  ASSERT_EQ(other.valid, 1);
  EXPECT_NEAR(record(arc).as<ArcGeom>()->endAngle, kPi / 2, 1e-9);
  EXPECT_NEAR(record(other).as<ArcGeom>()->startAngle, kPi / 2, 1e-9);
  EXPECT_NEAR(record(other).as<ArcGeom>()->endAngle, kPi, 1e-9);

  EntityRef circle = addCircle(0, 0, 5);
  EntityRef opened = breakAtPoint(host, circle, makePoint(0, -5));
  ASSERT_EQ(opened.valid, 1);
  EntityRecord gone;
  EXPECT_EQ(host.acdbEntGet(circle.name, gone), RTERROR);
  opened.kind = kKindArc;
  ArcRec full = arcFromRef(host, opened);
  expectPoint(full.start, 0, -5, 1e-6);
  expectPoint(full.end, 0, -5, 1e-6);
  EntityRecord arcRecord = record(opened);
  const ArcGeom& geom = *arcRecord.as<ArcGeom>();
  double sweep = geom.endAngle - geom.startAngle;
  EXPECT_NEAR(sweep < 0 ? sweep + 2 * kPi : sweep, 2 * kPi - 1e-8, 1e-12);
}

// Arcs as other programs write them, from -10 to 10 or from 350 to 370
// degrees: the same arc, found and broken as one from 350 to 10.
TEST_F(BreakTest, ArcsWrittenOutsideOneTurn) {
  std::vector<EntityRef> drawn = openForeignDrawing();
  ASSERT_GE(drawn.size(), 2u);
  const PointRec centre = makePoint(0, 0);
  for (size_t i = 0; i < 2; ++i) {
    EntityRef arc = drawn[i];
    for (double onIt : {-9.0, -5.0, 0.0, 5.0, 9.0}) {
      EXPECT_NE(locateOnEntity(host, polarDeg(centre, onIt, 10), arc).result, 0) << i << " at " << onIt;
    }
    EXPECT_EQ(locateOnEntity(host, polarDeg(centre, 20, 10), arc).result, 0);
    EXPECT_EQ(locateOnEntity(host, polarDeg(centre, 180, 10), arc).result, 0);

    EntityRef piece = breakAtPoint(host, arc, polarDeg(centre, -5, 10));
    ASSERT_EQ(piece.valid, 1) << i;
    arc.kind = piece.kind = kKindArc;
    ArcRec first = arcFromRef(host, arc), second = arcFromRef(host, piece);
    expectPoint(first.start, 10 * std::cos(radiansFromDegrees(-10)), 10 * std::sin(radiansFromDegrees(-10)),
                1e-6);
    expectPoint(first.end, second.start.x, second.start.y, 1e-4);
    expectPoint(second.end, 10 * std::cos(radiansFromDegrees(10)), 10 * std::sin(radiansFromDegrees(10)),
                1e-6);
    EXPECT_NEAR(degreesFromRadians(first.sweep), 5, 1e-3);
    EXPECT_NEAR(degreesFromRadians(second.sweep), 15, 1e-3);
  }
}

// Bulges of 1e-17 and 1e-9 are straight: the centre of their arc would lie
// about 1e17 away and no point of the segment would be found on it.
TEST_F(BreakTest, AlmostStraightBulgesAreStraight) {
  std::vector<EntityRef> drawn = openForeignDrawing();
  ASSERT_GE(drawn.size(), 4u);
  for (size_t i = 2; i < 4; ++i) {
    EntityRef flat = drawn[i];
    for (double x : {0.5, 3.0, 7.0}) {
      PolylineLocation at = locateOnEntity(host, makePoint(x, 0), flat);
      EXPECT_EQ(at.segment, 0) << i << " at " << x;
      EXPECT_EQ(at.result, x < 5 ? -1 : 1);
    }
    EntityRef rest = breakAtPoint(host, flat, makePoint(3, 0));
    ASSERT_EQ(rest.valid, 1) << i;
    EXPECT_NEAR(polyline(flat).vertices.items().at(1).x, 3, 1e-9);
    expectVertices(polyline(rest), {{3, 0, 0}, {10, 0, 0}});
  }
}

// The vertices of a polyline at an elevation lie at that height; a point
// picked in the plane of the drawing is at the vertex all the same.
TEST_F(BreakTest, ElevatedPolylineBreaksAtItsVertex) {
  std::vector<EntityRef> drawn = openForeignDrawing();
  ASSERT_GE(drawn.size(), 5u);
  EntityRef raised = drawn[4];
  ASSERT_EQ(polyline(raised).elevation, 5);
  EntityRef rest = breakAtPoint(host, raised, makePoint(10, 0));
  ASSERT_EQ(rest.valid, 1);
  PolylineGeom first = polyline(raised), second = polyline(rest);
  ASSERT_EQ(first.vertices.size(), 2u);
  ASSERT_EQ(second.vertices.size(), 2u);
  EXPECT_EQ(second.elevation, 5);
  for (const PolylineGeom* p : {&first, &second}) {
    EXPECT_GT(std::hypot(p->vertices[1].x - p->vertices[0].x, p->vertices[1].y - p->vertices[0].y), 1.0);
  }
  // Its first and last vertex are ends: nothing to split.
  EXPECT_EQ(breakAtPoint(host, raised, makePoint(0, 0, 5)).valid, 0);
}

// A break whose piece would sweep less than the drawing's angle precision
// counts as at the end: the arc stays whole and is not turned into a
// full circle.
TEST_F(BreakTest, BreaksAtAnArcsEndSplitNothing) {
  EntityRef small = addArc(0, 0, 10, 0, 90);
  EXPECT_EQ(breakAtPoint(host, small, makePoint(10, 3.5e-6)).valid, 0);
  EntityRef large = addArc(0, 0, 1000, 0, 90);
  EXPECT_EQ(breakAtPoint(host, large, polarRad(makePoint(0, 0), kPi / 2 - 5e-9, 1000)).valid, 0);
  for (const EntityRef& arc : {small, large}) {
    EntityRecord kept = record(arc);
    EXPECT_NEAR(kept.as<ArcGeom>()->startAngle, 0, 1e-12);
    EXPECT_NEAR(kept.as<ArcGeom>()->endAngle, kPi / 2, 1e-12);
  }
  EntityName last;
  ASSERT_EQ(host.acdbEntLast(last), RTNORM);
  EXPECT_EQ(last, large.name);
  // The same for a curved polyline segment.
  EntityRef curved = addPolyline({{0, 0, 1}, {20, 0, 0}}, false);
  EXPECT_EQ(breakAtPoint(host, curved, polarRad(makePoint(10, 0), kPi + 2e-7, 10)).valid, 0);
  EXPECT_EQ(polyline(curved).vertices.size(), 2u);
}

}  // namespace
}  // namespace optgrind::testing
