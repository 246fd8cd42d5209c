// The geometry of lead-ins, approaches and over-cuts, and the element
// numbers of the lifts along a stored path.
#include "pathdef/extra_elements.h"

#include <gtest/gtest.h>

#include <cmath>

#include "geometry/primitives.h"
#include "pathdef/path_store.h"

namespace optgrind {
namespace {

constexpr double kTol = 1e-9;

ElementGeom lineEl(double x1, double y1, double x2, double y2) {
  ElementGeom el;
  el.b = makePoint(x1, y1);
  el.e = makePoint(x2, y2);
  el.valid = 1;
  return el;
}

// A counter-clockwise quarter arc about the origin from 0 to 90 degrees.
ElementGeom quarterArc(double r) {
  ElementGeom el = lineEl(r, 0, 0, r);
  el.isArc = 1;
  el.k = makePoint(0, 0);
  el.radius = r;
  el.sweep = kPi / 2;
  return el;
}

SideRules rulesOf(double referenceX, double v81 = 0, int linearApproach = 0) {
  return SideRules{referenceX, v81, linearApproach};
}

ElementGeom steepRise() {
  return lineEl(50, 0, 50 + std::cos(radiansFromDegrees(80)), std::sin(radiansFromDegrees(80)));
}

constexpr double kAny = HUGE_VAL;

// Straight elements and their ends; kAny leaves a coordinate unchecked. The
// plainest cases (a lead-in on a line, an over-cut along a line or past an
// open end) are pinned by the stored paths of the jobs.
struct Case {
  const char* what;
  ExtraElement got;
  int valid;
  double fromX, fromY, toX, toY;
};

TEST(ExtraElements, StraightLeadInsApproachesAndOverCutsEndWhereTheRulesSay) {
  const ElementGeom none;
  const Case cases[] = {
      {"lead-in to a vertical element from the start side",
       entryLeadIn(lineEl(0, 0, 0, 10), makePoint(0, 0), 5, 5, 0), 1, 5, -5, kAny, kAny},
      {"downward approach from the start side",
       approachElement(lineEl(0, 40, 0, 0), makePoint(0, 30), 5, rulesOf(30)), 1, 5, 30, 0, 30},
      {"negative approach", approachElement(lineEl(60, 40, 60, 0), makePoint(60, 30), -5, rulesOf(30)), 1, 55,
       30, kAny, kAny},
      {"linear approach on an arc's quarter point, from +X",
       approachElement(quarterArc(10), makePoint(0, 10), 4, rulesOf(0, 0, 1)), 1, 4, 10, kAny, kAny},
      {"over-cut dropped by post variable 81",
       overCutElement(lineEl(0, 0, 10, 0), none, makePoint(5, 0), 2, 15, rulesOf(0, -1)), 1, kAny, kAny, 7,
       -1},
      {"steep rise right of the start: horizontally outwards",
       overCutElement(lineEl(40, 0, 50, 0), steepRise(), makePoint(50, 0), 2, 15, rulesOf(10)), 1, kAny, kAny,
       52, 0},
      {"shallower rise than 90 - A follows the next element",
       overCutElement(lineEl(40, 0, 50, 0), lineEl(50, 0, 60, 10), makePoint(50, 0), 2, 15, rulesOf(10)), 1,
       kAny, kAny, 50 + std::sqrt(2.0), std::sqrt(2.0)},
      {"open end, start beyond",
       overCutElement(lineEl(30, 10, 30, 30), none, makePoint(30, 30), 5, 15, rulesOf(40)), 1, kAny, kAny, 25,
       30},
      {"negative at a vertex is none",
       overCutElement(lineEl(30, 10, 30, 30), none, makePoint(30, 30), -5, 15, rulesOf(5)), 0, kAny, kAny,
       kAny, kAny},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(c.got.valid, c.valid);
    if (c.valid == 1) {
      EXPECT_EQ(c.got.isArc, 0);
    }
    const double expected[] = {c.fromX, c.fromY, c.toX, c.toY};
    const double got[] = {c.got.from.x, c.got.from.y, c.got.to.x, c.got.to.y};
    for (int i = 0; i < 4; ++i) {
      if (expected[i] != kAny) {
        EXPECT_NEAR(got[i], expected[i], kTol) << i;
      }
    }
  }
}

TEST(ExtraElements, ArcLeadInRunsBackAlongTheCircleAndOutwards) {
  ExtraElement x = entryLeadIn(quarterArc(10), makePoint(10, 0), 5, 5, 10);
  ASSERT_EQ(x.isArc, 1);
  EXPECT_NEAR(distance(makePoint(10, 0), x.to), 0, kTol);
  // Half a radian back, pushed out by Approach_Y; the middle half as far,
  // in the same direction.
  EXPECT_NEAR(distance(makePoint(0, 0), x.from), 15, kTol);
  EXPECT_NEAR(angleRad(makePoint(0, 0), x.from), 2 * kPi - 0.5, kTol);
  EXPECT_NEAR(distance(polarRad(makePoint(0, 0), -0.25, 10), x.mid), 2.5, kTol);
  // Longer than the element: six tenths of it.
  x = entryLeadIn(quarterArc(10), makePoint(10, 0), 100, 0, 10);
  EXPECT_NEAR(angleRad(makePoint(0, 0), x.from), 2 * kPi - 0.6 * kPi / 2, kTol);
}

TEST(LiftNumbers, EachLiftFollowsItsPieceAndTheMovesBefore) {
  EXPECT_EQ(liftElementNumbers({5}), (std::vector<int>{6}));
  EXPECT_EQ(liftElementNumbers({5, 4}), (std::vector<int>{6, 13}));
  EXPECT_EQ(liftElementNumbers({1, 1, 1}), (std::vector<int>{2, 6, 10}));
}

}  // namespace
}  // namespace optgrind
