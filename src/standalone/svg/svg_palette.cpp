#include "standalone/svg/svg_palette.h"

#include <array>
#include <cmath>
#include <cstdio>

namespace optgrind::standalone {
namespace {

constexpr std::array<Rgb, 10> kFirstColors = {{
    {0, 0, 0},        // 0: by block, drawn black
    {255, 0, 0},      // red
    {255, 255, 0},    // yellow
    {0, 255, 0},      // green
    {0, 255, 255},    // cyan
    {0, 0, 255},      // blue
    {255, 0, 255},    // magenta
    {0, 0, 0},        // white/black: black on the page
    {128, 128, 128},  // dark grey
    {192, 192, 192},  // light grey
}};
constexpr std::array<int, 6> kGreys = {51, 80, 105, 130, 190, 255};
// The five brightness steps of each hue, brightest first.
constexpr std::array<double, 5> kBrightness = {1.0, 0.8, 0.6, 0.5, 0.3};
constexpr int kFirstHueIndex = 10;
constexpr int kFirstGreyIndex = 250;
constexpr double kHueStepDegrees = 15.0;
constexpr double kPastelSaturation = 0.5;

Rgb fromHsv(double hueDeg, double saturation, double value) {
  double c = value * saturation;
  double h = hueDeg / 60.0;
  double x = c * (1.0 - std::fabs(std::fmod(h, 2.0) - 1.0));
  double r = 0, g = 0, b = 0;
  switch (static_cast<int>(h) % 6) {
    case 0:
      r = c, g = x;
      break;
    case 1:
      r = x, g = c;
      break;
    case 2:
      g = c, b = x;
      break;
    case 3:
      g = x, b = c;
      break;
    case 4:
      r = x, b = c;
      break;
    default:
      r = c, b = x;
      break;
  }
  double m = value - c;
  auto channel = [m](double v) { return static_cast<int>(std::lround((v + m) * 255.0)); };
  return {channel(r), channel(g), channel(b)};
}

}  // namespace

Rgb paletteColor(int index) {
  if (index >= 0 && index < kFirstHueIndex) return kFirstColors[static_cast<size_t>(index)];
  if (index >= kFirstGreyIndex && index <= 255) {
    int v = kGreys[static_cast<size_t>(index - kFirstGreyIndex)];
    return {v, v, v};
  }
  if (index < kFirstHueIndex || index > 255) return {};
  int hueStep = index / 10 - 1;
  int shade = index % 10;
  double saturation = shade % 2 == 0 ? 1.0 : kPastelSaturation;
  return fromHsv(hueStep * kHueStepDegrees, saturation, kBrightness[static_cast<size_t>(shade / 2)]);
}

std::string svgColor(int index) {
  Rgb c = paletteColor(index);
  char buf[8];
  std::snprintf(buf, sizeof buf, "#%02x%02x%02x", c.r, c.g, c.b);
  return buf;
}

}  // namespace optgrind::standalone
