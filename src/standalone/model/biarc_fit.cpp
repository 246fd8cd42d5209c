#include "standalone/model/biarc_fit.h"

#include <algorithm>
#include <cmath>

#include "host/angles.h"
#include "standalone/model/geom_curves.h"

namespace optgrind::standalone {
namespace {

// The curve is sampled this densely to measure a match: per knot span of a
// spline, per quarter turn of an ellipse.
constexpr int kSamplesPerSpan = 24;
// Each arc of a match is sampled this often to measure it against the curve.
constexpr int kSamplesPerArc = 8;
// The nearest point of the curve to a point of an arc is found to within
// (2/3)^this of the samples' spacing.
constexpr int kNarrowingSteps = 12;
// Samples can miss the worst point between them, so a match must keep
// within this share of the tolerance at the samples.
constexpr double kSampledShare = 0.9;
// A match is tried on pieces of at most this many knot spans, or this much
// of a turn of an ellipse; longer pieces are halved first.
constexpr int kMaxSpansPerMatch = 4;
constexpr double kMaxTurnPerMatch = kPi / 2.0;
// A piece is halved at most this many times, and a curve cut into at most
// this many pieces; then chords are taken (only curves far larger than the
// tolerance, or broken ones, get there).
constexpr int kMaxDepth = 24;
constexpr size_t kMaxPieces = 1000000;
// A derivative shorter than this share of the piece's chord has no
// direction of its own (coincident control points).
constexpr double kVanishingDerivative = 1e-9;
// The step, as a share of the piece, that finds the direction instead.
constexpr double kTangentStep = 1e-6;
// The ratios of a biarc's tangent lengths (end to start) tried, in turn.
constexpr double kBiarcRatios[] = {1.0, 0.5, 2.0};
// Arcs sweeping more than this are not taken as a match.
constexpr double kMaxArcSweep = 0.9 * kTwoPi;

struct Vec {
  double x = 0.0, y = 0.0;
};
Vec operator-(const Vec& a, const Vec& b) { return {a.x - b.x, a.y - b.y}; }
Vec operator+(const Vec& a, const Vec& b) { return {a.x + b.x, a.y + b.y}; }
Vec operator*(double k, const Vec& a) { return {k * a.x, k * a.y}; }
double dot(const Vec& a, const Vec& b) { return a.x * b.x + a.y * b.y; }
double cross(const Vec& a, const Vec& b) { return a.x * b.y - a.y * b.x; }
double length(const Vec& a) { return std::hypot(a.x, a.y); }
Vec flat(const Point3& p) { return {p.x, p.y}; }

// The bulge of the arc leaving `from` along the unit tangent to `to`, or
// false when no arc short of kMaxArcSweep does.
bool bulgeOfArc(const Vec& from, const Vec& tangent, const Vec& to, double& bulge) {
  const Vec chord = to - from;
  // The arc turns twice the angle between the tangent and the chord.
  const double half = std::atan2(cross(tangent, chord), dot(tangent, chord));
  if (std::fabs(2.0 * half) > kMaxArcSweep) return false;
  bulge = std::tan(half / 2.0);
  return true;
}

double distanceToSegment(const Vec& p, const Vec& a, const Vec& b) {
  const Vec ab = b - a;
  const double len2 = dot(ab, ab);
  double t = len2 > 0.0 ? dot(p - a, ab) / len2 : 0.0;
  t = std::clamp(t, 0.0, 1.0);
  return length(p - (a + t * ab));
}

class Fitter {
 public:
  Fitter(const SmoothCurve& c, double tolerance, std::vector<PolyVertex>& out)
      : c_(c), limit_(tolerance * kSampledShare), out_(out) {}

  // The smooth piece between two breaks.
  void fitSmooth(double t0, double t1) {
    const Vec p0 = flat(curvePoint(c_, t0));
    const Vec p1 = flat(curvePoint(c_, t1));
    fit(t0, p0, tangent(t0, t0, t1, false), t1, p1, tangent(t1, t0, t1, true), 0);
  }

 private:
  // The unit tangent at t of the piece t0..t1; at its end from the left.
  Vec tangent(double t, double t0, double t1, bool atEnd) const {
    const Vec d = flat(curveDerivative(c_, t, atEnd));
    const double chord = length(flat(curvePoint(c_, t1)) - flat(curvePoint(c_, t0)));
    const double meanSpeed = std::max(chord, kVanishingDerivative) / (t1 - t0);
    if (length(d) > kVanishingDerivative * meanSpeed) {
      return (1.0 / length(d)) * d;
    }
    // Where the derivative vanishes the curve still leaves in a direction.
    const double step = kTangentStep * (t1 - t0);
    const Vec here = flat(curvePoint(c_, t));
    const Vec there = flat(curvePoint(c_, atEnd ? t - step : t + step));
    const Vec way = atEnd ? here - there : there - here;
    const double len = length(way);
    return len > 0.0 ? (1.0 / len) * way : Vec{1.0, 0.0};
  }

  // Knot spans of a spline (quarter turns of an ellipse) that t0..t1 covers.
  int spansIn(double t0, double t1) const {
    if (!c_.spline) return static_cast<int>(std::ceil((t1 - t0) / kMaxTurnPerMatch - 1e-9));
    int spans = 1;
    for (double knot : c_.spline->knots) {
      if (knot > t0 && knot < t1) ++spans;
    }
    return spans;
  }

  void fit(double t0, const Vec& p0, const Vec& d0, double t1, const Vec& p1, const Vec& d1, int depth) {
    const int spans = spansIn(t0, t1);
    if (spans <= kMaxSpansPerMatch || depth >= kMaxDepth || out_.size() >= kMaxPieces) {
      if (depth >= kMaxDepth || out_.size() >= kMaxPieces) {
        out_.push_back({p0.x, p0.y, 0.0});
        return;
      }
      sample(t0, t1, std::max(spans, 1) * kSamplesPerSpan);
      if (tryLine(p0, p1) || tryArc(p0, d0, p1) || tryBiarc(p0, d0, p1, d1)) return;
    }
    const double tm = (t0 + t1) / 2.0;
    const Vec pm = flat(curvePoint(c_, tm));
    const Vec dm = tangent(tm, t0, t1, false);
    fit(t0, p0, d0, tm, pm, dm, depth + 1);
    fit(tm, pm, dm, t1, p1, d1, depth + 1);
  }

  void sample(double t0, double t1, int count) {
    samples_.clear();
    sampleParams_.clear();
    for (int i = 0; i <= count; ++i) {
      sampleParams_.push_back(t0 + (t1 - t0) * i / count);
      samples_.push_back(flat(curvePoint(c_, sampleParams_.back())));
    }
  }

  // The largest distance of the curve's samples from the pieces, and of
  // points along the pieces from the curve's samples.
  bool within(const std::vector<CurvePiece>& pieces) const {
    for (const Vec& s : samples_) {
      double best = INFINITY;
      const Point3 q{s.x, s.y, 0.0};
      for (const CurvePiece& piece : pieces) best = std::min(best, distanceXY(closestOnPiece(piece, q), q));
      if (best > limit_) return false;
    }
    for (const CurvePiece& piece : pieces) {
      if (piece.kind != PieceKind::Arc) continue;
      for (int i = 1; i < kSamplesPerArc; ++i) {
        const Point3 on =
            pointOnCircle(piece.center, piece.radius, piece.startAngle + piece.sweep * i / kSamplesPerArc);
        if (distanceToCurve({on.x, on.y}) > limit_) return false;
      }
    }
    return true;
  }

  // From q to the curve: the nearest sample, then the nearest point between
  // its neighbours, found by narrowing the parameter range.
  double distanceToCurve(const Vec& q) const {
    size_t nearest = 0;
    for (size_t j = 1; j < samples_.size(); ++j) {
      if (length(samples_[j] - q) < length(samples_[nearest] - q)) nearest = j;
    }
    double lo = sampleParams_[nearest > 0 ? nearest - 1 : 0];
    double hi = sampleParams_[std::min(nearest + 1, samples_.size() - 1)];
    auto distanceAt = [&](double t) { return length(flat(curvePoint(c_, t)) - q); };
    for (int step = 0; step < kNarrowingSteps; ++step) {
      const double a = lo + (hi - lo) / 3.0;
      const double b = hi - (hi - lo) / 3.0;
      if (distanceAt(a) < distanceAt(b)) {
        hi = b;
      } else {
        lo = a;
      }
    }
    // What is left of the range is so short that the curve is straight
    // there: the distance is the one across its tangent.
    const double mid = (lo + hi) / 2.0;
    const Vec d = flat(curveDerivative(c_, mid, false));
    const Vec off = q - flat(curvePoint(c_, mid));
    return length(d) > 0.0 ? std::fabs(cross(off, d)) / length(d) : length(off);
  }

  bool accept(const std::vector<PolyVertex>& match) {
    std::vector<PolyVertex> ended = match;
    ended.push_back({samples_.back().x, samples_.back().y});
    std::vector<CurvePiece> pieces;
    polylinePieces(ended, false, 0.0, pieces);
    if (!within(pieces)) return false;
    out_.insert(out_.end(), match.begin(), match.end());
    return true;
  }

  bool tryLine(const Vec& p0, const Vec& p1) {
    for (const Vec& s : samples_) {
      if (distanceToSegment(s, p0, p1) > limit_) return false;
    }
    out_.push_back({p0.x, p0.y, 0.0});
    return true;
  }

  bool tryArc(const Vec& p0, const Vec& d0, const Vec& p1) {
    double bulge = 0.0;
    return bulgeOfArc(p0, d0, p1, bulge) && accept({{p0.x, p0.y, bulge}});
  }

  // Biarcs of a few ratios of their tangent lengths, equal lengths first:
  // where the curve bends more at one end, a longer tangent at the other
  // keeps the match close without cutting the piece.
  bool tryBiarc(const Vec& p0, const Vec& d0, const Vec& p1, const Vec& d1) {
    for (double ratio : kBiarcRatios) {
      if (tryBiarc(p0, d0, p1, d1, ratio)) return true;
    }
    return false;
  }

  // The biarc whose tangent from p1 is `ratio` times as long as the one from
  // p0 (a and ratio * a): the arcs meet on the line from p0 + a d0 to
  // p1 - ratio a d1, a from its start, with the tangent along it; the line
  // is as long as both tangents.
  bool tryBiarc(const Vec& p0, const Vec& d0, const Vec& p1, const Vec& d1, double ratio) {
    const Vec v = p1 - p0;
    const Vec w = d0 + ratio * d1;
    const double quad = 2.0 * ratio * (1.0 - dot(d0, d1));
    const double vw = dot(v, w);
    double a = 0.0;
    if (quad > 1e-12) {
      a = (-vw + std::sqrt(vw * vw + quad * dot(v, v))) / quad;
    } else {
      if (!(vw > 0.0)) return false;
      a = dot(v, v) / (2.0 * vw);
    }
    if (!(a > 0.0) || !std::isfinite(a)) return false;
    const Vec q0 = p0 + a * d0;
    const Vec q1 = p1 - (ratio * a) * d1;
    const Vec across = q1 - q0;
    if (!(length(across) > 0.0)) return false;
    const Vec joint = q0 + (1.0 / (1.0 + ratio)) * across;
    const Vec dj = (1.0 / length(across)) * across;
    double b0 = 0.0;
    double b1 = 0.0;
    if (!bulgeOfArc(p0, d0, joint, b0) || !bulgeOfArc(joint, dj, p1, b1)) return false;
    return accept({{p0.x, p0.y, b0}, {joint.x, joint.y, b1}});
  }

  const SmoothCurve& c_;
  double limit_;
  std::vector<PolyVertex>& out_;
  std::vector<Vec> samples_;
  std::vector<double> sampleParams_;
};

}  // namespace

bool fitArcPolyline(const SmoothCurve& curve, double tolerance, PolylineGeom& out) {
  if (!curve.valid || !(tolerance > 0.0) || !std::isfinite(tolerance)) return false;
  std::vector<PolyVertex> vertices;
  Fitter fitter(curve, tolerance, vertices);
  for (size_t i = 0; i + 1 < curve.breaks.size(); ++i) fitter.fitSmooth(curve.breaks[i], curve.breaks[i + 1]);
  const Point3 start = curvePoint(curve, curve.start);
  const Point3 end = curvePoint(curve, curve.end);
  PolylineGeom pl;
  pl.elevation = start.z;
  pl.vertices = std::move(vertices);
  // The loop's last vertex is its first again; the closing segment stands
  // for it.
  pl.closed = curve.closed && pl.vertices.size() >= 2;
  if (!pl.closed) pl.vertices.push_back({end.x, end.y});
  out = std::move(pl);
  return true;
}

bool arcPolylineOf(const EntityRecord& entity, double tolerance, PolylineGeom& out) {
  return fitArcPolyline(smoothCurveOf(entity), tolerance, out);
}

}  // namespace optgrind::standalone
