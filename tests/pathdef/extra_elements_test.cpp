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

void expectPoint(const PointRec& p, double x, double y) {
  EXPECT_NEAR(p.x, x, kTol);
  EXPECT_NEAR(p.y, y, kTol);
}

TEST(EntryLeadIn, StraightComesFromBehindAndBelowTheStart) {
  ExtraElement x = entryLeadIn(lineEl(30, 0, 60, 0), makePoint(30, 0), 5, 5, 30);
  ASSERT_EQ(x.valid, 1);
  EXPECT_EQ(x.isArc, 0);
  expectPoint(x.from, 25, -5);
  expectPoint(x.to, 30, 0);
  // A vertical first element takes the side of the start: left of it.
  x = entryLeadIn(lineEl(0, 0, 0, 10), makePoint(0, 0), 5, 5, 0);
  expectPoint(x.from, 5, -5);
}

TEST(EntryLeadIn, ArcRunsBackAlongTheCircleAndOutwards) {
  ExtraElement x = entryLeadIn(quarterArc(10), makePoint(10, 0), 5, 5, 10);
  ASSERT_EQ(x.isArc, 1);
  expectPoint(x.to, 10, 0);
  // Half a radian back, pushed out by Approach_Y; the middle half as far,
  // in the same direction.
  EXPECT_NEAR(distance(makePoint(0, 0), x.from), 15, kTol);
  EXPECT_NEAR(angleRad(makePoint(0, 0), x.from), 2 * kPi - 0.5, kTol);
  EXPECT_NEAR(distance(polarRad(makePoint(0, 0), -0.25, 10), x.mid), 2.5, kTol);
  // Longer than the element: six tenths of it.
  x = entryLeadIn(quarterArc(10), makePoint(10, 0), 100, 0, 10);
  EXPECT_NEAR(angleRad(makePoint(0, 0), x.from), 2 * kPi - 0.6 * kPi / 2, kTol);
}

TEST(Approach, DownwardElementComesHorizontallyFromTheStartSide) {
  SideRules rules;
  rules.referenceX = 30;
  ExtraElement x = approachElement(lineEl(0, 40, 0, 0), makePoint(0, 30), 5, rules);
  expectPoint(x.from, 5, 30);
  expectPoint(x.to, 0, 30);
  x = approachElement(lineEl(60, 40, 60, 0), makePoint(60, 30), -5, rules);
  expectPoint(x.from, 55, 30);
}

TEST(Approach, LinearApproachOnAnArcAtAQuarterPointIsHorizontalAndNeverAbove) {
  SideRules rules;
  rules.linearApproach = 1;
  ElementGeom arc = quarterArc(10);
  ExtraElement x = approachElement(arc, makePoint(0, 10), 4, rules);
  EXPECT_EQ(x.isArc, 0);
  expectPoint(x.from, 4, 10);  // E.x below B.x: from +X
}

TEST(OverCut, InsideALineRunsOnAndANegativeOffsetDropsIt) {
  SideRules rules;
  ExtraElement x = overCutElement(lineEl(0, 0, 10, 0), ElementGeom{}, makePoint(5, 0), 2, 15, rules);
  expectPoint(x.from, 5, 0);
  expectPoint(x.to, 7, 0);
  rules.v81 = -1;
  x = overCutElement(lineEl(0, 0, 10, 0), ElementGeom{}, makePoint(5, 0), 2, 15, rules);
  expectPoint(x.to, 7, -1);
}

TEST(OverCut, AtAVertexSteepRiseRightOfTheStartGoesHorizontallyOutwards) {
  SideRules rules;
  rules.referenceX = 10;
  ElementGeom next = lineEl(50, 0, 50 + std::cos(radiansFromDegrees(80)), std::sin(radiansFromDegrees(80)));
  ExtraElement x = overCutElement(lineEl(40, 0, 50, 0), next, makePoint(50, 0), 2, 15, rules);
  expectPoint(x.to, 52, 0);
  // A shallower rise than 90 - A follows the next element.
  ElementGeom shallow = lineEl(50, 0, 60, 10);
  x = overCutElement(lineEl(40, 0, 50, 0), shallow, makePoint(50, 0), 2, 15, rules);
  expectPoint(x.to, 50 + std::sqrt(2.0), std::sqrt(2.0));
}

TEST(OverCut, EndOfAnOpenProfileIsHorizontalAwayFromTheStartAndNegativeAtAVertexIsNone) {
  SideRules rules;
  rules.referenceX = 5;
  ExtraElement x = overCutElement(lineEl(30, 10, 30, 30), ElementGeom{}, makePoint(30, 30), 5, 15, rules);
  expectPoint(x.to, 35, 30);
  rules.referenceX = 40;
  x = overCutElement(lineEl(30, 10, 30, 30), ElementGeom{}, makePoint(30, 30), 5, 15, rules);
  expectPoint(x.to, 25, 30);
  x = overCutElement(lineEl(30, 10, 30, 30), ElementGeom{}, makePoint(30, 30), -5, 15, rules);
  EXPECT_EQ(x.valid, 0);
}

TEST(LiftNumbers, EachLiftFollowsItsPieceAndTheMovesBefore) {
  EXPECT_EQ(liftElementNumbers({5}), (std::vector<int>{6}));
  EXPECT_EQ(liftElementNumbers({5, 4}), (std::vector<int>{6, 13}));
  EXPECT_EQ(liftElementNumbers({1, 1, 1}), (std::vector<int>{2, 6, 10}));
}

}  // namespace
}  // namespace optgrind
