// A drawing with every entity type, table state, dictionary and kept header
// variable survives a save and a load unchanged.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iomanip>
#include <sstream>

#include "standalone/dxf/dxf_io.h"

namespace optgrind::standalone {
namespace {

namespace fs = std::filesystem;

// Printed digits of reals: the file keeps them exactly, angles pass through
// degrees and may differ in the last bits.
constexpr int kCompareDigits = 10;

template <class... Ts>
struct Overloaded : Ts... {
  using Ts::operator()...;
};
template <class... Ts>
Overloaded(Ts...) -> Overloaded<Ts...>;

fs::path makeTempDir() {
  std::string pattern = (fs::temp_directory_path() / "dxf_rt_XXXXXX").string();
  return fs::path(mkdtemp(pattern.data()));
}

std::ostream& operator<<(std::ostream& os, const Point3& p) {
  return os << "(" << p.x << "," << p.y << "," << p.z << ")";
}

std::ostream& operator<<(std::ostream& os, const std::vector<PolyVertex>& vs) {
  for (const auto& v : vs)
    os << "[" << v.x << "," << v.y << "," << v.bulge << "," << v.startWidth << "," << v.endWidth << "]";
  return os;
}

std::string describe(const ResBufList& list) {
  std::ostringstream os;
  os << std::setprecision(kCompareDigits);
  for (const ResBuf& rb : list) {
    os << rb.code << ":";
    if (rb.isPoint()) os << rb.asPoint();
    if (rb.isReal()) os << rb.asReal() << "r";
    if (rb.isInt()) os << rb.asInt() << "i";
    if (rb.isString()) os << "'" << rb.asString() << "'";
    os << " ";
  }
  return os.str();
}

// Every field of an entity as text, so that a difference names itself.
std::string describe(const EntityRecord& e) {
  std::ostringstream os;
  os << std::setprecision(kCompareDigits);
  os << entityDxfName(e.type()) << " layer=" << e.layer << " color=" << e.color << " ltype=" << e.linetype
     << " xdata=" << describe(e.xdata) << " | ";
  visitGeom(
      Overloaded{
          [&](const LineGeom& g) { os << g.start << g.end << g.thickness; },
          [&](const ArcGeom& g) {
            os << g.center << g.radius << " " << g.startAngle << " " << g.endAngle << " " << g.thickness;
          },
          [&](const CircleGeom& g) { os << g.center << g.radius << " " << g.thickness; },
          [&](const PointGeom& g) { os << g.position; },
          [&](const PolylineGeom& g) {
            os << g.vertices << g.closed << " " << g.elevation << " " << g.thickness << " "
               << g.constantWidth;
          },
          [&](const TextGeom& g) {
            os << g.position << g.alignPoint << g.height << " " << g.rotation << " " << g.widthFactor << " "
               << g.oblique << " " << g.hAlign << g.vAlign << " " << g.style << " '" << g.text << "'";
          },
          [&](const MTextGeom& g) {
            os << g.location << g.height << " " << g.width << " " << g.rotation << " " << g.attachment << " "
               << g.lineSpacing << " " << g.style << " '" << g.contents << "'";
          },
          [&](const InsertGeom& g) {
            os << g.block << g.position << g.xScale << " " << g.yScale << " " << g.zScale << " "
               << g.rotation;
          },
          [&](const DimensionGeom& g) {
            os << static_cast<int>(g.kind) << g.ordinateX << " " << g.block << " " << g.style << " '"
               << g.text << "' " << g.measurement << g.definition << g.textPosition << g.blockPosition
               << g.defPoint2 << g.defPoint3 << g.defPoint4 << g.arcPoint << g.angle << " " << g.textRotation
               << " " << g.leaderLength;
          },
          [&](const HatchGeom& g) {
            os << g.pattern << g.solid << " " << g.patternScale << " " << g.patternAngle;
            for (const auto& loop : g.loops) os << " loop" << loop.vertices;
          },
          [&](const LeaderGeom& g) {
            os << g.arrowhead << g.style;
            for (const auto& p : g.vertices) os << p;
          },
          [&](const Solid3dGeom& g) {
            for (const auto& line : g.data) os << "'" << line << "'";
          },
          [&](const auto&) {},  // splines and ellipses: dxf_roundtrip_check.py compares them in ezdxf
      },
      e.geom);
  return os.str();
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
  void TearDown() override { fs::remove_all(dir_); }

  fs::path dir_;
  std::string path_;
  Drawing original_;
  Drawing reloaded_;
};

TEST_F(DxfRoundTrip, EveryEntityTypeKeepsItsPropertiesGeometryAndExtendedData) {
  std::vector<std::string> before, after;
  for (const auto& e : original_.entities) {
    if (!e.erased) before.push_back(describe(entityRecord(e)));
  }
  for (const auto& e : reloaded_.entities) after.push_back(describe(entityRecord(e)));
  ASSERT_EQ(before.size(), after.size());
  for (size_t i = 0; i < before.size(); ++i) EXPECT_EQ(before[i], after[i]) << "entity " << i;
  EXPECT_EQ(reloaded_.path, path_);
}

TEST_F(DxfRoundTrip, BlocksKeepTheirEntities) {
  ASSERT_EQ(original_.blocks.size(), reloaded_.blocks.size());
  for (size_t i = 0; i < original_.blocks.size(); ++i) {
    const BlockDef& a = original_.blocks[i];
    const BlockDef& b = reloaded_.blocks[i];
    EXPECT_EQ(a.name, b.name);
    EXPECT_EQ(a.base, b.base);
    EXPECT_EQ(a.flags, b.flags);
    ASSERT_EQ(a.entities.size(), b.entities.size()) << a.name;
    for (size_t k = 0; k < a.entities.size(); ++k)
      EXPECT_EQ(describe(a.entities[k]), describe(b.entities[k]));
  }
}

TEST_F(DxfRoundTrip, TablesKeepTheirStates) {
  for (const LayerRecord& a : original_.layerTable) {
    LayerRecord* b = findLayer(reloaded_, a.name);
    ASSERT_NE(b, nullptr) << a.name;
    EXPECT_EQ(a.color, b->color) << a.name;
    EXPECT_EQ(a.off, b->off) << a.name;
    EXPECT_EQ(a.frozen, b->frozen) << a.name;
    EXPECT_EQ(a.locked, b->locked) << a.name;
    EXPECT_EQ(a.lineweight, b->lineweight) << a.name;
    EXPECT_EQ(a.linetype, b->linetype) << a.name;
  }
  LinetypeRecord* dashed = findLinetype(reloaded_, "DASHED");
  ASSERT_NE(dashed, nullptr);
  EXPECT_EQ(dashed->description, "Dashed __ __");
  EXPECT_EQ(dashed->pattern, (std::vector<double>{0.5, -0.25}));
  TextStyleRecord* iso = findTextStyle(reloaded_, "ISO");
  ASSERT_NE(iso, nullptr);
  EXPECT_EQ(iso->font, "isocp.shx");
  EXPECT_EQ(iso->bigFont, "bigfont.shx");
  EXPECT_DOUBLE_EQ(iso->fixedHeight, 2.5);
  EXPECT_DOUBLE_EQ(iso->widthFactor, 0.8);
  EXPECT_NEAR(iso->oblique, 0.25, 1e-12);
  for (const char* app : {"ACAD", "my_tag", "OTHER"}) {
    EXPECT_NE(std::find(reloaded_.appIds.begin(), reloaded_.appIds.end(), app), reloaded_.appIds.end())
        << app;
  }
}

TEST_F(DxfRoundTrip, DictionariesAndHeaderVariablesAreKept) {
  ASSERT_EQ(reloaded_.dictionaries.size(), 2u);
  for (size_t i = 0; i < 2; ++i) {
    EXPECT_EQ(reloaded_.dictionaries[i].name, original_.dictionaries[i].name);
    EXPECT_EQ(reloaded_.dictionaries[i].xrecords, original_.dictionaries[i].xrecords);
  }
  for (const auto& [name, value] : original_.header) {
    auto it = reloaded_.header.find(name);
    ASSERT_NE(it, reloaded_.header.end()) << name;
    EXPECT_EQ(it->second, value) << name;
  }
}

TEST_F(DxfRoundTrip, ASecondSaveWritesTheSameFile) {
  std::string again = (dir_ / "again.dxf").string();
  ASSERT_TRUE(saveDxf(reloaded_, again).ok);
  std::ifstream a(path_), b(again);
  std::stringstream sa, sb;
  sa << a.rdbuf();
  sb << b.rdbuf();
  EXPECT_EQ(sa.str(), sb.str());
}

}  // namespace
}  // namespace optgrind::standalone
