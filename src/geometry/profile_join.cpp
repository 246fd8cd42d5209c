#include "geometry/profile_join.h"

#include "geometry/entity_data.h"
#include "geometry/entity_lists.h"
#include "geometry/entity_refs.h"
#include "geometry/primitives.h"
#include "geometry/quiet_command.h"
#include "geometry/segment_walk.h"

namespace optgrind {
namespace {

// The start and end of the picked element, as the join must keep them.
bool elementEnds(Host& host, const EntityRef& ref, PointRec& start, PointRec& end) {
  EntityRef typed = ref;
  typed.kind = classifyEntity(host, ref);
  if (typed.kind == kKindLine) {
    LineRec line = lineFromRef(host, typed);
    start = line.start;
    end = line.end;
    return true;
  }
  if (typed.kind == kKindArc) {
    ArcRec arc = arcFromRef(host, typed);
    start = arc.start;
    end = arc.end;
    return true;
  }
  if (isWholePolylineKind(typed.kind)) {
    EntityRef first = nextSegment(host, typed), last = previousSegment(host, typed);
    if (first.valid != 1 || last.valid != 1) return false;
    start = readEntityData(host, first).startPoint;
    end = readEntityData(host, last).endPoint;
    return true;
  }
  return false;
}

bool isPolyline(Host& host, const EntityName& name) {
  EntityRecord record;
  return host.acdbEntGet(name, record) == RTNORM && record.type() == EntityType::Polyline;
}

int runJoin(Host& host, const EntityName& name, bool turnIntoPolyline, const SelectionSet& set) {
  ResBufList args = {ResBuf::ofString(RTSTR, "PEDIT"), ResBuf::ofName(name)};
  if (turnIntoPolyline) args.push_back(ResBuf::ofString(RTSTR, "Y"));
  args.push_back(ResBuf::ofString(RTSTR, "J"));
  args.push_back(ResBuf::ofSet(set));
  args.push_back(ResBuf::ofString(RTSTR, ""));
  args.push_back(ResBuf::ofString(RTSTR, "X"));
  return runQuietCommand(host, args);
}

}  // namespace

EntityRef join(Host& host, const EntityRef& ref, const EntityRefList& list) {
  PointRec start, end;
  bool haveEnds = elementEnds(host, ref, start, end);
  SelectionSet set;
  bool haveSet = selectionSetFromList(host, list, set) == RTNORM;
  // A segment's polyline is joined as the polyline it is.
  bool polyline = isPolyline(host, ref.name);
  EntityRef lastBefore = lastEntity(host);
  runJoin(host, ref.name, !polyline, haveSet ? set : SelectionSet{});
  if (haveSet) host.acedSSFree(set);
  EntityRef joined = ref;
  if (polyline) {
    joined.segment = kWholeEntity;
    joined.tagIndex = kNoTag;
  } else {
    // The host's new polyline is the last entity; when the last entity is
    // still the one from before, or no polyline, the host made none.
    joined = lastEntity(host);
    if (joined.valid != 1) return joined;
    if ((lastBefore.valid == 1 && joined.name == lastBefore.name) || !isPolyline(host, joined.name)) {
      return EntityRef{};
    }
  }
  if (!haveEnds) return joined;
  EntityRef first = nextSegment(host, joined);
  if (first.valid != 1) return joined;
  EntityData firstData = readEntityData(host, first);
  bool keeps = distance(start, firstData.startPoint) <= kJoinEndTolerance ||
               (distance(end, firstData.startPoint) <= kJoinEndTolerance &&
                distance(start, firstData.endPoint) <= kJoinEndTolerance);
  if (!keeps) reverse(host, joined);
  return joined;
}

EntityRef reverse(Host& host, const EntityRef& ref) {
  if (ref.segment != kWholeEntity) return ref;
  EntityRecord record;
  if (host.acdbEntGet(ref.name, record) != RTNORM) return ref;
  PolylineGeom* polyline = record.as<PolylineGeom>();
  if (!polyline || polyline->vertices.size() < 2) return ref;
  const std::vector<PolyVertex> old = polyline->vertices;
  size_t n = old.size();
  std::vector<PolyVertex>& v = polyline->vertices.edit();
  auto place = [&](size_t to, size_t from, double bulge) {
    v[to].x = old[from].x;
    v[to].y = old[from].y;
    v[to].bulge = bulge;
  };
  if (polyline->closed) {
    place(0, 0, -old[n - 1].bulge);
    for (size_t i = 1; i < n; ++i) place(i, n - i, -old[n - 1 - i].bulge);
  } else {
    for (size_t i = 0; i + 1 < n; ++i) place(i, n - 1 - i, -old[n - 2 - i].bulge);
    place(n - 1, 0, 0.0);
  }
  host.acdbEntMod(ref.name, record);
  return ref;
}

}  // namespace optgrind
