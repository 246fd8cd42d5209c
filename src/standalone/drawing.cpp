#include "standalone/drawing.h"

#include <algorithm>
#include <cctype>

namespace optgrind::standalone {
namespace {

bool sameName(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
         });
}

template <class T>
T* findByName(std::vector<T>& table, const std::string& name) {
  for (auto& r : table) {
    if (sameName(r.name, name)) return &r;
  }
  return nullptr;
}

}  // namespace

Drawing newDrawing() {
  Drawing d;
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
  DrawingEntity e;
  e.id = d.nextEntityId++;
  e.record = record;
  d.slotOfId[e.id] = d.entities.size();
  d.entities.push_back(std::move(e));
  return d.entities.back().id;
}

DrawingEntity* findEntity(Drawing& d, long long id) {
  auto it = d.slotOfId.find(id);
  if (it == d.slotOfId.end()) return nullptr;
  DrawingEntity& e = d.entities[it->second];
  return e.erased ? nullptr : &e;
}

const DrawingEntity* findEntity(const Drawing& d, long long id) {
  return findEntity(const_cast<Drawing&>(d), id);
}

bool eraseEntity(Drawing& d, long long id) {
  DrawingEntity* e = findEntity(d, id);
  if (!e) return false;
  e->erased = true;
  return true;
}

size_t liveEntityCount(const Drawing& d) {
  return static_cast<size_t>(
      std::count_if(d.entities.begin(), d.entities.end(), [](const DrawingEntity& e) { return !e.erased; }));
}

LayerRecord* findLayer(Drawing& d, const std::string& name) { return findByName(d.layerTable, name); }

LayerRecord* findLayerById(Drawing& d, int id) {
  for (auto& l : d.layerTable) {
    if (l.id == id) return &l;
  }
  return nullptr;
}

LayerRecord& ensureLayer(Drawing& d, const std::string& name) {
  if (LayerRecord* l = findLayer(d, name)) return *l;
  LayerRecord l;
  l.id = d.nextTableId++;
  l.name = name;
  d.layerTable.push_back(l);
  return d.layerTable.back();
}

LinetypeRecord* findLinetype(Drawing& d, const std::string& name) { return findByName(d.linetypeTable, name); }

LinetypeRecord& ensureLinetype(Drawing& d, const std::string& name) {
  if (LinetypeRecord* l = findLinetype(d, name)) return *l;
  LinetypeRecord l;
  l.id = d.nextTableId++;
  l.name = name;
  d.linetypeTable.push_back(l);
  return d.linetypeTable.back();
}

TextStyleRecord* findTextStyle(Drawing& d, const std::string& name) { return findByName(d.textStyleTable, name); }

BlockDef* findBlock(Drawing& d, const std::string& name) { return findByName(d.blocks, name); }

Dictionary* findDictionary(Drawing& d, const std::string& name) { return findByName(d.dictionaries, name); }

void registerApp(Drawing& d, const std::string& name) {
  for (const auto& a : d.appIds) {
    if (sameName(a, name)) return;
  }
  d.appIds.push_back(name);
}

}  // namespace optgrind::standalone
