#include "standalone/dxf/dxf_extrusion.h"

#include <cmath>
#include <numbers>

namespace optgrind::standalone {
namespace {

// How far from the Z axis a normal may lean and still count as along it;
// the DXF arbitrary-axis rule switches its reference axis at 1/64.
constexpr double kAxisTolerance = 1e-9;
constexpr double kTwoPi = 2.0 * std::numbers::pi;

double normalized(double a) {
  a = std::fmod(a, kTwoPi);
  return a < 0.0 ? a + kTwoPi : a;
}

}  // namespace

Extrusion extrusionOf(const RawRecord& r) {
  if (!r.has(210) && !r.has(220) && !r.has(230)) return Extrusion::Up;
  Point3 n{r.real(210, 0.0), r.real(220, 0.0), r.real(230, 1.0)};
  double length = std::sqrt(n.x * n.x + n.y * n.y + n.z * n.z);
  if (length == 0.0) return Extrusion::Up;  // no direction at all reads as the default
  if (std::fabs(n.x) / length > kAxisTolerance || std::fabs(n.y) / length > kAxisTolerance) {
    return Extrusion::Tilted;
  }
  return n.z > 0.0 ? Extrusion::Up : Extrusion::Down;
}

Point3 mirrorPoint(const Point3& p) { return {-p.x, p.y, -p.z}; }

double mirrorAngle(double radians) { return normalized(std::numbers::pi - radians); }

// Counter-clockwise from a to b below is clockwise from pi-a to pi-b above,
// which is counter-clockwise from pi-b to pi-a.
void mirrorArc(ArcGeom& arc) {
  double start = arc.startAngle;
  arc.center = mirrorPoint(arc.center);
  arc.startAngle = mirrorAngle(arc.endAngle);
  arc.endAngle = mirrorAngle(start);
}

void mirrorVertex(PolyVertex& v) {
  v.x = -v.x;
  v.bulge = -v.bulge;
}

void mirrorPolyline(PolylineGeom& g) {
  for (PolyVertex& v : g.vertices.edit()) mirrorVertex(v);
  g.elevation = -g.elevation;
  g.thickness = -g.thickness;
}

// Below, a block point p lands at F(ins + R(a) S p) with F = diag(-1, 1, -1);
// F R(a) = R(-a) F, so above it is F ins + R(-a) (F S) p.
void mirrorInsert(InsertGeom& g) {
  g.position = mirrorPoint(g.position);
  g.rotation = normalized(-g.rotation);
  g.xScale = -g.xScale;
  g.zScale = -g.zScale;
}

}  // namespace optgrind::standalone
