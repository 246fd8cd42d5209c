// The drawing as an SVG picture.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "standalone/svg/svg_palette.h"
#include "standalone/svg/svg_writer.h"

namespace optgrind::standalone {
namespace {

std::string readFile(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  std::stringstream s;
  s << f.rdbuf();
  return s.str();
}

size_t count(const std::string& text, const std::string& what) {
  size_t n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

struct SvgTest : ::testing::Test {
  Drawing d = newDrawing();
  std::string dir;
  std::string path;

  void SetUp() override {
    dir = (std::filesystem::temp_directory_path() /
           ("optgrind_svg_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name()))
              .string();
    std::filesystem::create_directories(dir);
    path = dir + "/picture.svg";
  }
  void TearDown() override { std::filesystem::remove_all(dir); }

  void add(const std::string& layer, EntityGeom geom, int color = kColorByLayer) {
    EntityRecord r;
    r.layer = layer;
    r.color = color;
    r.geom = std::move(geom);
    ensureLayer(d, layer);
    appendEntity(d, r);
  }
  std::string write() {
    Outcome written = writeSvg(d, path);
    EXPECT_TRUE(written) << written.where();
    return readFile(path);
  }
};

TEST(SvgPaletteTest, FirstNineExactlyWhiteIsBlackOnThePage) {
  const Rgb expected[] = {{255, 0, 0},   {255, 255, 0}, {0, 255, 0},     {0, 255, 255},  {0, 0, 255},
                          {255, 0, 255}, {0, 0, 0},     {128, 128, 128}, {192, 192, 192}};
  for (int i = 1; i <= 9; ++i) EXPECT_EQ(paletteColor(i), expected[i - 1]) << i;
  EXPECT_EQ(svgColor(1), "#ff0000");
  // Hue steps: 10 is red, 50 blue-ish, odd indexes paler; 250..255 grey.
  EXPECT_EQ(paletteColor(10), (Rgb{255, 0, 0}));
  EXPECT_GT(paletteColor(11).g, 100);
  EXPECT_LT(paletteColor(18).r, paletteColor(10).r);
  EXPECT_EQ(paletteColor(250).r, paletteColor(250).b);
  EXPECT_EQ(paletteColor(255), (Rgb{255, 255, 255}));
  EXPECT_EQ(paletteColor(999), (Rgb{0, 0, 0}));
}

TEST_F(SvgTest, DrawsEveryKindInItsResolvedColour) {
  ensureLayer(d, "RED").color = 1;
  add("RED", LineGeom{{0, 0, 0}, {100, 0, 0}});    // red through its layer
  add("0", CircleGeom{{50, 25, 0}, 10}, 5);        // blue
  add("0", ArcGeom{{20, 20, 0}, 5, 0.0, 1.5}, 3);  // green
  PolylineGeom pl;
  pl.vertices = {{0, 0, 0}, {10, 0, 1.0}, {10, 10, 0}};  // one half-circle segment
  pl.closed = true;
  add("0", pl, 6);
  TextGeom t;
  t.position = {5, 40, 0};
  t.text = "R<5 & up";
  add("0", t, 2);
  HatchGeom h;
  h.loops = {HatchLoop{{{60, 0, 0}, {70, 0, 0}, {70, 10, 0}}}};
  add("0", h, 4);
  add("0", PointGeom{{90, 40, 0}}, 8);

  std::string svg = write();
  EXPECT_EQ(svg.rfind("<?xml", 0), 0u);
  EXPECT_NE(svg.find("<svg xmlns=\"http://www.w3.org/2000/svg\""), std::string::npos);
  EXPECT_NE(svg.find("stroke=\"#ff0000\""), std::string::npos);
  EXPECT_NE(svg.find("<circle cx=\"50\" cy=\"-25\" r=\"10\" stroke=\"#0000ff\""), std::string::npos);
  EXPECT_NE(svg.find("stroke=\"#00ff00\""), std::string::npos);
  EXPECT_GE(count(svg, " A "), 4u);  // the arc and the bulge, two halves each
  EXPECT_NE(svg.find(" Z\" stroke=\"#ff00ff\""), std::string::npos);
  EXPECT_NE(svg.find(">R&lt;5 &amp; up</text>"), std::string::npos);
  EXPECT_NE(svg.find("fill=\"#00ffff\" fill-rule=\"evenodd\""), std::string::npos);
  EXPECT_NE(svg.find("fill=\"#808080\" stroke=\"none\""), std::string::npos);  // the point's dot
  // The file was renamed into place.
  EXPECT_FALSE(std::filesystem::exists(path + ".tmp"));
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
  EXPECT_EQ(svg.find("#00ff00"), std::string::npos);
  EXPECT_EQ(svg.find("#0000ff"), std::string::npos);
  EXPECT_EQ(svg.find("<circle"), std::string::npos);
}

TEST_F(SvgTest, ViewBoxFitsTheExtentsWithAMarginAndYUp) {
  add("0", LineGeom{{0, 0, 0}, {100, 50, 0}});
  std::string svg = write();
  // 5 units of margin around x 0..100, y 0..50; the page's top is -(50 + 5).
  EXPECT_NE(svg.find("viewBox=\"-5 -55 110 60\""), std::string::npos) << svg.substr(0, 300);
  EXPECT_NE(svg.find("M 0 0 L 100 -50"), std::string::npos);
}

TEST_F(SvgTest, BlockReferencesDrawTheirDefinition) {
  BlockDef block;
  block.name = "MARK";
  EntityRecord inner;
  inner.layer = "0";
  inner.color = kColorByBlock;
  inner.geom = LineGeom{{0, 0, 0}, {1, 0, 0}};
  block.entities.push_back(inner);
  d.blocks.push_back(block);
  InsertGeom ins;
  ins.block = "MARK";
  ins.position = {10, 10, 0};
  ins.xScale = ins.yScale = 2;
  ins.rotation = 1.5707963267948966;
  add("0", ins, 1);
  std::string svg = write();
  // (0,0)-(1,0) scaled by 2, turned a quarter and moved to (10,10).
  EXPECT_NE(svg.find("M 10 -10 L 10 -12\" stroke=\"#ff0000\""), std::string::npos) << svg;
}

TEST_F(SvgTest, BrokenContentStillGivesAWellFormedPicture) {
  // Blocks that reference themselves and each other many times over.
  for (const char* name : {"A", "B"}) {
    BlockDef block;
    block.name = name;
    for (int i = 0; i < 20; ++i) {
      EntityRecord ref;
      ref.geom = InsertGeom{i % 2 ? "A" : "B", {double(i), 0, 0}};
      block.entities.push_back(ref);
    }
    d.blocks.push_back(block);
  }
  add("0", InsertGeom{"A", {0, 0, 0}});
  add("0", InsertGeom{"NO_SUCH_BLOCK", {0, 0, 0}});
  add("0", LineGeom{{std::nan(""), 0, 0}, {1, 1, 0}});
  add("0", PolylineGeom{});
  add("0", HatchGeom{});
  add("0", ArcGeom{{0, 0, 0}, -2, 1, 1});
  TextGeom t;
  t.text = std::string("bad \xFF byte \x01 control");
  add("0", t);
  MTextGeom m;
  m.contents = "\\Hunclosed";
  add("0", m);
  std::string svg = write();
  EXPECT_NE(svg.find("bad \xEF\xBF\xBD byte  control"), std::string::npos);
  EXPECT_EQ(svg.find('\x01'), std::string::npos);
  for (const char* number : {" nan", "\"nan", "-nan", "inf"})
    EXPECT_EQ(svg.find(number), std::string::npos) << number;
  EXPECT_NE(svg.find("</svg>"), std::string::npos);
}

TEST_F(SvgTest, UnwritablePlaceReportsAndLeavesNothing) {
  add("0", LineGeom{{0, 0, 0}, {1, 0, 0}});
  std::string bad = dir + "/missing/picture.svg";
  Outcome written = writeSvg(d, bad);
  EXPECT_FALSE(written);
  EXPECT_EQ(written.file, bad);
  EXPECT_NE(written.where().find(bad), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(dir + "/missing"));
  EXPECT_FALSE(writeSvg(d, ""));
  // Only the picture is left in its folder: no temporary file beside it.
  std::string good = dir + "/picture.svg";
  ASSERT_TRUE(writeSvg(d, good));
  size_t files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) files += entry.is_regular_file() ? 1 : 0;
  EXPECT_EQ(files, 1u);
}

}  // namespace
}  // namespace optgrind::standalone
