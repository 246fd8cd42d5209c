#include "standalone/svg/svg_shapes.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <type_traits>
#include <variant>
#include <vector>

#include "host/angles.h"
#include "host/utf8.h"
#include "standalone/model/geom.h"
#include "standalone/model/spline_curve.h"
#include "standalone/svg/svg_palette.h"

namespace optgrind::standalone {
namespace {

// Smaller values are written as 0, so rounding noise does not show as 1e-17.
constexpr double kZeroSnap = 1e-12;
// Arcs whose sweep comes this close to nothing are whole circles.
constexpr double kFullSweepGap = 1e-12;
// Font size of text this many times its height: the height is that of a
// capital letter, about 0.7 of the font size.
constexpr double kFontSizePerHeight = 1.0 / 0.7;
// Block references nested deeper than this are not drawn, and at most this
// many entities of definitions in all: definitions that reference one another
// many times over would otherwise multiply without end.
constexpr int kMaxBlockDepth = 8;
constexpr size_t kMaxBlockEntities = 100000;
// Pattern hatches are shown as a light fill of their colour.
constexpr double kPatternFillOpacity = 0.35;

struct Writer {
  SvgContext& ctx;
  const PlaneTransform& x;
  int colorIndex;
  std::string color;

  double scale() const { return std::sqrt(std::fabs(x.det())); }
  std::string at(const Point3& world) const {
    Point3 p = x.apply(world);
    return svgNumber(p.x) + " " + svgNumber(p.y);
  }
  std::ostream& out() { return ctx.out; }
  std::string strokeAttr() const { return " stroke=\"" + color + "\""; }
};

Point3 polar(const Point3& c, double angle, double r) {
  return {c.x + r * std::cos(angle), c.y + r * std::sin(angle), c.z};
}

// Two SVG arc commands from the current point through mid to end: halves of
// at most half a turn each, so the large-arc flag never has to be guessed.
void appendArc(std::string& d, const Writer& w, const Point3& mid, const Point3& end, double radius,
               bool ccw) {
  std::string r = svgNumber(std::fabs(radius) * w.scale());
  // On the page (y down) a counter-clockwise arc turns the other way unless
  // the block transform mirrors it back.
  const char* sweep = (ccw == (w.x.det() > 0)) ? "1" : "0";
  for (const Point3* p : {&mid, &end}) {
    d += " A " + r + " " + r + " 0 0 " + sweep + " " + w.at(*p);
  }
}

// Polyline vertices from the current point: straight or bulged segments.
void appendVertices(std::string& d, const Writer& w, const std::vector<PolyVertex>& v, bool closed) {
  if (v.empty()) return;
  d += "M " + w.at({v[0].x, v[0].y, 0});
  size_t segments = closed ? v.size() : v.size() - 1;
  for (size_t i = 0; i < segments; ++i) {
    const PolyVertex& a = v[i];
    const PolyVertex& b = v[(i + 1) % v.size()];
    Point3 p{a.x, a.y, 0}, q{b.x, b.y, 0};
    double chord = std::hypot(q.x - p.x, q.y - p.y);
    if (isStraightBulge(a.bulge) || chord == 0.0) {
      d += " L " + w.at(q);
      continue;
    }
    // The arc's middle lies the sagitta away from the chord's middle, to the
    // right of p->q for a counter-clockwise (positive) bulge.
    double sagitta = a.bulge * chord / 2.0;
    Point3 mid{(p.x + q.x) / 2 + sagitta * (q.y - p.y) / chord,
               (p.y + q.y) / 2 - sagitta * (q.x - p.x) / chord, 0};
    double radius = chord * (1 + a.bulge * a.bulge) / (4 * std::fabs(a.bulge));
    appendArc(d, w, mid, q, radius, a.bulge > 0);
  }
  if (closed) d += " Z";
}

void writePath(Writer& w, const std::string& d, const std::string& extra = "") {
  if (!d.empty()) w.out() << "<path d=\"" << d << "\"" << w.strokeAttr() << extra << "/>\n";
}

void writeLine(Writer& w, const LineGeom& g) { writePath(w, "M " + w.at(g.start) + " L " + w.at(g.end)); }

void writeArc(Writer& w, const ArcGeom& g) {
  double sweep = std::fmod(g.endAngle - g.startAngle, kTwoPi);
  if (sweep <= kFullSweepGap) sweep += kTwoPi;
  std::string d = "M " + w.at(polar(g.center, g.startAngle, g.radius));
  appendArc(d, w, polar(g.center, g.startAngle + sweep / 2, g.radius),
            polar(g.center, g.startAngle + sweep, g.radius), g.radius, true);
  writePath(w, d);
}

void writeCircle(Writer& w, const CircleGeom& g) {
  Point3 c = w.x.apply(g.center);
  w.out() << "<circle cx=\"" << svgNumber(c.x) << "\" cy=\"" << svgNumber(c.y) << "\" r=\""
          << svgNumber(std::fabs(g.radius) * w.scale()) << "\"" << w.strokeAttr() << "/>\n";
}

void writePoint(Writer& w, const PointGeom& g) {
  Point3 c = w.x.apply(g.position);
  w.out() << "<circle cx=\"" << svgNumber(c.x) << "\" cy=\"" << svgNumber(c.y) << "\" r=\""
          << svgNumber(w.ctx.pen.dotRadius) << "\" fill=\"" << w.color << "\" stroke=\"none\"/>\n";
}

void writePolyline(Writer& w, const PolylineGeom& g) {
  std::string d;
  appendVertices(d, w, g.vertices, g.closed);
  std::string width;
  if (g.constantWidth > 0) width = " stroke-width=\"" + svgNumber(g.constantWidth * w.scale()) + "\"";
  writePath(w, d, width);
}

// A spline or an ellipse as the chords of its flattened copy.
template <class G>
void writeSmoothCurve(Writer& w, const G& g) {
  const SmoothCurve curve = smoothCurveOf(g);
  std::vector<Point3> points;
  flattenCurve(curve, displayTolerance(curve), points);
  std::string d;
  for (size_t i = 0; i < points.size(); ++i) d += (i ? " L " : "M ") + w.at(points[i]);
  writePath(w, d);
}

void writeHatch(Writer& w, const HatchGeom& g) {
  std::string d;
  for (const HatchLoop& loop : g.loops) {
    if (loop.vertices.size() < 2) continue;
    if (!d.empty()) d += " ";
    appendVertices(d, w, loop.vertices, true);
  }
  std::string fill = " fill=\"" + w.color + "\" fill-rule=\"evenodd\"";
  if (!g.solid) fill += " fill-opacity=\"" + svgNumber(kPatternFillOpacity) + "\"";
  writePath(w, d, fill);
}

void writeLeader(Writer& w, const LeaderGeom& g) {
  std::string d;
  for (size_t i = 0; i < g.vertices.size(); ++i) d += (i ? " L " : "M ") + w.at(g.vertices[i]);
  if (g.vertices.size() >= 2) writePath(w, d);
}

// Opens a <text> element whose own frame starts at `origin`, turned by
// `rotation` (radians in the drawing) and stretched by widthFactor. Returns
// the height on the page.
double openText(Writer& w, const Point3& origin, double rotation, double height, double widthFactor,
                const char* anchor, const char* baseline, size_t characters = 0) {
  Point3 o = w.x.apply(origin);
  Point3 dir = w.x.apply({origin.x + std::cos(rotation), origin.y + std::sin(rotation), 0});
  double turn = std::atan2(dir.y - o.y, dir.x - o.x) * 180.0 / kPi;
  double pageHeight = height * w.scale();
  w.out() << "<text transform=\"translate(" << svgNumber(o.x) << " " << svgNumber(o.y) << ") rotate("
          << svgNumber(turn) << ") scale(" << svgNumber(widthFactor > 0 ? widthFactor : 1.0)
          << " 1)\" font-size=\"" << svgNumber(pageHeight * kFontSizePerHeight)
          << "\" font-family=\"sans-serif\" fill=\"" << w.color << "\" stroke=\"none\" text-anchor=\""
          << anchor << "\" dominant-baseline=\"" << baseline << "\" xml:space=\"preserve\"";
  // A one-line text is as wide as the host measures it, so that a table's
  // columns in the picture are where the drawing puts them.
  if (characters > 0) {
    w.out() << " textLength=\""
            << svgNumber(static_cast<double>(characters) * kCharWidthPerHeight * pageHeight)
            << "\" lengthAdjust=\"spacingAndGlyphs\"";
  }
  w.out() << ">";
  return pageHeight;
}

void writeText(Writer& w, const TextGeom& g) {
  // Justified text hangs on its alignment point; "aligned" (3) and "fit" (5)
  // are drawn from the start.
  bool aligned = (g.hAlign != 0 || g.vAlign != 0) && g.hAlign != 3 && g.hAlign != 5;
  const char* anchor = (g.hAlign == 1 || g.hAlign == 4) ? "middle" : g.hAlign == 2 ? "end" : "start";
  const char* baseline = g.vAlign == 3 ? "hanging" : (g.vAlign == 2 || g.hAlign == 4) ? "central" : "auto";
  openText(w, aligned ? g.alignPoint : g.position, g.rotation, g.height, g.widthFactor, anchor, baseline,
           utf8Length(g.text));
  w.out() << xmlEscape(g.text) << "</text>\n";
}

// The lines of multi-line text without its formatting codes.
std::vector<std::string> mtextLines(const std::string& s) {
  std::vector<std::string> lines(1);
  for (size_t i = 0; i < s.size(); ++i) {
    char c = s[i];
    if (c == '{' || c == '}') continue;
    if (c != '\\' || i + 1 >= s.size()) {
      lines.back() += c;
      continue;
    }
    char code = s[++i];
    size_t end = s.find(';', i);
    switch (code) {
      case 'P':
        lines.emplace_back();
        break;
      case '~':
        lines.back() += ' ';
        break;
      case '\\':
      case '{':
      case '}':
        lines.back() += code;
        break;
      case 'L':
      case 'l':
      case 'O':
      case 'o':
      case 'K':
      case 'k':
        break;
      case 'S':  // stacked fraction: shown on one line
        for (size_t k = i + 1; k < s.size() && k != end; ++k)
          lines.back() += (s[k] == '^' || s[k] == '#') ? '/' : s[k];
        i = end == std::string::npos ? s.size() : end;
        break;
      default:  // a property change up to ";"
        i = end == std::string::npos ? s.size() : end;
    }
  }
  return lines;
}

void writeMText(Writer& w, const MTextGeom& g) {
  std::vector<std::string> lines = mtextLines(g.contents);
  int attachment = (g.attachment >= 1 && g.attachment <= 9) ? g.attachment : 1;
  int row = (attachment - 1) / 3, col = (attachment - 1) % 3;
  const char* anchor = col == 0 ? "start" : col == 1 ? "middle" : "end";
  double h = openText(w, g.location, g.rotation, g.height, 1.0, anchor, "auto");
  double advance = h * kMTextLineAdvance * (g.lineSpacing > 0 ? g.lineSpacing : 1.0);
  double total = h + advance * static_cast<double>(lines.size() - 1);
  double firstBaseline = h - (row == 0 ? 0.0 : row == 1 ? total / 2 : total);
  for (size_t i = 0; i < lines.size(); ++i) {
    w.out() << "<tspan x=\"0\" y=\"" << svgNumber(firstBaseline + advance * static_cast<double>(i)) << "\">"
            << xmlEscape(lines[i]) << "</tspan>";
  }
  w.out() << "</text>\n";
}

void writeBlock(Writer& w, const std::string& name, const PlaneTransform& placement) {
  const BlockDef* block = findBlock(w.ctx.drawing, name);
  auto& open = w.ctx.openBlocks;
  if (!block || static_cast<int>(open.size()) >= kMaxBlockDepth ||
      std::find(open.begin(), open.end(), block) != open.end()) {
    return;
  }
  PlaneTransform inner = w.x.then(placement).then(PlaneTransform{1, 0, 0, 1, -block->base.x, -block->base.y});
  open.push_back(block);
  for (const EntityRecord& e : block->entities) {
    if (w.ctx.blockEntitiesDrawn >= kMaxBlockEntities) break;
    if (!layerShown(w.ctx.drawing, e.layer)) continue;
    ++w.ctx.blockEntitiesDrawn;
    writeEntitySvg(w.ctx, e, inner, resolvedColor(w.ctx.drawing, e, w.colorIndex, true));
  }
  open.pop_back();
}

void writeInsert(Writer& w, const InsertGeom& g) {
  double cs = std::cos(g.rotation), sn = std::sin(g.rotation);
  PlaneTransform placement{g.xScale * cs, g.xScale * sn, -g.yScale * sn,
                           g.yScale * cs, g.position.x,  g.position.y};
  writeBlock(w, g.block, placement);
}

void writeDimension(Writer& w, const DimensionGeom& g) {
  writeBlock(w, g.block, PlaneTransform{1, 0, 0, 1, g.blockPosition.x, g.blockPosition.y});
}

}  // namespace

PlaneTransform PlaneTransform::then(const PlaneTransform& in) const {
  return {a * in.a + c * in.b, b * in.a + d * in.b,     a * in.c + c * in.d,
          b * in.c + d * in.d, a * in.e + c * in.f + e, b * in.e + d * in.f + f};
}

int resolvedColor(const Drawing& d, const EntityRecord& e, int inherited, bool insideBlock) {
  constexpr int kDefaultColor = 7;
  if (e.color == kColorByBlock) return inherited > 0 ? inherited : kDefaultColor;
  if (e.color != kColorByLayer) return e.color;
  if (insideBlock && e.layer == "0" && inherited > 0) return inherited;
  const LayerRecord* layer = findLayer(d, e.layer);
  return layer ? std::abs(layer->color) : kDefaultColor;
}

void writeEntitySvg(SvgContext& ctx, const EntityRecord& entity, const PlaneTransform& toPage, int color) {
  Writer w{ctx, toPage, color, svgColor(color)};
  visitGeom(
      [&](const auto& g) {
        using G = std::decay_t<decltype(g)>;
        if constexpr (std::is_same_v<G, LineGeom>)
          writeLine(w, g);
        else if constexpr (std::is_same_v<G, ArcGeom>)
          writeArc(w, g);
        else if constexpr (std::is_same_v<G, CircleGeom>)
          writeCircle(w, g);
        else if constexpr (std::is_same_v<G, PointGeom>)
          writePoint(w, g);
        else if constexpr (std::is_same_v<G, PolylineGeom>)
          writePolyline(w, g);
        else if constexpr (std::is_same_v<G, TextGeom>)
          writeText(w, g);
        else if constexpr (std::is_same_v<G, MTextGeom>)
          writeMText(w, g);
        else if constexpr (std::is_same_v<G, InsertGeom>)
          writeInsert(w, g);
        else if constexpr (std::is_same_v<G, DimensionGeom>)
          writeDimension(w, g);
        else if constexpr (std::is_same_v<G, HatchGeom>)
          writeHatch(w, g);
        else if constexpr (std::is_same_v<G, LeaderGeom>)
          writeLeader(w, g);
        else if constexpr (std::is_same_v<G, SplineGeom> || std::is_same_v<G, EllipseGeom>)
          writeSmoothCurve(w, g);
        // A 3D solid has no outline of its own to show.
      },
      entity.geom);
}

std::string svgNumber(double v) {
  if (!std::isfinite(v) || std::fabs(v) < kZeroSnap) return "0";
  char buf[32];
  auto res = std::to_chars(buf, buf + sizeof buf, v);
  return std::string(buf, res.ptr);
}

std::string xmlEscape(const std::string& text) {
  std::string out;
  size_t i = 0;
  while (i < text.size()) {
    auto b = static_cast<unsigned char>(text[i]);
    size_t len = b < 0x80 ? 1 : (b >> 5) == 0x6 ? 2 : (b >> 4) == 0xE ? 3 : (b >> 3) == 0x1E ? 4 : 0;
    bool ok = len > 0 && i + len <= text.size();
    for (size_t k = 1; ok && k < len; ++k) ok = (static_cast<unsigned char>(text[i + k]) & 0xC0) == 0x80;
    if (!ok) {
      out += "\xEF\xBF\xBD";  // the replacement character
      ++i;
      continue;
    }
    switch (b) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += "&apos;";
        break;
      default:
        // XML has no place for other control characters.
        if (b >= 0x20 || b == '\t') out.append(text, i, len);
    }
    i += len;
  }
  return out;
}

}  // namespace optgrind::standalone
