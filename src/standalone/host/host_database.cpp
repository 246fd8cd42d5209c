// StandaloneHost: entities, registered applications, tables and the
// named-object dictionary.
#include <algorithm>
#include <array>

#include "standalone/host/standalone_host.h"

namespace optgrind::standalone {
namespace {

constexpr int kCodeApplication = 1001;
constexpr int kFirstXDataCode = 1000;
constexpr int kLastXDataCode = 1071;
constexpr int kMinLayerColor = 1;
constexpr int kMaxLayerColor = 255;
constexpr int kLineweightDefault = -3;
constexpr std::array<int, 24> kStandardLineweights = {0,  5,  9,  13, 15, 18,  20,  25,  30,  35,  40,  50,
                                                      53, 60, 70, 80, 90, 100, 106, 120, 140, 158, 200, 211};
const char* const kLayerZero = "0";
const char* const kCurrentLayerKey = "$CLAYER";

// Extended data: groups of an application name (registered in the drawing)
// followed by its items.
bool xdataValid(const Drawing& d, const ResBufList& xdata) {
  if (xdata.empty()) return true;
  if (xdata.front().code != kCodeApplication) return false;
  for (const ResBuf& item : xdata) {
    if (item.code < kFirstXDataCode || item.code > kLastXDataCode) return false;
    if (item.code != kCodeApplication) continue;
    bool registered = std::any_of(d.appIds.begin(), d.appIds.end(),
                                  [&](const std::string& a) { return sameName(a, item.asString()); });
    if (!item.isString() || !registered) return false;
  }
  return true;
}

// What the host checks before it takes an entity: a usable layer name, a
// linetype of the table, a colour index and registered extended data.
bool entityValid(Drawing& d, const EntityRecord& e) {
  return validTableName(e.layer) && findLinetype(d, e.linetype) && e.color >= kColorByBlock &&
         e.color <= kColorByLayer && xdataValid(d, e.xdata);
}

bool onLockedLayer(Drawing& d, const EntityRecord& e) {
  const LayerRecord* layer = findLayer(d, e.layer);
  return layer && layer->locked;
}

bool layerFieldsValid(Drawing& d, const LayerRecord& layer) {
  bool standardWeight = layer.lineweight == kLineweightDefault ||
                        std::find(kStandardLineweights.begin(), kStandardLineweights.end(),
                                  layer.lineweight) != kStandardLineweights.end();
  return validTableName(layer.name) && layer.color >= kMinLayerColor && layer.color <= kMaxLayerColor &&
         findLinetype(d, layer.linetype) && standardWeight;
}

bool isCurrentLayer(const Drawing& d, const std::string& name) {
  auto it = d.header.find(kCurrentLayerKey);
  std::string current = it != d.header.end() ? it->second.asString() : kLayerZero;
  return sameName(current, name);
}

// Entities name their layer, so a renamed layer takes its entities, those
// of the block definitions and the current layer along.
void renameLayerUses(Drawing& d, const std::string& from, const std::string& to) {
  for (auto& e : d.entities) {
    if (sameName(e.record.layer, from)) e.record.layer = to;
  }
  for (auto& b : d.blocks) {
    if (sameName(b.layer, from)) b.layer = to;
    for (auto& r : b.entities) {
      if (sameName(r.layer, from)) r.layer = to;
    }
  }
  if (isCurrentLayer(d, from)) d.header[kCurrentLayerKey] = ResBuf::ofString(8, to);
}

std::vector<std::pair<std::string, ResBufList>>::iterator findXRecord(Dictionary& dict,
                                                                      const std::string& key) {
  return std::find_if(dict.xrecords.begin(), dict.xrecords.end(),
                      [&](const auto& x) { return sameName(x.first, key); });
}

}  // namespace

DrawingEntity* StandaloneHost::entityOf(const EntityName& name) {
  if (name.b != drawing_.serial) return nullptr;
  return findEntity(drawing_, name.a);
}

// ---- Entities ---------------------------------------------------------------

int StandaloneHost::acdbEntMake(const EntityRecord& entity, EntityName& out) {
  if (!entityValid(drawing_, entity)) return RTERROR;
  // The host makes the layer an entity names, as it does when reading one.
  ensureLayer(drawing_, entity.layer);
  out = nameOf(appendEntity(drawing_, entity));
  return RTNORM;
}

int StandaloneHost::acdbEntGet(const EntityName& name, EntityRecord& out) {
  DrawingEntity* e = entityOf(name);
  if (!e) return RTERROR;
  out = e->record;
  return RTNORM;
}

int StandaloneHost::acdbEntMod(const EntityName& name, const EntityRecord& entity) {
  DrawingEntity* e = entityOf(name);
  if (!e || onLockedLayer(drawing_, e->record) || !entityValid(drawing_, entity)) return RTERROR;
  ensureLayer(drawing_, entity.layer);
  e->record = entity;
  return RTNORM;
}

int StandaloneHost::acdbEntDel(const EntityName& name) {
  DrawingEntity* e = entityOf(name);
  if (!e || onLockedLayer(drawing_, e->record)) return RTERROR;
  e->erased = true;
  return RTNORM;
}

int StandaloneHost::acdbEntLast(EntityName& out) {
  auto it = std::find_if(drawing_.entities.rbegin(), drawing_.entities.rend(),
                         [](const DrawingEntity& e) { return !e.erased; });
  if (it == drawing_.entities.rend()) return RTERROR;
  out = nameOf(it->id);
  return RTNORM;
}

int StandaloneHost::acdbEntNext(const EntityName* after, EntityName& out) {
  size_t from = 0;
  if (after) {
    // An erased entity still holds its place, so the walk may go on from it.
    long long slot = slotOf(drawing_, after->a);
    if (after->b != drawing_.serial || slot < 0) return RTERROR;
    from = static_cast<size_t>(slot) + 1;
  }
  for (size_t i = from; i < drawing_.entities.size(); ++i) {
    if (!drawing_.entities[i].erased) {
      out = nameOf(drawing_.entities[i].id);
      return RTNORM;
    }
  }
  return RTERROR;
}

int StandaloneHost::acdbEntUpd(const EntityName& name) { return entityOf(name) ? RTNORM : RTERROR; }

int StandaloneHost::acdbRegApp(const std::string& appName) {
  if (!validTableName(appName)) return RTERROR;
  bool known = std::any_of(drawing_.appIds.begin(), drawing_.appIds.end(),
                           [&](const std::string& a) { return sameName(a, appName); });
  // As the host: a name registered already answers RTERROR.
  if (known) return RTERROR;
  registerApp(drawing_, appName);
  return RTNORM;
}

// ---- Tables -----------------------------------------------------------------

std::vector<LayerRecord> StandaloneHost::layers() { return drawing_.layerTable; }

int StandaloneHost::addLayer(const LayerRecord& layer, int& id) {
  if (!layerFieldsValid(drawing_, layer) || findLayer(drawing_, layer.name)) return RTERROR;
  LayerRecord added = layer;
  added.linetype = findLinetype(drawing_, layer.linetype)->name;
  added.id = drawing_.nextTableId++;
  drawing_.layerTable.push_back(added);
  id = added.id;
  return RTNORM;
}

int StandaloneHost::setLayer(const LayerRecord& layer) {
  LayerRecord* target = findLayerById(drawing_, layer.id);
  if (!target || !layerFieldsValid(drawing_, layer)) return RTERROR;
  const LayerRecord* sameNamed = findLayer(drawing_, layer.name);
  if (sameNamed && sameNamed->id != layer.id) return RTERROR;
  if (target->name == kLayerZero && layer.name != kLayerZero) return RTERROR;
  // The host never freezes the current layer.
  if (layer.frozen && isCurrentLayer(drawing_, target->name)) return RTERROR;
  std::string oldName = target->name;
  *target = layer;
  target->linetype = findLinetype(drawing_, layer.linetype)->name;
  if (oldName != layer.name) renameLayerUses(drawing_, oldName, layer.name);
  return RTNORM;
}

std::vector<LinetypeRecord> StandaloneHost::linetypes() { return drawing_.linetypeTable; }

int StandaloneHost::getTextStyle(const std::string& name, TextStyleRecord& out) {
  const TextStyleRecord* style = findTextStyle(drawing_, name);
  if (!style) return RTERROR;
  out = *style;
  return RTNORM;
}

int StandaloneHost::setTextStyle(const TextStyleRecord& style) {
  if (!validTableName(style.name) || style.fixedHeight < 0.0 || style.widthFactor <= 0.0) return RTERROR;
  if (TextStyleRecord* existing = findTextStyle(drawing_, style.name)) {
    int id = existing->id;
    *existing = style;
    existing->id = id;
    return RTNORM;
  }
  TextStyleRecord added = style;
  added.id = drawing_.nextTableId++;
  drawing_.textStyleTable.push_back(added);
  return RTNORM;
}

// ---- Named-object dictionary -------------------------------------------------

int StandaloneHost::dictExists(const std::string& dict) {
  return findDictionary(drawing_, dict) ? RTNORM : RTERROR;
}

int StandaloneHost::dictGetXRecord(const std::string& dict, const std::string& key, ResBufList& out) {
  Dictionary* d = findDictionary(drawing_, dict);
  if (!d) return RTERROR;
  auto it = findXRecord(*d, key);
  if (it == d->xrecords.end()) return RTERROR;
  out = it->second;
  return RTNORM;
}

int StandaloneHost::dictSetXRecord(const std::string& dict, const std::string& key, const ResBufList& data) {
  if (dict.empty() || key.empty()) return RTERROR;
  Dictionary* d = findDictionary(drawing_, dict);
  if (!d) {
    drawing_.dictionaries.push_back(Dictionary{dict, {}});
    d = &drawing_.dictionaries.back();
  }
  auto it = findXRecord(*d, key);
  if (it != d->xrecords.end()) {
    it->second = data;
  } else {
    d->xrecords.emplace_back(key, data);
  }
  return RTNORM;
}

int StandaloneHost::dictRemove(const std::string& dict, const std::string& key) {
  Dictionary* d = findDictionary(drawing_, dict);
  if (!d) return RTERROR;
  auto it = findXRecord(*d, key);
  if (it == d->xrecords.end()) return RTERROR;
  d->xrecords.erase(it);
  return RTNORM;
}

}  // namespace optgrind::standalone
