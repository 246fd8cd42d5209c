// Closest points and intersections of lines, arcs, circles and polylines.
#include "standalone/model/geom.h"

#include "geom_test_shapes.h"

namespace optgrind::standalone::test {
namespace {

using GeomCurveTest = GeomTest;

// A bulge -1 segment from (0,0) to (2,0): clockwise half circle about
// (1,0) over the top, through (1,1).
const EntityRecord kUpperHalf = polylineOf({{0, 0, -1}, {2, 0}});

TEST_F(GeomCurveTest, LinesMeetWhereTheirSegmentsOrExtensionsCross) {
  // y = x rising in z, against y = 4 - x: (2,2), z half way up.
  expectPoints(intersect(lineOf({0, 0, 0}, {4, 4, 4}), lineOf({0, 4}, {4, 0}), 0), {{2, 2, 2}});

  // (0,0)-(1,1) stops short of (2,2); (0,4)-(4,0) reaches it.
  const EntityRecord shortLine = lineOf({0, 0}, {1, 1});
  const EntityRecord longLine = lineOf({0, 4}, {4, 0});
  EXPECT_TRUE(intersect(shortLine, longLine, 0).empty());
  expectPoints(intersect(shortLine, longLine, 1), {{2, 2, 0}});
  EXPECT_TRUE(intersect(shortLine, longLine, 2).empty());
  expectPoints(intersect(longLine, shortLine, 2), {{2, 2, 0}});
  expectPoints(intersect(shortLine, longLine, 3), {{2, 2, 0}});

  // Parallel, and coincident overlapping: no points, as the host answers.
  EXPECT_TRUE(intersect(lineOf({0, 0}, {4, 0}), lineOf({0, 1}, {4, 1}), 3).empty());
  EXPECT_TRUE(intersect(lineOf({0, 0}, {4, 0}), lineOf({2, 0}, {6, 0}), 0).empty());
}

TEST_F(GeomCurveTest, LineAgainstArcAndCircle) {
  // y = 3 cuts the circle r 5 at x = +-4 (3-4-5), in the line's direction.
  const EntityRecord across = lineOf({-10, 3}, {10, 3});
  expectPoints(intersect(across, arcOf({0, 0}, 5, 0, 180), 0), {{-4, 3, 0}, {4, 3, 0}});
  expectPoints(intersect(across, arcOf({0, 0}, 5, 0, 90), 0), {{4, 3, 0}});

  // y = -3 misses the arc from 0 to 90 degrees but meets its circle; the
  // arc's points take its height.
  const EntityRecord arc = arcOf({0, 0, 7}, 5, 0, 90);
  const EntityRecord below = lineOf({-10, -3}, {10, -3});
  EXPECT_TRUE(intersect(arc, below, 0).empty());
  EXPECT_TRUE(intersect(arc, below, 2).empty());
  expectPoints(intersect(arc, below, 1), {{-4, -3, 7}, {4, -3, 7}});

  // Tangent: one point. Beside the circle: none.
  expectPoints(intersect(lineOf({-10, 5}, {10, 5}), circleOf({0, 0}, 5), 0), {{0, 5, 0}});
  EXPECT_TRUE(intersect(lineOf({-10, 6}, {10, 6}), circleOf({0, 0}, 5), 3).empty());
}

TEST_F(GeomCurveTest, ArcsAndCircles) {
  // Circles r 5 about (0,0) and (8,0): chord at x = 64 / 16 = 4, half
  // chord sqrt(25 - 16) = 3. The arc about (8,0) from 90 to 180 degrees
  // holds only the upper point.
  const EntityRecord circle = circleOf({0, 0}, 5);
  expectPoints(intersect(circle, circleOf({8, 0}, 5), 0), {{4, 3, 0}, {4, -3, 0}});
  expectPoints(intersect(arcOf({8, 0}, 5, 90, 180), circle, 0), {{4, 3, 0}});
  expectPoints(intersect(arcOf({8, 0}, 5, 90, 180), circle, 1), {{4, -3, 0}, {4, 3, 0}});

  // Touching from outside (2 + 3 = 5) and from inside (5 - 3 = 2): one point.
  expectPoints(intersect(circleOf({0, 0}, 2), circleOf({5, 0}, 3), 0), {{2, 0, 0}});
  expectPoints(intersect(circle, circleOf({2, 0}, 3), 0), {{5, 0, 0}});
  // Apart, nested, concentric and the same circle: none.
  for (const EntityRecord& other : {circleOf({20, 0}, 5), circleOf({1, 0}, 1), circleOf({0, 0}, 3), circle})
    EXPECT_TRUE(intersect(circle, other, 3).empty());
}

TEST_F(GeomCurveTest, PolylineSegmentsWithBulges) {
  // The half circle of bulge -1 lies above its chord: x = 1 meets it at
  // (1,1) only; y = 0.5 at x = 1 -+ sqrt(1 - 0.25).
  expectPoints(intersect(kUpperHalf, lineOf({1, -5}, {1, 5}), 0), {{1, 1, 0}});
  const double half = std::sqrt(0.75);
  expectPoints(intersect(lineOf({-1, 0.5}, {3, 0.5}), kUpperHalf, 0),
               {{1 - half, 0.5, 0}, {1 + half, 0.5, 0}});

  // y = x - 2 passes the corner (2,0) that ends one segment and starts the
  // next: reported once.
  const EntityRecord corner = polylineOf({{0, 0}, {2, 0}, {2, 2}});
  expectPoints(intersect(corner, lineOf({1, -1}, {3, 1}), 0), {{2, 0, 0}});

  // Extended, only the first segment runs on backwards (x < 0 on y = 0)
  // and only the last forwards (x = 2 above y = 2).
  expectPoints(intersect(corner, lineOf({-3, -1}, {-3, 1}), 1), {{-3, 0, 0}});
  expectPoints(intersect(corner, lineOf({0, 5}, {1, 5}), 3), {{2, 5, 0}});
  EXPECT_TRUE(intersect(corner, lineOf({5, -1}, {5, 1}), 3).empty());
}

TEST_F(GeomCurveTest, ClosestPointOnTheCurveOrItsExtension) {
  // Line rising in z from (0,0,0) to (2,0,2); from (5,3) the segment's
  // nearest point is its end, the infinite line's is (5,0) at height 5.
  const EntityRecord line = lineOf({0, 0, 0}, {2, 0, 2});
  expectPoint(closest(line, {5, 3, 9}, false), {2, 0, 2});
  expectPoint(closest(line, {5, 3, 9}, true), {5, 0, 5});

  // Arc r 5 from 0 to 90 degrees, seen from (0,-10) beyond its start: the
  // start (5,0) is sqrt(125) away, the end (0,5) 15. Its circle gives (0,-5).
  const EntityRecord arc = arcOf({0, 0, 1}, 5, 0, 90);
  expectPoint(closest(arc, {0, -10}, false), {5, 0, 1});
  expectPoint(closest(arc, {0, -10}, true), {0, -5, 1});

  expectPoint(closest(circleOf({1, 1}, 2), {1, 5}, false), {1, 3, 0});

  // The half circle over (0,0)-(2,0): above it straight down onto (1,1);
  // from below, the nearer end unless the segment is taken as its circle.
  expectPoint(closest(kUpperHalf, {1, 5}, false), {1, 1, 0});
  expectPoint(closest(kUpperHalf, {1.5, -5}, false), {2, 0, 0});
  expectPoint(closest(kUpperHalf, {1, -5}, true), {1, -1, 0});

  const EntityRecord point = entityOf(PointGeom{{3, 4, 5}});
  expectPoint(closest(point, {0, 0}, true), {3, 4, 5});
}

// A long polyline is measured near the pick only (runs of segments far
// away are passed over): its nearest point is the first segment's nearest
// of all, and a window crosses it when it crosses one of its segments.
TEST_F(GeomCurveTest, LongPolylinesAsTheirSegmentsOneByOne) {
  const double bulges[] = {0.0, 0.3, -0.8, 1.5, -2.5, 1.0, 0.0};
  std::vector<PolyVertex> zigzag;
  for (int i = 0; i <= 150; ++i) {
    zigzag.push_back({i * 0.7, (i % 3) * 0.4, bulges[i % 7]});
    if (i % 40 == 5) zigzag.push_back(zigzag.back());  // a segment without length
  }
  for (bool closed : {false, true}) {
    const EntityRecord path = polylineOf(zigzag, closed);
    const size_t n = zigzag.size(), segments = closed ? n : n - 1;
    for (double x = -1.0; x < 110.0; x += 0.37) {
      const Point3 at{x, std::fmod(x * 1.3, 2.0) - 0.5 + (closed ? 3.0 : 0.0), 0.0};
      Point3 best;
      double bestDistance = HUGE_VAL;
      bool anyCrosses = false;
      const double h = std::fmod(x, 0.5) + 0.01;
      for (size_t i = 0; i < segments; ++i) {
        const EntityRecord segment = polylineOf({zigzag[i], zigzag[(i + 1) % n]});
        Point3 p = closest(segment, at, false);
        if (std::hypot(p.x - at.x, p.y - at.y) < bestDistance)
          best = p, bestDistance = std::hypot(p.x - at.x, p.y - at.y);
        anyCrosses =
            anyCrosses || crossesWindow(host.drawing(), segment, {at.x - h, at.y - h}, {at.x + h, at.y + h});
      }
      expectPoint(closest(path, at, false), best);
      EXPECT_EQ(crossesWindow(host.drawing(), path, {at.x - h, at.y - h}, {at.x + h, at.y + h}), anyCrosses)
          << x;
      EXPECT_TRUE(crossesWindow(host.drawing(), path, {best.x - 0.01, best.y - 0.01},
                                {best.x + 0.01, best.y + 0.01}));
    }
  }
  EXPECT_FALSE(crossesWindow(host.drawing(), polylineOf(zigzag), {10.0, 5.0}, {11.0, 6.0}));
}

// A bulge far below any drawing's precision is a straight segment: as an
// arc its centre would lie about 1e17 away and its points nowhere near.
TEST_F(GeomCurveTest, AlmostZeroBulgesAreStraight) {
  for (double bulge : {1e-17, -1e-12, 1e-9}) {
    const EntityRecord flat = polylineOf({{0, 0, bulge}, {10, 0}});
    expectPoint(closest(flat, {3, 2}, false), {3, 0, 0});
    expectPoint(closest(flat, {3, 0}, false), {3, 0, 0});
    expectPoints(intersect(flat, lineOf({4, -1}, {4, 1}), 0), {{4, 0, 0}});
  }
}

// Arcs as other programs write them, from -10 to 10 or from 350 to 370
// degrees, are the arc from 350 to 10.
TEST_F(GeomCurveTest, ArcAnglesOutsideOneTurn) {
  for (auto [from, to] : {std::pair{-10.0, 10.0}, std::pair{350.0, 370.0}, std::pair{-370.0, -350.0}}) {
    const EntityRecord arc = arcOf({0, 0}, 10, from, to);
    expectPoint(closest(arc, {20, 0}, false), {10, 0, 0});
    expectPoint(closest(arc, {-20, 5}, false), {10 * std::cos(rad(10)), 10 * std::sin(rad(10)), 0});
    expectPoints(intersect(arc, lineOf({0, 0}, {20, 0}), 0), {{10, 0, 0}});
    EXPECT_TRUE(intersect(arc, lineOf({-20, 0}, {0, 0}), 0).empty());
  }
}

TEST_F(GeomCurveTest, NonCurvesAreRefused) {
  const EntityRecord line = lineOf({0, 0}, {1, 1});
  std::vector<Point3> points{{1, 1, 1}};
  Point3 p;
  for (const EntityRecord& other : {textOf("A", {0, 0}, 1, 0), entityOf(InsertGeom{}), polylineOf({})}) {
    EXPECT_EQ(host.getClosestPointTo(other, {0, 0}, true, p), RTERROR);
    EXPECT_EQ(host.intersectWith(other, line, 0, points), RTERROR);
    EXPECT_EQ(host.intersectWith(line, other, 3, points), RTERROR);
  }
}

TEST_F(GeomCurveTest, DegenerateCurvesNeverFail) {
  // A polyline of one repeated vertex is a point; a line of no length too.
  const EntityRecord dot = polylineOf({{1, 1}, {1, 1}});
  expectPoint(closest(dot, {5, 5}, true), {1, 1, 0});
  expectPoints(intersect(dot, lineOf({0, 0}, {2, 2}), 3), {{1, 1, 0}});
  EXPECT_TRUE(intersect(lineOf({3, 3}, {3, 3}), lineOf({0, 0}, {1, 0}), 3).empty());
  expectPoint(closest(circleOf({2, 2}, 0), {0, 0}, false), {2, 2, 0});
  // Not-a-number input gives some answer rather than a hang or a crash.
  const double nan = std::nan("");
  Point3 p;
  EXPECT_EQ(host.getClosestPointTo(arcOf({nan, 0}, nan, 0, 90), {0, 0}, true, p), RTNORM);
  std::vector<Point3> points;
  EXPECT_EQ(host.intersectWith(polylineOf({{0, 0, nan}, {1, nan}}), circleOf({0, 0}, 1), 3, points), RTNORM);
}

}  // namespace
}  // namespace optgrind::standalone::test
