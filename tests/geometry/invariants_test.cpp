// Properties that hold for every profile rather than for one worked
// example: reversing twice, breaking and joining again, intersections and
// located points lying on their curves.
#include <gtest/gtest.h>

#include <random>

#include "geometry/arcs.h"
#include "geometry/drawing_fixture.h"
#include "geometry/intersect.h"
#include "geometry/profile_break.h"
#include "geometry/profile_join.h"

namespace optgrind::testing {
namespace {

using InvariantsTest = DrawingTest;

// A split curved segment gets its bulges from angles rounded to the
// drawing's precision (4 decimals of a degree), so lengths move this much.
constexpr double kSplitLengthTolerance = 1e-4;

using Vertices = std::vector<std::array<double, 3>>;

// Open and closed profiles with straight and curved segments of both
// turning directions, some of them crossing the angle 0 about their centre.
const std::vector<std::pair<Vertices, bool>> kProfiles = {
    {{{0, 0, 0}, {10, 0, 0.5}, {20, 5, 0}, {25, 15, -0.3}, {30, 15, 0}}, false},
    {{{10, 0, -1}, {0, 0, 0}, {0, -10, 1}, {10, -10, 0}}, false},
    {{{0, 0, 0.2}, {10, 0, 0}, {10, 10, -0.7}, {0, 10, 0}}, true},
    {{{5, 0, 1}, {-5, 0, 1}}, true},
};

// The length of segment i: its chord, or its arc for a bulge.
double segmentLength(const PolylineGeom& p, size_t i) {
  const PolyVertex& a = p.vertices[i];
  const PolyVertex& b = p.vertices[(i + 1) % p.vertices.size()];
  double chord = std::hypot(b.x - a.x, b.y - a.y);
  if (isStraightBulge(a.bulge)) return chord;
  double included = 4.0 * std::atan(std::fabs(a.bulge));
  return chord / (2.0 * std::sin(included / 2.0)) * included;
}

size_t segmentCount(const PolylineGeom& p) { return p.closed ? p.vertices.size() : p.vertices.size() - 1; }

double length(const PolylineGeom& p) {
  double total = 0.0;
  for (size_t i = 0; i < segmentCount(p); ++i) total += segmentLength(p, i);
  return total;
}

// The point at fraction t along segment i.
PointRec pointOnSegment(const PolylineGeom& p, size_t i, double t) {
  const PolyVertex& a = p.vertices[i];
  const PolyVertex& b = p.vertices[(i + 1) % p.vertices.size()];
  if (isStraightBulge(a.bulge)) return makePoint(a.x + t * (b.x - a.x), a.y + t * (b.y - a.y));
  PointRec centre;
  double radius = 0.0;
  arcFromBulge(makePoint(a.x, a.y), makePoint(b.x, b.y), a.bulge, centre, radius);
  double sweep = 4.0 * std::atan(a.bulge);
  return polarRad(centre, angleRad(centre, makePoint(a.x, a.y)) + t * sweep, radius);
}

// How far p lies from segment i itself (not its line or circle).
double offSegment(const PolylineGeom& p, size_t i, const PointRec& q) {
  const PolyVertex& a = p.vertices[i];
  const PolyVertex& b = p.vertices[(i + 1) % p.vertices.size()];
  return std::fabs(
      signedDistanceToArc(makePoint(a.x, a.y), makePoint(b.x, b.y), 4.0 * std::atan(a.bulge), q));
}

// Reversed, segment i runs as segment n-1-i ran, backwards (a closed
// polyline keeps its first vertex); reversed again, it is as it was.
TEST_F(InvariantsTest, ReversingRunsBackwardAndTwiceGivesTheSamePolyline) {
  for (const auto& [vertices, closed] : kProfiles) {
    EntityRef ref = addPolyline(vertices, closed);
    PolylineGeom before = polyline(ref);
    EXPECT_EQ(reverse(host, ref), ref);
    PolylineGeom once = polyline(ref);
    size_t segments = segmentCount(before);
    ASSERT_EQ(segmentCount(once), segments);
    EXPECT_EQ(once.closed, closed);
    for (size_t i = 0; i < segments; ++i) {
      for (double t : {0.0, 0.3, 0.5}) {
        PointRec reversed = pointOnSegment(once, i, t),
                 original = pointOnSegment(before, segments - 1 - i, 1 - t);
        EXPECT_NEAR(distance(reversed, original), 0.0, 1e-9) << "segment " << i << " t " << t;
      }
    }
    reverse(host, ref);
    PolylineGeom twice = polyline(ref);
    ASSERT_EQ(twice.vertices.size(), before.vertices.size());
    for (size_t i = 0; i < before.vertices.size(); ++i) {
      EXPECT_EQ(std::pair(twice.vertices[i].x, twice.vertices[i].y),
                std::pair(before.vertices[i].x, before.vertices[i].y));
      // The last vertex of an open polyline carries no segment.
      if (closed || i + 1 < before.vertices.size()) {
        EXPECT_EQ(twice.vertices[i].bulge, before.vertices[i].bulge);
      }
    }
    // A segment reference is left alone.
    reverse(host, segmentRef(ref, 0, kKindLine));
    EXPECT_EQ(polyline(ref).vertices, before.vertices);
  }
}

TEST_F(InvariantsTest, LocatedPointsLieOnTheSegmentFound) {
  std::mt19937 random(7);
  std::uniform_real_distribution<double> along(0.0, 1.0);
  for (const auto& [vertices, closed] : kProfiles) {
    EntityRef ref = addPolyline(vertices, closed);
    PolylineGeom p = polyline(ref);
    for (size_t i = 0; i < segmentCount(p); ++i) {
      for (int k = 0; k < 20; ++k) {
        double t = k < 2 ? k : along(random);  // both ends, then inside
        PointRec q = pointOnSegment(p, i, t);
        PolylineLocation at = locateOnEntity(host, q, ref);
        ASSERT_NE(at.result, 0) << "segment " << i << " t " << t;
        // Within the locate's own tolerance: a point near a vertex may be
        // found on the arc before it, whose circle passes that close.
        EXPECT_LT(offSegment(p, static_cast<size_t>(at.segment), q), kOnArcRadiusTolerance)
            << "segment " << i << " t " << t << " found on " << at.segment;
        if (t > 0.01 && t < 0.99) {
          EXPECT_EQ(at.segment, static_cast<int>(i));
        }
      }
    }
  }
}

// Broken at a vertex or inside a segment, an open polyline leaves two pieces
// on its layer that meet there and joined again are the polyline; a closed
// one is opened in place to start and end there.
TEST_F(InvariantsTest, BreakThenJoinKeepsLengthAndEnds) {
  addLayer("CUT");
  std::mt19937 random(11);
  std::uniform_real_distribution<double> along(0.05, 0.95);
  for (const auto& [vertices, closed] : kProfiles) {
    for (int k = 0; k < 6; ++k) {
      EntityRef ref = addPolyline(vertices, closed, "CUT");
      PolylineGeom before = polyline(ref);
      size_t segment = static_cast<size_t>(k + 1) % segmentCount(before);  // first at vertex 1
      PointRec at = pointOnSegment(before, segment, k == 0 ? 0.0 : along(random));
      SCOPED_TRACE("segment " + std::to_string(segment) + " at " + std::to_string(at.x) + "," +
                   std::to_string(at.y));
      EntityRef rest = breakAtPoint(host, ref, at);
      ASSERT_EQ(rest.valid, 1);
      PolylineGeom first = polyline(ref), second = polyline(rest);
      // Every piece runs along the polyline as it was (a bulge of the wrong
      // sign keeps the length and the ends, not the way).
      EntityRef original = addPolyline(vertices, closed);
      for (const PolylineGeom* piece : {&first, &second}) {
        for (size_t i = 0; i < segmentCount(*piece); ++i) {
          EXPECT_NE(locateOnEntity(host, pointOnSegment(*piece, i, 0.5), original).result, 0)
              << "piece segment " << i;
        }
      }
      host.acdbEntDel(original.name);
      if (closed) {
        EXPECT_EQ(rest.name, ref.name);
        EXPECT_FALSE(first.closed);
        EXPECT_NEAR(length(first), length(before), kSplitLengthTolerance);
        EXPECT_NEAR(distance(makePoint(first.vertices.front().x, first.vertices.front().y), at), 0.0, 1e-9);
        EXPECT_NEAR(distance(makePoint(first.vertices.back().x, first.vertices.back().y), at), 0.0, 1e-9);
        continue;
      }
      EXPECT_EQ(record(rest).layer, "CUT");
      EXPECT_NEAR(length(first) + length(second), length(before), kSplitLengthTolerance);
      EXPECT_NEAR(distance(makePoint(first.vertices.back().x, first.vertices.back().y), at), 0.0, 1e-9);
      EXPECT_NEAR(distance(makePoint(second.vertices.front().x, second.vertices.front().y), at), 0.0, 1e-9);
      EntityRef joined = join(host, ref, {rest});
      ASSERT_EQ(joined.valid, 1);
      PolylineGeom after = polyline(joined);
      EXPECT_NEAR(length(after), length(before), kSplitLengthTolerance);
      EXPECT_EQ(std::pair(after.vertices.front().x, after.vertices.front().y),
                std::pair(before.vertices.front().x, before.vertices.front().y));
      EXPECT_NEAR(after.vertices.back().x, before.vertices.back().x, 1e-9);
      EXPECT_NEAR(after.vertices.back().y, before.vertices.back().y, 1e-9);
      host.acdbEntDel(joined.name);
    }
  }
}

TEST_F(InvariantsTest, IntersectionsLieOnBothCurves) {
  std::vector<EntityRef> curves = {
      addLine(-20, 3, 40, 7),    addLine(5, -20, 8, 30), addArc(0, 0, 10, -40, 130),
      addArc(12, 2, 6, 200, 20), addCircle(5, 5, 8),
  };
  for (const auto& [vertices, closed] : kProfiles) curves.push_back(addPolyline(vertices, closed));
  int found = 0;
  for (size_t i = 0; i < curves.size(); ++i) {
    for (size_t j = i + 1; j < curves.size(); ++j) {
      std::vector<PointRec> points;
      found += intersect(host, curves[i], curves[j], 0, points, 32);
      for (const PointRec& q : points) {
        EXPECT_NE(locateOnEntity(host, q, curves[i]).result, 0)
            << i << " x " << j << " at " << q.x << "," << q.y;
        EXPECT_NE(locateOnEntity(host, q, curves[j]).result, 0)
            << i << " x " << j << " at " << q.x << "," << q.y;
      }
    }
  }
  EXPECT_GT(found, 20);
}

}  // namespace
}  // namespace optgrind::testing
