// The drawing as an SVG picture: colours by index, layers that are off or
// frozen left out, the view fitted to the drawing's extents.
#pragma once

#include <string>

#include "standalone/model/drawing.h"

namespace optgrind::standalone {

// Returns false with a message when the file cannot be written.
bool writeSvg(const Drawing& drawing, const std::string& path, std::string& error);

}  // namespace optgrind::standalone
