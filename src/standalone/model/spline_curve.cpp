#include "standalone/model/spline_curve.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "host/angles.h"

namespace optgrind::standalone {
namespace {

// A flattened copy strays from the curve by this share of its size...
constexpr double kDisplayToleranceShare = 1e-5;
// ...but never by more than this (drawing units), so that a point moved onto
// the flattened copy stays on the curve's arcs after PEDIT.
constexpr double kDisplayToleranceMax = 1e-3;
constexpr double kDisplayToleranceMin = 1e-9;
// Flattening starts from this many chords per knot span (per quarter turn
// of an ellipse) and halves a chord at most this many times.
constexpr int kFlattenStartChords = 4;
constexpr int kFlattenMaxDepth = 12;
// A flattened copy has at most about this many points.
constexpr size_t kFlattenMaxPoints = 1000000;
// An ellipse whose parameters span this close to a whole turn is whole.
constexpr double kWholeTurnGap = 1e-9;

struct Homogeneous {
  double x = 0.0, y = 0.0, z = 0.0, w = 0.0;
};

Homogeneous lerp(const Homogeneous& a, const Homogeneous& b, double alpha) {
  const double k = 1.0 - alpha;
  return {k * a.x + alpha * b.x, k * a.y + alpha * b.y, k * a.z + alpha * b.z, k * a.w + alpha * b.w};
}

bool finite(const Point3& p) { return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z); }

size_t controlCount(const SplineGeom& g) { return g.controlPoints.size(); }

double weightOf(const SplineGeom& g, size_t i) { return g.weights.empty() ? 1.0 : g.weights[i]; }

// The knot span k (knots[k] < knots[k + 1]) holding t: the one that begins
// at t, or with fromLeft the one that ends there; within p..n-1.
size_t findSpan(const SplineGeom& g, double t, bool fromLeft) {
  const std::vector<double>& u = g.knots;
  const size_t p = static_cast<size_t>(g.degree);
  const size_t n = controlCount(g);
  auto first = u.begin() + static_cast<long>(p);
  auto last = u.begin() + static_cast<long>(n);
  auto it = fromLeft ? std::lower_bound(first, last, t) : std::upper_bound(first, last, t);
  size_t k = it == first ? p : static_cast<size_t>(it - u.begin()) - 1;
  k = std::clamp(k, p, n - 1);
  while (k > p && !(u[k] < u[k + 1])) --k;
  while (k + 1 < n && !(u[k] < u[k + 1])) ++k;
  return k;
}

// De Boor's algorithm on the weighted control points: the point and the
// derivative of the weighted curve at t.
void deBoor(const SplineGeom& g, double t, bool fromLeft, Homogeneous& point, Homogeneous& derivative) {
  const size_t p = static_cast<size_t>(g.degree);
  const size_t k = findSpan(g, t, fromLeft);
  const std::vector<double>& u = g.knots;
  std::array<Homogeneous, kMaxSplineDegree + 1> d;
  for (size_t j = 0; j <= p; ++j) {
    const size_t i = j + k - p;
    const Point3& c = g.controlPoints[i];
    const double w = weightOf(g, i);
    d[j] = {c.x * w, c.y * w, c.z * w, w};
  }
  for (size_t r = 1; r < p; ++r) {
    for (size_t j = p; j >= r; --j) {
      const size_t i = j + k - p;
      const double span = u[i + p + 1 - r] - u[i];
      d[j] = lerp(d[j - 1], d[j], span > 0.0 ? (t - u[i]) / span : 0.0);
    }
  }
  // The last step's two points give the derivative as well.
  const double span = u[k + 1] - u[k];
  const double scale = static_cast<double>(p) / span;
  derivative = {scale * (d[p].x - d[p - 1].x), scale * (d[p].y - d[p - 1].y), scale * (d[p].z - d[p - 1].z),
                scale * (d[p].w - d[p - 1].w)};
  point = lerp(d[p - 1], d[p], (t - u[k]) / span);
}

double distanceToChord(const Point3& p, const Point3& a, const Point3& b) {
  const double dx = b.x - a.x, dy = b.y - a.y;
  const double length = std::hypot(dx, dy);
  if (length == 0.0) return std::hypot(p.x - a.x, p.y - a.y);
  return std::fabs((p.x - a.x) * dy - (p.y - a.y) * dx) / length;
}

void flattenPiece(const SmoothCurve& c, double t0, const Point3& p0, double t1, const Point3& p1,
                  double tolerance, int depth, std::vector<Point3>& out) {
  const double tm = (t0 + t1) / 2.0;
  const Point3 pm = curvePoint(c, tm);
  if (depth < kFlattenMaxDepth && out.size() < kFlattenMaxPoints && distanceToChord(pm, p0, p1) > tolerance) {
    flattenPiece(c, t0, p0, tm, pm, tolerance, depth + 1, out);
    flattenPiece(c, tm, pm, t1, p1, tolerance, depth + 1, out);
    return;
  }
  out.push_back(p1);
}

// The parameters where flattening starts: the breaks, the knots between
// them, and quarter turns of an ellipse, each cut in kFlattenStartChords.
std::vector<double> startParameters(const SmoothCurve& c) {
  std::vector<double> marks = c.breaks;
  if (c.spline) {
    for (double knot : c.spline->knots) {
      if (knot > c.start && knot < c.end) marks.push_back(knot);
    }
  } else {
    const int quarters = static_cast<int>(std::ceil((c.end - c.start) / (kPi / 2.0)));
    for (int i = 1; i < quarters; ++i) marks.push_back(c.start + i * (c.end - c.start) / quarters);
  }
  std::sort(marks.begin(), marks.end());
  marks.erase(std::unique(marks.begin(), marks.end()), marks.end());
  std::vector<double> out;
  for (size_t i = 0; i + 1 < marks.size(); ++i) {
    for (int j = 0; j < kFlattenStartChords; ++j) {
      out.push_back(marks[i] + j * (marks[i + 1] - marks[i]) / kFlattenStartChords);
    }
  }
  out.push_back(c.end);
  return out;
}

}  // namespace

bool splineValid(const SplineGeom& g) {
  const size_t n = controlCount(g);
  if (g.degree < 1 || g.degree > kMaxSplineDegree || n < static_cast<size_t>(g.degree) + 1) return false;
  if (g.knots.size() != n + static_cast<size_t>(g.degree) + 1) return false;
  if (!g.weights.empty() && g.weights.size() != n) return false;
  for (size_t i = 0; i < g.knots.size(); ++i) {
    if (!std::isfinite(g.knots[i]) || (i > 0 && g.knots[i] < g.knots[i - 1])) return false;
  }
  for (double w : g.weights) {
    if (!std::isfinite(w) || !(w > 0.0)) return false;
  }
  for (const Point3& p : g.controlPoints) {
    if (!finite(p)) return false;
  }
  return g.knots[static_cast<size_t>(g.degree)] < g.knots[n];
}

bool ellipseValid(const EllipseGeom& g) {
  const double major = std::hypot(g.majorAxis.x, g.majorAxis.y, g.majorAxis.z);
  return finite(g.center) && finite(g.majorAxis) && finite(g.normal) && major > 0.0 && g.ratio > 0.0 &&
         g.ratio <= 1.0 && std::isfinite(g.startParam) && std::isfinite(g.endParam) &&
         std::hypot(g.normal.x, g.normal.y, g.normal.z) > 0.0;
}

SmoothCurve smoothCurveOf(const SplineGeom& g) {
  SmoothCurve c;
  if (!splineValid(g)) return c;
  const size_t p = static_cast<size_t>(g.degree);
  const size_t n = controlCount(g);
  c.spline = &g;
  c.start = g.knots[p];
  c.end = g.knots[n];
  c.closed = g.closed || g.periodic;
  c.breaks.push_back(c.start);
  for (size_t i = p + 1; i < n;) {
    size_t j = i;
    while (j < n && g.knots[j] == g.knots[i]) ++j;
    if (j - i >= p && g.knots[i] > c.start && g.knots[i] < c.end) c.breaks.push_back(g.knots[i]);
    i = j;
  }
  c.breaks.push_back(c.end);
  c.valid = true;
  return c;
}

SmoothCurve smoothCurveOf(const EllipseGeom& g) {
  SmoothCurve c;
  if (!ellipseValid(g)) return c;
  c.ellipse = &g;
  c.start = g.startParam;
  c.end = g.endParam;
  while (c.end <= c.start) c.end += kTwoPi;
  while (c.end - c.start > kTwoPi + kWholeTurnGap) c.end -= kTwoPi;
  c.closed = std::fabs(c.end - c.start - kTwoPi) <= kWholeTurnGap;
  c.breaks = {c.start, c.end};
  c.valid = true;
  return c;
}

SmoothCurve smoothCurveOf(const EntityRecord& e) {
  if (const auto* s = e.as<SplineGeom>()) return smoothCurveOf(*s);
  if (const auto* el = e.as<EllipseGeom>()) return smoothCurveOf(*el);
  return {};
}

Point3 ellipseMinorAxis(const EllipseGeom& g) {
  const Point3& n = g.normal;
  const Point3& m = g.majorAxis;
  const double k = g.ratio / std::hypot(n.x, n.y, n.z);
  return {k * (n.y * m.z - n.z * m.y), k * (n.z * m.x - n.x * m.z), k * (n.x * m.y - n.y * m.x)};
}

Point3 curvePoint(const SmoothCurve& c, double t) {
  if (c.spline) {
    Homogeneous p, d;
    deBoor(*c.spline, t, false, p, d);
    return {p.x / p.w, p.y / p.w, p.z / p.w};
  }
  const EllipseGeom& g = *c.ellipse;
  const Point3 minor = ellipseMinorAxis(g);
  const double cs = std::cos(t), sn = std::sin(t);
  return {g.center.x + cs * g.majorAxis.x + sn * minor.x, g.center.y + cs * g.majorAxis.y + sn * minor.y,
          g.center.z + cs * g.majorAxis.z + sn * minor.z};
}

Point3 curveDerivative(const SmoothCurve& c, double t, bool fromLeft) {
  if (c.spline) {
    Homogeneous p, d;
    deBoor(*c.spline, t, fromLeft, p, d);
    // The quotient rule on (weighted point) / weight.
    const double w = p.w;
    return {(d.x - d.w * p.x / w) / w, (d.y - d.w * p.y / w) / w, (d.z - d.w * p.z / w) / w};
  }
  const EllipseGeom& g = *c.ellipse;
  const Point3 minor = ellipseMinorAxis(g);
  const double cs = std::cos(t), sn = std::sin(t);
  return {-sn * g.majorAxis.x + cs * minor.x, -sn * g.majorAxis.y + cs * minor.y,
          -sn * g.majorAxis.z + cs * minor.z};
}

double displayTolerance(const SmoothCurve& c) {
  double size = 0.0;
  if (c.spline) {
    Point3 lo = c.spline->controlPoints.front(), hi = lo;
    for (const Point3& p : c.spline->controlPoints) {
      lo = {std::min(lo.x, p.x), std::min(lo.y, p.y), 0.0};
      hi = {std::max(hi.x, p.x), std::max(hi.y, p.y), 0.0};
    }
    size = std::hypot(hi.x - lo.x, hi.y - lo.y);
  } else if (c.ellipse) {
    size = 2.0 * std::hypot(c.ellipse->majorAxis.x, c.ellipse->majorAxis.y);
  }
  return std::clamp(size * kDisplayToleranceShare, kDisplayToleranceMin, kDisplayToleranceMax);
}

void flattenCurve(const SmoothCurve& c, double tolerance, std::vector<Point3>& out) {
  if (!c.valid) return;
  const std::vector<double> ts = startParameters(c);
  Point3 previous = curvePoint(c, ts.front());
  out.push_back(previous);
  for (size_t i = 1; i < ts.size(); ++i) {
    const Point3 next = curvePoint(c, ts[i]);
    flattenPiece(c, ts[i - 1], previous, ts[i], next, tolerance, 0, out);
    previous = next;
  }
}

}  // namespace optgrind::standalone
