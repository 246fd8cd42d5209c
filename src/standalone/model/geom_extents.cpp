// The host's extents of entities: curves by their true extents, texts by
// the font metric of geom.h, block references by their block's box.
#include <algorithm>
#include <cmath>
#include <map>
#include <vector>

#include "host/utf8.h"
#include "standalone/model/geom.h"
#include "standalone/model/geom_curves.h"

namespace optgrind::standalone {
namespace {

struct Box {
  Point3 min;
  Point3 max;
  bool valid = false;

  void add(const Point3& p) {
    if (!valid) {
      min = max = p;
      valid = true;
      return;
    }
    min = {std::fmin(min.x, p.x), std::fmin(min.y, p.y), std::fmin(min.z, p.z)};
    max = {std::fmax(max.x, p.x), std::fmax(max.y, p.y), std::fmax(max.z, p.z)};
  }
};

// An arc's box: its ends and the axis extremes (0, 90, 180, 270 degrees)
// that it passes.
void addPiece(Box& box, const CurvePiece& piece) {
  box.add(piece.a);
  box.add(piece.b);
  if (piece.kind != PieceKind::Arc) return;
  for (int quadrant = 0; quadrant < 4; ++quadrant) {
    const double angle = quadrant * kPi / 2.0;
    if (angleOnArc(piece, angle, 0.0)) box.add(pointOnCircle(piece.center, piece.radius, angle));
  }
}

void addPolyline(Box& box, const std::vector<PolyVertex>& vertices, bool closed, double z) {
  std::vector<CurvePiece> pieces;
  polylinePieces(vertices, closed, z, pieces);
  for (const CurvePiece& piece : pieces) addPiece(box, piece);
}

// The rectangle x0..x1, y0..y1 of an entity's own frame, turned by
// `rotation` about `anchor` and moved there.
void addTurnedRect(Box& box, const Point3& anchor, double rotation, double x0, double y0, double x1,
                   double y1) {
  const double c = std::cos(rotation);
  const double s = std::sin(rotation);
  for (const double x : {x0, x1}) {
    for (const double y : {y0, y1}) box.add({anchor.x + x * c - y * s, anchor.y + x * s + y * c, anchor.z});
  }
}

double textWidth(const std::string& text, double height, double widthFactor) {
  return static_cast<double>(utf8Length(text)) * kCharWidthPerHeight * height * widthFactor;
}

// Single-line text. Horizontal alignment: 0 left, 1 centre, 2 right,
// 3 aligned, 4 middle, 5 fit; vertical: 0 baseline, 1 bottom, 2 middle,
// 3 top. Left on the baseline hangs from the insertion point, every other
// alignment from the alignment point; aligned and fit text runs from the
// insertion point to the alignment point (aligned text scales its height
// with it). The font has no descent, so bottom is the baseline; the
// oblique angle leaves the box as it is.
void addText(Box& box, const TextGeom& text) {
  double width = textWidth(text.text, text.height, text.widthFactor);
  double height = text.height;
  if (text.hAlign == 3 || text.hAlign == 5) {
    const double span = distanceXY(text.position, text.alignPoint);
    const double rotation =
        span > 0.0 ? std::atan2(text.alignPoint.y - text.position.y, text.alignPoint.x - text.position.x)
                   : text.rotation;
    if (span > 0.0 && text.hAlign == 3 && width > 0.0) height *= span / width;
    if (span > 0.0) width = span;
    addTurnedRect(box, text.position, rotation, 0.0, 0.0, width, height);
    return;
  }
  const bool leftBaseline = text.hAlign == 0 && text.vAlign == 0;
  const Point3& anchor = leftBaseline ? text.position : text.alignPoint;
  double x0 = 0.0;
  if (text.hAlign == 1 || text.hAlign == 4) x0 = -width / 2.0;
  if (text.hAlign == 2) x0 = -width;
  double y0 = 0.0;
  if (text.vAlign == 2 || text.hAlign == 4) y0 = -height / 2.0;
  if (text.vAlign == 3) y0 = -height;
  addTurnedRect(box, anchor, text.rotation, x0, y0, x0 + width, y0 + height);
}

// Multi-line text: lines end at "\P" (the paragraph code) or a line feed,
// "\\" is one backslash;
// the box is the reference width (the longest line when it is 0) by the
// lines' advance, placed by the attachment point (1..9: top, middle,
// bottom rows of left, centre, right).
void addMText(Box& box, const MTextGeom& mtext) {
  std::vector<std::string> lines(1);
  const std::string& s = mtext.contents;
  for (size_t i = 0; i < s.size(); ++i) {
    const char next = i + 1 < s.size() ? s[i + 1] : '\0';
    if (s[i] == '\n' || (s[i] == '\\' && next == 'P')) {
      lines.emplace_back();
      i += s[i] == '\\' ? 1 : 0;
    } else if (s[i] == '\\' && next == '\\') {
      lines.back() += '\\';  // an escaped backslash is one character
      ++i;
    } else {
      lines.back() += s[i];
    }
  }
  double width = mtext.width;
  if (!(width > 0.0)) {
    width = 0.0;
    for (const std::string& line : lines) width = std::fmax(width, textWidth(line, mtext.height, 1.0));
  }
  const double height =
      static_cast<double>(lines.size()) * mtext.height * kMTextLineAdvance * mtext.lineSpacing;
  const int attachment = (mtext.attachment >= 1 && mtext.attachment <= 9) ? mtext.attachment : 1;
  const int column = (attachment - 1) % 3;  // left, centre, right
  const int row = (attachment - 1) / 3;     // top, middle, bottom
  const double x0 = -width * column / 2.0;
  const double y0 = -height * (2 - row) / 2.0;
  addTurnedRect(box, mtext.location, mtext.rotation, x0, y0, x0 + width, y0 + height);
}

// A dimension's defining points that its kind uses, with its text position.
void addDimension(Box& box, const DimensionGeom& dim) {
  box.add(dim.textPosition);
  switch (dim.kind) {
    case DimKind::Linear:
    case DimKind::Aligned:
      for (const Point3& p : {dim.definition, dim.defPoint2, dim.defPoint3}) box.add(p);
      break;
    case DimKind::Angular:
      for (const Point3& p : {dim.definition, dim.defPoint2, dim.defPoint3, dim.defPoint4, dim.arcPoint})
        box.add(p);
      break;
    case DimKind::Angular3P:
      for (const Point3& p : {dim.definition, dim.defPoint2, dim.defPoint3, dim.defPoint4}) box.add(p);
      break;
    case DimKind::Diameter:
    case DimKind::Radius:
      box.add(dim.definition);
      box.add(dim.defPoint4);
      break;
    case DimKind::Ordinate:
      box.add(dim.defPoint2);
      box.add(dim.defPoint3);
      break;
  }
}

// The blocks met while one entity's box is made: those being opened (a
// block that holds itself is left out there) and the boxes made so far,
// so that blocks nested many times over are measured once.
struct BlockWalk {
  const Drawing& drawing;
  std::vector<const BlockDef*> open;
  std::map<const BlockDef*, Box> boxes;
};

bool addEntity(const EntityRecord& entity, Box& box, BlockWalk& walk);

// The box of the block's entities in the block's own coordinates.
Box blockBox(const BlockDef* block, BlockWalk& walk) {
  const auto known = walk.boxes.find(block);
  if (known != walk.boxes.end()) return known->second;
  Box box;
  if (std::find(walk.open.begin(), walk.open.end(), block) != walk.open.end()) return box;
  walk.open.push_back(block);
  for (const EntityRecord& e : block->entities) addEntity(e, box, walk);
  walk.open.pop_back();
  walk.boxes[block] = box;
  return box;
}

// A block reference: the box of its block's entities, its eight corners
// scaled, turned and moved as the reference places the block (so a turned
// reference gets the box around the turned box, as the host gives it).
void addInsert(const InsertGeom& insert, Box& box, BlockWalk& walk) {
  const BlockDef* block = findBlock(walk.drawing, insert.block);
  if (block == nullptr) return;
  const Box inner = blockBox(block, walk);
  if (!inner.valid) return;
  const double c = std::cos(insert.rotation);
  const double s = std::sin(insert.rotation);
  for (const double x : {inner.min.x, inner.max.x}) {
    for (const double y : {inner.min.y, inner.max.y}) {
      for (const double z : {inner.min.z, inner.max.z}) {
        const double sx = (x - block->base.x) * insert.xScale;
        const double sy = (y - block->base.y) * insert.yScale;
        box.add({insert.position.x + sx * c - sy * s, insert.position.y + sx * s + sy * c,
                 insert.position.z + (z - block->base.z) * insert.zScale});
      }
    }
  }
}

// Adds the entity's box; false when it has none.
bool addEntity(const EntityRecord& entity, Box& box, BlockWalk& walk) {
  Box own;
  if (const auto* point = entity.as<PointGeom>()) {
    own.add(point->position);
  } else if (const auto* poly = entity.as<PolylineGeom>()) {
    addPolyline(own, poly->vertices, poly->closed, poly->elevation);
  } else if (const auto* text = entity.as<TextGeom>()) {
    addText(own, *text);
  } else if (const auto* mtext = entity.as<MTextGeom>()) {
    addMText(own, *mtext);
  } else if (const auto* insert = entity.as<InsertGeom>()) {
    addInsert(*insert, own, walk);
  } else if (const auto* dim = entity.as<DimensionGeom>()) {
    addDimension(own, *dim);
  } else if (const auto* hatch = entity.as<HatchGeom>()) {
    for (const HatchLoop& loop : hatch->loops) addPolyline(own, loop.vertices, true, 0.0);
  } else if (const auto* leader = entity.as<LeaderGeom>()) {
    for (const Point3& p : leader->vertices) own.add(p);
  } else {
    std::vector<CurvePiece> pieces;  // lines, arcs and circles
    if (curvePieces(entity, false, pieces)) {
      for (const CurvePiece& piece : pieces) addPiece(own, piece);
    }
  }
  if (!own.valid) return false;
  box.add(own.min);
  box.add(own.max);
  return true;
}

}  // namespace

int geomExtents(const Drawing& drawing, const EntityRecord& entity, Point3& min, Point3& max) {
  Box box;
  BlockWalk walk{drawing, {}, {}};
  if (!addEntity(entity, box, walk)) return RTERROR;
  min = box.min;
  max = box.max;
  return RTNORM;
}

}  // namespace optgrind::standalone
