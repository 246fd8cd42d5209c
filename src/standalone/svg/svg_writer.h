// The drawing as an SVG picture: colours by index, layers that are off or
// frozen left out, the view fitted to the drawing's extents.
#pragma once

#include <string>

#include "standalone/model/drawing.h"
#include "standalone/model/outcome.h"

namespace optgrind::standalone {

// The picture as SVG text.
std::string svgText(const Drawing& drawing);

// Writes the picture to a unique temporary file beside path and renames it
// into place. Fails, naming path and leaving no file behind, when path is
// empty or the file cannot be written.
Outcome writeSvg(const Drawing& drawing, const std::string& path);

}  // namespace optgrind::standalone
