// What the host's own commands share.
#include "standalone/commands/cmd_support.h"
#include "host/utf8.h"

#include <cctype>
#include <cstdio>
#include <utility>

namespace optgrind::standalone {
namespace {

// The drawing's current colour, as CECOLOR reports it: BYLAYER, BYBLOCK or
// an index.
int currentColor(Session& session) {
  ResBuf value;
  if (session.host.acedGetVar("CECOLOR", value) != RTNORM) return kColorByLayer;
  std::string text = value.asString();
  if (equalIgnoringCase(text, "BYBLOCK")) return kColorByBlock;
  if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos || text.size() > 3) {
    return kColorByLayer;
  }
  return std::stoi(text);
}

std::string currentText(Session& session, const char* var, const std::string& fallback) {
  ResBuf value;
  if (session.host.acedGetVar(var, value) != RTNORM || !value.isString() || value.asString().empty())
    return fallback;
  return value.asString();
}

}  // namespace

void rememberSelection(Session& session, const std::vector<long long>& ids) {
  if (!ids.empty()) session.previousSelection = ids;
}

EntityRecord newEntityRecord(Session& session, EntityGeom geom) {
  EntityRecord record;
  record.layer = currentText(session, "CLAYER", "0");
  record.color = currentColor(session);
  std::string linetype = currentText(session, "CELTYPE", "BYLAYER");
  record.linetype = equalIgnoringCase(linetype, "BYLAYER")   ? "BYLAYER"
                    : equalIgnoringCase(linetype, "BYBLOCK") ? "BYBLOCK"
                                                             : linetype;
  record.geom = std::move(geom);
  return record;
}

long long addEntity(Session& session, EntityGeom geom) {
  return appendEntity(session.drawing, newEntityRecord(session, std::move(geom)));
}

std::vector<long long> selectionSetIds(Session& session, const SelectionSet& ss) {
  std::vector<long long> ids;
  long length = 0;
  if (session.host.acedSSLength(ss, length) != RTNORM) return ids;
  for (long i = 0; i < length; ++i) {
    EntityName name;
    if (session.host.acedSSName(ss, i, name) == RTNORM) ids.push_back(name.a);
  }
  return ids;
}

std::vector<long long> unlockedIds(Session& session, Answers& in, const std::vector<long long>& ids) {
  std::vector<long long> kept;
  size_t locked = 0;
  for (long long id : ids) {
    const DrawingEntity* e = findEntity(std::as_const(session.drawing), id);
    if (!e) continue;
    const LayerRecord* layer = findLayer(session.drawing, e->record.layer);
    if (layer && layer->locked) {
      ++locked;
    } else {
      kept.push_back(id);
    }
  }
  if (locked == 1) in.message("1 was on a locked layer.\n");
  if (locked > 1) in.message(std::to_string(locked) + " were on a locked layer.\n");
  return kept;
}

std::string formatReal(double value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.4f", value);
  std::string s = buffer;
  return s == "-0.0000" ? "0.0000" : s;
}

std::string formatPoint(const Point3& p) { return formatReal(p.x) + "," + formatReal(p.y); }

}  // namespace optgrind::standalone
