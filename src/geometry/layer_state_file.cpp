#include "geometry/layer_state_file.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "geometry/tables.h"
#include "host/utf8.h"

namespace optgrind {
namespace {

inline constexpr const char* kFirstLine = "Layer state data file!";
inline constexpr const char* kEndLine = "The end";
inline constexpr const char* kNewline = "\r\n";
// A state line is read up to this many characters.
constexpr size_t kStateLineRoom = 130;
constexpr size_t kNameRoom = 512;

bool readLine(std::istream& in, std::string& line) {
  if (!std::getline(in, line)) return false;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return true;
}

void applyState(Host& host, const std::string& line) {
  char name[kNameRoom] = {};
  int off = 0, frozen = 0, locked = 0;
  if (std::sscanf(line.c_str(), "%511s %d %d %d", name, &off, &frozen, &locked) != 4) return;
  LayerRecord layer;
  if (!findLayerByName(host, name, layer)) return;
  layer.off = off != 0;
  layer.locked = locked != 0;
  bool wasFrozen = layer.frozen;
  layer.frozen = frozen != 0;
  // The host never freezes the current layer; its other states still apply.
  if (host.setLayer(layer) != RTNORM && layer.frozen != wasFrozen) {
    layer.frozen = wasFrozen;
    host.setLayer(layer);
  }
}

}  // namespace

void saveLayerStates(Host& host, const std::string& path) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) return;
  out << kFirstLine << kNewline << "ID: " << std::rand();
  for (const LayerRecord& layer : host.layers()) {
    out << kNewline << layer.name << ' ' << (layer.off ? 1 : 0) << ' ' << (layer.frozen ? 1 : 0) << ' '
        << (layer.locked ? 1 : 0);
  }
  out << kNewline << kEndLine;
}

void restoreLayerStates(Host& host, const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return;
  std::string line;
  if (!readLine(in, line) || !readLine(in, line)) return;
  while (readLine(in, line)) {
    line = utf8Cut(line, kStateLineRoom);
    if (line == kEndLine) break;
    applyState(host, line);
  }
}

}  // namespace optgrind
