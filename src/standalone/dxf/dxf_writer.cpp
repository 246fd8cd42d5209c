#include "standalone/dxf/dxf_writer.h"
#include "host/utf8.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <map>
#include <set>
#include <unordered_map>

#include "standalone/dxf/dxf_entity_writer.h"
#include "standalone/dxf/dxf_extra_groups.h"
#include "standalone/dxf/dxf_groups.h"
#include "standalone/dxf/dxf_handle_map.h"
#include "standalone/dxf/dxf_named_objects.h"
#include "standalone/dxf/dxf_out.h"

namespace optgrind::standalone {
namespace {

constexpr int kLayerFrozenFlag = 1;
constexpr int kLayerLockedFlag = 4;
constexpr int kDefaultLayerColor = 7;
constexpr int kAnonymousBlockFlag = 1;
constexpr double kDefaultTextHeight = 2.5;
constexpr std::size_t kAllTheRest = SIZE_MAX;

// Table rows by name, without case, in the order they were added.
constexpr const char* kCodePageVariable = "$DWGCODEPAGE";

// The code page the drawing came in, which its text is written in again.
std::string declaredCodePage(const Drawing& d) {
  auto it = d.header.find(kCodePageVariable);
  return it != d.header.end() && it->second.isString() ? it->second.asString() : std::string();
}

template <class Row>
class NamedRows {
 public:
  bool has(const std::string& name) const { return seen_.count(upperAscii(name)) > 0; }
  Row* add(const std::string& name, Row row) {
    if (name.empty() || !seen_.insert(upperAscii(name)).second) return nullptr;
    rows_.push_back(std::move(row));
    return &rows_.back();
  }
  const std::vector<Row>& rows() const { return rows_; }
  std::vector<Row>& rows() { return rows_; }

 private:
  std::set<std::string> seen_;
  std::vector<Row> rows_;
};

struct BlockOut {
  std::string name;
  const BlockDef* def = nullptr;  // null: an empty block made for a reference
  unsigned long record = 0;
  unsigned long begin = 0;
  unsigned long end = 0;
  bool paper = false;
};

// A paper-space layout as it is written: its block, its LAYOUT object and
// what it came from (null: the layout made for a drawing without one).
struct LayoutOut {
  const PaperLayout* source = nullptr;
  std::string name;
  BlockOut block;
  unsigned long object = 0;
  bool active = false;
};

struct TableHandles {
  unsigned long vport = 0, ltype = 0, layer = 0, style = 0, view = 0, ucs = 0, appid = 0, dimstyle = 0,
                blockRecord = 0;
};

struct ObjectHandles {
  unsigned long root = 0, groups = 0, layouts = 0, modelLayout = 0;
};

class DocumentWriter {
 public:
  DocumentWriter(const Drawing& d, const std::string& file) : d_(d), out_(file, declaredCodePage(d)) {}

  std::string write() {
    if (out_.openFailed()) return "cannot create the file";
    collectNames();
    planHandles();
    writeHeader();
    section("CLASSES");
    out_.str(0, "ENDSEC");
    writeTables();
    writeBlocks();
    writeEntities();
    writeObjects();
    out_.str(0, "EOF");
    out_.close();
    return {};
  }

 private:
  // ---- Names in use: every name an entity or table row refers to gets a row.

  void collectNames() {
    for (const LinetypeRecord& lt : d_.linetypeTable) linetypes_.add(lt.name, lt);
    for (const char* name : {"ByBlock", "ByLayer", "Continuous"}) linetypes_.add(name, namedLinetype(name));
    for (const LayerRecord& l : d_.layerTable) layers_.add(l.name, l);
    layers_.add("0", namedLayer("0"));
    for (const TextStyleRecord& s : d_.textStyleTable) styles_.add(s.name, s);
    styles_.add("Standard", namedStyle("Standard"));
    for (const std::string& a : d_.appIds) apps_.add(a, a);
    apps_.add("ACAD", "ACAD");
    dimstyles_.add("Standard", "Standard");
    for (const BlockDef& b : d_.blocks) {
      if (blocks_.add(b.name, BlockOut{b.name, &b})) layers_.add(b.layer, namedLayer(b.layer));
    }
    for (const DrawingEntity& e : d_.entities) {
      if (e.erased) continue;
      noteEntity(e.record);
      e.xdata.anyApplication([&](std::string_view app) {
        apps_.add(std::string(app), std::string(app));
        return false;
      });
    }
    for (const BlockDef& b : d_.blocks) {
      for (const EntityRecord& e : b.entities) noteEntity(e);
    }
    for (const KeptEntity& k : d_.keptEntities) noteKept(k);
    for (const PaperLayout& l : d_.paperLayouts) {
      for (const KeptEntity& k : l.entities) noteKept(k);
    }
    for (const BlockDef& b : d_.blocks) {
      for (const KeptEntity& k : b.keptEntities) noteKept(k);
    }
    for (const LayerRecord& l : layers_.rows()) noteLinetype(l.linetype);
  }

  // The table rows a kept entity names, so that they are there to name.
  void noteKept(const KeptEntity& k) {
    std::string_view type;
    for (const KeptGroup& g : k.groups) {
      if (g.code == 0) type = g.value;
      if (g.code == 8) layers_.add(g.value, namedLayer(g.value));
      if (g.code == 6) noteLinetype(g.value);
      if (g.code == 1001) apps_.add(g.value, g.value);
      if (g.code == 7 && (type == "TEXT" || type == "MTEXT" || type == "ATTRIB" || type == "ATTDEF"))
        styles_.add(g.value, namedStyle(g.value));
      if (g.code == 2 && type == "INSERT") blocks_.add(g.value, BlockOut{g.value});
      if (g.code == 3 && (type == "DIMENSION" || type == "LEADER")) dimstyles_.add(g.value, g.value);
    }
  }

  void noteEntity(const EntityRecord& e) {
    layers_.add(e.layer, namedLayer(e.layer));
    noteLinetype(e.linetype);
    for (const ResBuf& rb : e.xdata) {
      if (rb.code == 1001) apps_.add(rb.asString(), rb.asString());
    }
    if (const auto* t = e.as<TextGeom>()) styles_.add(t->style, namedStyle(t->style));
    if (const auto* t = e.as<MTextGeom>()) styles_.add(t->style, namedStyle(t->style));
    if (const auto* i = e.as<InsertGeom>()) blocks_.add(i->block, BlockOut{i->block});
    if (const auto* l = e.as<LeaderGeom>()) dimstyles_.add(l->style, l->style);
    if (const auto* dim = e.as<DimensionGeom>()) {
      dimstyles_.add(dim->style, dim->style);
      std::string name = dim->block;
      if (name.empty()) {
        do {
          name = "*D" + std::to_string(++anonymousDimensions_);
        } while (blocks_.has(name));
        madeDimensionBlocks_[&e] = name;
      }
      blocks_.add(name, BlockOut{name});
    }
  }

  void noteLinetype(const std::string& name) {
    std::string u = upperAscii(name);
    if (!isByLayerLinetype(name) && u != "BYBLOCK") linetypes_.add(name, namedLinetype(name));
  }

  static LinetypeRecord namedLinetype(const std::string& name) {
    LinetypeRecord r;
    r.name = name;
    return r;
  }
  static LayerRecord namedLayer(const std::string& name) {
    LayerRecord r;
    r.name = name;
    return r;
  }
  static TextStyleRecord namedStyle(const std::string& name) {
    TextStyleRecord r;
    r.name = name;
    return r;
  }

  // ---- Handles: all but the entities' are given out before writing, so
  // that the header can name the next free handle.

  void planHandles() {
    tables_ = {take(), take(), take(), take(), take(), take(), take(), take(), take()};
    objects_ = {take(), take(), take(), take()};
    model_ = {"*Model_Space", nullptr, take(), take(), take()};
    planLayouts();
    for (BlockOut& b : blocks_.rows()) {
      b.record = take();
      b.begin = take();
      b.end = take();
    }
    std::size_t entityCount = 0;
    for (const DrawingEntity& e : d_.entities) entityCount += e.erased ? 0 : 1;
    for (const BlockDef& b : d_.blocks) {
      entityCount += b.entities.size();
      for (const KeptEntity& k : b.keptEntities) entityCount += keptRecords(k);
    }
    for (const KeptEntity& k : d_.keptEntities) entityCount += keptRecords(k);
    for (const PaperLayout& l : d_.paperLayouts) {
      for (const KeptEntity& k : l.entities) entityCount += keptRecords(k);
    }
    tableRecordBase_ = next_;
    next_ += linetypes_.rows().size() + layers_.rows().size() + styles_.rows().size() + apps_.rows().size() +
             dimstyles_.rows().size();
    dictionaryBase_ = next_;
    for (const Dictionary& dict : d_.dictionaries) next_ += 1 + dict.xrecords.size();
    entityBase_ = next_;
    next_ += entityCount;
    planKeptObjects();
    planEntityHandles();
  }

  // The handles entities will be written with, in the order writeBlocks()
  // and writeEntities() write them, so that a link to an entity written
  // later is mapped too.
  void planEntityHandles() {
    unsigned long h = entityBase_;
    auto kept = [&](const KeptEntity& k) {
      for (const KeptGroup& g : k.groups) {
        if (g.code == 0) ++h;
        if (g.code == 5) links_.add(parseHandle(g.value), h - 1);
      }
    };
    auto list = [&](const std::vector<KeptEntity>& keptList, std::size_t count, auto&& modelled) {
      std::size_t k = 0;
      for (std::size_t i = 0; i < count; ++i) {
        while (k < keptList.size() && keptList[k].position <= i) kept(keptList[k++]);
        modelled(i);
      }
      while (k < keptList.size()) kept(keptList[k++]);
    };
    for (const LayoutOut& l : layouts_) {
      if (!l.active && l.source) list(l.source->entities, 0, [](std::size_t) {});
    }
    for (const BlockOut& b : blocks_.rows()) {
      if (!b.def) continue;
      const auto& extras = b.def->entityExtras;
      list(b.def->keptEntities, b.def->entities.size(), [&](std::size_t i) {
        if (const ExtraGroups* x = extraGroupsOf(d_, i < extras.size() ? extras[i] : 0))
          links_.add(x->fileHandle, h);
        ++h;
      });
    }
    list(d_.keptEntities, d_.entities.size(), [&](std::size_t i) {
      const DrawingEntity& e = d_.entities[i];
      if (e.erased) return;
      if (const ExtraGroups* x = extraGroupsOf(d_, e.extra)) links_.add(x->fileHandle, h);
      ++h;
    });
    for (const LayoutOut& l : layouts_) {
      if (l.active && l.source) list(l.source->entities, 0, [](std::size_t) {});
    }
  }

  // Kept objects get their handles before any entity is written, so that
  // an entity's link to its definition or reactor is known; so do the
  // records the writer makes that kept records name.
  void planKeptObjects() {
    const KeptObjects& kept = d_.keptObjects;
    for (const KeptEntity& o : kept.records) {
      unsigned long handle = take();
      for (const KeptGroup& g : o.groups) {
        if (g.code == 5) {
          links_.add(parseHandle(g.value), handle);
          break;
        }
      }
    }
    links_.add(kept.root, objects_.root);
    for (const FileBlockRecord& r : kept.blockRecords) fileBlockRecords_.emplace(upperAscii(r.block), &r);
    linkBlockRecord("*Model_Space", model_.record);
    for (const LayoutOut& l : layouts_) {
      if (l.source) linkBlockRecord(l.source->blockName, l.block.record);
    }
    for (const BlockOut& b : blocks_.rows()) linkBlockRecord(b.name, b.record);
    for (const LayoutOut& l : layouts_) {
      if (!l.source) continue;
      for (const KeptGroup& g : l.source->layoutGroups) {
        if (g.code == 5) {
          links_.add(parseHandle(g.value), l.object);
          break;
        }
      }
    }
    for (const auto& [name, handle] : kept.rootEntries)
      keptGroupDictionary_ |= upperAscii(name) == "ACAD_GROUP" && links_.find(handle) != 0;
  }

  unsigned long take() { return next_++; }

  // Every paper-space layout, one of them active (its block "*Paper_Space");
  // a drawing without one gets "Layout1". The others' blocks keep their
  // names where they are free.
  void planLayouts() {
    for (const PaperLayout& l : d_.paperLayouts) {
      LayoutOut out;
      out.source = &l;
      out.name = l.name;
      out.block.name = l.blockName;
      out.active = equalIgnoringCase(l.blockName, kActivePaperBlock);
      layouts_.push_back(out);
    }
    if (layouts_.empty()) layouts_.push_back({nullptr, "Layout1", {kActivePaperBlock}, 0, true});
    if (std::none_of(layouts_.begin(), layouts_.end(), [](const LayoutOut& l) { return l.active; }))
      layouts_.front().active = true;
    std::set<std::string> used;
    int n = 0;
    for (LayoutOut& l : layouts_) {
      std::string name = l.active ? std::string(kActivePaperBlock) : l.block.name;
      while (!l.active &&
             (!used.insert(upperAscii(name)).second || upperAscii(name).rfind("*PAPER_SPACE", 0) != 0 ||
              equalIgnoringCase(name, kActivePaperBlock)))
        name = std::string(kActivePaperBlock) + std::to_string(n++);
      l.block = {name, nullptr, take(), take(), take(), true};
      l.object = take();
    }
  }

  // ---- Sections ----------------------------------------------------------

  void section(const char* name) {
    out_.str(0, "SECTION");
    out_.str(2, name);
  }

  void writeHeader() {
    section("HEADER");
    out_.str(9, "$ACADVER");
    out_.str(1, "AC1015");
    out_.str(9, "$DWGCODEPAGE");
    out_.str(3, out_.codePage());
    out_.str(9, "$HANDSEED");
    out_.handle(5, next_);
    for (const auto& [name, value] : d_.header) {
      if (name == "$ACADVER" || name == "$HANDSEED" || name == kCodePageVariable || name.size() < 2 ||
          name[0] != '$')
        continue;
      out_.str(9, name);
      out_.resbuf(value);
    }
    out_.str(0, "ENDSEC");
  }

  void tableHead(const char* name, unsigned long handle, std::size_t count) {
    out_.str(0, "TABLE");
    out_.str(2, name);
    out_.handle(5, handle);
    out_.handle(330, 0);
    out_.str(100, "AcDbSymbolTable");
    out_.integer(70, static_cast<long long>(count));
  }

  // A table entry's head; kept records that named the file's entry of that
  // name name this one.
  void recordHead(const char* type, const std::string& name, const char* subclass, unsigned long owner,
                  int handleCode = 5) {
    auto old = d_.keptObjects.tableRecords.find(tableRecordKey(type, name));
    if (old != d_.keptObjects.tableRecords.end()) links_.add(old->second, tableRecordBase_);
    out_.str(0, type);
    out_.handle(handleCode, tableRecordBase_++);
    out_.handle(330, owner);
    out_.str(100, "AcDbSymbolTableRecord");
    out_.str(100, subclass);
  }

  void emptyTable(const char* name, unsigned long handle) {
    tableHead(name, handle, 0);
    out_.str(0, "ENDTAB");
  }

  void writeTables() {
    section("TABLES");
    emptyTable("VPORT", tables_.vport);
    writeLinetypes();
    writeLayers();
    writeStyles();
    emptyTable("VIEW", tables_.view);
    emptyTable("UCS", tables_.ucs);
    tableHead("APPID", tables_.appid, apps_.rows().size());
    for (const std::string& app : apps_.rows()) {
      recordHead("APPID", app, "AcDbRegAppTableRecord", tables_.appid);
      out_.str(2, app);
      out_.integer(70, 0);
    }
    out_.str(0, "ENDTAB");
    writeDimstyles();
    writeBlockRecords();
    out_.str(0, "ENDSEC");
  }

  void writeLinetypes() {
    tableHead("LTYPE", tables_.ltype, linetypes_.rows().size());
    for (const LinetypeRecord& lt : linetypes_.rows()) {
      recordHead("LTYPE", lt.name, "AcDbLinetypeTableRecord", tables_.ltype);
      out_.str(2, lt.name);
      out_.integer(70, 0);
      out_.str(3, lt.description);
      out_.integer(72, 65);  // 'A' alignment
      out_.integer(73, static_cast<long long>(lt.pattern.size()));
      double total = 0.0;
      for (double dash : lt.pattern) total += std::fabs(dash);
      out_.real(40, total);
      for (double dash : lt.pattern) {
        out_.real(49, dash);
        out_.integer(74, 0);
      }
    }
    out_.str(0, "ENDTAB");
  }

  void writeLayers() {
    tableHead("LAYER", tables_.layer, layers_.rows().size());
    for (const LayerRecord& l : layers_.rows()) {
      recordHead("LAYER", l.name, "AcDbLayerTableRecord", tables_.layer);
      out_.str(2, l.name);
      out_.integer(70, (l.frozen ? kLayerFrozenFlag : 0) | (l.locked ? kLayerLockedFlag : 0));
      int color = l.color >= 1 && l.color <= 255 ? l.color : kDefaultLayerColor;
      out_.integer(62, l.off ? -color : color);
      out_.str(6, l.linetype.empty() ? std::string("Continuous") : l.linetype);
      out_.integer(370, l.lineweight);
    }
    out_.str(0, "ENDTAB");
  }

  void writeStyles() {
    tableHead("STYLE", tables_.style, styles_.rows().size());
    for (const TextStyleRecord& s : styles_.rows()) {
      recordHead("STYLE", s.name, "AcDbTextStyleTableRecord", tables_.style);
      out_.str(2, s.name);
      out_.integer(70, 0);
      out_.real(40, s.fixedHeight);
      out_.real(41, s.widthFactor);
      out_.real(50, s.oblique / kDegToRad);
      out_.integer(71, 0);
      out_.real(42, s.fixedHeight > 0.0 ? s.fixedHeight : kDefaultTextHeight);
      out_.str(3, s.font);
      out_.str(4, s.bigFont);
    }
    out_.str(0, "ENDTAB");
  }

  // The dimension style variables the drawing keeps go into every style.
  void writeDimstyles() {
    tableHead("DIMSTYLE", tables_.dimstyle, dimstyles_.rows().size());
    out_.str(100, "AcDbDimStyleTable");
    for (const std::string& name : dimstyles_.rows()) {
      recordHead("DIMSTYLE", name, "AcDbDimStyleTableRecord", tables_.dimstyle, 105);
      out_.str(2, name);
      out_.integer(70, 0);
      headerReal("$DIMASZ", 41);
      headerReal("$DIMTXT", 140);
      headerReal("$DIMGAP", 147);
    }
    out_.str(0, "ENDTAB");
  }

  void headerReal(const char* name, int code) {
    auto it = d_.header.find(name);
    if (it != d_.header.end() && (it->second.isReal() || it->second.isInt()))
      out_.real(code, it->second.asReal());
  }

  void writeBlockRecords() {
    tableHead("BLOCK_RECORD", tables_.blockRecord, 1 + layouts_.size() + blocks_.rows().size());
    blockRecord(model_, objects_.modelLayout);
    for (const LayoutOut& l : layouts_) blockRecord(l.block, l.object);
    for (const BlockOut& b : blocks_.rows()) blockRecord(b, 0);
    out_.str(0, "ENDTAB");
  }

  void blockRecord(const BlockOut& b, unsigned long layout) {
    out_.str(0, "BLOCK_RECORD");
    out_.handle(5, b.record);
    if (unsigned long xdictionary = links_.find(fileXdictionary(b.name))) {
      out_.str(102, "{ACAD_XDICTIONARY");
      out_.handle(360, xdictionary);
      out_.str(102, "}");
    }
    out_.handle(330, tables_.blockRecord);
    out_.str(100, "AcDbSymbolTableRecord");
    out_.str(100, "AcDbBlockTableRecord");
    out_.str(2, b.name);
    if (layout != 0) out_.handle(340, layout);
  }

  void writeBlocks() {
    section("BLOCKS");
    writeBlock(model_);
    for (const LayoutOut& l : layouts_) {
      writeBlock(l.block);
      if (!l.active && l.source) writeKept(l.source->entities, l.block.record);
      writeBlockEnd(l.block);
    }
    for (const BlockOut& b : blocks_.rows()) writeBlock(b);
    out_.str(0, "ENDSEC");
  }

  // A block's head, its entities (those of a block definition) and, unless
  // it is the head of a paper-space layout's block, its end.
  void writeBlock(const BlockOut& b) {
    const std::string layer = b.def ? b.def->layer : std::string("0");
    out_.str(0, "BLOCK");
    out_.handle(5, b.begin);
    out_.handle(330, b.record);
    out_.str(100, "AcDbEntity");
    if (b.paper) out_.integer(67, 1);
    out_.str(8, layer.empty() ? std::string("0") : layer);
    out_.str(100, "AcDbBlockBegin");
    out_.str(2, b.name);
    int flags = b.def ? b.def->flags : 0;
    if (!b.name.empty() && b.name[0] == '*') flags |= kAnonymousBlockFlag;
    out_.integer(70, flags);
    out_.point(10, b.def ? b.def->base : Point3{});
    out_.str(3, b.name);
    out_.str(1, "");
    if (b.def) {
      const auto& extras = b.def->entityExtras;
      std::size_t kept = 0;
      for (std::size_t i = 0; i < b.def->entities.size(); ++i) {
        kept = writeKeptBefore(b.def->keptEntities, kept, i, b.record);
        entity(b.def->entities[i], b.record, extraGroupsOf(d_, i < extras.size() ? extras[i] : 0));
      }
      writeKeptBefore(b.def->keptEntities, kept, kAllTheRest, b.record);
    }
    if (!b.paper) writeBlockEnd(b);
  }

  void writeBlockEnd(const BlockOut& b) {
    const std::string layer = b.def ? b.def->layer : std::string("0");
    out_.str(0, "ENDBLK");
    out_.handle(5, b.end);
    out_.handle(330, b.record);
    out_.str(100, "AcDbEntity");
    if (b.paper) out_.integer(67, 1);
    out_.str(8, layer.empty() ? std::string("0") : layer);
    out_.str(100, "AcDbBlockEnd");
  }

  void writeEntities() {
    section("ENTITIES");
    std::size_t kept = 0;
    for (std::size_t i = 0; i < d_.entities.size(); ++i) {
      kept = writeKeptBefore(d_.keptEntities, kept, i, model_.record);
      const DrawingEntity& e = d_.entities[i];
      if (e.erased) continue;
      // Only an entity with extended data needs its whole record made.
      const ExtraGroups* extra = extraGroupsOf(d_, e.extra);
      if (e.xdata.empty()) {
        entity(e.record, model_.record, extra);
      } else {
        entity(entityRecord(e), model_.record, extra, &e.record);
      }
    }
    writeKeptBefore(d_.keptEntities, kept, kAllTheRest, model_.record);
    for (const LayoutOut& l : layouts_) {
      if (l.active && l.source) writeKept(l.source->entities, l.block.record);
    }
    out_.str(0, "ENDSEC");
  }

  // Kept entities from `from` on that stand before slot `slot`; returns the
  // first not written.
  std::size_t writeKeptBefore(const std::vector<KeptEntity>& kept, std::size_t from, std::size_t slot,
                              unsigned long owner) {
    while (from < kept.size() && kept[from].position <= slot) keptEntity(kept[from++], owner);
    return from;
  }

  void writeKept(const std::vector<KeptEntity>& kept, unsigned long owner) {
    for (const KeptEntity& k : kept) keptEntity(k, owner);
  }

  // `stored` is the drawing's own record when `e` is a copy made to carry its
  // extended data: the blocks made for dimensions are known by the stored one.
  void entity(const EntityRecord& e, unsigned long owner, const ExtraGroups* extra,
              const EntityRecord* stored = nullptr) {
    static const std::string kNone;
    const std::string* dimBlock = &kNone;
    if (const auto* dim = e.as<DimensionGeom>()) {
      auto made = madeDimensionBlocks_.find(stored ? stored : &e);
      dimBlock = made != madeDimensionBlocks_.end() ? &made->second : &dim->block;
    }
    writeEntity(out_, e, {entityBase_++, owner, false}, *dimBlock, extra, links_);
  }

  static std::size_t keptRecords(const KeptEntity& k) {
    std::size_t n = 0;
    for (const KeptGroup& g : k.groups) n += g.code == 0 ? 1 : 0;
    return n;
  }

  // An entity kept as it came, with its vertices, attributes and SEQEND:
  // new handles and owners, its links to other records mapped.
  void keptEntity(const KeptEntity& k, unsigned long owner) {
    unsigned long head = 0;
    const KeptGroup* groups = k.groups.data();
    const std::size_t n = k.groups.size();
    for (std::size_t start = 0; start < n;) {
      std::size_t end = start + 1;
      while (end < n && groups[end].code != 0) ++end;
      unsigned long handle = entityBase_++;
      writeKeptRecord(out_, groups + start, groups + end, handle, head == 0 ? owner : head, links_);
      if (head == 0) head = handle;
      start = end;
    }
  }

  // ---- Objects: the named-object dictionary, the layouts of the two
  // spaces, and the drawing's own dictionaries with their xrecords.

  void dictionaryHead(unsigned long handle, unsigned long owner) {
    out_.str(0, "DICTIONARY");
    out_.handle(5, handle);
    out_.handle(330, owner);
    out_.str(100, "AcDbDictionary");
    out_.integer(281, 1);
  }

  void writeObjects() {
    section("OBJECTS");
    dictionaryHead(objects_.root, 0);
    if (!keptGroupDictionary_) {
      out_.str(3, "ACAD_GROUP");
      out_.handle(350, objects_.groups);
    }
    for (const auto& [name, handle] : d_.keptObjects.rootEntries) {
      if (unsigned long now = links_.find(handle)) {
        out_.str(3, name);
        out_.handle(350, now);
      }
    }
    out_.str(3, "ACAD_LAYOUT");
    out_.handle(350, objects_.layouts);
    unsigned long h = dictionaryBase_;
    std::set<std::string> written;
    for (const Dictionary& dict : d_.dictionaries) {
      if (!isHostDictionaryName(dict.name) && !dict.name.empty() &&
          written.insert(upperAscii(dict.name)).second) {
        out_.str(3, dict.name);
        out_.handle(350, h);
      }
      h += 1 + dict.xrecords.size();
    }
    if (!keptGroupDictionary_) dictionaryHead(objects_.groups, objects_.root);
    dictionaryHead(objects_.layouts, objects_.root);
    for (const LayoutOut& l : layouts_) {
      out_.str(3, l.name);
      out_.handle(350, l.object);
    }
    out_.str(3, "Model");
    out_.handle(350, objects_.modelLayout);
    layout(objects_.modelLayout, "Model", 0, model_.record);
    int tab = 0;
    for (const LayoutOut& l : layouts_) {
      if (l.source && !l.source->layoutGroups.empty()) {
        keptLayout(l);
      } else {
        layout(l.object, l.name.c_str(), tab + 1, l.block.record);
      }
      ++tab;
    }
    h = dictionaryBase_;
    written.clear();
    for (const Dictionary& dict : d_.dictionaries) {
      unsigned long dictHandle = h++;
      unsigned long firstXrecord = h;
      h += dict.xrecords.size();
      if (isHostDictionaryName(dict.name) || dict.name.empty() ||
          !written.insert(upperAscii(dict.name)).second)
        continue;
      writeDictionary(dict, dictHandle, firstXrecord);
    }
    writeKeptObjects();
    out_.str(0, "ENDSEC");
  }

  void writeKeptObjects() {
    for (const KeptEntity& o : d_.keptObjects.records) {
      const KeptGroup* first = o.groups.data();
      const KeptGroup* last = first + o.groups.size();
      unsigned long self = 0;
      unsigned long owner = 0;
      bool ownerGone = false;  // its owner is not written: neither is it (the load counted the link)
      bool inAppGroup = false;
      for (const KeptGroup* g = first; g < last; ++g) {
        if (g->code == 102) inAppGroup = !g->value.empty() && g->value[0] == '{';
        if (g->code == 5 && self == 0) self = links_.find(g->value);
        if (g->code == 330 && !inAppGroup) {
          owner = links_.find(g->value);
          ownerGone = owner == 0 && parseHandle(g->value) != 0;
          break;
        }
      }
      if (self != 0 && !ownerGone) writeKeptRecord(out_, first, last, self, owner, links_);
    }
  }

  void linkBlockRecord(const std::string& block, unsigned long record) {
    auto it = fileBlockRecords_.find(upperAscii(block));
    if (it != fileBlockRecords_.end()) links_.add(it->second->handle, record);
  }

  uint64_t fileXdictionary(const std::string& block) const {
    auto it = fileBlockRecords_.find(upperAscii(block));
    return it != fileBlockRecords_.end() ? it->second->xdictionary : 0;
  }

  void writeDictionary(const Dictionary& dict, unsigned long handle, unsigned long firstXrecord) {
    dictionaryHead(handle, objects_.root);
    std::set<std::string> names;
    for (std::size_t i = 0; i < dict.xrecords.size(); ++i) {
      const std::string& name = dict.xrecords[i].first;
      if (!name.empty() && names.insert(name).second) {
        out_.str(3, name);
        out_.handle(350, firstXrecord + i);
      }
    }
    names.clear();
    for (std::size_t i = 0; i < dict.xrecords.size(); ++i) {
      const auto& [name, data] = dict.xrecords[i];
      if (name.empty() || !names.insert(name).second) continue;
      out_.str(0, "XRECORD");
      out_.handle(5, firstXrecord + i);
      out_.handle(330, handle);
      out_.str(100, "AcDbXrecord");
      out_.integer(280, 1);
      for (const ResBuf& rb : data) out_.resbuf(rb);
    }
  }

  // A LAYOUT object as it came (its plot settings), with new handles and
  // the links to its block record only.
  void keptLayout(const LayoutOut& l) {
    bool inLinks = false;
    bool linked = false;
    for (const KeptGroup& g : l.source->layoutGroups) {
      if (g.code == 102) {
        inLinks = !g.value.empty() && g.value[0] == '{';
        continue;
      }
      if (inLinks || g.code == 5 || isObjectLink(g.code)) continue;
      if (g.code >= 1000 && !linked) {
        out_.handle(330, l.block.record);
        linked = true;
      }
      out_.kept(g.code, g.value);
      if (g.code == 0) {
        out_.handle(5, l.object);
        out_.handle(330, objects_.layouts);
      }
    }
    if (!linked) out_.handle(330, l.block.record);
  }

  void layout(unsigned long handle, const char* name, int tabOrder, unsigned long blockRecord) {
    out_.str(0, "LAYOUT");
    out_.handle(5, handle);
    out_.handle(330, objects_.layouts);
    out_.str(100, "AcDbPlotSettings");
    out_.str(1, "");
    out_.str(2, "none_device");
    out_.str(4, "");
    out_.str(6, "");
    for (int code : {40, 41, 42, 43, 44, 45, 46, 47, 48, 49, 140, 141}) out_.real(code, 0.0);
    out_.real(142, 1.0);
    out_.real(143, 1.0);
    out_.integer(70, tabOrder == 0 ? 1712 : 688);
    out_.integer(72, 1);  // millimetres
    out_.integer(73, 0);
    out_.integer(74, 5);
    out_.str(7, "");
    out_.integer(75, 16);
    out_.real(147, 1.0);
    out_.real(148, 0.0);
    out_.real(149, 0.0);
    out_.str(100, "AcDbLayout");
    out_.str(1, name);
    out_.integer(70, 1);
    out_.integer(71, tabOrder);
    out_.real(10, 0.0);
    out_.real(20, 0.0);
    out_.real(11, 420.0);
    out_.real(21, 297.0);
    out_.point(12, {});
    out_.point(14, {1e20, 1e20, 1e20});
    out_.point(15, {-1e20, -1e20, -1e20});
    out_.real(146, 0.0);
    out_.point(13, {});
    out_.point(16, {1.0, 0.0, 0.0});
    out_.point(17, {0.0, 1.0, 0.0});
    out_.integer(76, 0);
    out_.handle(330, blockRecord);
  }

  const Drawing& d_;
  DxfOut out_;
  unsigned long next_ = 1;
  NamedRows<LinetypeRecord> linetypes_;
  NamedRows<LayerRecord> layers_;
  NamedRows<TextStyleRecord> styles_;
  NamedRows<std::string> apps_;
  NamedRows<std::string> dimstyles_;
  NamedRows<BlockOut> blocks_;
  std::map<const EntityRecord*, std::string> madeDimensionBlocks_;
  int anonymousDimensions_ = 0;
  TableHandles tables_;
  ObjectHandles objects_;
  BlockOut model_;
  std::vector<LayoutOut> layouts_;
  unsigned long tableRecordBase_ = 0;
  unsigned long dictionaryBase_ = 0;
  unsigned long entityBase_ = 0;
  HandleMap links_;
  std::unordered_map<std::string, const FileBlockRecord*> fileBlockRecords_;  // by upper-case name
  bool keptGroupDictionary_ = false;  // the file's ACAD_GROUP dictionary is kept with its groups
};

// A file ends with its EOF group; anything else means the write stopped
// short (a full disk, for one).
bool endsWithEofMarker(const std::string& file) {
  std::ifstream in(file, std::ios::binary | std::ios::ate);
  if (!in) return false;
  std::streamoff size = in.tellg();
  constexpr std::streamoff kTail = 8;
  if (size < kTail) return false;
  in.seekg(size - kTail);
  std::string tail(kTail, '\0');
  in.read(tail.data(), kTail);
  return in && tail.find("EOF") != std::string::npos;
}

}  // namespace

std::string writeDxfFile(const Drawing& drawing, const std::string& file) {
  std::string fault;
  {
    DocumentWriter writer(drawing, file);
    fault = writer.write();
  }
  if (fault.empty() && !endsWithEofMarker(file)) fault = "the file could not be written completely";
  return fault;
}

}  // namespace optgrind::standalone
