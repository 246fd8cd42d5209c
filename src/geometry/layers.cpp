#include "geometry/layers.h"

#include <array>

#include "geometry/geometry_messages.h"
#include "geometry/tables.h"
#include "host/utf8.h"
#include "host/wildcard.h"

namespace optgrind {
namespace {

// Largest first.
constexpr std::array<int, 23> kStandardLineweights = {211, 200, 158, 140, 120, 106, 100, 90, 80, 70, 60, 53,
                                                      50,  40,  35,  30,  25,  20,  18,  15, 13, 9,  5};
inline constexpr const char* kContinuous = "CONTINUOUS";

std::string trimBlanks(const std::string& text) {
  size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return std::string();
  size_t last = text.find_last_not_of(' ');
  return text.substr(first, last - first + 1);
}

std::string withoutBlanks(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c != ' ') out.push_back(c);
  }
  return out;
}

int makeCurrent(Host& host, const std::string& name) {
  return host.acedSetVar("CLAYER", ResBuf::ofString(RTSTR, name));
}

void openUp(Host& host, LayerRecord layer) {
  if (!layer.off && !layer.locked && !layer.frozen) return;
  layer.off = false;
  layer.locked = false;
  layer.frozen = false;
  host.setLayer(layer);
}

}  // namespace

int layerId(Host& host, const std::string& name) {
  LayerRecord layer;
  return findLayerByName(host, name, layer) ? layer.id : -1;
}

LayerInfo layerInfo(Host& host, int id) {
  LayerInfo info;
  LayerRecord layer;
  if (!findLayerById(host, id, layer)) return info;
  info.isOff = layer.off ? 1 : 0;
  info.colorIndex = layer.color;
  info.name = utf8Cut(layer.name, kLayerNameRoom);
  info.linetype = utf8Cut(layer.linetype, kLayerNameRoom);
  return info;
}

int standardLineweight(int requested) {
  for (int weight : kStandardLineweights) {
    if (weight <= requested) return weight;
  }
  return 0;
}

LayerInfo makeLayer(Host& host, const std::string& name, const std::string& linetype, int color, int hidden,
                    int lineweight) {
  LayerInfo info;
  std::string trimmed = trimBlanks(name);
  if (trimmed.empty()) {
    printMessage(host, geometry_messages::kLayerNameNull);
    return info;
  }
  std::string cut = utf8Cut(trimmed, kLayerNameRoom);
  info.isOff = hidden;
  info.colorIndex = color;
  info.name = cut;
  info.linetype = utf8Cut(linetype, kLayerNameRoom);
  std::string linetypeName = linetype;
  if (linetypeIdByName(host, linetype) < 0) {
    linetypeName = kContinuous;
    info.linetype = kContinuous;
  }
  LayerRecord layer;
  bool exists = findLayerByName(host, trimmed, layer) || findLayerByName(host, cut, layer);
  if (!exists) layer = LayerRecord{};
  layer.name = cut;
  layer.color = color;
  if (lineweight != kKeepLineweight) layer.lineweight = standardLineweight(lineweight);
  layer.linetype = linetypeName;
  layer.off = hidden != 0;
  layer.locked = hidden != 0;
  int id = -1;
  int rc = exists ? host.setLayer(layer) : host.addLayer(layer, id);
  // A layer the host would not make or change does not become current.
  if (rc != RTNORM) return LayerInfo{};
  makeCurrent(host, cut);
  return info;
}

void openUpLayers(Host& host, const std::string& name, int upperCaseName) {
  std::string pattern = upperCaseName ? upperAscii(name) : name;
  if (pattern.find('*') == std::string::npos) {
    LayerRecord layer;
    if (findLayerByName(host, pattern, layer)) openUp(host, layer);
    return;
  }
  for (const LayerRecord& layer : host.layers()) {
    if (wildcardMatch(upperAscii(layer.name), pattern)) openUp(host, layer);
  }
}

void setCurrentLayer(Host& host, const std::string& name) {
  std::string compact = withoutBlanks(name);
  LayerRecord layer;
  if (findLayerByName(host, compact, layer)) {
    openUpLayers(host, compact, 1);
    makeCurrent(host, layer.name);
    return;
  }
  printMessage(host, geometry_messages::kLayerNotExist);
  if (!compact.empty()) makeLayer(host, compact, std::string(), 1, 0, kKeepLineweight);
}

int setCurrentLayerById(Host& host, int id) {
  if (id == 0) return makeCurrent(host, "0");
  LayerRecord layer;
  if (!findLayerById(host, id, layer)) return RTERROR;
  return makeCurrent(host, layer.name);
}

}  // namespace optgrind
