#include "pathdef/small_elements.h"

#include <cstdio>

#include "geometry/arcs.h"
#include "geometry/entity_make.h"
#include "geometry/primitives.h"
#include "host/messages.h"
#include "pathdef/path_definition.h"
#include "pathdef/path_edit.h"
#include "pathdef/pathdef_messages.h"
#include "settings/opt_settings.h"

namespace optgrind {
namespace {

namespace msg = pathdef_messages;

// Asks the Yes/No question with the mark drawn; the mark goes again after
// the answer.
int askWithMark(Host& host, EntityRef mark, const std::string& line2) {
  setColor(host, mark, kColorYellow);
  int yes = yesNoWarning(host, chooseText(host, msg::kSmallWarning), line2,
                         chooseText(host, msg::kContinueTransfer));
  deleteEntity(host, mark);
  return yes;
}

}  // namespace

int checkSmallElements(Host& host, const EntityRef& path) {
  const OptSettings& settings = optSettings();
  if (settings.Small_seg <= 0.0) return kStepDone;
  for (const ElementGeom& el : readElements(host, path)) {
    double length = elementLength(el);
    if (length < settings.Small_seg) {
      PointRec at = el.isArc ? el.b : makePoint((el.b.x + el.e.x) / 2.0, (el.b.y + el.e.y) / 2.0);
      EntityRef circle = makeCircleEntity(host, at, settings.Small_seg, kColorYellow);
      if (!askWithMark(host, circle, formatMessage(host, msg::kSmallSegment, length))) return kStepEnded;
    }
    if (el.isArc && el.radius < settings.Small_radius) {
      EntityRef arc = makeArcEntity(
          host, arcAboutCentre(el.k, el.sweep < 0.0 ? el.e : el.b, el.sweep < 0.0 ? el.b : el.e));
      if (!askWithMark(host, arc, formatMessage(host, msg::kSmallArc, el.radius))) return kStepEnded;
    }
  }
  return kStepDone;
}

}  // namespace optgrind
