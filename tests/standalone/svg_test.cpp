// The drawing as an SVG picture.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "standalone/svg/svg_palette.h"
#include "standalone/svg/svg_writer.h"
#include "support/temp_root.h"

namespace optgrind::standalone {
namespace {

struct SvgTest : ::testing::Test {
  Drawing d = newDrawing();
  testing::TempDir dir;
  std::string path = dir.path() + "/picture.svg";

  void add(const std::string& layer, EntityGeom geom, int color = kColorByLayer) {
    ensureLayer(d, layer);
    appendEntity(d, EntityRecord{.layer = layer, .color = color, .xdata = {}, .geom = std::move(geom)});
  }
  std::string write() {
    Outcome written = writeSvg(d, path);
    EXPECT_TRUE(written) << written.where();
    return testing::readFile(path);
  }
};

TEST(SvgPaletteTest, WhiteIsBlackOnThePageAndIndexesOutOfRangeAreBlack) {
  EXPECT_EQ(svgColor(1), "#ff0000");
  EXPECT_EQ(paletteColor(7), (Rgb{0, 0, 0}));
  EXPECT_EQ(paletteColor(255), (Rgb{255, 255, 255}));
  EXPECT_EQ(paletteColor(999), (Rgb{0, 0, 0}));
}

TEST_F(SvgTest, DrawsEveryKindInItsResolvedColour) {
  ensureLayer(d, "RED").color = 1;
  add("RED", LineGeom{{0, 0, 0}, {100, 0, 0}});    // red through its layer
  add("0", CircleGeom{{50, 25, 0}, 10}, 5);        // blue
  add("0", ArcGeom{{20, 20, 0}, 5, 0.0, 1.5}, 3);  // green
  // One half-circle segment.
  add("0", PolylineGeom{.vertices = {{0, 0, 0}, {10, 0, 1.0}, {10, 10, 0}}, .closed = true}, 6);
  add("0", TextGeom{.position = {5, 40, 0}, .alignPoint = {}, .text = "R<5 & up"}, 2);
  add("0", HatchGeom{.loops = {HatchLoop{{{60, 0, 0}, {70, 0, 0}, {70, 10, 0}}}}}, 4);
  add("0", PointGeom{{90, 40, 0}}, 8);

  std::string svg = write();
  EXPECT_EQ(svg.rfind("<?xml", 0), 0u);
  EXPECT_NE(svg.find("<svg xmlns=\"http://www.w3.org/2000/svg\""), std::string::npos);
  for (const char* drawn : {"stroke=\"#ff0000\"", "<circle cx=\"50\" cy=\"-25\" r=\"10\" stroke=\"#0000ff\"",
                            "stroke=\"#00ff00\"", " Z\" stroke=\"#ff00ff\"", ">R&lt;5 &amp; up</text>",
                            "fill=\"#00ffff\" fill-rule=\"evenodd\"", "fill=\"#808080\" stroke=\"none\""})
    EXPECT_NE(svg.find(drawn), std::string::npos) << drawn;
  EXPECT_GE(testing::countOf(svg, " A "), 4u);  // the arc and the bulge, two halves each
}

TEST_F(SvgTest, LeavesOutLayersThatAreOffOrFrozenAndErasedEntities) {
  add("0", LineGeom{{0, 0, 0}, {10, 0, 0}}, 1);
  add("HIDDEN", LineGeom{{0, 5, 0}, {10, 5, 0}}, 3);
  add("ICE", CircleGeom{{5, 5, 0}, 2}, 4);
  add("0", LineGeom{{0, 9, 0}, {10, 9, 0}}, 5);
  findLayer(d, "HIDDEN")->off = true;
  findLayer(d, "ICE")->frozen = true;
  eraseEntity(d, d.entities.back().id);
  std::string svg = write();
  EXPECT_NE(svg.find("#ff0000"), std::string::npos);
  for (const char* left : {"#00ff00", "#0000ff", "<circle"}) EXPECT_EQ(svg.find(left), std::string::npos);
}

TEST_F(SvgTest, ViewBoxFitsTheExtentsWithAMarginAndYUp) {
  add("0", LineGeom{{0, 0, 0}, {100, 50, 0}});
  std::string svg = write();
  // 5 units of margin around x 0..100, y 0..50; the page's top is -(50 + 5).
  EXPECT_NE(svg.find("viewBox=\"-5 -55 110 60\""), std::string::npos) << svg.substr(0, 300);
  EXPECT_NE(svg.find("M 0 0 L 100 -50"), std::string::npos);
}

TEST_F(SvgTest, BlockReferencesDrawTheirDefinition) {
  EntityRecord inner{
      .layer = "0", .color = kColorByBlock, .xdata = {}, .geom = LineGeom{{0, 0, 0}, {1, 0, 0}}};
  d.blocks.push_back(
      BlockDef{.name = "MARK", .base = {}, .entities = {inner}, .entityExtras = {}, .keptEntities = {}});
  add("0", InsertGeom{"MARK", {10, 10, 0}, 2, 2, 1, 1.5707963267948966}, 1);
  // (0,0)-(1,0) scaled by 2, turned a quarter and moved to (10,10).
  EXPECT_NE(write().find("M 10 -10 L 10 -12\" stroke=\"#ff0000\""), std::string::npos);
}

TEST_F(SvgTest, BrokenContentStillGivesAWellFormedPicture) {
  // Blocks that reference themselves and each other many times over.
  for (const char* name : {"A", "B"}) {
    BlockDef block;
    block.name = name;
    for (int i = 0; i < 20; ++i)
      block.entities.push_back({.xdata = {}, .geom = InsertGeom{i % 2 ? "A" : "B", {double(i)}}});
    d.blocks.push_back(block);
  }
  add("0", InsertGeom{"A", {0, 0, 0}});
  add("0", InsertGeom{"NO_SUCH_BLOCK", {0, 0, 0}});
  add("0", LineGeom{{std::nan(""), 0, 0}, {1, 1, 0}});
  add("0", PolylineGeom{});
  add("0", HatchGeom{});
  add("0", ArcGeom{{0, 0, 0}, -2, 1, 1});
  add("0", TextGeom{.position = {}, .alignPoint = {}, .text = std::string("bad \xFF byte \x01 control")});
  add("0", MTextGeom{.location = {}, .contents = "\\Hunclosed"});
  std::string svg = write();
  EXPECT_NE(svg.find("bad \xEF\xBF\xBD byte  control"), std::string::npos);
  for (const char* left : {"\x01", " nan", "\"nan", "-nan", "inf"})
    EXPECT_EQ(svg.find(left), std::string::npos);
  EXPECT_NE(svg.find("</svg>"), std::string::npos);
}

TEST_F(SvgTest, UnwritablePlaceReportsAndLeavesNothing) {
  add("0", LineGeom{{0, 0, 0}, {1, 0, 0}});
  std::string bad = dir.path() + "/missing/picture.svg";
  Outcome written = writeSvg(d, bad);
  EXPECT_FALSE(written);
  EXPECT_EQ(written.file, bad);
  EXPECT_NE(written.where().find(bad), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(dir.path() + "/missing"));
  EXPECT_FALSE(writeSvg(d, ""));
  // Only the picture is left in its folder: no temporary file beside it.
  ASSERT_TRUE(writeSvg(d, path));
  auto files = std::distance(std::filesystem::directory_iterator(dir.path()), {});
  EXPECT_EQ(files, 1);
}

}  // namespace
}  // namespace optgrind::standalone
