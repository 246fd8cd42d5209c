#include "geometry/primitives.h"
#include "host/messages.h"
#include "pathdef/path_definition.h"
#include "pathdef/pathdef_messages.h"
#include "pathdef/pathdef_state.h"
#include "settings/opt_settings.h"

namespace optgrind {
namespace {

// The zoom window keeps the view's shape: this many view heights wide.
constexpr double kViewWidthFactor = 3.0 / 3.2;

void moveEverything(Host& host, const PointRec& origin) {
  SelectionSet all;
  if (host.acedSSGet("X", nullptr, nullptr, nullptr, all) != RTNORM) return;
  ResBuf osmode;
  bool haveOsmode = host.acedGetVar("OSMODE", osmode) == RTNORM;
  host.acedSetVar("OSMODE", ResBuf::ofInt(RTSHORT, 0));
  host.acedCommand({ResBuf::ofString(RTSTR, "MOVE"), ResBuf::ofSet(all), ResBuf::ofString(RTSTR, ""),
                    ResBuf::ofPoint(RT3DPOINT, toPoint3(origin)), ResBuf::ofPoint(RT3DPOINT, Point3{})});
  if (haveOsmode) host.acedSetVar("OSMODE", osmode);
  host.acedSSFree(all);
}

}  // namespace

int prepareDrawing(Host& host) {
  host.acedSetVar("CMDECHO", ResBuf::ofInt(RTSHORT, 0));
  PathDefState& s = pathDefState();
  s.pointCount = 0;
  s.downCount = s.upCount = s.definedCount = 0;
  s.overCut = 1;
  s.markerFlag = 0;
  s.reversed = 0;
  s.path = EntityRef{};
  loadOptSet(host);

  Point3 given;
  int rc = host.acedGetPoint(nullptr, chooseText(host, pathdef_messages::kAssignOrigin), given);
  if (rc == RTNONE)
    given = Point3{};
  else if (rc != RTNORM)
    return kStepEnded;
  s.origin = toPointRec(given);

  ResBuf centre, size;
  bool haveView = host.acedGetVar("VIEWCTR", centre) == RTNORM && host.acedGetVar("VIEWSIZE", size) == RTNORM;
  moveEverything(host, s.origin);
  if (haveView && size.isReal()) {
    Point3 c = centre.asPoint();
    double h = size.asReal();
    Point3 lo{c.x - h * kViewWidthFactor - s.origin.x, c.y - h / 2.0 - s.origin.y, 0.0};
    Point3 hi{c.x + h * kViewWidthFactor - s.origin.x, c.y + h / 2.0 - s.origin.y, 0.0};
    host.acedCommand({ResBuf::ofString(RTSTR, "'ZOOM"), ResBuf::ofString(RTSTR, "W"),
                      ResBuf::ofPoint(RT3DPOINT, lo), ResBuf::ofPoint(RT3DPOINT, hi)});
  }
  return kStepDone;
}

}  // namespace optgrind
