#include "geometry/selection.h"

#include "geometry/entity_data.h"
#include "geometry/primitives.h"
#include "geometry/segment_walk.h"
#include "geometry/selection_filter.h"
#include "geometry/tables.h"
#include "host/pick_box.h"

namespace optgrind {
namespace {

int gSelectionCancelled = 0;

int intVariable(Host& host, const char* name) {
  ResBuf value;
  return host.acedGetVar(name, value) == RTNORM ? static_cast<int>(value.asInt()) : 0;
}

std::optional<EntityRefList> selectWithFilter(Host& host, const std::string& mode, int mask, int color,
                                              int linetypeId, int& status) {
  ResBufList filter;
  bool haveFilter = buildFilter(host, mask, color, linetypeId, filter);
  SelectionSet set;
  status = host.acedSSGet(mode, nullptr, nullptr, haveFilter ? &filter : nullptr, set);
  if (status != RTNORM) return std::nullopt;
  EntityRefList list = listFromSelection(host, set, status, mask, color, linetypeId);
  host.acedSSFree(set);
  return list;
}

bool hasBit(int mask, int bit) { return bit >= 0 && bit < 31 && (mask & (1 << bit)) != 0; }

// The candidate as the mask allows it to be taken.
EntityRef takeCandidate(Host& host, const EntityName& name, const PointRec& p, int mask) {
  constexpr int kHighestKindBit = 16;
  EntityRef ref;
  ref.point = p;
  EntityRecord record;
  if (host.acdbEntGet(name, record) != RTNORM) return ref;
  EntityKind kind = recordKind(record);
  EntityRef whole = wholeEntityRef(name, kind);
  whole.point = p;
  if (kind == kKindSolid3d) return whole;
  if (const auto* polyline = record.as<PolylineGeom>()) {
    if (hasBit(mask, 0)) return whole;
    PolylineLocation at = locateOnPolyline(*polyline, p);
    Point3 closest;
    // A pick beside the curve is taken at the curve's nearest point.
    if (at.result == 0 && host.getClosestPointTo(record, toPoint3(p), false, closest) == RTNORM) {
      at = locateOnPolyline(*polyline, toPointRec(closest));
    }
    if (at.result == 0) return ref;
    EntityKind segment = segmentKind(*polyline, at.segment);
    if ((segment == kKindLine && hasBit(mask, 2)) || (segment == kKindArc && hasBit(mask, 3))) {
      whole.segment = at.segment;
      whole.kind = segment;
      return whole;
    }
    return ref;
  }
  if (kind >= 1 && kind <= kHighestKindBit && hasBit(mask, kind)) return whole;
  return ref;
}

}  // namespace

int selectionCancelled() { return gSelectionCancelled; }

EntityRefList listFromSelection(Host& host, const SelectionSet& set, int status, int mask, int color,
                                int linetypeId) {
  EntityRefList list;
  long length = 0;
  if (status != RTNORM || host.acedSSLength(set, length) != RTNORM) return list;
  std::string linetypeName;
  if (linetypeId != 0 && linetypeId != kNoLinetypeLimit) linetypeName = linetypeNameById(host, linetypeId);
  for (long i = length - 1; i >= 0; --i) {
    EntityName name;
    if (host.acedSSName(set, i, name) != RTNORM) continue;
    if (accept(host, name, mask, color, linetypeName)) list.push_back(wholeEntityRef(name));
  }
  return list;
}

std::optional<EntityRefList> select(Host& host, int mode, int mask, int color, int linetypeId) {
  const char* hostMode = mode == kSelectPrevious ? "P" : mode == kSelectAll ? "X" : "";
  int status = RTNORM;
  return selectWithFilter(host, hostMode, mask, color, linetypeId, status);
}

std::optional<EntityRefList> selectInteractively(Host& host, int mask, int color, int linetypeId) {
  int status = RTNORM;
  std::optional<EntityRefList> list = selectWithFilter(host, "", mask, color, linetypeId, status);
  if (status == RTCAN) {
    gSelectionCancelled = 1;
    return std::nullopt;
  }
  gSelectionCancelled = 0;
  return list ? list : EntityRefList{};
}

EntityRefList windowSelect(Host& host, const PointRec& firstCorner, int mask, int color, int linetypeId) {
  Point3 first = toPoint3(firstCorner), second;
  if (host.acedGetCorner(first, " ", second) != RTNORM) return EntityRefList{};
  SelectionSet set;
  const char* mode = second.x >= first.x ? "W" : "C";
  bool haveSet = host.acedSSGet(mode, &first, &second, nullptr, set) == RTNORM;
  ResBufList args = {ResBuf::ofString(RTSTR, "select")};
  if (haveSet) args.push_back(ResBuf::ofSet(set));
  args.push_back(ResBuf::ofString(RTSTR, PAUSE));
  host.acedCommand(args);
  if (haveSet) host.acedSSFree(set);
  int status = RTNORM;
  return selectWithFilter(host, "P", mask, color, linetypeId, status).value_or(EntityRefList{});
}

EntityRef pickAtPoint(Host& host, const PointRec& p, int mask) {
  double half = pickBoxHalfSize(host);
  Point3 corner1 = toPoint3(polarRad(p, kPickBoxCornerAngle1, half));
  Point3 corner2 = toPoint3(polarRad(p, kPickBoxCornerAngle2, half));
  EntityRef empty;
  empty.point = p;
  SelectionSet set;
  if (host.acedSSGet("C", &corner1, &corner2, nullptr, set) != RTNORM) return empty;
  long count = 0;
  host.acedSSLength(set, count);
  EntityName name;
  long index = intVariable(host, "USERI4");
  if (index >= count || index < 0) index = 0;
  if (count > 0) index %= count;
  bool named = count > 0 && host.acedSSName(set, index, name) == RTNORM;
  host.acedSSFree(set);
  if (!named) return empty;
  host.acedSetVar("USERI4", ResBuf::ofInt(RTSHORT, index + 1));
  if (mask == kPickAnyMask || mask == kPickAnyMaskWide) {
    EntityRef whole = wholeEntityRef(name);
    whole.point = p;
    return whole;
  }
  return takeCandidate(host, name, p, mask);
}

}  // namespace optgrind
