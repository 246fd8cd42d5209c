#include <vector>

#include "geometry/drawing_vars.h"
#include "geometry/entity_lists.h"
#include "geometry/entity_make.h"
#include "geometry/entity_refs.h"
#include "geometry/pick_prompt.h"
#include "geometry/primitives.h"
#include "geometry/profile_break.h"
#include "geometry/profile_join.h"
#include "geometry/selection.h"
#include "geometry/selection_filter.h"
#include "host/messages.h"
#include "pathdef/path_definition.h"
#include "pathdef/path_edit.h"
#include "pathdef/pathdef_messages.h"
#include "pathdef/pathdef_state.h"

namespace optgrind {
namespace {

namespace msg = pathdef_messages;

constexpr int kStartSlot = 1;
constexpr int kDirectionSlot = 5;
constexpr int kAnswerYes = kPickKeyword + 1;  // "Y" of "N Y"
constexpr int kEverythingSelectable = 65535;
// The marks are this share of the view's height.
constexpr double kMarkShareOfView = 1.0 / 40.0;
constexpr double kArrowSpread = 150.0;

// Whether the entity lies on a locked layer: the host refuses to join or
// break it there.
bool onLockedLayer(Host& host, const EntityRef& ref) {
  EntityRecord record;
  if (host.acdbEntGet(ref.name, record) != RTNORM) return false;
  for (const LayerRecord& layer : host.layers())
    if (layer.name == record.layer) return layer.locked;
  return false;
}

bool isPolylineEntity(Host& host, const EntityRef& ref) {
  EntityRecord record;
  return host.acdbEntGet(ref.name, record) == RTNORM && record.type() == EntityType::Polyline;
}

// The picked profile as one polyline: the picked polyline itself, or the
// picked entity joined with what the user selects.
EntityRef profilePolyline(Host& host, const EntityRef& picked) {
  EntityRef whole = asWhole(picked);
  if (isPolylineEntity(host, whole)) return whole;
  printMessage(host, msg::kNotClosedLoop);
  std::optional<EntityRefList> chosen =
      selectInteractively(host, kMaskFromDrawing, kNoColorLimit, kNoLinetypeLimit);
  EntityRefList list = chosen ? *chosen : EntityRefList{};
  compact(list);
  EntityRef joined = join(host, whole, list);
  if (joined.valid != 1 || !isPolylineEntity(host, joined)) return EntityRef{};
  joined.kind = kKindPolyline;
  return joined;
}

double markSize(Host& host) {
  ResBuf size;
  if (host.acedGetVar("VIEWSIZE", size) != RTNORM || !size.isReal()) return 1.0;
  return size.asReal() * kMarkShareOfView;
}

// A circle of radius d about p and a cross through it.
std::vector<EntityRef> drawStartMark(Host& host, const PointRec& p, double d) {
  return {makeCircleEntity(host, p, d),
          makeLineEntity(host, makeLine(polarDeg(p, 45.0, d), polarDeg(p, 225.0, d))),
          makeLineEntity(host, makeLine(polarDeg(p, 135.0, d), polarDeg(p, 315.0, d)))};
}

void drawArrows(Host& host, const EntityRef& path, double d) {
  const EntityRecord properties = currentProperties(host);
  for (const ElementGeom& el : readElements(host, path)) {
    double a = directionAt(el, el.e);
    makeLineEntity(host, properties, makeLine(el.e, polarDeg(el.e, a + kArrowSpread, d)));
    makeLineEntity(host, properties, makeLine(el.e, polarDeg(el.e, a - kArrowSpread, d)));
  }
}

void eraseDrawnSince(Host& host, const EntityRef& last) {
  std::vector<EntityRef> drawn;
  EntityRef next = last.valid == 1 ? nextEntity(host, last.name) : EntityRef{};
  if (last.valid != 1) {
    EntityName first;
    if (host.acdbEntNext(nullptr, first) == RTNORM) next = wholeEntityRef(first);
  }
  for (; next.valid == 1; next = nextEntity(host, next.name)) drawn.push_back(next);
  int snap = 0;
  bool haveSnap = getDrawingVar(host, kSnapFlagVar, snap);
  setDrawingVar(host, kSnapFlagVar, 0);
  eraseAll(host, drawn);
  if (haveSnap) setDrawingVar(host, kSnapFlagVar, snap);
}

// Shows the direction and reverses it when the user answers "Y".
void askDirection(Host& host, PathDefState& s) {
  EntityRef last = lastEntity(host);
  int oldMask = 0;
  bool haveMask = getDrawingVar(host, kSelMaskVar, oldMask);
  setDrawingVar(host, kSelMaskVar, kEverythingSelectable);
  double d = markSize(host);
  PointRec first, end;
  polylineEnds(host, s.path, first, end);
  if (!isClosedPolyline(host, s.path)) drawStartMark(host, first, d);
  drawArrows(host, s.path, d);
  int answer =
      pickAndKeyword(host, chooseText(host, msg::kChangeDirection), kDirectionSlot, kPickAnyPoint, "N Y");
  eraseDrawnSince(host, last);
  if (haveMask)
    setDrawingVar(host, kSelMaskVar, oldMask);
  else
    removeDrawingVar(host, kSelMaskVar);
  if (answer != kAnswerYes) return;
  s.markerFlag = 1;
  s.reversed = 1;
  reverse(host, s.path);
  polylineEnds(host, s.path, first, end);
  std::vector<EntityRef> marks = drawStartMark(host, first, d);
  for (size_t i = 0; i < s.markers.size(); ++i) s.markers[i] = marks[i];
}

}  // namespace

int takeStartPoint(Host& host) {
  PathDefState& s = pathDefState();
  int rc = pickAndKeyword(host, chooseText(host, msg::kStartPrompt), kStartSlot, kPickPointOnEntity, "");
  if (rc != kPickOnEntity) {
    printMessage(host, msg::kPickNotOnEntity);
    return kStepEnded;
  }
  EntityRef picked = pickSlot(kStartSlot).ref;
  if (!entityExists(host, asWhole(picked))) return kStepEnded;
  if (onLockedLayer(host, picked)) {
    printMessage(host, msg::kProfileLocked);
    return kStepEnded;
  }
  s.path = profilePolyline(host, picked);
  if (s.path.valid != 1) {
    printMessage(host, msg::kSelectPline);
    return kStepEnded;
  }
  askDirection(host, s);

  // A closed profile is always opened at the start point, so that the path
  // runs from it once round; an open one is broken there unless the start
  // is one of its ends.
  s.start = picked.point;
  PointRec first, last;
  if (!polylineEnds(host, s.path, first, last)) return kStepEnded;
  bool closed = isClosedPolyline(host, s.path);
  if (closed || (pointsDiffer(s.start, first) && pointsDiffer(s.start, last))) {
    EntityRef piece = breakAtPoint(host, s.path, s.start);
    if (piece.valid == 1) s.path = asWhole(piece);
  }
  s.path.kind = kKindPolyline;
  s.pointCount = 1;
  return kStepDone;
}

void deleteDirectionMarkers(Host& host) {
  PathDefState& s = pathDefState();
  if (!s.markerFlag) return;
  for (EntityRef& marker : s.markers) deleteEntity(host, marker);
  s.markerFlag = 0;
}

}  // namespace optgrind
