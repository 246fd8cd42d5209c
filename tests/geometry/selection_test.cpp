// Selection filters from the drawing's settings, the per-entity tests,
// lists from selections and picking at a point.
#include <gtest/gtest.h>

#include "geometry/drawing_fixture.h"
#include "geometry/drawing_vars.h"
#include "geometry/selection.h"
#include "geometry/selection_filter.h"

namespace optgrind::testing {
namespace {

using SelectionTest = DrawingTest;

// A line or circle made in the drawing of a host that reads answers.
EntityName make(Host& host, EntityGeom geom) {
  EntityName name;
  EXPECT_EQ(host.acdbEntMake({.xdata = {}, .geom = std::move(geom)}, name), RTNORM);
  return name;
}

ResBuf op(const char* text) { return ResBuf::ofString(-4, text); }
ResBuf type(const char* name) { return ResBuf::ofString(0, name); }
ResBuf layer(const char* name) { return ResBuf::ofString(8, name); }

TEST_F(SelectionTest, FilterFromTheDrawingsSettings) {
  ResBufList filter;
  EXPECT_FALSE(buildFilter(host, kMaskFromDrawing, kNoColorLimit, 0, filter));
  ASSERT_EQ(setDrawingVar(host, kSelMaskVar, 0xFFFE), RTNORM);
  EXPECT_EQ(effectiveMask(host, kMaskFromDrawing), 1);
  ASSERT_TRUE(buildFilter(host, kMaskFromDrawing, kNoColorLimit, 0, filter));
  EXPECT_EQ(filter, (ResBufList{op("<or"), type("LWPOLYLINE"), op("or>")}));
  ASSERT_EQ(setDrawingVar(host, kSelMaskVar, 70000), RTNORM);
  EXPECT_EQ(effectiveMask(host, kMaskFromDrawing), 0xFFFF);

  ASSERT_TRUE(buildFilter(host, 1 << 6, kNoColorLimit, 0, filter));
  EXPECT_EQ(filter, (ResBufList{op("<or"), type("TEXT"), type("MTEXT"), op("or>")}));
  // Per-entity type testing leaves the types out of the filter.
  ASSERT_TRUE(buildFilter(host, 0x2004, kNoColorLimit, 0, filter));
  EXPECT_TRUE(filter.empty());
  // A colour limit alone is tested entity by entity.
  ASSERT_TRUE(buildFilter(host, kMaskFromDrawing, 1, 0, filter));
  EXPECT_TRUE(filter.empty());
}

TEST_F(SelectionTest, LayerLimit) {
  ASSERT_EQ(setDrawingVar(host, kSnapFlagVar, kSnapFlagLayerLimit), RTNORM);
  ASSERT_EQ(host.dictSetXRecord(kSelMaskDict, kSelMaskLayerKey,
                                {ResBuf::ofString(8, "CUT"), ResBuf::ofString(8, "MARK")}),
            RTNORM);
  ResBufList filter;
  ASSERT_TRUE(buildFilter(host, 0x0C, kNoColorLimit, 0, filter));
  EXPECT_EQ(filter, (ResBufList{op("<and"), op("<or"), type("LINE"), type("ARC"), op("or>"), op("<or"),
                                layer("CUT"), layer("MARK"), op("or>"), op("and>")}));
  addLayer("CUT");
  EntityRef onCut = addLine(0, 0, 1, 0, "CUT"), onZero = addLine(0, 0, 1, 0);
  EXPECT_EQ(layerSelectable(host, onCut.name), 1);
  EXPECT_EQ(layerSelectable(host, onZero.name), 0);

  ASSERT_EQ(host.dictSetXRecord(kSelMaskDict, kSelMaskLayerKey, {ResBuf::ofString(8, "*")}), RTNORM);
  ASSERT_TRUE(buildFilter(host, kMaskFromDrawing, kNoColorLimit, 0, filter));
  EXPECT_EQ(filter, (ResBufList{op("<not"), layer("*"), op("not>")}));
  EXPECT_EQ(layerSelectable(host, onCut.name), 0);
  EXPECT_FALSE(select(host, kSelectAll, kMaskFromDrawing, kNoColorLimit, 0).has_value());

  ASSERT_EQ(host.dictSetXRecord(kSelMaskDict, kSelMaskLayerKey, {ResBuf::ofString(8, "%ALL%")}), RTNORM);
  ASSERT_TRUE(buildFilter(host, kMaskFromDrawing, kNoColorLimit, 0, filter));
  EXPECT_TRUE(filter.empty());
  EXPECT_EQ(layerSelectable(host, onZero.name), 1);
}

TEST_F(SelectionTest, AcceptTestsLayerColourLinetypeAndType) {
  addLayer("RED", 1);
  addLayer("HIDDEN", 7, true);
  EntityRef byLayer = addLine(0, 0, 1, 0, "RED");
  EntityRef hidden = addLine(0, 0, 1, 0, "HIDDEN");
  EntityRef text = add(MTextGeom{});
  EXPECT_EQ(accept(host, byLayer.name, kMaskFromDrawing, 1, ""), 1);
  EXPECT_EQ(accept(host, byLayer.name, kMaskFromDrawing, 2, ""), 0);
  EXPECT_EQ(accept(host, hidden.name, kMaskFromDrawing, kNoColorLimit, ""), 0);
  EXPECT_EQ(layerSelectable(host, hidden.name), 0);
  EXPECT_EQ(accept(host, byLayer.name, kMaskFromDrawing, kNoColorLimit, "Continuous"), 1);
  EXPECT_EQ(accept(host, byLayer.name, kMaskFromDrawing, kNoColorLimit, "DASHED"), 0);
  EXPECT_EQ(accept(host, byLayer.name, kMaskTestPerEntity | 0x4, kNoColorLimit, ""), 1);
  EXPECT_EQ(accept(host, byLayer.name, kMaskTestPerEntity | 0x1, kNoColorLimit, ""), 0);
  EXPECT_EQ(accept(host, text.name, kMaskFromDrawing, kNoColorLimit, ""), 1);
  EXPECT_EQ(accept(host, text.name, kMaskTestPerEntity | 0x40, kNoColorLimit, ""), 0);
}

TEST_F(SelectionTest, ListsHoldTheSelectionInReverseOrder) {
  EntityRef a = addLine(0, 0, 1, 0), b = addCircle(5, 5, 1), c = addLine(0, 1, 1, 1);
  std::optional<EntityRefList> all = select(host, kSelectAll, kMaskFromDrawing, kNoColorLimit, 0);
  ASSERT_TRUE(all.has_value());
  ASSERT_EQ(all->size(), 3u);
  EXPECT_EQ((*all)[0], c);
  EXPECT_EQ((*all)[2], a);
  EXPECT_EQ((*all)[0].valid, 1);
  std::optional<EntityRefList> lines = select(host, kSelectAll, 0x4, kNoColorLimit, 0);
  ASSERT_TRUE(lines.has_value());
  EXPECT_EQ(lines->size(), 2u);

  SelectionSet set;
  ASSERT_EQ(host.acedSSAdd(&a.name, SelectionSet{}, set), RTNORM);
  ASSERT_EQ(host.acedSSAdd(&b.name, set, set), RTNORM);
  EntityRefList list = listFromSelection(host, set, RTNORM, kMaskFromDrawing, kNoColorLimit, 0);
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(list[0], b);
  EXPECT_EQ(list[1], a);
  EXPECT_TRUE(listFromSelection(host, set, RTERROR, kMaskFromDrawing, kNoColorLimit, 0).empty());
  host.acedSSFree(set);
}

TEST(InteractiveSelection, CancelSetsTheFlag) {
  HostWithRoot env("0.5,0\n5,0\n\n^C\n");
  Host& host = env.host;
  make(host, LineGeom{{0, 0, 0}, {1, 0, 0}, 0});
  EntityName second = make(host, LineGeom{{5, 0, 0}, {5, 1, 0}, 0});
  std::optional<EntityRefList> picked = selectInteractively(host, kMaskFromDrawing, kNoColorLimit, 0);
  ASSERT_TRUE(picked.has_value());
  EXPECT_EQ(selectionCancelled(), 0);
  ASSERT_EQ(picked->size(), 2u);
  EXPECT_EQ((*picked)[0].name, second);
  EXPECT_FALSE(selectInteractively(host, kMaskFromDrawing, kNoColorLimit, 0).has_value());
  EXPECT_EQ(selectionCancelled(), 1);
}

TEST_F(SelectionTest, PickAtPointCyclesAndTakesSegments) {
  EntityRef poly = addPolyline({{0, 0, 0}, {10, 0, 0}, {10, 10, 0}}, false);
  EntityRef line = addLine(5, -10, 5, 10);
  setVar("USERI4", 0);
  EntityRef first = pickAtPoint(host, makePoint(5, 0), kPickAnyMask);
  EntityRef second = pickAtPoint(host, makePoint(5, 0), kPickAnyMask);
  EntityRef third = pickAtPoint(host, makePoint(5, 0), kPickAnyMask);
  EXPECT_EQ(first, poly);
  EXPECT_EQ(second, line);
  EXPECT_EQ(third, poly);  // an index beyond the candidates starts again
  EXPECT_EQ(first.valid, 1);
  expectPoint(first.point, 5, 0);

  setVar("USERI4", 0);
  EntityRef segment = pickAtPoint(host, makePoint(5, 0), 0x4);
  EXPECT_EQ(segment.segment, 0);
  EXPECT_EQ(segment.kind, kKindLine);
  setVar("USERI4", 0);
  EXPECT_EQ(pickAtPoint(host, makePoint(5, 0), 0x8).valid, 0);
  setVar("USERI4", 0);
  EXPECT_EQ(pickAtPoint(host, makePoint(5, 0), 0x1).segment, -1);
  EntityRef nothing = pickAtPoint(host, makePoint(50, 50), kPickAnyMask);
  EXPECT_EQ(nothing.valid, 0);
  expectPoint(nothing.point, 50, 50);
}

// The window runs to the right: only what lies inside; the user then adds
// the circle at 30,0 with a pick and ends with Enter.
TEST(WindowSelection, InsideThenTheUsersOwnPicks) {
  HostWithRoot env("20,20\n30,5\n\n");
  Host& host = env.host;
  EntityName inside = make(host, LineGeom{{1, 1, 0}, {5, 5, 0}, 0});
  make(host, LineGeom{{1, 1, 0}, {50, 1, 0}, 0});  // crosses the window only
  EntityName circle = make(host, CircleGeom{{30, 0, 0}, 5, 0});
  EntityRefList list = windowSelect(host, makePoint(0, 0), kMaskFromDrawing, kNoColorLimit, 0);
  ASSERT_EQ(list.size(), 2u) << env.out.str();
  EXPECT_EQ(list[0].name, circle);
  EXPECT_EQ(list[1].name, inside);
}

// A SELMASK that leaves bit 13 selectable moves the type test from the
// host's filter to each entity: the types are limited all the same.
TEST_F(SelectionTest, TypesStayLimitedWhenTestedEntityByEntity) {
  EntityRef square = addSquare();
  addLine(0, 0, 1, 0);
  addCircle(5, 5, 1);
  ASSERT_EQ(setDrawingVar(host, kSelMaskVar, 0xFFFF & ~(1 | kMaskTestPerEntity)), RTNORM);
  for (int mask : {kMaskFromDrawing, 1 | kMaskTestPerEntity}) {
    std::optional<EntityRefList> chosen = select(host, kSelectAll, mask, kNoColorLimit, 0);
    ASSERT_TRUE(chosen.has_value());
    ASSERT_EQ(chosen->size(), 1u) << mask;
    EXPECT_EQ((*chosen)[0], square);
    EXPECT_EQ(accept(host, square.name, mask, kNoColorLimit, ""), 1);
  }
}

}  // namespace
}  // namespace optgrind::testing
