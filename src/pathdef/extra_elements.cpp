#include "pathdef/extra_elements.h"

#include <cmath>

#include "geometry/primitives.h"

namespace optgrind {
namespace {

// Directions closer than this to a stated angle are that angle.
constexpr double kAngleTolerance = 1e-9;

double normalized(double deg) {
  deg = std::fmod(deg, 360.0);
  return deg < 0.0 ? deg + 360.0 : deg;
}

bool near(double a, double b) { return std::fabs(a - b) < kAngleTolerance; }
bool isVertical(double a) { return near(a, 90.0) || near(a, 270.0); }

double angleTo(const PointRec& from, const PointRec& to) { return degreesFromRadians(angleRad(from, to)); }

ExtraElement line(const PointRec& from, const PointRec& to) {
  ExtraElement x;
  x.from = from;
  x.to = to;
  x.valid = 1;
  return x;
}

ExtraElement arc(const PointRec& from, const PointRec& mid, const PointRec& to) {
  ExtraElement x = line(from, to);
  x.mid = mid;
  x.isArc = 1;
  return x;
}

// The arc angle (degrees) that a length along the arc element takes; a
// length longer than the element takes a share of it instead.
double arcAngleFor(const ElementGeom& el, double length) {
  double len = elementLength(el);
  double along = length <= len ? length : kArcShareOfElement * len;
  return degreesFromRadians(along / el.radius);
}

// The side angle of an arc's lead-in or approach, from the centre to q.
double arcSideAngle(const ElementGeom& el, const PointRec& q, const PointRec& p, double referenceX) {
  double s = normalized(angleTo(el.k, q));
  if (near(s, 0.0) || near(s, 180.0) || near(s, 360.0)) s = p.x <= referenceX ? 180.0 : 0.0;
  if (s > 180.0) s -= 180.0;
  return s;
}

// The points at angle d back against the running direction of the arc
// from p (q) and halfway (m).
void backAlongArc(const ElementGeom& el, const PointRec& p, double d, PointRec& q, PointRec& m) {
  double b = angleTo(el.k, p);
  double sign = el.sweep <= 0.0 ? 1.0 : -1.0;
  q = polarDeg(el.k, b + sign * d, el.radius);
  m = polarDeg(el.k, b + sign * d / 2.0, el.radius);
}

void forwardAlongArc(const ElementGeom& el, const PointRec& p, double d, PointRec& q, PointRec& m) {
  backAlongArc(el, p, -d, q, m);
}

ExtraElement straightApproach(const PointRec& b, const PointRec& e, const PointRec& p, double o,
                              const SideRules& rules) {
  if (e.y < b.y) return line(polarDeg(p, p.x <= rules.referenceX ? 0.0 : 180.0, std::fabs(o)), p);
  double a = angleTo(b, e);
  PointRec q = polarDeg(p, a + 180.0, std::fabs(o));
  q = polarDeg(q, leadInSideAngle(a, p, rules.referenceX), -std::fabs(rules.v81));
  return line(q, p);
}

ExtraElement overCutInside(const ElementGeom& el, const PointRec& p, double o, const SideRules& rules) {
  if (!el.isArc) {
    double a = angleTo(el.b, el.e);
    PointRec q = polarDeg(p, a, o);
    if (rules.v81 < 0.0) {
      double s =
          isVertical(a) ? (p.x <= rules.referenceX ? 0.0 : 180.0) : leadInSideAngle(a, p, rules.referenceX);
      q = polarDeg(q, s, rules.v81);
    }
    return line(p, q);
  }
  PointRec q, m;
  forwardAlongArc(el, p, arcAngleFor(el, std::fabs(o)) * (o < 0.0 ? -1.0 : 1.0), q, m);
  if (rules.v81 >= 0.0) {
    q.y -= rules.v81 / 2.0;
  } else {
    q.y += rules.v81;
    m.y += rules.v81 / 2.0;
  }
  return arc(p, m, q);
}

// The over-cut at a vertex p whose following element is next.
ExtraElement overCutAtVertex(const ElementGeom& next, const PointRec& p, double o, double overAngle,
                             const SideRules& rules) {
  double a = next.isArc ? directionAt(next, p) : angleTo(next.b, next.e);
  if (rules.v81 >= 0.0) {
    if (p.x > rules.referenceX && a < 180.0 && a > 90.0 - overAngle)
      return line(p, makePoint(next.b.x + o, next.b.y));
    if (p.x < rules.referenceX && a < 180.0 && a < overAngle + 90.0)
      return line(p, makePoint(next.b.x - o, next.b.y));
    if (!next.isArc) return line(p, polarDeg(p, a, o));
    PointRec q, m;
    forwardAlongArc(next, p, degreesFromRadians(o / next.radius), q, m);
    return arc(p, m, q);
  }
  if (!next.isArc) {
    if (next.e.y <= next.b.y) {
      PointRec q = polarDeg(next.b, a, o);
      double s = isVertical(a) ? (p.x <= rules.referenceX ? 180.0 : 0.0) : 90.0;
      return line(p, polarDeg(q, s, rules.v81));
    }
    return line(p, polarDeg(next.b, next.b.x <= rules.referenceX ? 180.0 : 0.0, o));
  }
  PointRec q, m;
  forwardAlongArc(next, p, arcAngleFor(next, o), q, m);
  double s = arcSideAngle(next, q, p, rules.referenceX);
  return arc(p, polarDeg(m, s, rules.v81 / 2.0), polarDeg(q, s, rules.v81));
}

}  // namespace

double elementLength(const ElementGeom& el) {
  if (!el.isArc) return distance(el.b, el.e);
  return std::fabs(el.sweep) * el.radius;
}

double directionAt(const ElementGeom& el, const PointRec& p) {
  if (!el.isArc) return normalized(angleTo(el.b, el.e));
  return normalized(angleTo(el.k, p) + (el.sweep <= 0.0 ? -90.0 : 90.0));
}

double leadInSideAngle(double a, const PointRec& p, double referenceX) {
  a = normalized(a);
  if (isVertical(a)) return p.x <= referenceX ? 180.0 : 0.0;
  double s = a + 90.0;
  if (s > 360.0) s -= 360.0;
  if (s > 180.0) s -= 180.0;
  return s;
}

ExtraElement entryLeadIn(const ElementGeom& el, const PointRec& s, double approachX, double approachY,
                         double referenceX) {
  if (!el.isArc) {
    double a = angleTo(el.b, el.e);
    PointRec q = polarDeg(s, a + 180.0, approachX);
    return line(polarDeg(q, leadInSideAngle(a, s, referenceX), -approachY), s);
  }
  PointRec q, m;
  backAlongArc(el, s, arcAngleFor(el, approachX), q, m);
  double side = arcSideAngle(el, q, s, referenceX);
  return arc(polarDeg(q, side, -approachY), polarDeg(m, side, -approachY / 2.0), s);
}

ExtraElement approachElement(const ElementGeom& el, const PointRec& p, double o, const SideRules& rules) {
  if (!el.isArc) return straightApproach(el.b, el.e, p, o, rules);
  if (!rules.linearApproach) {
    PointRec q, m;
    backAlongArc(el, p, arcAngleFor(el, std::fabs(o)), q, m);
    double side = arcSideAngle(el, q, p, rules.referenceX);
    return arc(polarDeg(q, side, rules.v81), polarDeg(m, side, rules.v81 / 2.0), p);
  }
  int whole = static_cast<int>(normalized(angleTo(el.k, p)));
  ExtraElement x = whole % 90 == 0 ? line(polarDeg(p, el.e.x < el.b.x ? 0.0 : 180.0, std::fabs(o)), p)
                                   : straightApproach(el.b, el.e, p, o, rules);
  if (p.y < x.from.y) x.from.y = p.y;
  return x;
}

ExtraElement overCutElement(const ElementGeom& el, const ElementGeom& next, const PointRec& p, double o,
                            double overAngle, const SideRules& rules) {
  bool atStart = pointsEqual(p, el.b), atEnd = pointsEqual(p, el.e);
  if (!atStart && !atEnd) return overCutInside(el, p, o, rules);
  // At a vertex an over-cut runs forward only; a negative length there
  // would cut back into the ground piece, so it makes none.
  if (o < 0.0) return ExtraElement{};
  if (atStart && !atEnd) return overCutAtVertex(el, p, o, overAngle, rules);
  if (next.valid != 1) return horizontalOverCut(p, o, rules.referenceX);
  return overCutAtVertex(next, p, o, overAngle, rules);
}

ExtraElement horizontalOverCut(const PointRec& p, double o, double referenceX) {
  return line(p, makePoint(p.x > referenceX ? p.x + o : p.x - o, p.y));
}

}  // namespace optgrind
