// Splines and ellipses turned into arcs and lines: the true curve is sampled
// densely and measured against the polyline PEDIT makes of it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "standalone/model/biarc_fit.h"
#include "standalone/model/geom.h"
#include "standalone/model/geom_curves.h"

namespace optgrind::standalone {
namespace {

EntityRecord spline(int degree, std::vector<Point3> points, std::vector<double> knots,
                    std::vector<double> weights = {}, bool closed = false) {
  SplineGeom g;
  g.degree = degree;
  g.controlPoints = std::move(points);
  g.knots = std::move(knots);
  g.weights = std::move(weights);
  g.closed = g.periodic = closed;
  EntityRecord e;
  e.geom = g;
  return e;
}

EntityRecord ellipse(const Point3& major, double ratio, double start, double end, double normalZ) {
  EntityRecord e;
  e.geom = EllipseGeom{{5.0, 5.0, 0.0}, major, ratio, start, end, {0.0, 0.0, normalZ}};
  return e;
}

double deviation(const EntityRecord& curve, const PolylineGeom& pl) {
  constexpr int kSamples = 20000;
  const SmoothCurve c = smoothCurveOf(curve);
  EntityRecord polyline;
  polyline.geom = pl;
  double worst = 0.0;
  for (int i = 0; i <= kSamples; ++i) {
    const Point3 p = curvePoint(c, c.start + (c.end - c.start) * i / kSamples);
    Point3 q;
    closestPointTo(polyline, p, false, q);
    worst = std::max(worst, distanceXY(p, q));
  }
  return worst;
}

// maxSegments: what the fit makes today, so that it does not grow unnoticed.
struct FitCase {
  const char* name;
  EntityRecord curve;
  double tolerance;
  bool closed;
  size_t maxSegments;
};

TEST(BiarcFit, StaysWithinTheToleranceInFewSegments) {
  const double w = std::sqrt(0.5);
  const std::vector<FitCase> cases = {
      // As Inkscape writes a corner rounded off: the first control point twice.
      {"vanishing start tangent",
       spline(3, {{375, 300}, {375, 300}, {375, 225}, {450, 225}}, {0, 0, 0, 0, 1, 1, 1, 1}), 0.001, false,
       32},
      {"rational quarter circle is one arc",
       spline(2, {{10, 0}, {10, 10}, {0, 10}}, {0, 0, 0, 1, 1, 1}, {1, w, 1}), 0.001, false, 1},
      {"kink at a double knot",
       spline(2, {{0, 0}, {10, 10}, {20, 0}, {30, 10}, {40, 0}}, {0, 0, 0, 1, 1, 2, 2, 2}), 0.001, false, 32},
      {"degree 1 is lines", spline(1, {{0, 0}, {10, 0}, {10, 10}, {0, 10}}, {0, 0, 1, 2, 3, 3}), 0.001, false,
       3},
      {"closed periodic",
       spline(3, {{0, 0}, {20, -5}, {40, 0}, {40, 30}, {0, 30}, {-10, 15}, {0, 0}, {20, -5}, {40, 0}},
              {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}, {}, true),
       0.0001, true, 150},
      {"whole ellipse", ellipse({20, 0, 0}, 0.5, 0.0, 2 * kPi, 1.0), 0.001, true, 60},
      {"mirrored partial ellipse", ellipse({0, 15, 0}, 0.3, 1.0, 4.0, -1.0), 0.01, false, 16},
  };
  for (const FitCase& c : cases) {
    SCOPED_TRACE(c.name);
    PolylineGeom pl;
    ASSERT_TRUE(arcPolylineOf(c.curve, c.tolerance, pl));
    EXPECT_EQ(pl.closed, c.closed);
    EXPECT_LE(deviation(c.curve, pl), c.tolerance);
    EXPECT_LE(pl.closed ? pl.vertices.size() : pl.vertices.size() - 1, c.maxSegments);
    const SmoothCurve curve = smoothCurveOf(c.curve);
    const PolyVertex& last = pl.closed ? pl.vertices.front() : pl.vertices.back();
    EXPECT_LT(distanceXY({last.x, last.y, 0.0}, curvePoint(curve, curve.end)), 1e-9);
  }
}

TEST(BiarcFit, RefusesWhatIsNoCurve) {
  PolylineGeom pl;
  EXPECT_FALSE(arcPolylineOf(spline(2, {{0, 0}, {1, 1}, {2, 0}}, {0, 0, 1, 1}), 0.001, pl));
  EXPECT_FALSE(arcPolylineOf(spline(1, {{0, 0}, {1, 1}}, {0, 0, 1, 1}, {1, 0}), 0.001, pl));
  EXPECT_FALSE(arcPolylineOf(ellipse({0, 0, 0}, 0.5, 0, 1, 1), 0.001, pl));
  EXPECT_FALSE(arcPolylineOf(ellipse({1, 0, 0}, 0.5, 0, 1, 1), 0.0, pl));
}

}  // namespace
}  // namespace optgrind::standalone
