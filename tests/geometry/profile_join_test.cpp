// Reversing polylines, joining entities with the host's PEDIT and keeping
// the picked element's direction, and copies of entities and segments.
#include <gtest/gtest.h>

#include "geometry/drawing_fixture.h"
#include "geometry/drawing_vars.h"
#include "geometry/entity_copy.h"
#include "geometry/entity_data.h"
#include "geometry/profile_join.h"

namespace optgrind::testing {
namespace {

using JoinTest = DrawingTest;

std::vector<double> bulges(const PolylineGeom& p) {
  std::vector<double> out;
  for (const PolyVertex& v : p.vertices) out.push_back(v.bulge);
  return out;
}

TEST_F(JoinTest, ReverseOpenPolyline) {
  EntityRef open = addPolyline({{0, 0, 0.5}, {10, 0, 0}, {20, 5, 0.7}}, false);
  EXPECT_EQ(reverse(host, open), open);
  PolylineGeom reversed = polyline(open);
  EXPECT_EQ(bulges(reversed), (std::vector<double>{0, -0.5, 0}));
  EXPECT_EQ(reversed.vertices[0].x, 20);
  EXPECT_EQ(reversed.vertices[2].x, 0);
  // A segment reference is left alone.
  reverse(host, segmentRef(open, 0, kKindLine));
  EXPECT_EQ(polyline(open).vertices[0].x, 20);
}

TEST_F(JoinTest, ReverseClosedPolylineKeepsTheFirstVertex) {
  EntityRef closed = addPolyline({{0, 0, 0.1}, {10, 0, 0.2}, {10, 10, 0.3}, {0, 10, 0.4}}, true);
  reverse(host, closed);
  PolylineGeom reversed = polyline(closed);
  std::vector<std::pair<double, double>> corners = {{0, 0}, {0, 10}, {10, 10}, {10, 0}};
  for (size_t i = 0; i < corners.size(); ++i) {
    EXPECT_EQ(reversed.vertices[i].x, corners[i].first);
    EXPECT_EQ(reversed.vertices[i].y, corners[i].second);
  }
  EXPECT_EQ(bulges(reversed), (std::vector<double>{-0.4, -0.3, -0.2, -0.1}));
  EXPECT_TRUE(reversed.closed);
}

// Needs the host's PEDIT join.
TEST_F(JoinTest, JoinKeepsThePickedLinesDirection) {
  EntityRef picked = addLine(0, 0, 10, 0);
  EntityRef b = addLine(10, 0, 10, 10), c = addLine(10, 10, 0, 10);
  picked.kind = kKindLine;
  EntityRef joined = join(host, picked, {b, c});
  ASSERT_EQ(joined.valid, 1);
  PolylineGeom p = polyline(joined);
  ASSERT_EQ(p.vertices.size(), 4u);
  EXPECT_EQ(p.vertices[0].x, 0);
  EXPECT_EQ(p.vertices[1].x, 10);
  EXPECT_EQ(p.vertices[1].y, 0);
}

TEST_F(JoinTest, JoinReversesWhenThePickedLineRunsTheOtherWay) {
  EntityRef a = addLine(0, 10, 10, 10);
  EntityRef picked = addLine(20, 10, 10, 10);
  picked.kind = kKindLine;
  EntityRef joined = join(host, picked, {a});
  ASSERT_EQ(joined.valid, 1);
  PolylineGeom p = polyline(joined);
  ASSERT_EQ(p.vertices.size(), 3u);
  EXPECT_EQ(p.vertices[0].x, 20);
  EXPECT_EQ(p.vertices[2].x, 0);
}

// The host refuses the picked line on a locked layer and makes no
// polyline: the drawing's last entity is some other polyline, which the
// join must neither return nor turn round.
TEST_F(JoinTest, AFailedJoinReturnsNothing) {
  LayerRecord locked;
  locked.name = "LOCKED";
  int id = -1;
  ASSERT_EQ(host.addLayer(locked, id), RTNORM);
  EntityRef picked = addLine(0, 0, 10, 0, "LOCKED");
  EntityRef next = addLine(10, 0, 10, 10);
  EntityRef unrelated = addPolyline({{50, 50, 0}, {60, 50, 0.3}, {60, 60, 0}}, false);
  locked = LayerRecord{};
  for (const LayerRecord& layer : host.layers()) {
    if (layer.name == "LOCKED") locked = layer;
  }
  locked.locked = true;
  ASSERT_EQ(host.setLayer(locked), RTNORM);
  PolylineGeom before = polyline(unrelated);
  picked.kind = kKindLine;
  EXPECT_EQ(join(host, picked, {next}).valid, 0);
  EXPECT_EQ(polyline(unrelated).vertices, before.vertices);
  EXPECT_NE(record(next).as<LineGeom>(), nullptr);
}

TEST_F(JoinTest, CopiesKeepTheSourceUnlessUseEmode) {
  LayerRecord cut;
  cut.name = "CUT";
  int id = -1;
  ASSERT_EQ(host.addLayer(cut, id), RTNORM);
  EntityRef poly = addPolyline({{0, 0, 0}, {10, 0, -1}, {20, 0, 0}}, false, "CUT");
  EntityRef arc = copy(host, segmentRef(poly, 1, kKindArc));
  ASSERT_EQ(arc.valid, 1);
  EXPECT_EQ(arc.kind, kKindArc);
  EntityRecord made = record(arc);
  EXPECT_EQ(made.layer, "CUT");
  const ArcGeom& geom = *made.as<ArcGeom>();
  EXPECT_NEAR(geom.center.x, 15, 1e-9);
  // Exchanged: the clockwise segment above the chord becomes a counter-clockwise arc.
  EXPECT_NEAR(geom.startAngle, 0, 1e-9);
  EXPECT_NEAR(geom.endAngle, kPi, 1e-9);

  ASSERT_EQ(setDrawingVar(host, "use_emode", 1), RTNORM);
  EXPECT_TRUE(drawingVarExists(host, "USE_EMODE"));
  EntityRefList copies = copyAll(host, {poly, emptyListEntry(), segmentRef(poly, 0, kKindLine)});
  ASSERT_EQ(copies.size(), 2u);
  EXPECT_EQ(record(copies[0]).layer, "0");
  EXPECT_EQ(polyline(copies[0]).vertices.size(), 3u);
  EXPECT_EQ(copies[1].kind, kKindLine);

  EXPECT_EQ(addDrawingVarIfAbsent(host, "USE_EMODE", 0), RTNORM);
  int value = 0;
  ASSERT_TRUE(getDrawingVar(host, "Use_Emode", value));
  EXPECT_EQ(value, 1);
  EXPECT_EQ(removeDrawingVar(host, "USE_EMODE"), RTNORM);
  EXPECT_FALSE(drawingVarExists(host, "USE_EMODE"));
}

}  // namespace
}  // namespace optgrind::testing
