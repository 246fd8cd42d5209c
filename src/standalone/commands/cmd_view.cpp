// ZOOM and UCS.
#include <algorithm>
#include <cmath>

#include "standalone/commands/cmd_commands.h"
#include "standalone/commands/cmd_support.h"
#include "standalone/model/geom.h"

namespace optgrind::standalone {
namespace {

// The view's width over its height, as VSMIN and VSMAX report it.
double viewAspect(Session& session) {
  ResBuf lo, hi;
  session.host.acedGetVar("VSMIN", lo);
  session.host.acedGetVar("VSMAX", hi);
  double w = hi.asPoint().x - lo.asPoint().x, h = hi.asPoint().y - lo.asPoint().y;
  return w > 0.0 && h > 0.0 ? w / h : 1.0;
}

// Shows the box from a to b whole; false when it has no size at all.
bool zoomToBox(Session& session, const Point3& a, const Point3& b) {
  double w = std::fabs(b.x - a.x), h = std::fabs(b.y - a.y);
  double height = std::max(h, w / viewAspect(session));
  if (!std::isfinite(height) || height <= 0.0) return false;
  session.rememberView();
  session.setView(Point3{(a.x + b.x) / 2.0, (a.y + b.y) / 2.0, 0.0}, height);
  return true;
}

// The box of every live entity; false when the drawing has none.
bool drawingExtents(Session& session, Point3& lo, Point3& hi) {
  bool any = false;
  const Drawing& d = session.drawing;
  for (const auto& e : d.entities) {
    Point3 a, b;
    if (e.erased || geomExtents(d, e.record, a, b) != RTNORM) continue;
    if (!any) {
      lo = a;
      hi = b;
    } else {
      lo = Point3{std::min(lo.x, a.x), std::min(lo.y, a.y), std::min(lo.z, a.z)};
      hi = Point3{std::max(hi.x, b.x), std::max(hi.y, b.y), std::max(hi.z, b.z)};
    }
    any = true;
  }
  return any;
}

int zoomExtents(Session& session, Answers& in) {
  Point3 lo, hi;
  if (!drawingExtents(session, lo, hi)) {
    in.message("The drawing is empty.\n");
    return RTNORM;
  }
  if (!zoomToBox(session, lo, hi)) {
    // A single point: centre on it at the present size.
    double height = session.currentView().height;
    session.rememberView();
    session.setView(lo, height);
  }
  return RTNORM;
}

int zoomWindow(Session& session, Answers& in, const Point3* given) {
  Point3 first, second;
  std::string kw;
  int rc = RTNORM;
  if (given) {
    first = *given;
  } else {
    rc = in.point("Specify first corner: ", "", nullptr, first, kw);
    if (rc != RTNORM) return rc == RTNONE ? RTNORM : rc;
  }
  rc = in.point("Specify opposite corner: ", "", &first, second, kw);
  if (rc != RTNORM) return rc == RTNONE ? RTNORM : rc;
  if (!zoomToBox(session, first, second)) {
    in.message("*Invalid window*\n");
    return RTERROR;
  }
  return RTNORM;
}

}  // namespace

int runZoom(Session& session, Answers& in) {
  Point3 corner;
  std::string kw;
  int rc =
      in.point("Specify corner of window or [All/Extents/Previous/Window]: ", "All Extents Previous Window",
               nullptr, corner, kw);
  if (rc == RTNORM) return zoomWindow(session, in, &corner);
  if (rc != RTKWORD) return rc == RTNONE ? RTNORM : rc;
  if (kw == "Window") return zoomWindow(session, in, nullptr);
  if (kw == "Previous") {
    SavedView previous;
    if (!session.takePreviousView(previous)) {
      in.message("No previous view saved.\n");
      return RTNORM;
    }
    session.setView(previous.center, previous.height);
    return RTNORM;
  }
  return zoomExtents(session, in);  // All and Extents: the drawing has no limits of its own here
}

int runUcs(Session&, Answers& in) {
  // Only the world coordinate system exists: any answer is taken, nothing changes.
  Point3 origin;
  std::string kw;
  int rc = in.point("Specify origin of UCS or [Face/NAmed/OBject/Previous/View/World/X/Y/Z/ZAxis] <World>: ",
                    "Face NAmed OBject Previous View World X Y Z ZAxis New Origin", nullptr, origin, kw);
  if (rc == RTCAN) return rc;
  if (rc != RTNONE && !(rc == RTKWORD && kw == "World")) {
    in.message("Only the world coordinate system is available.\n");
    in.skipRest();
  }
  return RTNORM;
}

}  // namespace optgrind::standalone
