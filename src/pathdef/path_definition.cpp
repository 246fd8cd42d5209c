#include "pathdef/path_definition.h"

#include "geometry/entity_refs.h"
#include "geometry/selection.h"
#include "geometry/tags.h"
#include "nc/path_record.h"
#include "pathdef/path_edit.h"
#include "pathdef/path_store.h"
#include "pathdef/pathdef_state.h"
#include "pathdef/small_elements.h"

namespace optgrind {
namespace {

// Half the side of the window that the closing zoom shows around the
// path's first point.
constexpr double kFindWindowHalf = 0.05;

void zoom(Host& host, const ResBufList& answers) {
  ResBufList args = {ResBuf::ofString(RTSTR, "'ZOOM")};
  args.insert(args.end(), answers.begin(), answers.end());
  host.acedCommand(args);
}

// The stored path as the entity at its first point. The path storage knows
// its polyline; the pick only confirms it, and a pick that finds something
// else (an entity drawn over the leader's start) does not replace it.
EntityRef findStoredPath(Host& host, const StoredPath& stored) {
  PointRec p = stored.first;
  zoom(host, {ResBuf::ofString(RTSTR, "W"),
              ResBuf::ofPoint(RT3DPOINT, Point3{p.x - kFindWindowHalf, p.y - kFindWindowHalf, 0}),
              ResBuf::ofPoint(RT3DPOINT, Point3{p.x + kFindWindowHalf, p.y + kFindWindowHalf, 0})});
  EntityRef found = pickAtPoint(host, p, kPickAnyMask);
  zoom(host, {ResBuf::ofString(RTSTR, "P")});
  if (found.valid == 1 && found.name == stored.path.name) return asWhole(found);
  return stored.path;
}

}  // namespace

int runPathDefinition(Host& host) {
  if (prepareDrawing(host) != kStepDone) return kStepEnded;
  if (takeStartPoint(host) != kStepDone) return kStepEnded;
  if (addEntryMoves(host) != kStepDone) return kStepEnded;
  if (takeToolPoints(host) != kStepDone) return kStepEnded;
  StoredPath stored = storePath(host);
  if (stored.valid != 1) return kStepEnded;
  if (checkSmallElements(host, stored.path) != kStepDone) return kStepEnded;
  PathDefState& s = pathDefState();
  EntityRef path = findStoredPath(host, stored);
  if (s.definedCount < kPathListCapacity) s.definedPaths[static_cast<size_t>(s.definedCount++)] = path;
  addTag(host, path, kOrderNumberKey, std::to_string(s.definedCount));
  s.ncFromDialog = 0;
  return kStepDone;
}

}  // namespace optgrind
