#include "geometry/tables.h"
#include "host/utf8.h"

#include <cctype>

namespace optgrind {

bool findLayerByName(Host& host, const std::string& name, LayerRecord& out) {
  for (const LayerRecord& layer : host.layers()) {
    if (equalIgnoringCase(layer.name, name)) {
      out = layer;
      return true;
    }
  }
  return false;
}

bool findLayerById(Host& host, int id, LayerRecord& out) {
  for (const LayerRecord& layer : host.layers()) {
    if (layer.id == id) {
      out = layer;
      return true;
    }
  }
  return false;
}

int linetypeIdByName(Host& host, const std::string& name) {
  for (const LinetypeRecord& linetype : host.linetypes()) {
    if (equalIgnoringCase(linetype.name, name)) return linetype.id;
  }
  return -1;
}

std::string linetypeNameById(Host& host, int id) {
  for (const LinetypeRecord& linetype : host.linetypes()) {
    if (linetype.id == id) return linetype.name;
  }
  return std::string();
}

LayerUnlock::LayerUnlock(Host& host) : host_(host) {
  for (LayerRecord layer : host_.layers()) {
    locked_.push_back(layer.locked);
    if (layer.locked) {
      layer.locked = false;
      host_.setLayer(layer);
    }
  }
}

// The states go back by position in the table, as they were remembered.
LayerUnlock::~LayerUnlock() {
  std::vector<LayerRecord> layers = host_.layers();
  for (size_t i = 0; i < layers.size() && i < locked_.size(); ++i) {
    if (layers[i].locked != locked_[i]) {
      layers[i].locked = locked_[i];
      host_.setLayer(layers[i]);
    }
  }
}

}  // namespace optgrind
