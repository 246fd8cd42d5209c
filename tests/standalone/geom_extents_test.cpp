// Extents of entities, and window and crossing selection.
#include "standalone/model/geom.h"

#include "geom_test_shapes.h"

namespace optgrind::standalone::test {
namespace {

using GeomExtentsTest = GeomTest;

TEST_F(GeomExtentsTest, CurvesTakeTheAxisPointsTheirArcsPass) {
  // r 10 from 350 to 10 degrees passes 0 degrees, so x reaches 10; the
  // ends are (10 cos 10deg, -+10 sin 10deg) = (9.848, -+1.736).
  const double c = 10 * std::cos(rad(10));
  const double s = 10 * std::sin(rad(10));
  expectPoints(extents(arcOf({0, 0, 2}, 10, 350, 10)), {{c, -s, 2}, {10, s, 2}});
  // The rest of that circle passes 90, 180 and 270 degrees.
  expectPoints(extents(arcOf({0, 0}, 10, 10, 350)), {{-10, -10, 0}, {c, 10, 0}});
  // The same arc written from -10 or 350 to 370 degrees.
  expectPoints(extents(arcOf({0, 0, 2}, 10, -10, 10)), {{c, -s, 2}, {10, s, 2}});
  expectPoints(extents(arcOf({0, 0, 2}, 10, 350, 370)), {{c, -s, 2}, {10, s, 2}});

  // (0,0)-(2,0) with bulge 1 is the counter-clockwise half circle about
  // (1,0) below its chord (down to y = -1), then straight up to (2,3);
  // bulge -1 turns it over the top (up to y = 1). Widths count for nothing.
  EntityRecord poly = polylineOf({{0, 0, 1, 5, 5}, {2, 0}, {2, 3}});
  poly.as<PolylineGeom>()->elevation = 4;
  expectPoints(extents(poly), {{0, -1, 4}, {2, 3, 4}});
  expectPoints(extents(polylineOf({{0, 0, -1}, {2, 0}})), {{0, 0, 0}, {2, 1, 0}});
  // A quarter circle (bulge tan 22.5deg) over the same chord: centre (1,1),
  // r sqrt 2, sagging to y = 1 - sqrt 2 at 270 degrees.
  expectPoints(extents(polylineOf({{0, 0, std::tan(rad(22.5))}, {2, 0}})),
               {{0, 1 - std::sqrt(2.0), 0}, {2, 0, 0}});
}

TEST_F(GeomExtentsTest, TextByTheFontMetricAndAlignment) {
  // "AB" at height 2: 2 chars * 0.6 * 2 = 2.4 wide, 2 tall. Turned 90
  // degrees about (10,10) it covers x 8..10 and y 10..12.4.
  expectPoints(extents(textOf("AB", {10, 10, 1}, 2, 90)), {{8, 10, 1}, {10, 12.4, 1}});
  // Characters are code points: two-byte "Ä" is one.
  expectPoints(extents(textOf("\u00C4B", {0, 0}, 2, 0)), {{0, 0, 0}, {2.4, 2, 0}});

  auto aligned = [&](Point3 alignPoint, int hAlign, int vAlign) {
    TextGeom g{.position = {}, .alignPoint = alignPoint, .height = 2, .text = "AB"};
    g.hAlign = hAlign;
    g.vAlign = vAlign;
    return extents(entityOf(g));
  };
  // Other alignments hang from the alignment point: centre, middle.
  expectPoints(aligned({5, 5, 0}, 1, 2), {{3.8, 4, 0}, {6.2, 6, 0}});
  // Fit spans insertion to alignment point at its height; aligned scales
  // the height too: 2 * 6 / 2.4 = 5.
  expectPoints(aligned({6, 0, 0}, 5, 0), {{0, 0, 0}, {6, 2, 0}});
  expectPoints(aligned({6, 0, 0}, 3, 0), {{0, 0, 0}, {6, 5, 0}});
}

TEST_F(GeomExtentsTest, MultiLineTextByAttachment) {
  // Two lines, the longest "cde" 3 * 0.6 = 1.8 wide; 2 * 1 * 5/3 = 10/3
  // tall; attachment 5 centres it on (0,0).
  MTextGeom g{.location = {}, .height = 1, .attachment = 5, .contents = "ab\\Pcde"};
  expectPoints(extents(entityOf(g)), {{-0.9, -5.0 / 3, 0}, {0.9, 5.0 / 3, 0}});
  // Reference width 4, bottom right on (10,10), spacing 1.5: 5 tall.
  g.location = {10, 10, 0};
  g.width = 4;
  g.attachment = 9;
  g.lineSpacing = 1.5;
  expectPoints(extents(entityOf(g)), {{6, 10, 0}, {10, 15, 0}});
}

TEST_F(GeomExtentsTest, BlockReferencesPlaceTheirBlocksBox) {
  auto addBlock = [&](const std::string& name, Point3 base, std::vector<EntityRecord> entities) {
    BlockDef block;
    block.name = name;
    block.base = base;
    block.entities = std::move(entities);
    host.drawing().blocks.push_back(block);
  };
  auto insert = [](const std::string& block) { return entityOf(InsertGeom{.block = block, .position = {}}); };
  // Block "B" (base (1,1)) holds (1,1)-(3,1): (0,0)-(2,0) from the base,
  // doubled to (0,0)-(4,0), turned 90 degrees to (0,0)-(0,4), moved to (10,0).
  addBlock("B", {1, 1, 0}, {lineOf({1, 1}, {3, 1})});
  expectPoints(extents(entityOf(InsertGeom{"b", {10, 0, 0}, 2, 2, 1, rad(90)})), {{10, 0, 0}, {10, 4, 0}});

  // A block that holds a reference to itself keeps the box of the rest.
  addBlock("LOOP", {}, {lineOf({1, 1}, {3, 1}), insert("LOOP")});
  expectPoints(extents(insert("LOOP")), {{1, 1, 0}, {3, 1, 0}});

  // Sixty blocks, each holding two references to the next: measured once
  // each rather than 2^60 times. The last holds the point (1,2).
  for (int i = 0; i < 60; ++i) {
    const std::string next = "L" + std::to_string(i + 1);
    addBlock("L" + std::to_string(i), {}, {insert(next), insert(next)});
  }
  addBlock("L60", {}, {entityOf(PointGeom{{1, 2, 0}})});
  expectPoints(extents(insert("L0")), {{1, 2, 0}, {1, 2, 0}});

  Point3 min, max;
  EXPECT_EQ(host.getGeomExtents(insert("MISSING"), min, max), RTERROR);
}

TEST_F(GeomExtentsTest, DimensionsHatchesAndSolids) {
  DimensionGeom dim;
  dim.definition = {0, 5, 0};
  dim.textPosition = {5, 6, 0};
  dim.defPoint3 = {10, 0, 0};
  expectPoints(extents(entityOf(dim)), {{0, 0, 0}, {10, 6, 0}});
  // The right side bulges out to x = 3.
  expectPoints(extents(entityOf(HatchGeom{.loops = {{{{0, 0}, {2, 0, 1}, {2, 2}, {0, 2}}}}})),
               {{0, 0, 0}, {3, 2, 0}});

  Point3 min, max;
  EXPECT_EQ(host.getGeomExtents(entityOf(Solid3dGeom{}), min, max), RTERROR);
  EXPECT_EQ(host.getGeomExtents(entityOf(HatchGeom{}), min, max), RTERROR);
  EXPECT_EQ(host.getGeomExtents(polylineOf({}), min, max), RTERROR);
}

TEST_F(GeomExtentsTest, WindowTakesWhatLiesInsideCrossingAlsoWhatCrossesIt) {
  // The box from (5,0) to (10,10), its corners given either way round.
  const Point3 lo{5, 0, 0};
  const Point3 hi{10, 10, 0};
  const auto window = [&](const EntityRecord& e) { return insideWindow(host.drawing(), e, hi, lo); };
  const auto crossing = [&](const EntityRecord& e) { return crossesWindow(host.drawing(), e, lo, hi); };

  // {in the window, crossing it}: through, inside, outside.
  const std::pair<EntityRecord, std::pair<bool, bool>> lines[] = {
      {lineOf({0, 5}, {20, 5}), {false, true}},
      {lineOf({6, 5}, {9, 5}), {true, true}},
      {lineOf({11, 0}, {20, 20}), {false, false}}};
  for (const auto& [line, expected] : lines) EXPECT_EQ(std::pair(window(line), crossing(line)), expected);

  // A circle round the whole window neither lies in it nor crosses it.
  EXPECT_FALSE(crossing(circleOf({7.5, 5}, 50)));
  // The arc r 5 from 0 to 90 degrees touches the window at its start
  // (5,0). Its box overlaps the box (4,4)-(6,6), but where x >= 4 the arc
  // has y <= 3: it passes that box by.
  EXPECT_TRUE(crossing(arcOf({0, 0}, 5, 0, 90)));
  EXPECT_FALSE(crossesWindow(host.drawing(), arcOf({0, 0}, 5, 0, 90), {4, 4, 0}, {6, 6, 0}));

  // Text by its box.
  const EntityRecord text = textOf("ABC", {9, 9}, 2, 0);
  EXPECT_FALSE(window(text));
  EXPECT_TRUE(crossing(text));
  EXPECT_FALSE(crossing(entityOf(Solid3dGeom{})));
}

}  // namespace
}  // namespace optgrind::standalone::test
