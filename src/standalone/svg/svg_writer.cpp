// The drawing as a picture: every shown entity of model space, the page
// fitted to their extents, written whole to a temporary file first.
#include "standalone/svg/svg_writer.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <sstream>

#include "host/file_replace.h"
#include "standalone/model/geom.h"
#include "standalone/svg/svg_path_roles.h"
#include "standalone/svg/svg_shapes.h"

namespace optgrind::standalone {
namespace {

// Room around the drawing, as a share of its larger side.
constexpr double kMarginShare = 0.05;
// A drawing with no size (one point, or nothing measurable) gets this much
// room on each side.
constexpr double kMinHalfSide = 1.0;
// An empty drawing shows the metric sheet.
constexpr Point3 kEmptySheetMin{0.0, 0.0, 0.0};
constexpr Point3 kEmptySheetMax{420.0, 297.0, 0.0};
// Lines and dots relative to the page's larger side.
constexpr double kStrokeShare = 1.0 / 800.0;
constexpr double kDotShare = 1.0 / 250.0;
// The picture's size in pixels along its larger side.
constexpr double kPixelsAlongLargerSide = 1000.0;

bool shown(const Drawing& d, const DrawingEntity& e) { return !e.erased && layerShown(d, e.record.layer); }

struct Box {
  bool valid = false;
  Point3 lo, hi;
  void add(const Point3& a, const Point3& b) {
    if (!valid) {
      lo = a, hi = b, valid = true;
      return;
    }
    lo = {std::min(lo.x, a.x), std::min(lo.y, a.y), 0};
    hi = {std::max(hi.x, b.x), std::max(hi.y, b.y), 0};
  }
};

Box drawingBox(const Drawing& d) {
  Box box;
  for (const auto& e : d.entities) {
    Point3 lo, hi;
    if (!shown(d, e) || geomExtents(d, e.record, lo, hi) != RTNORM) continue;
    // Broken geometry (a NaN read from a file) must not spoil the page.
    if (std::isfinite(lo.x) && std::isfinite(lo.y) && std::isfinite(hi.x) && std::isfinite(hi.y))
      box.add(lo, hi);
  }
  if (!box.valid) box.add(kEmptySheetMin, kEmptySheetMax);
  double side = std::max(box.hi.x - box.lo.x, box.hi.y - box.lo.y);
  double margin = std::max(side * kMarginShare, side > 0 ? 0.0 : kMinHalfSide);
  box.lo = {box.lo.x - margin, box.lo.y - margin, 0};
  box.hi = {box.hi.x + margin, box.hi.y + margin, 0};
  return box;
}

}  // namespace

std::string svgText(const Drawing& d) {
  Box box = drawingBox(d);
  // A stored path gets a legend to the right of the drawing.
  bool anyPath = std::any_of(d.entities.begin(), d.entities.end(),
                             [&](const DrawingEntity& e) { return shown(d, e) && isStoredPathEntity(e); });
  Point3 legendAt{box.hi.x, box.hi.y, 0.0};
  if (anyPath) box.hi.x += std::max(box.hi.x - box.lo.x, box.hi.y - box.lo.y) * kLegendRoomShare;
  double width = box.hi.x - box.lo.x, height = box.hi.y - box.lo.y;
  double side = std::max(width, height);
  std::ostringstream out;
  // The page's y runs down: drawing y becomes -y, so the top edge is -hi.y.
  std::string viewBox =
      svgNumber(box.lo.x) + " " + svgNumber(-box.hi.y) + " " + svgNumber(width) + " " + svgNumber(height);
  out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      << "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"" << viewBox << "\" width=\""
      << svgNumber(std::round(kPixelsAlongLargerSide * width / side)) << "\" height=\""
      << svgNumber(std::round(kPixelsAlongLargerSide * height / side)) << "\">\n"
      << "<rect x=\"" << svgNumber(box.lo.x) << "\" y=\"" << svgNumber(-box.hi.y) << "\" width=\""
      << svgNumber(width) << "\" height=\"" << svgNumber(height) << "\" fill=\"#ffffff\"/>\n"
      << "<g fill=\"none\" stroke-width=\"" << svgNumber(side * kStrokeShare)
      << "\" stroke-linecap=\"round\" stroke-linejoin=\"round\">\n";
  SvgContext ctx{d, out, SvgPen{side * kStrokeShare, side * kDotShare}, {}, 0};
  const PlaneTransform page;
  for (const auto& e : d.entities) {
    if (!shown(d, e)) continue;
    if (isStoredPathEntity(e)) {
      writeStoredPathSvg(ctx, entityRecord(e), page);
    } else {
      writeEntitySvg(ctx, e.record, page, resolvedColor(d, e.record, 0, false));
    }
  }
  if (anyPath) writePathLegend(out, legendAt, side);
  out << "</g>\n</svg>\n";
  return out.str();
}

Outcome writeSvg(const Drawing& drawing, const std::string& path) {
  if (path.empty()) return Outcome::failure("no file name given for the picture");
  std::string text = svgText(drawing);
  if (replaceFile(path, text) != kReplaceWritten) return Outcome::failure("cannot write the picture", path);
  return Outcome::success();
}

}  // namespace optgrind::standalone
