// LINE, ARC, CIRCLE and PLINE.
#include <cmath>

#include "standalone/commands/cmd_commands.h"
#include "standalone/commands/cmd_support.h"
#include "standalone/model/geom_curves.h"

namespace optgrind::standalone {
namespace {

// Three points closer than this (relative to their spread) to one straight
// line make no arc.
constexpr double kCollinearTolerance = 1e-10;
// A tangent arc whose end lies this close to straight behind its start
// would be a full circle.
constexpr double kMinTurnFromFullCircle = 1e-9;
// Points closer than this are one point (drawing units).
constexpr double kSamePoint = 1e-9;

double angleTo(const Point3& from, const Point3& to) { return std::atan2(to.y - from.y, to.x - from.x); }

// Angle in (-pi, pi].
double signedAngle(double a) {
  double n = normalizeAngle(a);
  return n > kPi ? n - kTwoPi : n;
}

// The counter-clockwise arc through a, b and c (in either order of
// running), or false when they lie on one line.
bool arcThroughThreePoints(const Point3& a, const Point3& b, const Point3& c, ArcGeom& out) {
  double abx = b.x - a.x, aby = b.y - a.y, acx = c.x - a.x, acy = c.y - a.y;
  double cross = abx * acy - aby * acx;
  double spread = std::hypot(abx, aby) * std::hypot(acx, acy);
  if (spread == 0.0 || std::fabs(cross) <= kCollinearTolerance * spread) return false;
  double d = 2.0 * cross;
  double ab2 = abx * abx + aby * aby, ac2 = acx * acx + acy * acy;
  Point3 center{a.x + (acy * ab2 - aby * ac2) / d, a.y + (abx * ac2 - acx * ab2) / d, a.z};
  out = ArcGeom{};
  out.center = center;
  out.radius = distanceXY(center, a);
  // Clockwise through b: the host's arc runs counter-clockwise from c to a.
  const Point3& from = cross > 0 ? a : c;
  const Point3& to = cross > 0 ? c : a;
  out.startAngle = normalizeAngle(angleTo(center, from));
  out.endAngle = normalizeAngle(angleTo(center, to));
  return true;
}

// A point away from the centre, asked again until one is given.
int pointAwayFrom(Answers& in, const std::string& prompt, const Point3& center, Point3& out) {
  std::string kw;
  while (true) {
    int rc = in.point(prompt, "", &center, out, kw);
    if (rc != RTNORM || distanceXY(center, out) > kSamePoint) return rc;
    in.message("*Invalid*\n");
  }
}

int arcByCenter(Session& session, Answers& in) {
  Point3 center, start, end;
  std::string kw;
  int rc = in.point("Specify center point of arc: ", "", nullptr, center, kw);
  if (rc == RTNORM) rc = pointAwayFrom(in, "Specify start point of arc: ", center, start);
  if (rc == RTNORM) rc = pointAwayFrom(in, "Specify end point of arc: ", center, end);
  if (rc != RTNORM) return rc == RTNONE ? RTNORM : rc;
  ArcGeom arc;
  arc.center = center;
  arc.radius = distanceXY(center, start);
  arc.startAngle = normalizeAngle(angleTo(center, start));
  arc.endAngle = normalizeAngle(angleTo(center, end));
  addEntity(session, arc);
  return RTNORM;
}

// The bulge of the arc that leaves `from` in direction `tangent` and ends
// at `to`; false when there is no such arc of less than a full turn.
bool tangentArcBulge(const Point3& from, double tangent, const Point3& to, double& bulge) {
  if (distanceXY(from, to) <= kSamePoint) return false;
  double half = signedAngle(angleTo(from, to) - tangent);  // half the sweep
  if (std::fabs(half) > kPi - kMinTurnFromFullCircle) return false;
  bulge = std::tan(half / 2.0);
  return true;
}

// The direction in which the polyline drawn so far leaves its last vertex.
double endDirection(const std::vector<PolyVertex>& v) {
  if (v.size() < 2) return 0.0;
  const PolyVertex& a = v[v.size() - 2];
  const PolyVertex& b = v.back();
  double chord = std::atan2(b.y - a.y, b.x - a.x);
  return chord + 2.0 * std::atan(a.bulge);  // half the sweep past the chord
}

Point3 pointOf(const PolyVertex& v) { return {v.x, v.y, 0.0}; }

}  // namespace

int runLine(Session& session, Answers& in) {
  Point3 first;
  std::string kw;
  int rc = in.point("Specify first point: ", "", nullptr, first, kw);
  if (rc != RTNORM) return rc == RTNONE ? RTNORM : rc;
  std::vector<Point3> points{first};
  std::vector<long long> drawn;
  while (true) {
    bool canClose = drawn.size() >= 2;
    Point3 next;
    rc = in.point(canClose ? "Specify next point or [Close/Undo]: " : "Specify next point or [Undo]: ",
                  canClose ? "Close Undo" : "Undo", &points.back(), next, kw);
    if (rc == RTNONE) return RTNORM;
    if (rc != RTNORM && rc != RTKWORD) return rc;  // the lines drawn so far stay
    if (rc == RTKWORD && kw == "Undo") {
      if (drawn.empty()) {
        in.message("All segments already undone.\n");
        continue;
      }
      eraseEntity(session.drawing, drawn.back());
      drawn.pop_back();
      points.pop_back();
      continue;
    }
    if (rc == RTKWORD) next = points.front();  // Close
    drawn.push_back(addEntity(session, LineGeom{points.back(), next}));
    points.push_back(next);
    if (rc == RTKWORD) return RTNORM;
  }
}

int runArc(Session& session, Answers& in) {
  Point3 a, b, c;
  std::string kw;
  int rc = in.point("Specify start point of arc or [Center]: ", "Center", nullptr, a, kw);
  if (rc == RTKWORD) return arcByCenter(session, in);
  if (rc != RTNORM) return rc == RTNONE ? RTNORM : rc;
  rc = in.point("Specify second point of arc: ", "", &a, b, kw);
  if (rc != RTNORM) return rc == RTNONE ? RTNORM : rc;
  ArcGeom arc;
  while (true) {
    rc = in.point("Specify end point of arc: ", "", &b, c, kw);
    if (rc != RTNORM) return rc == RTNONE ? RTNORM : rc;
    if (arcThroughThreePoints(a, b, c, arc)) break;
    in.message("The three points lie on one line.\n");
  }
  addEntity(session, arc);
  return RTNORM;
}

int runCircle(Session& session, Answers& in) {
  Point3 center;
  std::string kw;
  int rc = in.point("Specify center point for circle: ", "", nullptr, center, kw);
  if (rc != RTNORM) return rc == RTNONE ? RTNORM : rc;
  double radius = 0.0;
  while (true) {
    rc = in.real("Specify radius of circle: ", radius);
    if (rc != RTNORM) return rc == RTNONE ? RTNORM : rc;
    if (std::isfinite(radius) && radius > 0.0) break;
    in.message("Value must be positive and nonzero.\n");
  }
  addEntity(session, CircleGeom{center, radius, 0.0});
  return RTNORM;
}

int runPline(Session& session, Answers& in) {
  Point3 start;
  std::string kw;
  int rc = in.point("Specify start point: ", "", nullptr, start, kw);
  if (rc != RTNORM) return rc == RTNONE ? RTNORM : rc;
  in.message("Current line-width is 0.0000\n");
  PolylineGeom pl;
  pl.elevation = start.z;
  pl.vertices.push_back(PolyVertex{start.x, start.y});
  std::vector<PolyVertex>& v = pl.vertices.edit();
  bool arcMode = false;
  while (true) {
    bool canClose = arcMode ? v.size() >= 2 : v.size() >= 3;
    std::string keys =
        arcMode ? (canClose ? "Close Line Undo" : "Line Undo") : (canClose ? "Arc Close Undo" : "Arc Undo");
    std::string prompt = arcMode ? "Specify endpoint of arc or [" : "Specify next point or [";
    for (char& c : keys) prompt += c == ' ' ? '/' : c;
    prompt += "]: ";
    Point3 last = pointOf(v.back()), p;
    rc = in.point(prompt, keys, &last, p, kw);
    if (rc != RTNORM && rc != RTKWORD) break;  // Enter ends; a cancel keeps what is drawn
    if (rc == RTKWORD && (kw == "Arc" || kw == "Line")) {
      arcMode = kw == "Arc";
      continue;
    }
    if (rc == RTKWORD && kw == "Undo") {
      if (v.size() < 2) {
        in.message("All segments already undone.\n");
        continue;
      }
      v.pop_back();
      v.back().bulge = 0.0;
      continue;
    }
    bool closing = rc == RTKWORD;  // Close
    if (closing) p = pointOf(v.front());
    double bulge = 0.0;
    if (arcMode && !tangentArcBulge(pointOf(v.back()), endDirection(v), p, bulge)) {
      in.message("Invalid point.\n");
      continue;
    }
    v.back().bulge = bulge;
    if (closing) {
      pl.closed = true;
      break;
    }
    v.push_back(PolyVertex{p.x, p.y});
  }
  if (v.size() >= 2) addEntity(session, pl);
  return rc == RTCAN || rc == RTERROR ? rc : RTNORM;
}

}  // namespace optgrind::standalone
