#include "geometry/layer_state_file.h"

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include <unistd.h>

#include "geometry/tables.h"
#include "host/utf8.h"

namespace optgrind {
namespace {

inline constexpr const char* kFirstLine = "Layer state data file!";
inline constexpr const char* kEndLine = "The end";
inline constexpr const char* kNewline = "\r\n";
// A state line is read up to this many characters.
constexpr size_t kStateLineRoom = 130;
// Off, frozen and locked.
constexpr int kStateCount = 3;

bool readLine(std::istream& in, std::string& line) {
  if (!std::getline(in, line)) return false;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return true;
}

// A state line: the name, which may hold blanks, then the three states.
// The states are read from the end of the line so the name stays whole.
bool parseState(const std::string& line, std::string& name, int states[kStateCount]) {
  size_t end = line.size();
  for (int i = kStateCount - 1; i >= 0; --i) {
    while (end > 0 && line[end - 1] == ' ') --end;
    size_t begin = line.find_last_of(' ', end == 0 ? 0 : end - 1);
    if (begin == std::string::npos || begin + 1 >= end) return false;
    const char* first = line.data() + begin + 1;
    const char* last = line.data() + end;
    auto [stop, error] = std::from_chars(first, last, states[i]);
    if (error != std::errc() || stop != last) return false;
    end = begin;
  }
  name = line.substr(0, end);
  return !name.empty();
}

void applyState(Host& host, const std::string& line) {
  std::string name;
  int states[kStateCount] = {};
  if (!parseState(line, name, states)) return;
  int off = states[0], frozen = states[1], locked = states[2];
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
  std::ostringstream text;
  text << kFirstLine << kNewline << "ID: " << std::rand();
  for (const LayerRecord& layer : host.layers()) {
    text << kNewline << layer.name << ' ' << (layer.off ? 1 : 0) << ' ' << (layer.frozen ? 1 : 0) << ' '
         << (layer.locked ? 1 : 0);
  }
  text << kNewline << kEndLine;
  // Written beside the file under a name of this process, then renamed, so
  // that an interrupted save leaves the former states readable.
  std::string temp = path + "." + std::to_string(getpid()) + ".tmp~";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out) return;
    out << text.str();
    out.close();
    if (!out) {
      std::remove(temp.c_str());
      return;
    }
  }
  if (std::rename(temp.c_str(), path.c_str()) != 0) std::remove(temp.c_str());
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
