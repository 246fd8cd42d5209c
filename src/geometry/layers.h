// Layer helpers: look-ups, making and opening up layers, the current layer.
#pragma once

#include <string>

#include "host/host.h"

namespace optgrind {

// Layer and linetype names in a LayerInfo are cut to this many characters.
constexpr size_t kLayerNameRoom = 12;
// make layer's lineweight that leaves the layer's lineweight as it is.
constexpr int kKeepLineweight = 999;

struct LayerInfo {
  int isOff = 0;
  int colorIndex = 0;
  std::string name = "0";
  std::string linetype = "CONTINUOUS";
};

// The layer's id, or -1 when no layer has that name.
int layerId(Host& host, const std::string& name);
// The layer of that id; a new LayerInfo when there is none.
LayerInfo layerInfo(Host& host, int id);
// The standard lineweight for a requested one (hundredths of a millimetre):
// the largest standard weight not above it, 0 below the smallest.
int standardLineweight(int requested);

// Makes or updates the layer (name trimmed and cut to 12 characters; an
// unknown linetype becomes CONTINUOUS; hidden turns it off and locks it)
// and makes it current. An empty name prints a message and changes nothing;
// when the host refuses the layer, nothing changes either. Both give the
// new LayerInfo.
LayerInfo makeLayer(Host& host, const std::string& name, const std::string& linetype, int color, int hidden,
                    int lineweight);
// Turns on, unlocks and thaws the layer, or with "*" in the name every
// layer whose upper-cased name matches it as a wildcard pattern.
void openUpLayers(Host& host, const std::string& name, int upperCase);
// Makes the layer current (blanks removed from the name), opening it up;
// a missing layer is reported and made in colour 1.
void setCurrentLayer(Host& host, const std::string& name);
// Makes the layer of that id current; id 0 is the layer "0".
int setCurrentLayerById(Host& host, int id);

}  // namespace optgrind
