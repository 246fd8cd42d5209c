#include "standalone/dxf/dxf_reader.h"
#include "host/utf8.h"

#include <dl_creationadapter.h>
#include <dl_dxf.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <map>
#include <memory>
#include <new>
#include <set>

#include "standalone/dxf/dxf_groups.h"
#include "standalone/dxf/dxf_named_objects.h"
#include "standalone/dxf/dxf_raw_entities.h"
#include "standalone/dxf/dxf_raw_record.h"

namespace optgrind::standalone {
namespace {

constexpr int kPolylineClosedFlag = 1;
constexpr int kPolyline3dFlags = 8 | 16 | 64;  // 3D polyline, mesh, face mesh
constexpr int kLayerFrozenFlag = 1;
constexpr int kLayerLockedFlag = 4;
constexpr int kDefaultLayerColor = 7;
constexpr int kLineweightDefault = -3;

std::string upper(std::string_view s) { return upperAscii(std::string(s)); }

bool isLayoutBlock(const std::string& name) {
  std::string u = upper(name);
  return u == "*MODEL_SPACE" || u.rfind("*PAPER_SPACE", 0) == 0;
}

// Records in ENTITIES or BLOCKS that are not entities of their own, or that
// the parser's callbacks cover.
bool isStructuralRecord(std::string_view type) {
  return type == "VERTEX" || type == "SEQEND" || type == "BLOCK" || type == "ENDBLK" || type == "ENDSEC" ||
         type == "SECTION" || type == "EOF";
}

class DrawingBuilder : public DL_CreationAdapter {
 public:
  explicit DrawingBuilder(Drawing& d) : d_(d) {}

  // Every group passes here before the parser acts on it; a "0" group closes
  // the record before it, whose entity callback the parser makes next.
  void processCodeValuePair(unsigned int code, const std::string& value) override {
    ++pairs_;
    if (code == 0) {
      if (!headerVar_.empty()) finishHeaderVariable();
      current_ = 1 - current_;
      records_[current_].reset(2 * pairs_ - 1, section_);
      onRecordComplete(completed());
      pendingLeader_ = nullptr;
      if (value == "ENDSEC") section_.clear();
      expectSectionName_ = value == "SECTION";
    } else if (expectSectionName_ && code == 2) {
      section_ = value;
      expectSectionName_ = false;
    } else if (section_ == "HEADER") {
      headerGroup(static_cast<int>(code), value);
    }
    records_[current_].add(static_cast<int>(code), value);
  }

  // ---- Tables --------------------------------------------------------------

  void addLayer(const DL_LayerData& data) override {
    const RawRecord& r = completed();
    LayerRecord& layer = ensureLayer(d_, data.name);
    long long color = r.integer(62, kDefaultLayerColor);
    layer.off = color < 0 || data.off;
    layer.color = static_cast<int>(std::clamp<long long>(std::llabs(color), 1, 255));
    layer.frozen = (data.flags & kLayerFrozenFlag) != 0;
    layer.locked = (data.flags & kLayerLockedFlag) != 0;
    layer.linetype = r.text(6, "Continuous");
    layer.lineweight = static_cast<int>(r.integer(370, kLineweightDefault));
  }

  void addLinetype(const DL_LinetypeData& data) override {
    LinetypeRecord& lt = ensureLinetype(d_, data.name);
    lt.description = data.description;
    lt.pattern.clear();
    for (const RawPair& p : completed()) {
      if (p.code == 49) lt.pattern.push_back(groupReal(p.value));
    }
  }

  void addTextStyle(const DL_StyleData& data) override {
    TextStyleRecord* style = findTextStyle(d_, data.name);
    if (!style) {
      d_.textStyleTable.push_back({});
      style = &d_.textStyleTable.back();
      style->id = d_.nextTableId++;
      style->name = data.name;
    }
    style->fixedHeight = data.fixedTextHeight;
    style->widthFactor = data.widthFactor > 0.0 ? data.widthFactor : 1.0;
    style->oblique = data.obliqueAngle * kDegToRad;
    style->font = data.primaryFontFile;
    style->bigFont = data.bigFontFile;
  }

  // ---- Blocks --------------------------------------------------------------

  void addBlock(const DL_BlockData& data) override {
    if (isLayoutBlock(data.name)) {
      target_ = Target::Discard;
      return;
    }
    BlockDef block;
    block.name = data.name;
    block.base = {data.bpx, data.bpy, data.bpz};
    block.flags = data.flags;
    block.layer = completed().text(8, "0");
    d_.blocks.push_back(std::move(block));
    target_ = Target::Block;
  }

  void endBlock() override { target_ = Target::Model; }

  // ---- Entities ------------------------------------------------------------

  void addPoint(const DL_PointData& p) override { add(PointGeom{{p.x, p.y, p.z}}); }

  void addLine(const DL_LineData& l) override {
    add(LineGeom{{l.x1, l.y1, l.z1}, {l.x2, l.y2, l.z2}, completed().real(39, 0.0)});
  }

  void addArc(const DL_ArcData& a) override {
    add(ArcGeom{
        {a.cx, a.cy, a.cz}, a.radius, a.angle1 * kDegToRad, a.angle2 * kDegToRad, completed().real(39, 0.0)});
  }

  void addCircle(const DL_CircleData& c) override {
    add(CircleGeom{{c.cx, c.cy, c.cz}, c.radius, completed().real(39, 0.0)});
  }

  // A lightweight polyline's vertices come from its groups, which carry the
  // widths the parser drops; the parser's own vertices only confirm the count.
  void addPolyline(const DL_PolylineData& data) override {
    const RawRecord& r = completed();
    PolylineGeom g;
    g.closed = (data.flags & kPolylineClosedFlag) != 0;
    g.thickness = r.real(39, 0.0);
    pendingPolyline_ = nullptr;
    parserVertices_ = 0;
    lightweight_ = r.type() == "LWPOLYLINE";
    polylineLine_ = r.line();
    if (lightweight_) {
      if (!r.has(90)) return fail(r.line(), "LWPOLYLINE without its vertex count (90)");
      g.elevation = data.elevation;
      g.constantWidth = r.real(43, 0.0);
      g.vertices = rawLwVertices(r);
    } else {
      if (data.flags & kPolyline3dFlags) return skip("POLYLINE");
      g.elevation = r.real(30, 0.0);
      g.constantWidth = r.real(40, 0.0) == r.real(41, 0.0) ? r.real(40, 0.0) : 0.0;
    }
    pendingPolyline_ = add(std::move(g))->as<PolylineGeom>();
  }

  void addVertex(const DL_VertexData& v) override {
    if (!pendingPolyline_) return;
    ++parserVertices_;
    if (lightweight_) return;
    const RawRecord& r = completed();
    pendingPolyline_->vertices.push_back({v.x, v.y, v.bulge, r.real(40, 0.0), r.real(41, 0.0)});
  }

  void endEntity() override {
    if (pendingPolyline_ && lightweight_ && parserVertices_ != pendingPolyline_->vertices.size()) {
      fail(polylineLine_, "LWPOLYLINE declares " + std::to_string(parserVertices_) + " vertices but lists " +
                              std::to_string(pendingPolyline_->vertices.size()));
    }
    pendingPolyline_ = nullptr;
  }

  void addText(const DL_TextData& t) override {
    TextGeom g;
    g.position = {t.ipx, t.ipy, t.ipz};
    g.alignPoint = std::isnan(t.apx) ? g.position : Point3{t.apx, t.apy, std::isnan(t.apz) ? 0.0 : t.apz};
    g.height = t.height;
    g.rotation = completed().real(50, 0.0) * kDegToRad;
    g.widthFactor = t.xScaleFactor;
    g.oblique = completed().real(51, 0.0) * kDegToRad;
    g.hAlign = t.hJustification;
    g.vAlign = t.vJustification;
    g.style = t.style.empty() ? "Standard" : t.style;
    g.text = t.text;
    add(std::move(g));
  }

  void addMText(const DL_MTextData& t) override {
    const RawRecord& r = completed();
    MTextGeom g;
    g.location = {t.ipx, t.ipy, t.ipz};
    g.height = t.height;
    g.width = t.width;
    g.rotation = rawMTextRotation(r);
    g.attachment = t.attachmentPoint;
    g.lineSpacing = t.lineSpacingFactor;
    g.style = t.style.empty() ? "Standard" : t.style;
    g.contents = rawMTextContents(r);
    add(std::move(g));
  }

  void addInsert(const DL_InsertData& i) override {
    add(InsertGeom{i.name, {i.ipx, i.ipy, i.ipz}, i.sx, i.sy, i.sz, i.angle * kDegToRad});
  }

  void addDimLinear(const DL_DimensionData&, const DL_DimLinearData&) override { addDimension(); }
  void addDimAlign(const DL_DimensionData&, const DL_DimAlignedData&) override { addDimension(); }
  void addDimRadial(const DL_DimensionData&, const DL_DimRadialData&) override { addDimension(); }
  void addDimDiametric(const DL_DimensionData&, const DL_DimDiametricData&) override { addDimension(); }
  void addDimAngular(const DL_DimensionData&, const DL_DimAngular2LData&) override { addDimension(); }
  void addDimAngular3P(const DL_DimensionData&, const DL_DimAngular3PData&) override { addDimension(); }
  void addDimOrdinate(const DL_DimensionData&, const DL_DimOrdinateData&) override { addDimension(); }

  void addLeader(const DL_LeaderData& data) override {
    LeaderGeom g;
    g.arrowhead = data.arrowHeadFlag != 0;
    g.style = completed().text(3, "Standard");
    leaderVertexCount_ = rawVertexCount(completed());
    leaderRecordLine_ = completed().line();
    pendingLeader_ = add(std::move(g))->as<LeaderGeom>();
  }

  void addLeaderVertex(const DL_LeaderVertexData& v) override {
    if (!pendingLeader_) return;
    pendingLeader_->vertices.push_back({v.x, v.y, v.z});
    if (pendingLeader_->vertices.size() > leaderVertexCount_) {
      fail(leaderRecordLine_, "LEADER declares more vertices than it lists");
    }
  }

  // ---- Result --------------------------------------------------------------

  // Completes the drawing once the parser is through; empty when it worked.
  std::string finish() {
    if (!headerVar_.empty()) finishHeaderVariable();
    onRecordComplete(records_[current_]);
    d_.dictionaries = objects_.dictionaries();
    for (const auto& e : d_.entities) noteNames(e.record);
    for (const auto& b : d_.blocks) {
      for (const auto& e : b.entities) noteNames(e);
    }
    return error_;
  }

  std::string skippedSummary() const {
    if (skipped_.empty()) return {};
    std::string out = "left out entities the drawing cannot hold:";
    for (const auto& [type, count] : skipped_) out += " " + std::to_string(count) + " " + type;
    return out;
  }

 private:
  enum class Target { Model, Block, Discard };

  const RawRecord& completed() const { return records_[1 - current_]; }

  void fail(long long line, const std::string& what) {
    if (error_.empty()) error_ = "line " + std::to_string(line) + ": " + what;
  }

  void skip(std::string_view type) { ++skipped_[std::string(type)]; }

  // Records the parser does not turn into callbacks, and counting those of
  // entity types the drawing does not keep.
  void onRecordComplete(const RawRecord& r) {
    if (r.size() == 0) return;
    std::string_view type = r.type();
    if (r.section() == "OBJECTS") {
      if (type == "DICTIONARY") objects_.addDictionary(r);
      if (type == "XRECORD") objects_.addXrecord(r);
    } else if (r.section() == "TABLES") {
      if (type == "APPID" && r.has(2)) registerApp(d_, r.text(2, ""));
    } else if (r.section() == "ENTITIES" || r.section() == "BLOCKS") {
      if (type == "3DSOLID") {
        addFrom(r, rawSolid3d(r));
      } else if (type == "HATCH") {
        addFrom(r, rawHatch(r));
      } else if (!isDrawingEntityType(type) && !isStructuralRecord(type)) {
        skip(type);
      }
    }
  }

  void addDimension() { add(rawDimension(completed())); }

  template <class G>
  EntityRecord* add(G&& geom) {
    return addFrom(completed(), std::forward<G>(geom));
  }

  // Common properties and extended data from the record, then the geometry.
  template <class G>
  EntityRecord* addFrom(const RawRecord& r, G&& geom) {
    EntityRecord rec;
    rec.layer = r.text(8, "0");
    if (rec.layer.empty()) rec.layer = "0";
    long long color = r.integer(62, kColorByLayer);
    rec.color = color >= kColorByBlock && color <= kColorByLayer ? static_cast<int>(color) : kColorByLayer;
    rec.linetype = r.text(6, "BYLAYER");
    rec.xdata = extendedData(r);
    rec.geom = std::forward<G>(geom);
    bool inBlock = r.section() == "BLOCKS";
    if (inBlock && target_ == Target::Block && !d_.blocks.empty()) {
      d_.blocks.back().entities.push_back(std::move(rec));
      return &d_.blocks.back().entities.back();
    }
    if (inBlock || r.section() != "ENTITIES") {
      scratch_ = std::move(rec);
      return &scratch_;
    }
    appendEntity(d_, std::move(rec));
    return &d_.entities.back().record;
  }

  void noteNames(const EntityRecord& e) {
    if (seenLayers_.insert(e.layer).second) ensureLayer(d_, e.layer);
    for (const ResBuf& rb : e.xdata) {
      if (rb.code == 1001 && seenApps_.insert(rb.asString()).second) registerApp(d_, rb.asString());
    }
  }

  // ---- Header variables: "9 $NAME" and the groups of its value ----------

  void headerGroup(int code, const std::string& value) {
    if (code == 9) {
      if (!headerVar_.empty()) finishHeaderVariable();
      headerVar_ = value;
      headerValue_.reset(0, section_);
      return;
    }
    if (!headerVar_.empty()) headerValue_.add(code, value);
  }

  void finishHeaderVariable() {
    std::string name = std::move(headerVar_);
    headerVar_.clear();
    if (headerValue_.size() == 0 || name == "$HANDSEED") return;
    const RawPair& first = headerValue_[0];
    ResBufList values = groupsToResBufs(headerValue_.begin(), headerValue_.end());
    if (values.empty() || groupKind(first.code) == GroupKind::Handle) return;
    d_.header[name] = values.front();
  }

  Drawing& d_;
  RawRecord records_[2];
  int current_ = 0;
  long long pairs_ = 0;
  std::string section_;
  bool expectSectionName_ = false;
  Target target_ = Target::Model;
  EntityRecord scratch_;

  PolylineGeom* pendingPolyline_ = nullptr;
  bool lightweight_ = false;
  std::size_t parserVertices_ = 0;
  long long polylineLine_ = 0;
  LeaderGeom* pendingLeader_ = nullptr;
  std::size_t leaderVertexCount_ = 0;
  long long leaderRecordLine_ = 0;

  std::string headerVar_;
  RawRecord headerValue_;
  NamedObjectCollector objects_;
  std::set<std::string> seenLayers_;
  std::set<std::string> seenApps_;
  std::map<std::string, int> skipped_;
  std::string error_;
};

}  // namespace

DxfReadResult readCheckedDxf(const std::string& path, const DxfCensus& census, Drawing& out) {
  try {
    out.entities.reserve(census.entityRecords);
    out.slotOfId.reserve(census.entityRecords + 1);
    auto builder = std::make_unique<DrawingBuilder>(out);
    auto parser = std::make_unique<DL_Dxf>();
    if (!parser->in(path, builder.get())) return {false, "cannot open " + path};
    std::string fault = builder->finish();
    if (!fault.empty()) return {false, path + ": " + fault};
    out.path = path;
    return {true, builder->skippedSummary()};
  } catch (const std::bad_alloc&) {
    return {false, path + ": not enough memory to read the drawing"};
  } catch (const std::exception& e) {
    return {false, path + ": cannot be read (" + std::string(e.what()) + ")"};
  }
}

}  // namespace optgrind::standalone
