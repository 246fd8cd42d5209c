#include "standalone/model/drawing.h"

#include <algorithm>
#include <cctype>
#include <string_view>
#include <utility>

#include "standalone/model/drawing_history.h"

namespace optgrind::standalone {

bool validTableName(const std::string& name) {
  constexpr size_t kMaxTableNameChars = 255;
  size_t chars = 0;
  for (char c : name) {
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++chars;  // count code points
    if (std::string_view("<>/\\\":;?*|,=`").find(c) != std::string_view::npos) return false;
  }
  return chars >= 1 && chars <= kMaxTableNameChars;
}

namespace {

template <class T>
T* findByName(std::vector<T>& table, const std::string& name) {
  for (auto& r : table) {
    if (equalIgnoringCase(r.name, name)) return &r;
  }
  return nullptr;
}

// The table entry of that name, made with the next table id when absent.
template <class T>
T& ensureByName(Drawing& d, std::vector<T>& table, const std::string& name) {
  if (T* found = findByName(table, name)) return *found;
  noteTablesEdit(d);
  T made;
  made.id = d.nextTableId++;
  made.name = name;
  table.push_back(made);
  return table.back();
}

// Each drawing of the process gets its own serial, the second half of its
// entity names, so a name from one drawing never names an entity of another.
long long g_nextSerial = 1;

}  // namespace

Drawing newDrawing() {
  Drawing d;
  d.serial = g_nextSerial++;
  ensureLinetype(d, "ByBlock");
  ensureLinetype(d, "ByLayer");
  LinetypeRecord& continuous = ensureLinetype(d, "Continuous");
  continuous.description = "Solid line";
  ensureLayer(d, "0");
  TextStyleRecord standard;
  standard.id = d.nextTableId++;
  standard.name = "Standard";
  d.textStyleTable.push_back(standard);
  registerApp(d, "ACAD");
  d.header["$ACADVER"] = ResBuf::ofString(1, "AC1015");
  d.header["$INSUNITS"] = ResBuf::ofInt(70, 4);
  d.header["$MEASUREMENT"] = ResBuf::ofInt(70, 1);
  return d;
}

long long appendEntity(Drawing& d, const EntityRecord& record) {
  return appendEntity(d, EntityRecord(record));
}

long long appendEntity(Drawing& d, EntityRecord&& record) {
  long long id = d.nextEntityId++;
  setSlot(d, id, d.entities.size());
  DrawingEntity& e = d.entities.emplace_back();
  e.id = id;
  storeRecord(e, std::move(record));
  return id;
}

EntityRecord entityRecord(const DrawingEntity& e) {
  EntityRecord whole = e.record;
  whole.xdata = e.xdata.unpacked();
  return whole;
}

void storeRecord(DrawingEntity& e, EntityRecord record) {
  e.xdata = PackedXdata(record.xdata);
  record.xdata = ResBufList();  // frees its buffer
  e.record = std::move(record);
}

const ExtraGroups* extraGroupsOf(const Drawing& d, uint32_t extra) {
  return extra > 0 && extra <= d.extraGroups.size() ? &d.extraGroups[extra - 1] : nullptr;
}

long long slotOf(const Drawing& d, long long id) {
  if (id <= 0 || static_cast<unsigned long long>(id) >= d.slotOfId.size()) return -1;
  return static_cast<long long>(d.slotOfId[static_cast<size_t>(id)]) - 1;
}

void setSlot(Drawing& d, long long id, size_t slot) {
  if (id <= 0) return;
  size_t at = static_cast<size_t>(id);
  if (at >= d.slotOfId.size()) d.slotOfId.resize(at + 1, 0);
  d.slotOfId[at] = static_cast<uint32_t>(slot + 1);
}

DrawingEntity* findEntity(Drawing& d, long long id) {
  DrawingEntity* e = const_cast<DrawingEntity*>(findEntity(std::as_const(d), id));
  if (e) noteEntityEdit(d, static_cast<size_t>(e - d.entities.data()));
  return e;
}

const DrawingEntity* findEntity(const Drawing& d, long long id) {
  long long slot = slotOf(d, id);
  if (slot < 0) return nullptr;
  const DrawingEntity& e = d.entities[static_cast<size_t>(slot)];
  return e.erased ? nullptr : &e;
}

bool eraseEntity(Drawing& d, long long id) {
  DrawingEntity* e = findEntity(d, id);
  if (!e) return false;
  e->erased = true;
  return true;
}

void eraseSlots(Drawing& d, std::vector<uint32_t> slots) {
  // Those erased already are dropped as the others are marked.
  size_t live = 0;
  for (uint32_t slot : slots) {
    bool& erased = d.entities[slot].erased;
    if (!erased) slots[live++] = slot;
    erased = true;
  }
  slots.resize(live);
  noteSlotsErased(d, std::move(slots));
}

size_t liveEntityCount(const Drawing& d) {
  return static_cast<size_t>(
      std::count_if(d.entities.begin(), d.entities.end(), [](const DrawingEntity& e) { return !e.erased; }));
}

namespace {

void findRuns(const Drawing& d, size_t from, ErasedRuns& out) {
  const size_t n = d.entities.size();
  size_t slot = from;
  // A run that reached the end of the last look goes on.
  if (!out.runs.empty() && out.runs.back().second == from) {
    while (slot < n && d.entities[slot].erased) ++slot;
    out.runs.back().second = static_cast<uint32_t>(slot);
  }
  while (slot < n) {
    if (!d.entities[slot].erased) {
      ++slot;
      continue;
    }
    size_t end = slot;
    while (end < n && d.entities[end].erased) ++end;
    out.runs.emplace_back(static_cast<uint32_t>(slot), static_cast<uint32_t>(end));
    slot = end;
  }
  out.covered = n;
}

}  // namespace

const ErasedRuns& erasedRunsFor(const Drawing& d) {
  ErasedRuns& r = d.erasedRuns;
  if (r.stale || r.revivals != d.revivals || r.covered > d.entities.size()) {
    r = ErasedRuns{};
    r.revivals = d.revivals;
    r.stale = false;
    findRuns(d, 0, r);
  } else if (r.covered < d.entities.size()) {
    findRuns(d, r.covered, r);  // appended since
  }
  return r;
}

void noteStrays(const Drawing& d, size_t strays) {
  if (strays > kStrayLimit) d.erasedRuns.stale = true;
}

LayerRecord* findLayer(Drawing& d, const std::string& name) { return findByName(d.layerTable, name); }

const LayerRecord* findLayer(const Drawing& d, const std::string& name) {
  return findLayer(const_cast<Drawing&>(d), name);
}

bool layerShown(const Drawing& d, const std::string& name) {
  const LayerRecord* layer = findLayer(d, name);
  return !layer || (!layer->off && !layer->frozen);
}

LayerRecord* findLayerById(Drawing& d, int id) {
  for (auto& l : d.layerTable) {
    if (l.id == id) return &l;
  }
  return nullptr;
}

LayerRecord& ensureLayer(Drawing& d, const std::string& name) { return ensureByName(d, d.layerTable, name); }

LinetypeRecord* findLinetype(Drawing& d, const std::string& name) {
  return findByName(d.linetypeTable, name);
}

LinetypeRecord& ensureLinetype(Drawing& d, const std::string& name) {
  return ensureByName(d, d.linetypeTable, name);
}

TextStyleRecord* findTextStyle(Drawing& d, const std::string& name) {
  return findByName(d.textStyleTable, name);
}

BlockDef* findBlock(Drawing& d, const std::string& name) { return findByName(d.blocks, name); }
const BlockDef* findBlock(const Drawing& d, const std::string& name) {
  return findBlock(const_cast<Drawing&>(d), name);
}

Dictionary* findDictionary(Drawing& d, const std::string& name) { return findByName(d.dictionaries, name); }

void registerApp(Drawing& d, const std::string& name) {
  for (const auto& a : d.appIds) {
    if (equalIgnoringCase(a, name)) return;
  }
  noteTablesEdit(d);
  d.appIds.push_back(name);
}

}  // namespace optgrind::standalone
