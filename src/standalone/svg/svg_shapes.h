// SVG elements for drawing entities: each entity drawn through a plane
// transform from drawing coordinates to the page (y down), so block
// references draw their definitions through the same code.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "standalone/model/drawing.h"

namespace optgrind::standalone {

// (x, y) -> (a x + c y + e, b x + d y + f), as SVG's matrix() reads it.
struct PlaneTransform {
  double a = 1, b = 0, c = 0, d = -1, e = 0, f = 0;  // the page: y flipped

  Point3 apply(const Point3& p) const { return {a * p.x + c * p.y + e, b * p.x + d * p.y + f, 0.0}; }
  double det() const { return a * d - b * c; }
  // this after inner: first inner, then this.
  PlaneTransform then(const PlaneTransform& inner) const;
};

// Sizes of the marks that do not scale with the drawing.
struct SvgPen {
  double strokeWidth = 1.0;
  double dotRadius = 1.0;
};

struct SvgContext {
  const Drawing& drawing;
  std::ostream& out;
  SvgPen pen;
  // Block definitions being drawn, outermost first: one that is reached
  // again through its own references is not drawn a second time.
  std::vector<const BlockDef*> openBlocks;
  // Entities drawn from block definitions so far.
  size_t blockEntitiesDrawn = 0;
};

// Writes the entity's elements in `color` (an index; by-layer and by-block
// already resolved by the caller for a model-space entity). Entities inside
// block definitions resolve their own colours against `color`.
void writeEntitySvg(SvgContext& ctx, const EntityRecord& entity, const PlaneTransform& toPage, int color);

// The colour index the entity is drawn in: its own, its layer's (by layer)
// or `inherited` (by block; and by layer on layer "0" inside a block).
int resolvedColor(const Drawing& d, const EntityRecord& e, int inherited, bool insideBlock);

// A number for SVG text: shortest form, locale-free.
std::string svgNumber(double v);
// Text for XML content or attributes: escaped, invalid UTF-8 replaced.
std::string xmlEscape(const std::string& text);

}  // namespace optgrind::standalone
