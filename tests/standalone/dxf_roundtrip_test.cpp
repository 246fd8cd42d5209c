// A drawing with every entity type, table state, dictionary and kept header
// variable survives a save and a load unchanged.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "standalone/dxf/dxf_io.h"

namespace optgrind::standalone {
namespace {

namespace fs = std::filesystem;

// The file the sample drawing is saved as. It holds every field the model
// has, so a field the writer drops or spells differently shows against it,
// and one the reader loses shows when the drawing read is saved again.
const fs::path kGolden = fs::path(OPTGRIND_TEST_DATA) / "dxf" / "roundtrip_sample.dxf";

fs::path makeTempDir() {
  std::string pattern = (fs::temp_directory_path() / "dxf_rt_XXXXXX").string();
  return fs::path(mkdtemp(pattern.data()));
}

std::string fileText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

EntityRecord entity(EntityGeom geom, std::string layer = "PROFILE", int color = kColorByLayer) {
  EntityRecord e;
  e.layer = std::move(layer);
  e.color = color;
  e.geom = std::move(geom);
  return e;
}

DimensionGeom dimension(DimKind kind, const std::string& block) {
  DimensionGeom g;
  g.kind = kind;
  g.block = block;
  g.measurement = 25.4;
  g.definition = {1, 2, 0};
  g.textPosition = {3, 4, 0};
  g.blockPosition = {0.5, 0.25, 0};
  g.textRotation = 0.5;
  switch (kind) {
    case DimKind::Linear:
      g.angle = 30;
      [[fallthrough]];
    case DimKind::Aligned:
    case DimKind::Ordinate:
      g.defPoint2 = {5, 6, 0};
      g.defPoint3 = {7, 8, 0};
      break;
    case DimKind::Angular:
      g.arcPoint = {11, 12, 0};
      [[fallthrough]];
    case DimKind::Angular3P:
      g.defPoint2 = {5, 6, 0};
      g.defPoint3 = {7, 8, 0};
      g.defPoint4 = {9, 10, 0};
      break;
    case DimKind::Diameter:
    case DimKind::Radius:
      g.defPoint4 = {9, 10, 0};
      g.leaderLength = 4.5;
      break;
  }
  return g;
}

ResBufList tagData() {
  return {ResBuf::ofString(1001, "my_tag"), ResBuf::ofString(1000, "OPT_PATH"),
          ResBuf::ofString(1000, "1"),      ResBuf::ofReal(1040, 2.5),
          ResBuf::ofInt(1070, 3),           ResBuf::ofInt(1071, 100000),
          ResBuf::ofString(1001, "OTHER"),  ResBuf::ofString(1000, "x")};
}

Drawing sampleDrawing() {
  Drawing d = newDrawing();
  LinetypeRecord& dashed = ensureLinetype(d, "DASHED");
  dashed.description = "Dashed __ __";
  dashed.pattern = {0.5, -0.25};
  LayerRecord& profile = ensureLayer(d, "PROFILE");
  profile.color = 3;
  profile.linetype = "DASHED";
  profile.lineweight = 25;
  ensureLayer(d, "OFF").off = true;
  ensureLayer(d, "FROZEN").frozen = true;
  ensureLayer(d, "LOCKED").locked = true;
  TextStyleRecord iso;
  iso.id = d.nextTableId++;
  iso.name = "ISO";
  iso.font = "isocp.shx";
  iso.bigFont = "bigfont.shx";
  iso.fixedHeight = 2.5;
  iso.widthFactor = 0.8;
  iso.oblique = 0.25;
  d.textStyleTable.push_back(iso);
  registerApp(d, "my_tag");
  registerApp(d, "OTHER");

  BlockDef mark;
  mark.name = "MARK";
  mark.base = {1, 2, 0};
  mark.entities.push_back(entity(LineGeom{{0, 0, 0}, {1, 1, 0}, 0.0}, "0", kColorByBlock));
  mark.entities.push_back(entity(CircleGeom{{0, 0, 0}, 0.5, 0.0}, "0"));
  d.blocks.push_back(mark);
  const DimKind kinds[] = {DimKind::Linear, DimKind::Aligned,   DimKind::Angular, DimKind::Diameter,
                           DimKind::Radius, DimKind::Angular3P, DimKind::Ordinate};
  for (int i = 0; i < 8; ++i) {
    BlockDef geometry;
    geometry.name = "*D" + std::to_string(i + 1);
    geometry.flags = 1;
    d.blocks.push_back(geometry);
  }

  EntityRecord line = entity(LineGeom{{0, 0, 0}, {10.125, 1.0 / 3.0, 0}, 0.5}, "PROFILE", 1);
  line.linetype = "DASHED";
  line.xdata = tagData();
  appendEntity(d, line);
  appendEntity(d, entity(ArcGeom{{10, 5, 0}, 5, 4.71238898038469, 1.5707963267948966, 0.0}));
  appendEntity(d, entity(CircleGeom{{30, 30, 1}, 2.75, 1.5}, "LOCKED", 5));
  appendEntity(d, entity(PointGeom{{7, 8, 9}}, "OFF", 0));
  PolylineGeom closed;
  closed.vertices = {{0, 0, 0.5, 0.1, 0.2}, {10, 0, -0.25, 0, 0}, {10, 10, 0, 0, 0}, {0, 10, 0, 0, 0}};
  closed.closed = true;
  closed.elevation = 2;
  closed.thickness = 0.75;
  appendEntity(d, entity(closed));
  PolylineGeom open;
  open.vertices = {{0, 20, 0, 0, 0}, {5, 25, 1.0, 0, 0}, {10, 20, 0, 0, 0}};
  open.constantWidth = 0.3;
  appendEntity(d, entity(open, "FROZEN"));
  TextGeom text;
  text.position = text.alignPoint = {1, 2, 0};
  text.height = 3.5;
  text.rotation = 0.3;
  text.widthFactor = 0.9;
  text.oblique = 0.2;
  text.style = "ISO";
  text.text = "Hello profile";
  appendEntity(d, entity(text, "0"));
  TextGeom aligned = text;
  aligned.hAlign = 1;
  aligned.vAlign = 2;
  aligned.alignPoint = {4, 5, 0};
  appendEntity(d, entity(aligned, "0"));
  MTextGeom mtext;
  mtext.location = {5, 6, 0};
  mtext.height = 2;
  mtext.width = 40;
  mtext.rotation = 0.4;
  mtext.attachment = 5;
  mtext.lineSpacing = 1.5;
  mtext.contents = "first\\P" + std::string(600, 'm') + "\\Plast";
  appendEntity(d, entity(mtext));
  appendEntity(d, entity(InsertGeom{"MARK", {20, 20, 0}, 2, 2, 1, 0.5235987755982988}));
  for (int i = 0; i < 7; ++i) appendEntity(d, entity(dimension(kinds[i], "*D" + std::to_string(i + 1)), "0"));
  DimensionGeom ordinateX = dimension(DimKind::Ordinate, "*D8");
  ordinateX.ordinateX = true;
  ordinateX.text = "<> mm";
  appendEntity(d, entity(ordinateX, "0"));
  HatchGeom hatch;
  hatch.loops = {{{{0, 0, 0, 0, 0}, {4, 0, 0.4142135623730951, 0, 0}, {4, 4, 0, 0, 0}}},
                 {{{1, 1, 0, 0, 0}, {2, 1, 0, 0, 0}, {2, 2, 0, 0, 0}}}};
  appendEntity(d, entity(hatch));
  HatchGeom pattern = hatch;
  pattern.pattern = "ANSI31";
  pattern.solid = false;
  pattern.patternScale = 2;
  pattern.patternAngle = 0.7853981633974483;
  appendEntity(d, entity(pattern));
  appendEntity(d, entity(LeaderGeom{{{0, 0, 0}, {5, 5, 0}, {9, 5, 0}}, false, "Standard"}));
  appendEntity(d, entity(Solid3dGeom{{"400 0 1 0", std::string(600, 'a') + "end", "End-of-ACIS-data"}}));
  long long erased = appendEntity(d, entity(LineGeom{{9, 9, 9}, {8, 8, 8}, 0.0}));
  eraseEntity(d, erased);

  d.dictionaries.push_back(
      {"USERVAR_DICT", {{"USERI1", {ResBuf::ofInt(70, 7)}}, {"USERR1", {ResBuf::ofReal(40, 1.25)}}}});
  d.dictionaries.push_back(
      {"SELMASK_DICT", {{"SELMASK_LAYER", {ResBuf::ofString(1, "PROFILE"), ResBuf::ofString(1, "0")}}}});

  d.header["$INSUNITS"] = ResBuf::ofInt(70, 4);
  d.header["$LUPREC"] = ResBuf::ofInt(70, 4);
  d.header["$TEXTSIZE"] = ResBuf::ofReal(40, 3.5);
  d.header["$TEXTSTYLE"] = ResBuf::ofString(7, "ISO");
  d.header["$CLAYER"] = ResBuf::ofString(8, "PROFILE");
  d.header["$CECOLOR"] = ResBuf::ofInt(62, 256);
  d.header["$DIMASZ"] = ResBuf::ofReal(40, 2.5);
  d.header["$DIMTXT"] = ResBuf::ofReal(40, 3.0);
  d.header["$DIMGAP"] = ResBuf::ofReal(40, 0.625);
  d.header["$ORTHOMODE"] = ResBuf::ofInt(70, 1);
  for (int i = 1; i <= 5; ++i) d.header["$USERI" + std::to_string(i)] = ResBuf::ofInt(70, i * 10);
  d.header["$EXTMIN"] = ResBuf::ofPoint(10, {-1, -2, 0});
  d.header["$EXTMAX"] = ResBuf::ofPoint(10, {40, 41, 0});
  return d;
}

class DxfRoundTrip : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = makeTempDir();
    path_ = (dir_ / "sample.dxf").string();
    original_ = sampleDrawing();
    Outcome saved = saveDxf(original_, path_);
    ASSERT_TRUE(saved.ok) << saved.message;
    Outcome loaded = loadDxf(path_, reloaded_);
    ASSERT_TRUE(loaded.ok) << loaded.message;
  }
  void TearDown() override {
    if (!HasFailure()) fs::remove_all(dir_);
  }

  fs::path dir_;
  std::string path_;
  Drawing original_;
  Drawing reloaded_;
};

TEST_F(DxfRoundTrip, TheFileHoldsEveryFieldAndASecondSaveWritesTheSameFile) {
  // A changed writer: compare the new file with the golden one, then copy it over.
  EXPECT_EQ(fileText(path_), fileText(kGolden)) << "new file: " << path_;
  std::string again = (dir_ / "again.dxf").string();
  ASSERT_TRUE(saveDxf(reloaded_, again).ok);
  EXPECT_EQ(fileText(path_), fileText(again));
  EXPECT_EQ(reloaded_.path, path_);
}

// A dimension drawn without a block gets one made at the save; extended data
// on it must not part the dimension from the name of that block.
TEST(DxfDimensionBlock, AMadeBlockIsNamedByItsDimensionAlsoWithExtendedData) {
  Drawing d = newDrawing();
  EntityRecord dim = entity(dimension(DimKind::Linear, ""), "0");
  dim.xdata = tagData();
  appendEntity(d, dim);
  fs::path dir = makeTempDir();
  std::string path = (dir / "dim.dxf").string();
  ASSERT_TRUE(saveDxf(d, path).ok);
  Drawing back;
  ASSERT_TRUE(loadDxf(path, back).ok);
  ASSERT_EQ(back.entities.size(), 1u);
  EntityRecord read = entityRecord(back.entities[0]);
  const auto* g = read.as<DimensionGeom>();
  ASSERT_NE(g, nullptr);
  EXPECT_EQ(g->block, "*D1");
  fs::remove_all(dir);
}

}  // namespace
}  // namespace optgrind::standalone
