// What the host's own commands share.
#include "standalone/commands/cmd_support.h"
#include "host/utf8.h"

#include <cctype>
#include <cstdio>

namespace optgrind::standalone {
namespace {

// The drawing's current colour, as CECOLOR reports it: BYLAYER, BYBLOCK or
// an index.
int currentColor(StandaloneHost& host) {
  ResBuf value;
  if (host.acedGetVar("CECOLOR", value) != RTNORM) return kColorByLayer;
  std::string text = value.asString();
  if (sameName(text, "BYBLOCK")) return kColorByBlock;
  if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos || text.size() > 3) {
    return kColorByLayer;
  }
  return std::stoi(text);
}

std::string currentText(StandaloneHost& host, const char* var, const std::string& fallback) {
  ResBuf value;
  if (host.acedGetVar(var, value) != RTNORM || !value.isString() || value.asString().empty()) return fallback;
  return value.asString();
}

}  // namespace

void CommandAccess::setView(StandaloneHost& host, const Point3& center, double height) {
  host.setView(center, height);
}

void CommandAccess::currentView(StandaloneHost& host, Point3& center, double& height) {
  ResBuf c, h;
  host.acedGetVar("VIEWCTR", c);
  host.acedGetVar("VIEWSIZE", h);
  center = c.asPoint();
  height = h.asReal();
}

void CommandAccess::rememberView(StandaloneHost& host) {
  // As many as the original host keeps for ZOOM Previous.
  constexpr size_t kRememberedViews = 10;
  Point3 center;
  double height = 0.0;
  currentView(host, center, height);
  auto& views = host.previousViews_;
  if (views.size() == kRememberedViews) views.erase(views.begin());
  views.emplace_back(center, height);
}

bool CommandAccess::takePreviousView(StandaloneHost& host, Point3& center, double& height) {
  auto& views = host.previousViews_;
  if (views.empty()) return false;
  center = views.back().first;
  height = views.back().second;
  views.pop_back();
  return true;
}

void CommandAccess::forgetViews(StandaloneHost& host) { host.previousViews_.clear(); }

void CommandAccess::setPreviousSelection(StandaloneHost& host, const std::vector<long long>& ids) {
  if (!ids.empty()) host.previousSelection_ = ids;
}

EntityRecord newEntityRecord(StandaloneHost& host, EntityGeom geom) {
  EntityRecord record;
  record.layer = currentText(host, "CLAYER", "0");
  record.color = currentColor(host);
  std::string linetype = currentText(host, "CELTYPE", "BYLAYER");
  record.linetype = sameName(linetype, "BYLAYER")   ? "BYLAYER"
                    : sameName(linetype, "BYBLOCK") ? "BYBLOCK"
                                                    : linetype;
  record.geom = std::move(geom);
  return record;
}

long long addEntity(StandaloneHost& host, EntityGeom geom) {
  return appendEntity(host.drawing(), newEntityRecord(host, std::move(geom)));
}

std::vector<long long> selectionSetIds(StandaloneHost& host, const SelectionSet& ss) {
  std::vector<long long> ids;
  long length = 0;
  if (host.acedSSLength(ss, length) != RTNORM) return ids;
  for (long i = 0; i < length; ++i) {
    EntityName name;
    if (host.acedSSName(ss, i, name) == RTNORM) ids.push_back(name.a);
  }
  return ids;
}

std::vector<long long> unlockedIds(StandaloneHost& host, Answers& in, const std::vector<long long>& ids) {
  std::vector<long long> kept;
  size_t locked = 0;
  for (long long id : ids) {
    const DrawingEntity* e = findEntity(host.drawing(), id);
    if (!e) continue;
    const LayerRecord* layer = findLayer(host.drawing(), e->record.layer);
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
