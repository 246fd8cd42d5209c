// The host's 256-colour index palette as SVG colours on a white page.
#pragma once

#include <string>

namespace optgrind::standalone {

struct Rgb {
  int r = 0;
  int g = 0;
  int b = 0;
  bool operator==(const Rgb&) const = default;
};

// Indexes 1 to 9 are the host's colours exactly (7, white on the host's dark
// screen, is black on the page); 10 to 249 are hue, brightness and
// half-saturation steps as the host lays them out; 250 to 255 are greys.
// Any other index is black.
Rgb paletteColor(int index);

// "#rrggbb".
std::string svgColor(int index);

}  // namespace optgrind::standalone
