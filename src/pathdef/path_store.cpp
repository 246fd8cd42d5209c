#include "pathdef/path_store.h"

#include "geometry/entity_lists.h"
#include "geometry/entity_make.h"
#include "geometry/entity_refs.h"
#include "geometry/profile_join.h"
#include "geometry/segment_walk.h"
#include "nc/path_record.h"
#include "pathdef/path_edit.h"
#include "pathdef/pathdef_state.h"
#include "settings/opt_settings.h"

namespace optgrind {
namespace {

int elementCount(Host& host, const EntityRef& piece) {
  PolylineGeom geom;
  return readPolyline(host, piece.name, geom) ? segmentCount(geom) : 0;
}

EntityRefList firstEntries(const EntityRefList& list, int count) {
  return EntityRefList(list.begin(), list.begin() + count);
}

}  // namespace

std::vector<int> liftElementNumbers(const std::vector<int>& groundElementCounts) {
  std::vector<int> k;
  int c = 0;
  for (size_t i = 0; i < groundElementCounts.size(); ++i) {
    c += groundElementCounts[i] + (i == 0 ? 1 : 3);
    k.push_back(c);
  }
  return k;
}

StoredPath storePath(Host& host) {
  PathDefState& s = pathDefState();
  StoredPath stored;
  int g = s.upCount;
  if (g <= 0) return stored;
  ResBuf oldColor;
  bool haveColor = host.acedGetVar("CECOLOR", oldColor) == RTNORM;
  host.acedSetVar("CECOLOR", ResBuf::ofString(RTSTR, std::to_string(kColorGreen)));

  double safeHeight = optSettings().Safe_height;
  EntityRefList ground = firstEntries(s.upPieces, g);
  EntityRefList skipped = firstEntries(s.downPieces, s.downCount);
  std::vector<EntityRef> joinList;
  std::vector<int> counts;
  double lowestSkipped = 0.0;
  double previousLevel = 0.0;
  PointRec previousEnd;
  for (int i = 0; i < g; ++i) {
    const EntityRef& piece = ground[static_cast<size_t>(i)];
    counts.push_back(elementCount(host, piece));
    PointRec f, l;
    polylineEnds(host, piece, f, l);
    if (i > 0) joinList.push_back(makeLineEntity(host, makeLine(makePoint(f.x, previousLevel), f)));
    double level = 0.0;
    if (i < g - 1 && i < s.downCount) {
      double b = extents(host, skipped[static_cast<size_t>(i)]).start.y;
      if (lowestSkipped == 0.0 || b < lowestSkipped) lowestSkipped = b;
      level = b - safeHeight;
    } else {
      double b = extents(host, unionLists(host, ground, skipped)).start.y;
      level = b > lowestSkipped ? lowestSkipped : b;
    }
    EntityRef lift = makeLineEntity(host, makeLine(l, makePoint(l.x, level)));
    joinList.push_back(piece);
    joinList.push_back(lift);
    if (i == 0) {
      stored.first = f;
    } else {
      joinList.push_back(makeLineEntity(
          host, makeLine(makePoint(previousEnd.x, previousLevel), makePoint(f.x, previousLevel))));
    }
    previousLevel = level;
    previousEnd = l;
  }
  stored.liftStarts = liftElementNumbers(counts);

  if (static_cast<int>(joinList.size()) > kJoinListCapacity) joinList.resize(kJoinListCapacity);
  EntityRefList rest(joinList.begin() + 1, joinList.end());
  EntityRef joined = join(host, joinList.front(), rest);
  stored.path = joined.valid == 1 ? asWhole(joined) : asWhole(joinList.front());
  stored.path.kind = kKindPolyline;
  writePathRecord(host, stored.path, stored.liftStarts);
  if (haveColor) host.acedSetVar("CECOLOR", oldColor);
  stored.valid = 1;
  return stored;
}

}  // namespace optgrind
