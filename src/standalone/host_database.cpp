// StandaloneHost: entities, tables, dictionaries and system variables.
#include "standalone/standalone_host.h"

namespace optgrind::standalone {

DrawingEntity* StandaloneHost::entityOf(const EntityName& name) {
  if (name.b != drawing_.serial) return nullptr;
  return findEntity(drawing_, name.a);
}

int StandaloneHost::acdbEntMake(const EntityRecord& entity, EntityName& out) {
  out = nameOf(appendEntity(drawing_, entity));
  return RTNORM;
}
int StandaloneHost::acdbEntGet(const EntityName& name, EntityRecord& out) {
  DrawingEntity* e = entityOf(name);
  if (!e) return RTERROR;
  out = e->record;
  return RTNORM;
}
int StandaloneHost::acdbEntMod(const EntityName&, const EntityRecord&) { return RTERROR; }
int StandaloneHost::acdbEntDel(const EntityName&) { return RTERROR; }
int StandaloneHost::acdbEntLast(EntityName&) { return RTERROR; }
int StandaloneHost::acdbEntNext(const EntityName*, EntityName&) { return RTERROR; }
int StandaloneHost::acdbEntUpd(const EntityName&) { return RTERROR; }
int StandaloneHost::acdbRegApp(const std::string&) { return RTERROR; }
std::vector<LayerRecord> StandaloneHost::layers() { return drawing_.layerTable; }
int StandaloneHost::addLayer(const LayerRecord&, int&) { return RTERROR; }
int StandaloneHost::setLayer(const LayerRecord&) { return RTERROR; }
std::vector<LinetypeRecord> StandaloneHost::linetypes() { return drawing_.linetypeTable; }
int StandaloneHost::getTextStyle(const std::string&, TextStyleRecord&) { return RTERROR; }
int StandaloneHost::setTextStyle(const TextStyleRecord&) { return RTERROR; }
int StandaloneHost::dictExists(const std::string&) { return RTERROR; }
int StandaloneHost::dictGetXRecord(const std::string&, const std::string&, ResBufList&) { return RTERROR; }
int StandaloneHost::dictSetXRecord(const std::string&, const std::string&, const ResBufList&) { return RTERROR; }
int StandaloneHost::dictRemove(const std::string&, const std::string&) { return RTERROR; }
int StandaloneHost::acedGetVar(const std::string&, ResBuf&) { return RTERROR; }
int StandaloneHost::acedSetVar(const std::string&, const ResBuf&) { return RTERROR; }

}  // namespace optgrind::standalone
