#include <cmath>
#include <string>

#include "geometry/entity_refs.h"
#include "geometry/pick_prompt.h"
#include "geometry/primitives.h"
#include "geometry/profile_break.h"
#include "host/messages.h"
#include "pathdef/path_definition.h"
#include "pathdef/path_edit.h"
#include "pathdef/pathdef_messages.h"
#include "pathdef/pathdef_state.h"
#include "post/post_state.h"
#include "settings/opt_settings.h"

namespace optgrind {
namespace {

namespace msg = pathdef_messages;

constexpr int kToolSlot = 1;
constexpr int kAnswerOverCutOn = kPickKeyword;       // "Y" of "Y N"
constexpr int kAnswerOverCutOff = kPickKeyword + 1;  // "N"
// The post variable that holds the offset of approaches and over-cuts.
constexpr int kVarOffset = 81;

// How a taken point went.
constexpr int kPointTaken = 1;
constexpr int kPointRefused = 0;

SideRules sideRules(const PathDefState& s) {
  SideRules rules;
  rules.referenceX = s.start.x;
  rules.v81 = postVariable(kVarOffset).current;
  rules.linearApproach = postState().options.has(WcfOption::LinearApproach) ? 1 : 0;
  return rules;
}

void warningBox(Host& host, const MessageText& text) {
  host.platform().messageBeep();
  host.platform().messageBeep();
  host.messageBox(chooseText(host, msg::kBoxTitle), chooseText(host, text), {chooseText(host, msg::kOk)},
                  BoxIcon::Warning);
}

// Makes the element and keeps it only when it does not cut the profile a
// second time; else the box and no element.
EntityRef keptElement(Host& host, const ExtraElement& x, const EntityRef& path, const MessageText& refusal) {
  EntityRef entity = makeExtraEntity(host, x);
  if (entity.valid != 1) return entity;
  if (countCrossings(host, entity, path) > 1) {
    warningBox(host, refusal);
    deleteEntity(host, entity);
    return EntityRef{};
  }
  return entity;
}

bool listFull(int count) { return count >= kPathListCapacity; }

int takeToolDown(Host& host, PathDefState& s, const PointRec& p, int segment, const EntityRecord& path) {
  ElementGeom el = readElement(host, s.path, path, segment);
  PointRec first, last;
  polylineEnds(path, first, last);
  // Nothing would be skipped, or nothing would be left to grind.
  if (!pointsDiffer(p, first) || !pointsDiffer(p, last) || el.valid != 1) return kPointRefused;
  double o = optSettings().Over_len;
  ExtraElement approach;
  bool atStartOnly = pointsEqual(p, el.b) && pointsDiffer(p, el.e);
  if (o != 0.0 && s.overCut && !atStartOnly) approach = approachElement(el, p, o, sideRules(s));
  EntityRef entity =
      approach.valid == 1 ? keptElement(host, approach, s.path, msg::kApproachDamage) : EntityRef{};
  EntityRef piece = breakAtPoint(host, s.path, p);
  if (piece.valid != 1) {
    deleteEntity(host, entity);
    return kPointRefused;
  }
  s.downPieces[static_cast<size_t>(s.downCount++)] = asWhole(s.path);
  s.path = asWhole(piece);
  if (entity.valid == 1) {
    EntityRef joined = joinToPath(host, entity, s.path, approach.from);
    if (joined.valid == 1) s.path = joined;
  }
  setColor(host, s.path, kColorYellow);
  return kPointTaken;
}

int takeToolUp(Host& host, PathDefState& s, const PointRec& p, int segment, const EntityRecord& path) {
  ElementGeom el = readElement(host, s.path, path, segment);
  PointRec first, last;
  polylineEnds(path, first, last);
  if (!pointsDiffer(p, first) || el.valid != 1) return kPointRefused;
  bool atLastVertex = !isClosedPolyline(path) && pointsEqual(p, last);
  double o = optSettings().Over_len;
  SideRules rules = sideRules(s);
  ExtraElement overCut;
  if (s.overCut && std::fabs(o) >= kNoOverCut) {
    ElementGeom next = elementAfter(host, s.path, path, segment);
    overCut = overCutElement(el, next, p, o, optSettings().Over_angle, rules);
  }
  EntityRef entity;
  PointRec groundEnd = p;
  if (overCut.valid == 1 && o < 0.0) {
    // A negative over-cut ends the ground piece before the point; the bit
    // between stays in the drawing as a loose piece.
    groundEnd = overCut.to;
  } else if (overCut.valid == 1) {
    entity = makeExtraEntity(host, overCut);
    bool atVertex = pointsEqual(p, el.b) || pointsEqual(p, el.e);
    if (entity.valid == 1 && overCut.isArc && atVertex && countCrossings(host, entity, s.path) > 1) {
      deleteEntity(host, entity);
      overCut = horizontalOverCut(p, o, rules.referenceX);
      entity = makeExtraEntity(host, overCut);
    }
    if (entity.valid == 1 && countCrossings(host, entity, s.path) > 1) {
      warningBox(host, msg::kOverCutDamage);
      deleteEntity(host, entity);
      entity = EntityRef{};
    }
  }
  EntityRef ground = asWhole(s.path);
  EntityRef rest;
  if (!atLastVertex) {
    rest = breakAtPoint(host, s.path, groundEnd);
    if (rest.valid != 1) {
      deleteEntity(host, entity);
      return kPointRefused;
    }
    if (pointsDiffer(groundEnd, p)) {
      EntityRef after = breakAtPoint(host, rest, p);
      if (after.valid == 1) rest = after;
    }
  }
  if (entity.valid == 1) {
    EntityRef joined = joinToPath(host, entity, ground, first);
    if (joined.valid == 1) ground = joined;
  }
  s.upPieces[static_cast<size_t>(s.upCount++)] = ground;
  s.path = rest.valid == 1 ? asWhole(rest) : EntityRef{};
  if (s.path.valid == 1) setColor(host, s.path, kColorRed);
  return kPointTaken;
}

// The picked point on the path polyline. An over-cut or approach lying
// over the profile may be the entity the pick box finds first; the path is
// taken instead when it lies as near the pick.
PointRec pointOnPath(Host& host, const PathDefState& s, const PickSlot& pick) {
  if (pick.ref.name == s.path.name || s.path.valid != 1) return pick.ref.point;
  EntityRecord record;
  Point3 closest;
  if (host.acdbEntGet(s.path.name, record) != RTNORM ||
      host.getClosestPointTo(record, toPoint3(pick.point), false, closest) != RTNORM)
    return pick.ref.point;
  PointRec onPath = toPointRec(closest);
  if (distance(pick.point, onPath) <= distance(pick.point, pick.ref.point) + kPointTolerance) return onPath;
  return pick.ref.point;
}

std::string promptText(Host& host, const PathDefState& s, bool toolDown) {
  const char* onOff = s.overCut ? "YES" : "NO";
  return formatMessage(host, toolDown ? msg::kToolDownPrompt : msg::kToolUpPrompt, optSettings().Over_len,
                       onOff);
}

}  // namespace

int takeToolPoints(Host& host) {
  PathDefState& s = pathDefState();
  while (true) {
    bool toolDown = s.pointCount % 2 == 0;
    int rc = pickAndKeyword(host, promptText(host, s, toolDown), kToolSlot, kPickPointOnEntity, "Y N");
    if (rc == kPickCancelled) return kStepEnded;
    if (rc == kPickNumber) {
      optSettings().Over_len = pickSlot(kToolSlot).number;
      continue;
    }
    if (rc == kAnswerOverCutOn || rc == kAnswerOverCutOff) {
      s.overCut = rc == kAnswerOverCutOn ? 1 : 0;
      continue;
    }
    if (rc != kPickOnEntity) {
      if (toolDown) return kStepDone;
      printMessage(host, msg::kMoreToolUp);
      continue;
    }
    PointRec p = pointOnPath(host, s, pickSlot(kToolSlot));
    // The path is read once for all that the point asks of it before it
    // changes.
    EntityRecord path;
    bool read = s.path.valid == 1 && host.acdbEntGet(s.path.name, path) == RTNORM;
    int segment = read ? segmentUnder(path, p) : -1;
    int taken = kPointRefused;
    if (segment >= 0)
      taken = toolDown ? takeToolDown(host, s, p, segment, path) : takeToolUp(host, s, p, segment, path);
    if (taken != kPointTaken) {
      printMessage(host, msg::kPointNotAhead);
      continue;
    }
    if (host.acedUsrBrk()) return kStepEnded;
    ++s.pointCount;
    // A full list of lifts ends the input: the lists are never written past.
    if (s.pointCount % 2 == 0 && listFull(s.upCount)) {
      printMessage(host, msg::kTooManyLifts, kPathListCapacity);
      return kStepDone;
    }
  }
}

}  // namespace optgrind
