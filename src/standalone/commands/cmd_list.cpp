// LIST: the data and extended data of the selected entities.
#include <cmath>
#include <cstdio>
#include <utility>

#include "standalone/commands/cmd_commands.h"
#include "standalone/commands/cmd_support.h"
#include "standalone/model/geom_curves.h"
#include "standalone/model/spline_curve.h"

namespace optgrind::standalone {
namespace {

// One "label value" line, the label right-aligned as the host lists them.
std::string row(const std::string& label, const std::string& value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%26s ", label.c_str());
  return buffer + value + "\n";
}

std::string xyz(const Point3& p) {
  return "X=" + formatReal(p.x) + "  Y=" + formatReal(p.y) + "  Z=" + formatReal(p.z);
}

std::string degrees(double radians) { return formatReal(radians * 180.0 / kPi); }

std::string vertexRows(const std::vector<PolyVertex>& vertices) {
  std::string s;
  for (const auto& v : vertices) {
    s += row("at point", "X=" + formatReal(v.x) + "  Y=" + formatReal(v.y));
    if (v.bulge != 0.0) s += row("bulge", formatReal(v.bulge));
  }
  return s;
}

std::string splineRows(const SplineGeom& g) {
  std::string s = row("Order:", std::to_string(g.degree + 1));
  s += row("Properties:", std::string(g.closed ? "Closed, " : "Open, ") +
                              (g.rational ? "Rational, " : "Non-Rational, ") +
                              (g.periodic ? "Periodic" : "Non-Periodic"));
  const SmoothCurve curve = smoothCurveOf(g);
  if (curve.valid) {
    s += row("Parametric Range:", "Start " + formatReal(curve.start) + "  End " + formatReal(curve.end));
  }
  s += row("Number of control points:", std::to_string(g.controlPoints.size()));
  for (size_t i = 0; i < g.controlPoints.size(); ++i) {
    std::string weight = g.weights.size() == g.controlPoints.size() ? "  W=" + formatReal(g.weights[i]) : "";
    s += row("Control Point:", xyz(g.controlPoints[i]) + weight);
  }
  s += row("Number of fit points:", std::to_string(g.fitPoints.size()));
  for (const Point3& p : g.fitPoints) s += row("Fit Point:", xyz(p));
  return s;
}

std::string ellipseRows(const EllipseGeom& g) {
  std::string s = row("Center:", xyz(g.center)) + row("Major Axis:", xyz(g.majorAxis));
  s += row("Minor Axis:", xyz(ellipseMinorAxis(g))) + row("Radius Ratio:", formatReal(g.ratio));
  s += row("Start Angle:", degrees(g.startParam)) + row("End Angle:", degrees(g.endParam));
  if (!(g.normal == Point3{0.0, 0.0, 1.0})) s += row("Normal:", xyz(g.normal));
  return s;
}

std::string geometryRows(const EntityRecord& e) {
  std::string s;
  if (const auto* g = e.as<LineGeom>()) {
    s += row("from point,", xyz(g->start)) + row("to point,", xyz(g->end));
    s += row("Length =",
             formatReal(std::hypot(g->end.x - g->start.x, g->end.y - g->start.y, g->end.z - g->start.z)));
  } else if (const auto* g = e.as<ArcGeom>()) {
    s += row("center point,", xyz(g->center)) + row("radius", formatReal(g->radius));
    s += row("start angle", degrees(g->startAngle)) + row("end angle", degrees(g->endAngle));
  } else if (const auto* g = e.as<CircleGeom>()) {
    s += row("center point,", xyz(g->center)) + row("radius", formatReal(g->radius));
    s += row("circumference", formatReal(kTwoPi * g->radius));
  } else if (const auto* g = e.as<PointGeom>()) {
    s += row("at point,", xyz(g->position));
  } else if (const auto* g = e.as<PolylineGeom>()) {
    s += row("", g->closed ? "Closed" : "Open") + row("Constant width", formatReal(g->constantWidth));
    s += row("elevation", formatReal(g->elevation)) + vertexRows(g->vertices);
  } else if (const auto* g = e.as<TextGeom>()) {
    s += row("Style =", "\"" + g->style + "\"") + row("start point,", xyz(g->position));
    s += row("height", formatReal(g->height)) + row("text", g->text) +
         row("rotation angle", degrees(g->rotation));
  } else if (const auto* g = e.as<MTextGeom>()) {
    s += row("Location:", xyz(g->location)) + row("Text height:", formatReal(g->height));
    s += row("Contents:", g->contents);
  } else if (const auto* g = e.as<InsertGeom>()) {
    s += row("Block Name:", "\"" + g->block + "\"") + row("at point,", xyz(g->position));
    s += row("X scale factor:", formatReal(g->xScale)) + row("rotation angle:", degrees(g->rotation));
  } else if (const auto* g = e.as<DimensionGeom>()) {
    s += row("measurement:", formatReal(g->measurement)) + row("defining point,", xyz(g->definition));
  } else if (const auto* g = e.as<HatchGeom>()) {
    s += row("Pattern:", g->pattern) + row("loops:", std::to_string(g->loops.size()));
    for (const auto& loop : g->loops) s += vertexRows(loop.vertices);
  } else if (const auto* g = e.as<LeaderGeom>()) {
    for (const auto& p : g->vertices) s += row("Vertex:", xyz(p));
  } else if (const auto* g = e.as<SplineGeom>()) {
    s += splineRows(*g);
  } else if (const auto* g = e.as<EllipseGeom>()) {
    s += ellipseRows(*g);
  }
  return s;
}

std::string xdataRows(const ResBufList& xdata) {
  if (xdata.empty()) return "";
  std::string s = row("Extended data:", "");
  for (const ResBuf& item : xdata) {
    std::string value;
    if (item.isString()) {
      value = "\"" + item.asString() + "\"";
    } else if (item.isPoint()) {
      value = xyz(item.asPoint());
    } else if (item.isReal()) {
      value = formatReal(item.asReal());
    } else if (item.isInt()) {
      value = std::to_string(item.asInt());
    }
    s += row("(" + std::to_string(item.code) + ")", value);
  }
  return s;
}

}  // namespace

int runList(Session& session, Answers& in) {
  std::vector<long long> ids;
  int rc = in.objects(ids);
  if (rc != RTNORM) return rc;
  for (long long id : ids) {
    const DrawingEntity* e = findEntity(std::as_const(session.drawing), id);
    if (!e) continue;
    const EntityRecord r = entityRecord(*e);
    char handle[32];
    std::snprintf(handle, sizeof handle, "%llx", static_cast<unsigned long long>(id));
    std::string text =
        "\n" + row(entityDxfName(r.type()), "Layer: \"" + r.layer + "\"") + row("", "Space: Model space");
    if (r.color != kColorByLayer) text += row("Color:", std::to_string(r.color));
    if (r.linetype != "BYLAYER") text += row("Linetype:", "\"" + r.linetype + "\"");
    text += row("Handle =", handle) + geometryRows(r) + xdataRows(r.xdata);
    in.message(text);
  }
  return RTNORM;
}

}  // namespace optgrind::standalone
