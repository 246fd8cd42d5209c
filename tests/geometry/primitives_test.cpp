// Angles, rounding, point equality, bulge arithmetic, three-point arcs and
// the location of a point on a polyline.
#include <gtest/gtest.h>

#include <tuple>

#include "geometry/arcs.h"
#include "geometry/drawing_fixture.h"
#include "geometry/primitives.h"

namespace optgrind::testing {
namespace {

using PrimitivesTest = DrawingTest;

TEST_F(PrimitivesTest, RoundingFollowsLuprecUpToSixDecimals) {
  setVar("LUPREC", 4);
  EXPECT_DOUBLE_EQ(roundToUnitPrecision(host, 1.23456789), 1.2346);
  setVar("LUPREC", 8);
  EXPECT_DOUBLE_EQ(roundToUnitPrecision(host, 1.23456789), 1.234568);
  setVar("LUPREC", 0);
  EXPECT_DOUBLE_EQ(roundToUnitPrecision(host, 2.5), 3.0);
  EXPECT_DOUBLE_EQ(integerPower(10.0, -2), 0.01);
  EXPECT_DOUBLE_EQ(integerPower(2.0, 10), 1024.0);
}

TEST_F(PrimitivesTest, AnglesArePositiveDegreesRounded) {
  setVar("LUPREC", 2);
  EXPECT_DOUBLE_EQ(angleDeg(host, makePoint(0, 0), makePoint(0, -1)), 270.0);
  EXPECT_DOUBLE_EQ(angleDeg(host, makePoint(0, 0), makePoint(1, 1)), 45.0);
  EXPECT_DOUBLE_EQ(angleDeg(host, makePoint(0, 0), makePoint(1, -1e-9)), 360.0);  // only by rounding
  PointRec p = polarDeg(makePoint(1, 1, 5), 90.0, 2.0);
  expectPoint(p, 1, 3);
  EXPECT_EQ(p.z, 5.0);
  EXPECT_EQ(p.set, 1);
}

TEST_F(PrimitivesTest, SafeAcosReportsOutOfRange) {
  EXPECT_DOUBLE_EQ(safeAcosDeg(host, -1.0), 180.0);
  EXPECT_EQ(env.out.str().find("acos:"), std::string::npos);
  EXPECT_EQ(safeAcosDeg(host, 1.0000001), 0.0);
  EXPECT_NE(env.out.str().find("acos:"), std::string::npos);
}

TEST(PointEquality, DiffersFromAThousandthOn) {
  EXPECT_TRUE(pointsEqual(makePoint(1, 2, 3), makePoint(1.0009, 2, 3)));
  EXPECT_TRUE(pointsDiffer(makePoint(1, 2, 3), makePoint(1, 2, 3.0011)));
  EXPECT_TRUE(pointsDiffer(makePoint(1, 2, 3), makePoint(1, 1.998, 3)));
}

TEST(ArcFromBulge, QuarterCirclesEitherWay) {
  PointRec centre;
  double radius = 0;
  // A quarter circle counter-clockwise from (1,0) to (0,1) about the origin.
  arcFromBulge(makePoint(1, 0), makePoint(0, 1), std::tan(kPi / 8), centre, radius);
  expectPoint(centre, 0, 0, 1e-12);
  EXPECT_NEAR(radius, 1.0, 1e-12);
  arcFromBulge(makePoint(1, 0), makePoint(0, 1), -std::tan(kPi / 8), centre, radius);
  expectPoint(centre, 1, 1, 1e-12);
}

TEST(TurnAndArea, SignsFollowTheTurn) {
  EXPECT_EQ(turnDirection(makePoint(0, 0), makePoint(1, 1), makePoint(2, 0)), -1);
  EXPECT_EQ(turnDirection(makePoint(0, 0), makePoint(1, -1), makePoint(2, 0)), 1);
  EXPECT_EQ(turnDirection(makePoint(0, 0), makePoint(1, 0), makePoint(2, 0)), 1);
  EXPECT_NEAR(signedArea(makePoint(0, 0), makePoint(4, 0), makePoint(0, 3)), 6.0, 1e-9);
  EXPECT_NEAR(signedArea(makePoint(0, 0), makePoint(0, 3), makePoint(4, 0)), -6.0, 1e-9);
  EXPECT_NEAR(signedDistanceToLine(makePoint(0, 0), makePoint(10, 0), makePoint(3, 2)), 2.0, 1e-12);
  EXPECT_NEAR(signedDistanceToLine(makePoint(0, 0), makePoint(10, 0), makePoint(3, -2)), -2.0, 1e-12);
  // Inside a counter-clockwise half circle is to its left.
  EXPECT_NEAR(signedDistanceToArc(makePoint(2, 0), makePoint(-2, 0), kPi, makePoint(0, 1)), 1.0, 1e-9);
  EXPECT_NEAR(signedDistanceToArc(makePoint(-2, 0), makePoint(2, 0), -kPi, makePoint(0, 3)), 1.0, 1e-9);
}

TEST_F(PrimitivesTest, ThreePointArcs) {
  ArcRec full = arcFromThreePoints(host, makePoint(0, 0), makePoint(5, 0), makePoint(5, 0), 0);
  EXPECT_EQ(full.valid, 1);
  EXPECT_DOUBLE_EQ(full.sweep, 2 * kPi - 1e-8);
  EXPECT_DOUBLE_EQ(full.endAngle, 2 * kPi - 1e-8);
  ArcRec wrap = arcFromThreePoints(host, makePoint(0, 0), makePoint(0, -1), makePoint(1, 0), 0);
  EXPECT_NEAR(wrap.sweep, kPi / 2, 1e-12);
  EXPECT_NEAR(wrap.endAngle, 0.0, 1e-12);
  // Through (0,1) from (1,0) to (-1,0): counter-clockwise as given.
  ArcRec ccw = arcFromThreePoints(host, makePoint(0, 1), makePoint(1, 0), makePoint(-1, 0), 1);
  expectPoint(ccw.centre, 0, 0, 1e-9);
  expectPoint(ccw.start, 1, 0);
  EXPECT_NEAR(ccw.sweep, kPi, 1e-9);
  // Given clockwise, the ends are swapped so that the arc runs counter-clockwise.
  ArcRec cw = arcFromThreePoints(host, makePoint(0, 1), makePoint(-1, 0), makePoint(1, 0), 1);
  expectPoint(cw.start, 1, 0);
  expectPoint(cw.end, -1, 0);
  EXPECT_NEAR(cw.radius, 1.0, 1e-9);
}

// Three points on one line have no circle; nor have points so nearly on
// one that the bisectors meet only by rounding, at any scale.
TEST_F(PrimitivesTest, ThreePointsOnALineMakeNoArc) {
  for (double scale : {1e-3, 1.0, 1e4}) {
    auto p = [scale](double x, double y) { return makePoint(scale * x, scale * y); };
    EXPECT_EQ(arcFromThreePoints(host, p(5, 0), p(0, 0), p(10, 0), 1).valid, 0) << scale;
    EXPECT_EQ(arcFromThreePoints(host, p(5, 5), p(0, 0), p(10, 10), 1).valid, 0) << scale;
    EXPECT_EQ(arcFromThreePoints(host, p(3, 4), p(0, 0), p(6, 8), 1).valid, 0) << scale;
    EXPECT_EQ(arcFromThreePoints(host, p(5, 1e-12), p(0, 0), p(10, 0), 1).valid, 0) << scale;
    EXPECT_EQ(arcFromThreePoints(host, p(0, 0), p(0, 0), p(0, 0), 1).valid, 0) << scale;
    // A flat arc that is still an arc: its centre lies below, far but not
    // beyond reach.
    ArcRec flat = arcFromThreePoints(host, p(5, 0.01), p(0, 0), p(10, 0), 1);
    ASSERT_EQ(flat.valid, 1) << scale;
    EXPECT_NEAR(flat.radius / scale, 1250.005, 1.0);
    EXPECT_LT(flat.centre.y, 0.0);
  }
}

TEST(LocateOnPolyline, TieGoesToTheEndAndChordsAreNotSegments) {
  // {segment, result} of a point.
  auto at = [](const PolylineGeom& p, double x, double y) {
    PolylineLocation l = locateOnPolyline(p, makePoint(x, y));
    return std::pair(l.segment, l.result);
  };
  PolylineGeom open{.vertices = {{0, 0, 0, 0, 0}, {10, 0, 1, 0, 0}, {20, 0, 0, 0, 0}}};
  EXPECT_EQ(at(open, 5, 0), std::pair(0, 1));
  EXPECT_EQ(at(open, 4.9, 0).second, -1);
  // The bulge-1 segment from (10,0) to (20,0) runs below the chord (counter-clockwise).
  EXPECT_EQ(at(open, 15, -5), std::pair(1, 1));
  EXPECT_EQ(at(open, 15, 5).second, 0);
  EXPECT_EQ(at(open, 17, -4.5826).second, 1);
  // The chord back from the last vertex to the first belongs to closed polylines only.
  PolylineGeom triangle{.vertices = {{0, 0, 0, 0, 0}, {10, 0, 0, 0, 0}, {10, 10, 0, 0, 0}}};
  EXPECT_EQ(at(triangle, 5, 5).second, 0);
  triangle.closed = true;
  EXPECT_EQ(at(triangle, 5, 5), std::pair(2, 1));
  // A vertex shared by two segments is found on the first.
  EXPECT_EQ(at(triangle, 10, 0).first, 0);
}

// A quick box test must not lose these: beside a long chord the detour
// through a point 0.02 off is still within its tolerance, and an arc
// carries points off it radially up to its own tolerance.
TEST(LocateOnPolyline, PointsAtTheEdgeOfTheTolerancesAreFound) {
  PolylineGeom p{.vertices = {{0, 0, 0, 0, 0}, {1000, 0, 1, 0, 0}, {2000, 0, 0, 0, 0}}};
  for (auto [x, y, segment] : {std::tuple{500.0, 0.02, 0}, {1500.0, -500.0099, 1}, {1500.0, -500.0101, -1}}) {
    EXPECT_EQ(locateOnPolyline(p, makePoint(x, y)).segment, segment) << x << "," << y;
  }
}

// Arc ranges are taken modulo a full turn whichever turn their angles are
// written in.
TEST(AngleRanges, AnyTurnOfTheSameRange) {
  for (double turns : {-2.0, -1.0, 0.0, 1.0, 3.0}) {
    double from = radiansFromDegrees(350 + 360 * turns), to = radiansFromDegrees(370 + 360 * turns);
    for (double inside : {-10.0, -5.0, 0.0, 5.0, 10.0, 355.0, 365.0}) {
      EXPECT_TRUE(angleWithinRange(radiansFromDegrees(inside), from, to)) << turns << " " << inside;
    }
    for (double outside : {-11.0, 11.0, 180.0, 340.0}) {
      EXPECT_FALSE(angleWithinRange(radiansFromDegrees(outside), from, to)) << turns << " " << outside;
    }
  }
  EXPECT_TRUE(angleWithinSweep(radiansFromDegrees(123), radiansFromDegrees(-400), kTwoPi));
  EXPECT_FALSE(angleWithinSweep(radiansFromDegrees(-1), 0.0, radiansFromDegrees(90)));
  EXPECT_TRUE(angleWithinSweep(radiansFromDegrees(-1), 0.0, radiansFromDegrees(90), radiansFromDegrees(2)));
  EXPECT_TRUE(angleWithinSweep(radiansFromDegrees(91), 0.0, radiansFromDegrees(90), radiansFromDegrees(2)));
  EXPECT_DOUBLE_EQ(normalizeAngle(-1e-18), 0.0);
  EXPECT_NEAR(counterClockwiseSweep(radiansFromDegrees(350), radiansFromDegrees(10)), radiansFromDegrees(20),
              1e-12);
}

}  // namespace
}  // namespace optgrind::testing
