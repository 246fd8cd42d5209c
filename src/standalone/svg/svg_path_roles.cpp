#include "standalone/svg/svg_path_roles.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "host/tolerances.h"
#include "standalone/svg/svg_palette.h"

namespace optgrind::standalone {
namespace {

// The legend's text height and pen as shares of the page's larger side.
constexpr double kLegendTextShare = 1.0 / 50.0;
constexpr double kLegendPenShare = 1.0 / 800.0;

struct RoleStyle {
  PathRole role;
  int color;         // palette index
  const char* dash;  // in pen widths; "" solid
  double pen;        // in pen widths: the wheel's cuts stand out
  const char* label;
  const char* name;  // the element's class in the picture
};

constexpr RoleStyle kStyles[] = {
    {PathRole::Ground, 7, "", 1.6, "ground", "ground"},
    {PathRole::OverCut, 134, "", 1.6, "over-cut", "over-cut"},
    {PathRole::Approach, 6, "3 2", 0.8, "leader / lead-in / approach", "approach"},
    {PathRole::Lift, 30, "6 3", 0.8, "lift", "lift"},
    {PathRole::Rapid, 5, "1 3", 0.8, "rapid at safe height", "rapid"},
    {PathRole::Lowering, 3, "6 3", 0.8, "lowering", "lowering"},
};

const RoleStyle& styleOf(PathRole role) {
  for (const RoleStyle& s : kStyles)
    if (s.role == role) return s;
  return kStyles[0];
}

// The tag keys of the entity's "my_tag" section (every other string).
std::set<std::string> tagKeys(const EntityRecord& entity) {
  std::set<std::string> keys;
  bool inSection = false;
  int position = 0;
  for (const ResBuf& rb : entity.xdata) {
    if (rb.code == kXDataApplicationCode) {
      inSection = rb.asString() == "my_tag";
      position = 0;
    } else if (inSection && rb.code == kXDataStringCode) {
      if (position++ % 2 == 0) keys.insert(rb.asString());
    }
  }
  return keys;
}

std::string elementKey(const char* pattern, int element) {
  char key[48];
  std::snprintf(key, sizeof key, pattern, element);
  return key;
}

// The first marker the NC run would find for the element decides.
PathRole taggedRole(const std::set<std::string>& keys, int element) {
  if (keys.count(elementKey("RAPID_UP%d", element))) return PathRole::Lift;
  if (keys.count(elementKey("RAPID_DN%d", element))) return PathRole::Lowering;
  if (keys.count(elementKey("RAPID_MOVE%d", element))) return PathRole::Rapid;
  if (keys.count(elementKey("APPROACH%d", element))) return PathRole::Approach;
  return PathRole::Ground;
}

bool samePoint(const PolyVertex& a, const Point3& b) {
  return std::fabs(a.x - b.x) < kPointTolerance && std::fabs(a.y - b.y) < kPointTolerance;
}

// Points sorted by x, found by a look at the few within the tolerance.
struct PointSet {
  std::vector<Point3> points;

  void sort() {
    std::sort(points.begin(), points.end(), [](const Point3& a, const Point3& b) { return a.x < b.x; });
  }
  bool has(const PolyVertex& v) const {
    auto it = std::lower_bound(points.begin(), points.end(), v.x - kPointTolerance,
                               [](const Point3& p, double x) { return p.x < x; });
    for (; it != points.end() && it->x <= v.x + kPointTolerance; ++it)
      if (samePoint(v, *it)) return true;
    return false;
  }
};

// The tool points as the pieces cut off the profile show them: a piece
// begins where the wheel lifted and ends where it came down again.
struct ToolPoints {
  PointSet up, down;
};

ToolPoints toolPointsOf(const Drawing& d) {
  ToolPoints t;
  for (const DrawingEntity& e : d.entities) {
    const PolylineGeom* g = e.record.as<PolylineGeom>();
    if (e.erased || !g || g->closed || g->vertices.size() < 2 || isStoredPathEntity(e)) continue;
    t.up.points.push_back({g->vertices.front().x, g->vertices.front().y, 0.0});
    t.down.points.push_back({g->vertices.back().x, g->vertices.back().y, 0.0});
  }
  t.up.sort();
  t.down.sort();
  return t;
}

// Elements [first, last] (from 0) form one ground piece, led by a lowering
// or by nothing (the first piece) and followed by a lift; its entry moves
// and its over-cut are told from its profile by the tool points.
void classifyGroundPiece(const std::vector<PolyVertex>& v, const ToolPoints& tools, size_t first, size_t last,
                         bool followedByLift, std::vector<PathRole>& roles) {
  auto runsIn = [&](size_t i) { return tools.down.has(v[i + 1]) && !tools.down.has(v[i]); };
  size_t entry = first;  // the first element that may still be ground
  if (first == 0) {
    roles[0] = PathRole::Approach;  // the leader
    entry = 1;
    bool backAtLeaderX = entry < last && std::fabs(v[1].x - v[0].x) >= kPointTolerance &&
                         std::fabs(v[2].x - v[0].x) < kPointTolerance;
    if (entry < last && (backAtLeaderX || runsIn(entry))) roles[entry++] = PathRole::Approach;
  } else if (first < last && runsIn(first)) {
    roles[entry++] = PathRole::Approach;
  }
  if (followedByLift && last > entry && tools.up.has(v[last]) && !tools.up.has(v[last + 1]))
    roles[last] = PathRole::OverCut;
}

const RoleStyle& styleOfElement(const std::vector<PathRole>& roles, size_t i) {
  return styleOf(i < roles.size() ? roles[i] : PathRole::Ground);
}

std::string dashArray(const char* dash, double width) {
  std::string out;
  int value = 0;
  for (const char* c = dash;; ++c) {
    if (*c >= '0' && *c <= '9') {
      value = value * 10 + (*c - '0');
      continue;
    }
    if (!out.empty()) out += " ";
    out += svgNumber(value * width);
    value = 0;
    if (!*c) break;
  }
  return out;
}

void openStyle(std::ostream& out, const RoleStyle& style, double width) {
  out << "<g class=\"" << style.name << "\"";
  if (*style.dash) out << " stroke-dasharray=\"" << dashArray(style.dash, width) << "\"";
  out << " stroke-width=\"" << svgNumber(width * style.pen) << "\">\n";
}

}  // namespace

bool isStoredPathEntity(const EntityRecord& entity) {
  return entity.type() == EntityType::Polyline && tagKeys(entity).count("OPT_PATH") > 0;
}

bool isStoredPathEntity(const DrawingEntity& entity) {
  // Only a polyline with extended data is worth unpacking.
  return entity.record.type() == EntityType::Polyline && !entity.xdata.empty() &&
         isStoredPathEntity(entityRecord(entity));
}

std::vector<PathRole> pathElementRoles(const Drawing& drawing, const EntityRecord& path) {
  const PolylineGeom* g = path.as<PolylineGeom>();
  if (!g || g->vertices.size() < 2) return {};
  std::set<std::string> keys = tagKeys(path);
  const std::vector<PolyVertex>& v = g->vertices;
  size_t segments = g->closed ? v.size() : v.size() - 1;
  std::vector<PathRole> roles(segments);
  for (size_t i = 0; i < segments; ++i) roles[i] = taggedRole(keys, static_cast<int>(i) + 1);
  ToolPoints tools = toolPointsOf(drawing);
  // Each run of untagged elements led in by a lowering (or by nothing, the
  // first) is a ground piece.
  for (size_t first = 0; first < segments; ++first) {
    if (roles[first] != PathRole::Ground) continue;
    size_t last = first;
    while (last + 1 < segments && roles[last + 1] == PathRole::Ground) ++last;
    bool followedByLift = last + 1 < segments && roles[last + 1] == PathRole::Lift;
    if (first == 0 || roles[first - 1] == PathRole::Lowering)
      classifyGroundPiece(v, tools, first, last, followedByLift, roles);
    first = last;
  }
  return roles;
}

void writeStoredPathSvg(SvgContext& ctx, const EntityRecord& path, const PlaneTransform& toPage) {
  const PolylineGeom* g = path.as<PolylineGeom>();
  if (!g || g->vertices.size() < 2) return;
  std::vector<PathRole> roles = pathElementRoles(ctx.drawing, path);
  const std::vector<PolyVertex>& v = g->vertices;
  size_t segments = g->closed ? v.size() : v.size() - 1;
  double width = ctx.pen.strokeWidth;
  for (size_t i = 0; i < segments; ++i) {
    const RoleStyle& style = styleOfElement(roles, i);
    EntityRecord element;
    PolylineGeom piece;
    PolyVertex last = v[(i + 1) % v.size()];
    last.bulge = 0.0;
    piece.vertices = {v[i], last};
    element.geom = piece;
    openStyle(ctx.out, style, width);
    writeEntitySvg(ctx, element, toPage, style.color);
    ctx.out << "</g>\n";
  }
  Point3 start = toPage.apply(Point3{v[0].x, v[0].y, 0.0});
  ctx.out << "<circle cx=\"" << svgNumber(start.x) << "\" cy=\"" << svgNumber(start.y) << "\" r=\""
          << svgNumber(ctx.pen.dotRadius * 1.5) << "\" stroke=\""
          << svgColor(styleOf(PathRole::Approach).color) << "\" fill=\""
          << svgColor(styleOf(PathRole::Approach).color) << "\"/>\n";
}

void writePathLegend(std::ostream& out, const Point3& topLeft, double side) {
  double size = side * kLegendTextShare, gap = size * 1.5, width = side * kLegendPenShare;
  double x = topLeft.x + size, y = -topLeft.y + gap;
  out << "<g font-family=\"sans-serif\" font-size=\"" << svgNumber(size) << "\">\n";
  for (const RoleStyle& style : kStyles) {
    openStyle(out, style, width);
    out << "<path d=\"M " << svgNumber(x) << " " << svgNumber(y - size / 3) << " L "
        << svgNumber(x + 3 * size) << " " << svgNumber(y - size / 3) << "\" stroke=\""
        << svgColor(style.color) << "\"/>\n</g>\n";
    out << "<text x=\"" << svgNumber(x + 3.5 * size) << "\" y=\"" << svgNumber(y) << "\" fill=\"#000000\">"
        << xmlEscape(style.label) << "</text>\n";
    y += gap;
  }
  out << "<circle cx=\"" << svgNumber(x + 1.5 * size) << "\" cy=\"" << svgNumber(y - size / 3) << "\" r=\""
      << svgNumber(size / 4) << "\" fill=\"" << svgColor(styleOf(PathRole::Approach).color) << "\"/>\n";
  out << "<text x=\"" << svgNumber(x + 3.5 * size) << "\" y=\"" << svgNumber(y)
      << "\" fill=\"#000000\">start point</text>\n";
  out << "</g>\n";
}

}  // namespace optgrind::standalone
