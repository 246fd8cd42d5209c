#include "geometry/entity_make.h"
#include "geometry/primitives.h"
#include "pathdef/path_definition.h"
#include "pathdef/path_edit.h"
#include "pathdef/pathdef_state.h"
#include "settings/opt_settings.h"

namespace optgrind {
namespace {

// A leader of no length set would start on the profile: it gets this one.
constexpr double kDefaultLeaderLength = 0.5;

}  // namespace

int addEntryMoves(Host& host) {
  PathDefState& s = pathDefState();
  OptSettings& settings = optSettings();
  ElementGeom first = readElement(host, s.path, 0);
  if (first.valid != 1) return kStepEnded;
  if (settings.Approach_X != 0.0) {
    ExtraElement leadIn = entryLeadIn(first, s.start, settings.Approach_X, settings.Approach_Y, s.start.x);
    EntityRef entity = makeExtraEntity(host, leadIn);
    EntityRef joined = entity.valid == 1 ? joinToPath(host, entity, s.path, leadIn.from) : EntityRef{};
    if (joined.valid == 1) s.path = joined;
    deleteEntity(host, entity);
  }
  if (settings.Leader_len <= 0.0) settings.Leader_len = kDefaultLeaderLength;
  PointRec pathStart, pathEnd;
  if (!polylineEnds(host, s.path, pathStart, pathEnd)) return kStepEnded;
  PointRec leaderStart = makePoint(s.start.x, -settings.Leader_len);
  if (pointsDiffer(leaderStart, pathStart)) {
    EntityRef leader = makeLineEntity(host, makeLine(leaderStart, pathStart));
    EntityRef joined = leader.valid == 1 ? joinToPath(host, leader, s.path, leaderStart) : EntityRef{};
    if (joined.valid == 1) s.path = joined;
    deleteEntity(host, leader);
  }
  setColor(host, s.path, kColorGreen);
  return kStepDone;
}

}  // namespace optgrind
