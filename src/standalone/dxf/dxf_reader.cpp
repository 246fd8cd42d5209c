#include "standalone/dxf/dxf_reader.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iterator>
#include <map>
#include <memory>
#include <new>
#include <set>

#include "host/utf8.h"
#include "standalone/dxf/dxf_curve_records.h"
#include "standalone/dxf/dxf_extra_groups.h"
#include "standalone/dxf/dxf_extrusion.h"
#include "standalone/dxf/dxf_groups.h"
#include "standalone/dxf/dxf_handle_map.h"
#include "standalone/dxf/dxf_lines.h"
#include "standalone/dxf/dxf_named_objects.h"
#include "standalone/dxf/dxf_raw_entities.h"
#include "standalone/dxf/dxf_raw_record.h"
#include "standalone/dxf/dxf_text_codec.h"

namespace optgrind::standalone {
namespace {

constexpr int kPolylineClosedFlag = 1;
constexpr int kPolyline3dFlags = 8 | 16 | 64;  // 3D polyline, mesh, face mesh
constexpr int kVertexFrameControlFlag = 16;    // a spline frame point, not on the curve
constexpr int kLayerFrozenFlag = 1;
constexpr int kLayerLockedFlag = 4;
constexpr int kDefaultLayerColor = 7;
constexpr int kLineweightDefault = -3;
constexpr int kXdataHandleCode = 1005;
constexpr double kDefaultTextHeight = 2.5;

struct FileCloser {
  void operator()(FILE* f) const { std::fclose(f); }
};

std::string upper(std::string_view s) { return upperAscii(std::string(s)); }

bool isLayoutBlock(const std::string& name) {
  std::string u = upper(name);
  return u == "*MODEL_SPACE" || u.rfind("*PAPER_SPACE", 0) == 0;
}

// A LAYOUT object: its tab name and order and the block record it shows.
struct LayoutObject {
  std::string name;
  long long tabOrder = 0;
  std::string blockRecord;  // handle
  std::vector<KeptGroup> groups;
};

LayoutObject layoutObjectOf(const RawRecord& r) {
  LayoutObject out;
  bool own = false;  // past the plot settings, in the layout's own groups
  for (const RawPair& p : r) {
    out.groups.push_back({p.code, p.value});
    if (p.code == 100) own = p.value == "AcDbLayout";
    if (!own) continue;
    if (p.code == 1) out.name = p.value;
    if (p.code == 71) out.tabOrder = groupInt(p.value);
    if (p.code == 330) out.blockRecord = p.value;
  }
  return out;
}

// Multi-line text up to an embedded object, whose own groups (a location
// among them) describe something else.
RawRecord withoutEmbeddedObject(const RawRecord& r) {
  RawRecord own;
  own.reset(r.line(), r.section());
  for (const RawPair& p : r) {
    if (p.code == 101) break;
    own.add(p.code, p.value);
  }
  return own;
}

// Records that belong to the entity before them.
bool isFollowerRecord(std::string_view type) {
  return type == "VERTEX" || type == "ATTRIB" || type == "SEQEND";
}

class DrawingReader {
 public:
  explicit DrawingReader(Drawing& d) : d_(d) {}

  // Room for the handles of this many entities, made once.
  void reserve(std::size_t entities) { modelledAt_.reserve(entities); }

  void group(int code, std::string& value, long long line) {
    if (code == 0) {
      if (!headerVar_.empty()) finishHeaderVariable();
      dispatch(record_);
      record_.reset(line, section_);
      if (value == "ENDSEC") section_.clear();
      expectSectionName_ = value == "SECTION";
    } else if (expectSectionName_ && code == 2) {
      section_ = value;
      expectSectionName_ = false;
    } else if (section_ == "HEADER") {
      headerGroup(code, value);
      return;
    } else if (groupKind(code) == GroupKind::String) {
      text_.decode(value);
    }
    record_.add(code, value);
  }

  long long errorLine() const { return errorLine_; }

  // Completes the drawing once the file is through; empty when it worked.
  std::string finish() {
    if (!headerVar_.empty()) finishHeaderVariable();
    dispatch(record_);
    endSequences();
    d_.dictionaries = objects_.dictionaries();
    keepObjects();
    finishLayouts();
    for (const auto& e : d_.entities) {
      noteNames(e.record);
      e.xdata.anyApplication([&](std::string_view app) {
        noteApplication(std::string(app));
        return false;
      });
    }
    for (const auto& b : d_.blocks) {
      for (const auto& e : b.entities) noteNames(e);
    }
    return error_;
  }

  // What the user should know about the drawing as it opens.
  std::string summary() const {
    std::string out;
    if (!kept_.empty()) {
      out += "kept as they came (not editable here):";
      for (const auto& [type, count] : kept_) out += " " + std::to_string(count) + " " + type;
    }
    std::map<std::string, long long> lost(lost_.begin(), lost_.end());
    if (unresolvedLinks_ > 0) lost["links to table entries or records not in the file"] = unresolvedLinks_;
    if (losses_.modelDetails > 0)
      lost["entities' groups the model writes its own way"] = losses_.modelDetails;
    if (!lost.empty()) {
      if (!out.empty()) out += "; ";
      out += "left out:";
      for (const auto& [what, count] : lost) out += " " + std::to_string(count) + " " + what;
    }
    return out;
  }

 private:
  enum class Target { Model, Block, Paper, LayoutBlock };

  void fail(long long line, const std::string& what) {
    if (!error_.empty()) return;
    error_ = what;
    errorLine_ = line;
  }

  void dispatch(const RawRecord& r) {
    if (r.size() == 0) return;
    std::string_view type = r.type();
    if (type == "SECTION" || type == "ENDSEC" || type == "EOF") return;
    const std::string& section = r.section();
    if (section == "ENTITIES" || section == "BLOCKS") {
      if (type == "BLOCK") return beginBlock(r);
      if (type == "ENDBLK") {
        endSequences();
        target_ = Target::Model;
        return;
      }
      return entity(r);
    }
    if (section == "TABLES") {
      if (type == "LAYER") addLayer(r);
      if (type == "LTYPE") addLinetype(r);
      if (type == "STYLE") addTextStyle(r);
      if (type == "APPID" && r.has(2)) registerApp(d_, r.text(2, ""));
      if (type == "BLOCK_RECORD" && r.has(5)) addBlockRecord(r);
      noteTableRecord(r);
    } else if (section == "OBJECTS") {
      if (type == "DICTIONARY") objects_.addDictionary(r);
      if (type == "XRECORD") objects_.addXrecord(r);
      if (type == "LAYOUT") {
        layoutObjects_.push_back(layoutObjectOf(r));
        written_.push_back(parseHandle(r.text(5, "")));
      } else {
        objectRecords_.emplace_back();
        for (const RawPair& p : r) objectRecords_.back().groups.push_back({p.code, p.value});
      }
    }
  }

  // ---- Tables --------------------------------------------------------------

  // The handle of a table entry the writer writes again, by its name.
  void noteTableRecord(const RawRecord& r) {
    std::string_view type = r.type();
    if (type != "LAYER" && type != "LTYPE" && type != "STYLE" && type != "APPID" && type != "DIMSTYLE")
      return;
    uint64_t handle = parseHandle(r.text(type == "DIMSTYLE" ? 105 : 5, ""));
    if (handle == 0) return;
    d_.keptObjects.tableRecords.emplace(tableRecordKey(type, r.text(2, "")), handle);
    written_.push_back(handle);
  }

  void addBlockRecord(const RawRecord& r) {
    blockRecordNames_[upper(r.text(5, ""))] = r.text(2, "");
    FileBlockRecord record{r.text(2, ""), parseHandle(r.text(5, "")), 0};
    bool inXdictionary = false;
    for (const RawPair& p : r) {
      if (p.code == 102) inXdictionary = p.value == "{ACAD_XDICTIONARY";
      if (p.code == 360 && inXdictionary) record.xdictionary = parseHandle(p.value);
    }
    written_.push_back(record.handle);
    d_.keptObjects.blockRecords.push_back(std::move(record));
  }

  // ---- Objects: all but those the drawing models are kept as they came --

  void keepObjects() {
    std::set<uint64_t> modelled;
    for (const std::string& h : objects_.modelledHandles()) modelled.insert(parseHandle(h));
    KeptObjects& kept = d_.keptObjects;
    kept.root = parseHandle(objects_.rootHandle());
    written_.push_back(kept.root);
    for (KeptEntity& o : objectRecords_) {
      uint64_t handle = 0;
      for (const KeptGroup& g : o.groups) {
        if (g.code == 5) {
          handle = parseHandle(g.value);
          break;
        }
      }
      if (handle == 0 || modelled.count(handle)) continue;
      written_.push_back(handle);
      kept.records.push_back(std::move(o));
    }
    objectRecords_.clear();
    for (const auto& [name, handle] : objects_.rootEntries()) {
      uint64_t h = parseHandle(handle);
      if (!modelled.count(h)) kept.rootEntries.emplace_back(name, h);
    }
    sortHandles();
    for (const KeptEntity& o : kept.records) noteLinks(o.groups);
    auto noteAll = [&](const std::vector<KeptEntity>& list) {
      for (const KeptEntity& k : list) noteLinks(k.groups);
    };
    noteAll(d_.keptEntities);
    for (const BlockDef& b : d_.blocks) noteAll(b.keptEntities);
    for (const PaperLayout& l : d_.paperLayouts) noteAll(l.entities);
    for (std::size_t i = 0; i < d_.extraGroups.size(); ++i) noteLinks(d_.extraGroups[i].groups);
    // Extended data name records by database handles (multi-line text
    // columns, for one); they are mapped where they name an entity.
    auto noteXdata = [&](const ResBufList& xdata) {
      for (const ResBuf& rb : xdata) {
        if (rb.code == kXdataHandleCode && rb.isString()) markModelled(parseHandle(rb.asString()));
      }
    };
    for (const DrawingEntity& e : d_.entities) {
      if (!e.xdata.empty()) noteXdata(e.xdata.unpacked());
    }
    for (const BlockDef& b : d_.blocks) {
      for (const EntityRecord& e : b.entities) noteXdata(e.xdata);
    }
    std::vector<ModelledEntity>().swap(modelledAt_);
    std::vector<uint64_t>().swap(written_);
  }

  // Sorted once all is read, for the look-ups of the links; among entities
  // of one handle the last read stands.
  void sortHandles() {
    std::stable_sort(modelledAt_.begin(), modelledAt_.end(),
                     [](const ModelledEntity& a, const ModelledEntity& b) { return a.handle < b.handle; });
    std::sort(written_.begin(), written_.end());
    written_.erase(std::unique(written_.begin(), written_.end()), written_.end());
  }

  bool written(uint64_t handle) const { return std::binary_search(written_.begin(), written_.end(), handle); }

  // Marks the modelled entities the links name, so that the writer maps
  // them, and counts the links to records the saved file will not hold.
  void noteLinks(const std::vector<KeptGroup>& groups) {
    for (const KeptGroup& g : groups) {
      if (!isObjectLink(g.code) || g.value == "0") continue;
      uint64_t h = parseHandle(g.value);
      if (!markModelled(h) && !written(h)) ++unresolvedLinks_;
    }
    for (const KeptGroup& g : groups) {
      if (g.code == kXdataHandleCode) markModelled(parseHandle(g.value));
    }
  }

  // False when no modelled entity had that handle.
  bool markModelled(uint64_t handle) {
    auto at = std::upper_bound(modelledAt_.begin(), modelledAt_.end(), handle,
                               [](uint64_t h, const ModelledEntity& e) { return h < e.handle; });
    if (at == modelledAt_.begin() || (--at)->handle != handle) return false;
    extraOf(*at).fileHandle = handle;
    return true;
  }

  // Where a modelled entity of the file's handle stands: a block's index
  // (-1 for model space) and its index there. Sixteen bytes, in one
  // vector: a map of nodes for each entity was a third of the load's peak.
  struct ModelledEntity {
    uint64_t handle = 0;
    int32_t block = -1;
    uint32_t index = 0;
  };

  ExtraGroups& extraOf(const ModelledEntity& at) {
    uint32_t* ref = nullptr;
    int color = kColorByLayer;
    if (at.block < 0) {
      ref = &d_.entities[at.index].extra;
      color = d_.entities[at.index].record.color;
    } else {
      BlockDef& b = d_.blocks[static_cast<std::size_t>(at.block)];
      if (b.entityExtras.size() <= at.index) b.entityExtras.resize(at.index + 1);
      ref = &b.entityExtras[at.index];
      color = b.entities[at.index].color;
    }
    if (*ref == 0) {
      d_.extraGroups.emplace_back();
      d_.extraGroups.back().colorWhenRead = color;
      *ref = static_cast<uint32_t>(d_.extraGroups.size());
    }
    return d_.extraGroups[*ref - 1];
  }

  void addLayer(const RawRecord& r) {
    LayerRecord& layer = ensureLayer(d_, r.text(2, "0"));
    long long color = r.integer(62, kDefaultLayerColor);
    long long flags = r.integer(70, 0);
    layer.off = color < 0;
    layer.color = static_cast<int>(std::clamp<long long>(std::llabs(color), 1, 255));
    layer.frozen = (flags & kLayerFrozenFlag) != 0;
    layer.locked = (flags & kLayerLockedFlag) != 0;
    layer.linetype = r.text(6, "Continuous");
    layer.lineweight = static_cast<int>(r.integer(370, kLineweightDefault));
  }

  void addLinetype(const RawRecord& r) {
    LinetypeRecord& lt = ensureLinetype(d_, r.text(2, ""));
    lt.description = r.text(3, "");
    lt.pattern.clear();
    for (const RawPair& p : r) {
      if (p.code == 49) lt.pattern.push_back(groupReal(p.value));
    }
  }

  void addTextStyle(const RawRecord& r) {
    std::string name = r.text(2, "");
    TextStyleRecord* style = findTextStyle(d_, name);
    if (!style) {
      d_.textStyleTable.push_back({});
      style = &d_.textStyleTable.back();
      style->id = d_.nextTableId++;
      style->name = name;
    }
    style->fixedHeight = r.real(40, 0.0);
    double width = r.real(41, 1.0);
    style->widthFactor = width > 0.0 ? width : 1.0;
    style->oblique = r.real(50, 0.0) * kDegToRad;
    style->font = r.text(3, "");
    style->bigFont = r.text(4, "");
  }

  // ---- Blocks --------------------------------------------------------------

  void beginBlock(const RawRecord& r) {
    endSequences();
    std::string name = r.text(2, "");
    if (isLayoutBlock(name)) {
      // The active layouts' entities come in the ENTITIES section; the
      // other paper-space layouts' live in their blocks.
      bool active = upper(name) == "*MODEL_SPACE" || upper(name) == upper(kActivePaperBlock);
      target_ = active ? Target::LayoutBlock : Target::Paper;
      if (!active) paperTarget_ = &paperLayout(name);
      return;
    }
    BlockDef block;
    block.name = name;
    block.base = r.point(10);
    block.flags = static_cast<int>(r.integer(70, 0));
    block.layer = r.text(8, "0");
    d_.blocks.push_back(std::move(block));
    target_ = Target::Block;
  }

  // ---- Entities ------------------------------------------------------------

  void entity(const RawRecord& r) {
    std::string_view type = r.type();
    if (isFollowerRecord(type)) return follower(r);
    endSequences();
    if (r.section() == "BLOCKS" && target_ == Target::LayoutBlock) {
      ++lost_["entities of layout blocks"];
      return;
    }
    bool paperSpace = r.section() == "ENTITIES" && r.integer(67, 0) == 1;
    if (paperSpace) paperTarget_ = &paperLayout(kActivePaperBlock);
    paperSpace = paperSpace || (r.section() == "BLOCKS" && target_ == Target::Paper);
    Extrusion ex = extrusionOf(r);
    if (paperSpace || ex == Extrusion::Tilted || !modelled(r, ex)) keep(r, paperSpace);
  }

  // Builds the model's entity; false when the record is to be kept as it came.
  bool modelled(const RawRecord& r, Extrusion ex) {
    std::string_view type = r.type();
    bool down = ex == Extrusion::Down;
    double thickness = r.real(39, 0.0);
    if (type == "LINE") {
      add(r, LineGeom{r.point(10), r.point(11), thickness});
    } else if (type == "POINT") {
      add(r, PointGeom{r.point(10)});
    } else if (type == "ARC") {
      ArcGeom g{r.point(10), r.real(40, 0.0), r.real(50, 0.0) * kDegToRad, r.real(51, 0.0) * kDegToRad,
                thickness};
      if (down) mirrorArc(g);
      add(r, g);
    } else if (type == "CIRCLE") {
      CircleGeom g{r.point(10), r.real(40, 0.0), thickness};
      if (down) g.center = mirrorPoint(g.center);
      add(r, g);
    } else if (type == "LWPOLYLINE") {
      if (!r.has(90)) {
        fail(r.line(), "LWPOLYLINE without its vertex count (90)");
        return true;
      }
      PolylineGeom g;
      g.closed = (r.integer(70, 0) & kPolylineClosedFlag) != 0;
      g.thickness = thickness;
      g.elevation = r.real(38, 0.0);
      g.constantWidth = r.real(43, 0.0);
      g.vertices = rawLwVertices(r);
      long long declared = r.integer(90, 0);
      if (declared != static_cast<long long>(g.vertices.size())) {
        fail(r.line(), "LWPOLYLINE declares " + std::to_string(declared) + " vertices but lists " +
                           std::to_string(g.vertices.size()));
      }
      if (down) mirrorPolyline(g);
      add(r, std::move(g));
    } else if (type == "POLYLINE") {
      if (r.integer(70, 0) & kPolyline3dFlags) return false;
      PolylineGeom g;
      g.closed = (r.integer(70, 0) & kPolylineClosedFlag) != 0;
      g.thickness = thickness;
      g.elevation = down ? -r.real(30, 0.0) : r.real(30, 0.0);
      g.constantWidth = r.real(40, 0.0) == r.real(41, 0.0) ? r.real(40, 0.0) : 0.0;
      pendingPolyline_ = add(r, std::move(g))->as<PolylineGeom>();
      frameCounted_ = false;
      polylineDown_ = down;
    } else if (type == "TEXT" || type == "MTEXT") {
      // Text seen from below reads mirrored, which the model cannot show.
      if (down) return false;
      addText(r);
    } else if (type == "INSERT") {
      // Attributes and arrays are not modelled: such an insert is kept whole.
      if (r.integer(66, 0) == 1 || r.integer(70, 1) > 1 || r.integer(71, 1) > 1) return false;
      InsertGeom g{r.text(2, ""),   r.point(10),     r.real(41, 1.0),
                   r.real(42, 1.0), r.real(43, 1.0), r.real(50, 0.0) * kDegToRad};
      if (down) mirrorInsert(g);
      add(r, std::move(g));
    } else if (type == "DIMENSION") {
      if (down) return false;
      add(r, rawDimension(r));
    } else if (type == "LEADER") {
      LeaderGeom g;
      g.arrowhead = r.integer(71, 1) != 0;
      g.style = r.text(3, "Standard");
      for (const RawPair& p : r) {
        if (p.code == 10) g.vertices.push_back({groupReal(p.value), 0.0, 0.0});
        if (p.code == 20 && !g.vertices.empty()) g.vertices.back().y = groupReal(p.value);
        if (p.code == 30 && !g.vertices.empty()) g.vertices.back().z = groupReal(p.value);
      }
      add(r, std::move(g));
    } else if (type == "HATCH") {
      if (down) return false;
      HatchGeom g = rawHatch(r);
      // A boundary the model cannot hold (spline or ellipse edges) keeps the
      // whole hatch as it came.
      if (static_cast<long long>(g.loops.size()) != r.integer(91, 0)) return false;
      add(r, std::move(g));
    } else if (type == "3DSOLID") {
      add(r, rawSolid3d(r));
    } else if (type == "SPLINE") {
      SplineGeom g;
      if (!rawSpline(r, g)) return false;
      add(r, std::move(g));
    } else if (type == "ELLIPSE") {
      EllipseGeom g;
      if (!rawEllipse(r, g)) return false;
      add(r, std::move(g));
    } else {
      return false;
    }
    return true;
  }

  void addText(const RawRecord& r) {
    if (r.type() == "TEXT") {
      TextGeom g;
      g.position = r.point(10);
      g.alignPoint = r.has(11) ? r.point(11) : g.position;
      g.height = r.real(40, kDefaultTextHeight);
      g.rotation = r.real(50, 0.0) * kDegToRad;
      g.widthFactor = r.real(41, 1.0);
      g.oblique = r.real(51, 0.0) * kDegToRad;
      g.hAlign = static_cast<int>(r.integer(72, 0));
      g.vAlign = static_cast<int>(r.integer(73, 0));
      g.style = r.text(7, "Standard");
      if (g.style.empty()) g.style = "Standard";
      g.text = r.text(1, "");
      add(r, std::move(g));
    } else {
      RawRecord own = withoutEmbeddedObject(r);
      MTextGeom g;
      g.location = own.point(10);
      g.height = own.real(40, kDefaultTextHeight);
      g.width = own.real(41, 0.0);
      g.rotation = rawMTextRotation(own);
      g.attachment = static_cast<int>(own.integer(71, 1));
      g.lineSpacing = own.real(44, 1.0);
      g.style = own.text(7, "Standard");
      if (g.style.empty()) g.style = "Standard";
      g.contents = rawMTextContents(own);
      add(r, std::move(g));
    }
  }

  // Vertices, attributes and SEQEND after a POLYLINE or INSERT.
  void follower(const RawRecord& r) {
    if (keptSequence_) {
      appendGroups(*keptSequence_, r);
      if (r.type() == "SEQEND") keptSequence_ = nullptr;
      return;
    }
    if (pendingPolyline_ && r.type() == "VERTEX") {
      if (r.integer(70, 0) & kVertexFrameControlFlag) {
        // The fitted curve is modelled; the frame that made it is not.
        if (!frameCounted_) ++lost_["spline frames of polylines (their fitted curve is kept)"];
        frameCounted_ = true;
        return;
      }
      PolyVertex v{r.real(10, 0.0), r.real(20, 0.0), r.real(42, 0.0), r.real(40, 0.0), r.real(41, 0.0)};
      if (polylineDown_) mirrorVertex(v);
      pendingPolyline_->vertices.push_back(v);
      return;
    }
    if (r.type() == "SEQEND") pendingPolyline_ = nullptr;
  }

  void endSequences() {
    pendingPolyline_ = nullptr;
    keptSequence_ = nullptr;
  }

  void keep(const RawRecord& r, bool paperSpace) {
    KeptEntity kept;
    appendGroups(kept, r);
    bool inBlock = r.section() == "BLOCKS" && target_ == Target::Block && !d_.blocks.empty();
    std::vector<KeptEntity>& list = paperSpace ? paperTarget_->entities
                                    : inBlock  ? d_.blocks.back().keptEntities
                                               : d_.keptEntities;
    kept.position = paperSpace ? 0 : inBlock ? d_.blocks.back().entities.size() : d_.entities.size();
    list.push_back(std::move(kept));
    if (!paperSpace) ++kept_[std::string(r.type())];
    bool opensSequence = r.type() == "POLYLINE" || (r.type() == "INSERT" && r.integer(66, 0) == 1);
    if (opensSequence) keptSequence_ = &list.back();
    seenLayers_.insert(r.text(8, "0"));
    ensureLayer(d_, r.text(8, "0").empty() ? "0" : r.text(8, "0"));
  }

  void appendGroups(KeptEntity& kept, const RawRecord& r) {
    for (const RawPair& p : r) kept.groups.push_back({p.code, p.value});
    written_.push_back(parseHandle(r.text(5, "")));
  }

  // Common properties and extended data from the record, then the geometry.
  template <class G>
  EntityRecord* add(const RawRecord& r, G&& geom) {
    EntityRecord rec;
    rec.layer = r.text(8, "0");
    if (rec.layer.empty()) rec.layer = "0";
    long long color = r.integer(62, kColorByLayer);
    rec.color = color >= kColorByBlock && color <= kColorByLayer ? static_cast<int>(color) : kColorByLayer;
    rec.linetype = r.text(6, "BYLAYER");
    rec.xdata = extendedData(r);
    rec.geom = std::forward<G>(geom);
    ExtraGroups extra = splitExtraGroups(r, entityDxfName(rec.type()), losses_);
    uint32_t extraRef = 0;
    if (!extra.groups.empty()) {
      d_.extraGroups.push_back(std::move(extra));
      extraRef = static_cast<uint32_t>(d_.extraGroups.size());
    }
    uint64_t handle = parseHandle(r.text(5, ""));
    // A modelled entity is found by its place; only one without a handle
    // goes into the written handles.
    if (handle == 0) written_.push_back(handle);
    if (r.section() == "BLOCKS" && !d_.blocks.empty()) {
      BlockDef& b = d_.blocks.back();
      if (handle != 0)
        modelledAt_.push_back(
            {handle, static_cast<int32_t>(d_.blocks.size() - 1), static_cast<uint32_t>(b.entities.size())});
      b.entities.push_back(std::move(rec));
      if (extraRef != 0) {
        b.entityExtras.resize(b.entities.size());
        b.entityExtras.back() = extraRef;
      }
      return &b.entities.back();
    }
    if (handle != 0) modelledAt_.push_back({handle, -1, static_cast<uint32_t>(d_.entities.size())});
    appendEntity(d_, std::move(rec));
    d_.entities.back().extra = extraRef;
    return &d_.entities.back().record;
  }

  // The layout shown by that block, added when it is new.
  PaperLayout& paperLayout(const std::string& blockName) {
    for (PaperLayout& l : d_.paperLayouts) {
      if (equalIgnoringCase(l.blockName, blockName)) return l;
    }
    PaperLayout& made = d_.paperLayouts.emplace_back();
    made.blockName = blockName;
    return made;
  }

  // Names the layouts by their LAYOUT objects (a file before R2000 has
  // none: its one paper space is "Layout1"), in tab order.
  void finishLayouts() {
    std::map<std::string, long long> tabOrder;
    for (LayoutObject& o : layoutObjects_) {
      auto block = blockRecordNames_.find(upper(o.blockRecord));
      if (block == blockRecordNames_.end() || upper(block->second) == "*MODEL_SPACE") continue;
      PaperLayout& l = paperLayout(block->second);
      if (!l.name.empty()) continue;  // a second LAYOUT object for the same block
      l.name = o.name;
      l.layoutGroups = std::move(o.groups);
      tabOrder[upper(l.blockName)] = o.tabOrder;
    }
    int n = 0;
    for (PaperLayout& l : d_.paperLayouts) {
      if (!l.name.empty()) continue;
      auto taken = [&](const std::string& name) {
        return std::any_of(d_.paperLayouts.begin(), d_.paperLayouts.end(),
                           [&](const PaperLayout& o) { return &o != &l && equalIgnoringCase(o.name, name); });
      };
      do {
        l.name = "Layout" + std::to_string(++n);
      } while (taken(l.name) && n < 1000000);
    }
    std::stable_sort(d_.paperLayouts.begin(), d_.paperLayouts.end(),
                     [&](const PaperLayout& a, const PaperLayout& b) {
                       return tabOrder[upper(a.blockName)] < tabOrder[upper(b.blockName)];
                     });
  }

  void noteNames(const EntityRecord& e) {
    if (seenLayers_.insert(e.layer).second) ensureLayer(d_, e.layer);
    for (const ResBuf& rb : e.xdata) {
      if (rb.code == 1001) noteApplication(rb.asString());
    }
  }

  void noteApplication(const std::string& name) {
    if (seenApps_.insert(name).second) registerApp(d_, name);
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
    if (name == "$ACADVER") text_.setVersion(first.value);
    if (name == "$DWGCODEPAGE") text_.setCodePage(first.value);
    ResBufList values = groupsToResBufs(headerValue_.begin(), headerValue_.end());
    if (values.empty() || groupKind(first.code) == GroupKind::Handle) return;
    d_.header[name] = values.front();
  }

  Drawing& d_;
  RawRecord record_;
  std::string section_;
  bool expectSectionName_ = false;
  Target target_ = Target::Model;
  DxfTextDecoder text_;

  PolylineGeom* pendingPolyline_ = nullptr;
  bool polylineDown_ = false;
  bool frameCounted_ = false;
  KeptEntity* keptSequence_ = nullptr;
  PaperLayout* paperTarget_ = nullptr;  // the layout of the paper-space entity being read

  std::string headerVar_;
  RawRecord headerValue_;
  NamedObjectCollector objects_;
  std::set<std::string> seenLayers_;
  std::set<std::string> seenApps_;
  std::map<std::string, int> kept_;
  std::map<std::string, int> lost_;
  ExtraGroupLosses losses_;
  std::map<std::string, std::string> blockRecordNames_;  // by handle
  std::vector<LayoutObject> layoutObjects_;
  std::vector<KeptEntity> objectRecords_;  // the OBJECTS section but its layouts, until sorted out
  std::vector<ModelledEntity> modelledAt_;
  std::vector<uint64_t> written_;  // handles of the records the saved file will hold again
  long long unresolvedLinks_ = 0;
  std::string error_;
  long long errorLine_ = 0;
};

}  // namespace

// The room a loaded drawing has for new entities: a share of its own and
// a few.
constexpr std::size_t kGrowthShare = 16;
constexpr std::size_t kGrowthSlots = 16;

Outcome readCheckedDxf(const std::string& path, const DxfCensus& census, Drawing& out) {
  try {
    // Room to grow: the first entity a command adds (a PEDIT join's
    // polyline) would otherwise move every entity of a big drawing.
    out.entities.reserve(census.entityRecords + census.entityRecords / kGrowthShare + kGrowthSlots);
    out.slotOfId.reserve(census.entityRecords + 1);
    std::unique_ptr<FILE, FileCloser> f(std::fopen(path.c_str(), "rb"));
    if (!f) return Outcome::failure("cannot open the file", path);
    auto src = std::make_unique<DxfLineSource>(f.get());
    auto reader = std::make_unique<DrawingReader>(out);
    reader->reserve(census.entityRecords);
    std::string codeLine;
    std::string value;
    long long line = 0;
    // The check has passed, so every group is whole and every code a number.
    while (src->next(codeLine, 0) == DxfLineSource::Result::Line) {
      ++line;
      long long code = 0;
      if (!parseGroupInt(codeLine, code)) break;  // blanks or a DOS end-of-file byte after EOF
      if (src->next(value, 0) != DxfLineSource::Result::Line) break;
      ++line;
      reader->group(static_cast<int>(code), value, line - 1);
      if (code == 0 && value == "EOF") break;
    }
    std::string fault = reader->finish();
    if (!fault.empty()) return Outcome::failure(fault, path, static_cast<int>(reader->errorLine()));
    out.path = path;
    Outcome ok = Outcome::success();
    ok.message = reader->summary();
    return ok;
  } catch (const std::bad_alloc&) {
    return Outcome::failure("not enough memory to read the drawing", path);
  }
}

}  // namespace optgrind::standalone
