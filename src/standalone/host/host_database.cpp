// StandaloneHost: entities, registered applications, tables and the
// named-object dictionary.
#include <algorithm>
#include <array>

#include "standalone/host/standalone_host.h"
#include "standalone/model/drawing_history.h"

namespace optgrind::standalone {
namespace {

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
  if (xdata.front().code != kXDataApplicationCode) return false;
  for (const ResBuf& item : xdata) {
    if (item.code < kXDataStringCode || item.code > kXDataLastCode) return false;
    if (item.code != kXDataApplicationCode) continue;
    bool registered = std::any_of(d.appIds.begin(), d.appIds.end(), [&](const std::string& a) {
      return equalIgnoringCase(a, item.asString());
    });
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
  return equalIgnoringCase(current, name);
}

// Entities name their layer, so a renamed layer takes its entities, those
// of the block definitions and the current layer along.
void renameLayerUses(Drawing& d, const std::string& from, const std::string& to) {
  for (size_t slot = 0; slot < d.entities.size(); ++slot) {
    if (!equalIgnoringCase(d.entities[slot].record.layer, from)) continue;
    noteEntityEdit(d, slot);
    d.entities[slot].record.layer = to;
  }
  noteTablesEdit(d);
  noteHeaderEdit(d);
  for (auto& b : d.blocks) {
    if (equalIgnoringCase(b.layer, from)) b.layer = to;
    for (auto& r : b.entities) {
      if (equalIgnoringCase(r.layer, from)) r.layer = to;
    }
  }
  if (isCurrentLayer(d, from)) d.header[kCurrentLayerKey] = ResBuf::ofString(8, to);
}

std::vector<std::pair<std::string, ResBufList>>::iterator findXRecord(Dictionary& dict,
                                                                      const std::string& key) {
  return std::find_if(dict.xrecords.begin(), dict.xrecords.end(),
                      [&](const auto& x) { return equalIgnoringCase(x.first, key); });
}

}  // namespace

const DrawingEntity* StandaloneHost::entityOf(const EntityName& name) const {
  if (name.b != session_.drawing.serial) return nullptr;
  return findEntity(session_.drawing, name.a);
}

DrawingEntity* StandaloneHost::entityToChange(const EntityName& name) {
  if (name.b != session_.drawing.serial) return nullptr;
  return findEntity(session_.drawing, name.a);
}

// ---- Entities ---------------------------------------------------------------

int StandaloneHost::acdbEntMake(const EntityRecord& entity, EntityName& out) {
  if (!entityValid(session_.drawing, entity)) return RTERROR;
  // The host makes the layer an entity names, as it does when reading one.
  ensureLayer(session_.drawing, entity.layer);
  out = nameOf(appendEntity(session_.drawing, entity));
  return RTNORM;
}

int StandaloneHost::acdbEntGet(const EntityName& name, EntityRecord& out) {
  const DrawingEntity* e = entityOf(name);
  if (!e) return RTERROR;
  out = entityRecord(*e);
  return RTNORM;
}

int StandaloneHost::acdbEntMod(const EntityName& name, const EntityRecord& entity) {
  const DrawingEntity* found = entityOf(name);
  if (!found || onLockedLayer(session_.drawing, found->record) || !entityValid(session_.drawing, entity))
    return RTERROR;
  ensureLayer(session_.drawing, entity.layer);
  storeRecord(*entityToChange(name), entity);
  return RTNORM;
}

int StandaloneHost::acdbEntDel(const EntityName& name) {
  const DrawingEntity* found = entityOf(name);
  if (!found || onLockedLayer(session_.drawing, found->record)) return RTERROR;
  entityToChange(name)->erased = true;
  return RTNORM;
}

int StandaloneHost::acdbEntLast(EntityName& out) {
  auto it = std::find_if(session_.drawing.entities.rbegin(), session_.drawing.entities.rend(),
                         [](const DrawingEntity& e) { return !e.erased; });
  if (it == session_.drawing.entities.rend()) return RTERROR;
  out = nameOf(it->id);
  return RTNORM;
}

int StandaloneHost::acdbEntNext(const EntityName* after, EntityName& out) {
  size_t from = 0;
  if (after) {
    // An erased entity still holds its place, so the walk may go on from it.
    long long slot = slotOf(session_.drawing, after->a);
    if (after->b != session_.drawing.serial || slot < 0) return RTERROR;
    from = static_cast<size_t>(slot) + 1;
  }
  for (size_t i = from; i < session_.drawing.entities.size(); ++i) {
    if (!session_.drawing.entities[i].erased) {
      out = nameOf(session_.drawing.entities[i].id);
      return RTNORM;
    }
  }
  return RTERROR;
}

int StandaloneHost::acdbEntUpd(const EntityName& name) { return entityOf(name) ? RTNORM : RTERROR; }

int StandaloneHost::acdbRegApp(const std::string& appName) {
  if (!validTableName(appName)) return RTERROR;
  bool known = std::any_of(session_.drawing.appIds.begin(), session_.drawing.appIds.end(),
                           [&](const std::string& a) { return equalIgnoringCase(a, appName); });
  // As the host: a name registered already answers RTERROR.
  if (known) return RTERROR;
  registerApp(session_.drawing, appName);
  return RTNORM;
}

// ---- Tables -----------------------------------------------------------------

std::vector<LayerRecord> StandaloneHost::layers() { return session_.drawing.layerTable; }

int StandaloneHost::addLayer(const LayerRecord& layer, int& id) {
  if (!layerFieldsValid(session_.drawing, layer) || findLayer(session_.drawing, layer.name)) return RTERROR;
  noteTablesEdit(session_.drawing);
  LayerRecord added = layer;
  added.linetype = findLinetype(session_.drawing, layer.linetype)->name;
  added.id = session_.drawing.nextTableId++;
  session_.drawing.layerTable.push_back(added);
  id = added.id;
  return RTNORM;
}

int StandaloneHost::setLayer(const LayerRecord& layer) {
  LayerRecord* target = findLayerById(session_.drawing, layer.id);
  if (!target || !layerFieldsValid(session_.drawing, layer)) return RTERROR;
  const LayerRecord* sameNamed = findLayer(session_.drawing, layer.name);
  if (sameNamed && sameNamed->id != layer.id) return RTERROR;
  if (target->name == kLayerZero && layer.name != kLayerZero) return RTERROR;
  // The host never freezes the current layer.
  if (layer.frozen && isCurrentLayer(session_.drawing, target->name)) return RTERROR;
  std::string oldName = target->name;
  noteTablesEdit(session_.drawing);
  *target = layer;
  target->linetype = findLinetype(session_.drawing, layer.linetype)->name;
  if (oldName != layer.name) renameLayerUses(session_.drawing, oldName, layer.name);
  return RTNORM;
}

std::vector<LinetypeRecord> StandaloneHost::linetypes() { return session_.drawing.linetypeTable; }

int StandaloneHost::getTextStyle(const std::string& name, TextStyleRecord& out) {
  const TextStyleRecord* style = findTextStyle(session_.drawing, name);
  if (!style) return RTERROR;
  out = *style;
  return RTNORM;
}

int StandaloneHost::setTextStyle(const TextStyleRecord& style) {
  if (!validTableName(style.name) || style.fixedHeight < 0.0 || style.widthFactor <= 0.0) return RTERROR;
  noteTablesEdit(session_.drawing);
  if (TextStyleRecord* existing = findTextStyle(session_.drawing, style.name)) {
    int id = existing->id;
    *existing = style;
    existing->id = id;
    return RTNORM;
  }
  TextStyleRecord added = style;
  added.id = session_.drawing.nextTableId++;
  session_.drawing.textStyleTable.push_back(added);
  return RTNORM;
}

// ---- Named-object dictionary -------------------------------------------------

int StandaloneHost::dictExists(const std::string& dict) {
  return findDictionary(session_.drawing, dict) ? RTNORM : RTERROR;
}

int StandaloneHost::dictGetXRecord(const std::string& dict, const std::string& key, ResBufList& out) {
  Dictionary* d = findDictionary(session_.drawing, dict);
  if (!d) return RTERROR;
  auto it = findXRecord(*d, key);
  if (it == d->xrecords.end()) return RTERROR;
  out = it->second;
  return RTNORM;
}

int StandaloneHost::dictSetXRecord(const std::string& dict, const std::string& key, const ResBufList& data) {
  if (dict.empty() || key.empty()) return RTERROR;
  noteTablesEdit(session_.drawing);
  Dictionary* d = findDictionary(session_.drawing, dict);
  if (!d) {
    session_.drawing.dictionaries.push_back(Dictionary{dict, {}});
    d = &session_.drawing.dictionaries.back();
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
  Dictionary* d = findDictionary(session_.drawing, dict);
  if (!d) return RTERROR;
  auto it = findXRecord(*d, key);
  if (it == d->xrecords.end()) return RTERROR;
  noteTablesEdit(session_.drawing);
  d->xrecords.erase(it);
  return RTNORM;
}

}  // namespace optgrind::standalone
