// Joining entities with the host's PEDIT and keeping
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

// The joined polyline runs the way the picked line runs (the host's PEDIT
// may have turned it round).
TEST_F(JoinTest, JoinKeepsThePickedLinesDirection) {
  for (double from : {0.0, 20.0}) {
    EntityRef picked = addLine(from, 10, 10, 10);
    EntityRef other = addLine(from == 0 ? 20 : 0, 10, 10, 10);
    picked.kind = kKindLine;
    EntityRef joined = join(host, picked, {other});
    ASSERT_EQ(joined.valid, 1);
    PolylineGeom p = polyline(joined);
    ASSERT_EQ(p.vertices.size(), 3u);
    EXPECT_EQ(std::make_pair(p.vertices[0].x, p.vertices[2].x), std::make_pair(from, 20 - from));
    host.acdbEntDel(joined.name);
  }
}

// The host refuses the picked line on a locked layer and makes no
// polyline: the drawing's last entity is some other polyline, which the
// join must neither return nor turn round.
TEST_F(JoinTest, AFailedJoinReturnsNothing) {
  addLayer("LOCKED");
  EntityRef picked = addLine(0, 0, 10, 0, "LOCKED");
  EntityRef next = addLine(10, 0, 10, 10);
  EntityRef unrelated = addPolyline({{50, 50, 0}, {60, 50, 0.3}, {60, 60, 0}}, false);
  LayerRecord locked = host.layers().back();
  locked.locked = true;
  ASSERT_EQ(host.setLayer(locked), RTNORM);
  PolylineGeom before = polyline(unrelated);
  picked.kind = kKindLine;
  EXPECT_EQ(join(host, picked, {next}).valid, 0);
  EXPECT_EQ(polyline(unrelated).vertices, before.vertices);
  EXPECT_NE(record(next).as<LineGeom>(), nullptr);
}

TEST_F(JoinTest, CopiesKeepTheSourceUnlessUseEmode) {
  addLayer("CUT");
  EntityRef poly = addPolyline({{0, 0, 0}, {10, 0, -1}, {20, 0, 0}}, false, "CUT");
  EntityRef arc = copy(host, segmentRef(poly, 1, kKindArc));
  ASSERT_EQ(std::pair(arc.valid, arc.kind), std::pair(1, kKindArc));
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
  EXPECT_EQ(std::make_tuple(record(copies[0]).layer, polyline(copies[0]).vertices.size(), copies[1].kind),
            std::make_tuple("0", 3u, kKindLine));

  EXPECT_EQ(addDrawingVarIfAbsent(host, "USE_EMODE", 0), RTNORM);
  int value = 0;
  ASSERT_TRUE(getDrawingVar(host, "Use_Emode", value));
  EXPECT_EQ(value, 1);
  EXPECT_EQ(removeDrawingVar(host, "USE_EMODE"), RTNORM);
  EXPECT_FALSE(drawingVarExists(host, "USE_EMODE"));
}

}  // namespace
}  // namespace optgrind::testing
