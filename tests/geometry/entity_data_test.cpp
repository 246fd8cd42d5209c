// Classification, reading and writing of entities and polyline segments.
#include <gtest/gtest.h>

#include "geometry/drawing_fixture.h"
#include "geometry/entity_data.h"
#include "geometry/tags.h"

namespace optgrind::testing {
namespace {

using EntityDataTest = DrawingTest;

// The classes matched by pattern (dimensions, hatches, leaders) and the
// nuvex path, which only its tag tells from a polyline.
TEST_F(EntityDataTest, ClassifiesByType) {
  EXPECT_EQ(classifyEntity(host, add(DimensionGeom{})), kKindDimension);
  EXPECT_EQ(classifyEntity(host, add(HatchGeom{})), kKindHatch);
  EXPECT_EQ(classifyEntity(host, add(LeaderGeom{})), kKindLeader);
  EXPECT_EQ(classifyEntity(host, addSquare()), kKindPolyline);
  EXPECT_EQ(classifyEntity(host, EntityRef{}), kKindUnknown);
  // A segment reference keeps the kind it carries.
  EXPECT_EQ(classifyEntity(host, segmentRef(addSquare(), 1, kKindArc)), kKindArc);
  EntityRef tagged = addSquare();
  addTag(host, tagged, "nuvex", "1");
  EXPECT_EQ(classifyEntity(host, tagged), kKindNuvexPolyline);
}

TEST_F(EntityDataTest, PolylineSegments) {
  EntityRef closed = addPolyline({{0, 0, 0}, {10, 0, -1}, {10, 10, 0}}, true);
  EntityData last = readEntityData(host, segmentRef(closed, 2, kKindLine));
  EXPECT_EQ(last.flags & kFlagClosed, kFlagClosed);
  expectPoint(last.startPoint, 10, 10);
  expectPoint(last.endPoint, 0, 0);
  EntityData curved = readEntityData(host, segmentRef(closed, 1, kKindArc));
  EXPECT_NEAR(curved.sweep, -kPi, 1e-12);
  expectPoint(curved.centre, 10, 5, 1e-9);
  EXPECT_NEAR(curved.radius, 5, 1e-9);
  EXPECT_NEAR(curved.startAngle, 3 * kPi / 2, 1e-9);
  EXPECT_NEAR(curved.endAngle, kPi / 2, 1e-9);

  EntityRef open = addPolyline({{0, 0, 0}, {10, 0, 0}, {10, 10, 0}}, false);
  EntityData none = readEntityData(host, segmentRef(open, 2, kKindLine));
  EXPECT_EQ(none.startPoint.set, 0);
  EXPECT_EQ(none.flags, 0);
}

TEST_F(EntityDataTest, ArcsReadCounterClockwiseSweepRoundedAngles) {
  setVar("LUPREC", 4);
  EntityRef arc = addArc(1, 1, 2, 350, 10);
  EntityData data = readEntityData(host, arc);
  EXPECT_NEAR(data.sweep, radiansFromDegrees(20), 1e-6);
  expectPoint(data.startPoint, 1 + 2 * std::cos(radiansFromDegrees(350)),
              1 + 2 * std::sin(radiansFromDegrees(350)));
  EXPECT_EQ(data.colorIndex, kColorByLayer);
  EXPECT_EQ(data.linetypeId, kLinetypeByLayer);

  // Written back unchanged, the arc keeps its own angles exactly.
  ArcGeom before = *record(arc).as<ArcGeom>();
  before.startAngle = radiansFromDegrees(350.000049);
  EntityRecord exact = record(arc);
  exact.geom = before;
  ASSERT_EQ(host.acdbEntMod(arc.name, exact), RTNORM);
  ASSERT_EQ(writeEntityData(host, arc, readEntityData(host, arc)), RTNORM);
  EXPECT_DOUBLE_EQ(record(arc).as<ArcGeom>()->startAngle, before.startAngle);

  // A moved end point turns the end angle about the centre.
  EntityData moved = readEntityData(host, arc);
  moved.endPoint = makePoint(1, 3);
  ASSERT_EQ(writeEntityData(host, arc, moved), RTNORM);
  EXPECT_NEAR(record(arc).as<ArcGeom>()->endAngle, kPi / 2, 1e-12);
}

TEST_F(EntityDataTest, DimensionTextAndTextRoom) {
  DimensionGeom dim;
  dim.measurement = 25.4;
  EntityRef plain = add(dim);
  EXPECT_EQ(readEntityData(host, plain).dimText, "25.40000");
  dim.text = "R25.40000 max";
  EXPECT_EQ(readEntityData(host, add(dim)).dimText, "R25.40000 max");
  dim.text = "about 25";
  EXPECT_EQ(readEntityData(host, add(dim)).dimText, "25.40000");

  TextGeom text;
  text.text = std::string(200, 'x');
  text.height = 2;
  text.widthFactor = 0.5;
  EntityData read = readEntityData(host, add(text));
  EXPECT_EQ(read.text.size(), kTextRoom);
  EXPECT_DOUBLE_EQ(read.textWidth, 2 * 0.5 * 127);
}

TEST_F(EntityDataTest, WritesThroughLockedLayersAndRestoresThem) {
  int cutId = addLayer("CUT", 3);
  int lockedId = addLayer("LOCKED", 7, false, true);
  EntityRef line = addLine(0, 0, 10, 0, "LOCKED");
  EntityData data = readEntityData(host, line);
  EXPECT_EQ(data.layerId, lockedId);
  data.layerId = cutId;
  data.endPoint = makePoint(20, 0);
  ASSERT_EQ(writeEntityData(host, line, data), RTNORM);
  EntityRecord written = record(line);
  EXPECT_EQ(written.layer, "CUT");
  EXPECT_EQ(written.linetype, "Continuous");  // the layer's, written out
  EXPECT_EQ(written.as<LineGeom>()->end.x, 20);
  for (const LayerRecord& layer : host.layers()) EXPECT_EQ(layer.locked, layer.name == "LOCKED");
}

TEST_F(EntityDataTest, WritesPolylineSegments) {
  EntityRef poly = addPolyline({{0, 0, 0}, {10, 0, 1}, {20, 0, 0}}, false);
  EntityData straight = readEntityData(host, segmentRef(poly, 0, kKindLine));
  straight.startPoint = makePoint(-5, 0);
  straight.endPoint = makePoint(11, 0);
  ASSERT_EQ(writeEntityData(host, segmentRef(poly, 0, kKindLine), straight), RTNORM);
  // The curved segment moves only the vertex that differs and keeps its bulge.
  EntityData curved = readEntityData(host, segmentRef(poly, 1, kKindArc));
  curved.endPoint = makePoint(21, 0);
  ASSERT_EQ(writeEntityData(host, segmentRef(poly, 1, kKindArc), curved), RTNORM);
  expectVertices(polyline(poly), {{-5, 0, 0}, {11, 0, 1}, {21, 0, 0}});
}

TEST_F(EntityDataTest, ElementRecordsNeedTheirKind) {
  EntityRef line = addLine(1, 2, 3, 4);
  EXPECT_EQ(lineFromRef(host, line).valid, 0);
  line.kind = kKindLine;
  LineRec rec = lineFromRef(host, line);
  EXPECT_EQ(rec.valid, 1);
  expectPoint(rec.end, 3, 4);
  EntityRef circle = addCircle(5, 5, 2);
  circle.kind = kKindCircle;
  EXPECT_EQ(circleFromRef(host, circle).radius, 2);
  EXPECT_EQ(arcFromRef(host, circle).valid, 0);
}

}  // namespace
}  // namespace optgrind::testing
