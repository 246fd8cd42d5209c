#include "standalone/svg_writer.h"

namespace optgrind::standalone {

bool writeSvg(const Drawing&, const std::string& path, std::string& error) {
  error = "cannot write SVG yet: " + path;
  return false;
}

}  // namespace optgrind::standalone
