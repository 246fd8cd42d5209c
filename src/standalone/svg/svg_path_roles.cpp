#include "standalone/svg/svg_path_roles.h"

#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "standalone/svg/svg_palette.h"

namespace optgrind::standalone {
namespace {

// The extended data codes of an application name and of a string.
constexpr int kXDataApplication = 1001;
constexpr int kXDataString = 1000;
// The legend's text height and pen as shares of the page's larger side.
constexpr double kLegendTextShare = 1.0 / 50.0;
constexpr double kLegendPenShare = 1.0 / 800.0;

// The roles, as the path's tags name them; the leader (element 1) runs in
// as an approach does.
enum class Role { Ground, Lift, Rapid, Lowering, Approach };

struct RoleStyle {
  Role role;
  int color;         // palette index
  const char* dash;  // in pen widths; "" solid
  const char* label;
};

constexpr RoleStyle kStyles[] = {
    {Role::Ground, 7, "", "ground"},
    {Role::Lift, 30, "6 3", "lift"},
    {Role::Rapid, 5, "1 3", "rapid at safe height"},
    {Role::Lowering, 3, "6 3", "lowering"},
    {Role::Approach, 6, "3 2", "leader / approach"},
};

const RoleStyle& styleOf(Role role) {
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
    if (rb.code == kXDataApplication) {
      inSection = rb.asString() == "my_tag";
      position = 0;
    } else if (inSection && rb.code == kXDataString) {
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

Role roleOf(const std::set<std::string>& keys, int element) {
  if (keys.count(elementKey("RAPID_UP%d", element))) return Role::Lift;
  if (keys.count(elementKey("RAPID_DN%d", element))) return Role::Lowering;
  if (keys.count(elementKey("RAPID_MOVE%d", element))) return Role::Rapid;
  if (element == 1 || keys.count(elementKey("APPROACH%d", element))) return Role::Approach;
  return Role::Ground;
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
  out << "<g";
  if (*style.dash) out << " stroke-dasharray=\"" << dashArray(style.dash, width) << "\"";
  if (style.role != Role::Ground)
    out << " stroke-width=\"" << svgNumber(width * 0.8) << "\"";
  else
    out << " stroke-width=\"" << svgNumber(width * 1.6) << "\"";
  out << ">\n";
}

}  // namespace

bool isStoredPathEntity(const EntityRecord& entity) {
  return entity.type() == EntityType::Polyline && tagKeys(entity).count("OPT_PATH") > 0;
}

void writeStoredPathSvg(SvgContext& ctx, const EntityRecord& path, const PlaneTransform& toPage) {
  EntityRecord copy = path;
  const PolylineGeom* g = copy.as<PolylineGeom>();
  if (!g || g->vertices.size() < 2) return;
  std::set<std::string> keys = tagKeys(path);
  const std::vector<PolyVertex>& v = g->vertices;
  size_t segments = g->closed ? v.size() : v.size() - 1;
  double width = ctx.pen.strokeWidth;
  for (size_t i = 0; i < segments; ++i) {
    const RoleStyle& style = styleOf(roleOf(keys, static_cast<int>(i) + 1));
    EntityRecord element;
    PolylineGeom piece;
    piece.vertices = {v[i], v[(i + 1) % v.size()]};
    piece.vertices.back().bulge = 0.0;
    element.geom = piece;
    openStyle(ctx.out, style, width);
    writeEntitySvg(ctx, element, toPage, style.color);
    ctx.out << "</g>\n";
  }
  Point3 start = toPage.apply(Point3{v[0].x, v[0].y, 0.0});
  ctx.out << "<circle cx=\"" << svgNumber(start.x) << "\" cy=\"" << svgNumber(start.y) << "\" r=\""
          << svgNumber(ctx.pen.dotRadius * 1.5) << "\" stroke=\"" << svgColor(styleOf(Role::Approach).color)
          << "\" fill=\"" << svgColor(styleOf(Role::Approach).color) << "\"/>\n";
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
      << svgNumber(size / 4) << "\" fill=\"" << svgColor(styleOf(Role::Approach).color) << "\"/>\n";
  out << "<text x=\"" << svgNumber(x + 3.5 * size) << "\" y=\"" << svgNumber(y)
      << "\" fill=\"#000000\">start point</text>\n";
  out << "</g>\n";
}

}  // namespace optgrind::standalone
