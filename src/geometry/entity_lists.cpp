#include "geometry/entity_lists.h"

#include <algorithm>

#include "geometry/entity_refs.h"
#include "geometry/tables.h"
#include "geometry/tags.h"

namespace optgrind {
namespace {

bool namesEntity(const EntityRef& ref) { return ref.name.a > 0 && ref.name.b > 0; }

EntityRef asWholeEntry(const EntityRef& ref) {
  EntityRef entry = emptyListEntry();
  entry.name = ref.name;
  entry.valid = 1;
  return entry;
}

}  // namespace

int erase(Host& host, EntityRef& ref) {
  EntityRecord record;
  if (host.acdbEntGet(ref.name, record) != RTNORM) return 0;
  int erased = 0;
  if (ref.kind == kKindTag) {
    // Removing a tag pair leaves the layers' locks alone.
    erased = removeTagPair(record.xdata, ref.tagIndex) ? 1 : 0;
    if (host.acdbEntMod(ref.name, record) != RTNORM) erased = 0;
  } else {
    LayerUnlock unlock(host);
    erased = host.acdbEntDel(ref.name) == RTNORM ? 1 : 0;
  }
  ref = emptyListEntry();
  return erased;
}

int eraseAll(Host& host, EntityRefList& list) {
  int kept = compact(list);
  int erased = 0;
  // One unlock for the whole list: the layer table is walked twice, not
  // twice per entity.
  LayerUnlock unlock(host);
  for (int i = 0; i < kept; ++i) {
    // The whole entity goes, also for an entry that names a tag pair.
    EntityRef entry = asWholeEntry(list[static_cast<size_t>(i)]);
    if (entityExists(host, entry) && host.acdbEntDel(entry.name) == RTNORM) ++erased;
  }
  list.clear();
  return erased;
}

EntityRefList insert(Host& host, EntityRefList list, const EntityRef& ref, int position) {
  if (!entityExists(host, ref)) return list;
  int count = compact(list);
  auto kept = list.begin() + count;
  if (std::any_of(list.begin(), kept, [&](const EntityRef& e) { return e.name == ref.name; })) return list;
  EntityRefList grown(list.begin(), kept);
  if (position == kAppendPosition || position >= count) {
    grown.push_back(ref);
  } else {
    grown.insert(grown.begin() + std::max(position, 0), ref);
  }
  return grown;
}

EntityRefList listFromReferences(Host& host, const std::vector<EntityRef>& refs) {
  EntityRefList list;
  for (size_t i = 0; i < refs.size(); ++i) {
    if (i > 0 && !entityExists(host, refs[i])) break;
    list.push_back(refs[i]);
  }
  return list;
}

EntityRefList unionLists(Host& host, const EntityRefList& a, const EntityRefList& b) {
  EntityRefList joined;
  for (const EntityRef& entry : a) {
    if (namesEntity(entry)) joined.push_back(asWholeEntry(entry));
  }
  SelectionSet ofA;
  bool haveSet = selectionSetFromList(host, a, ofA) == RTNORM;
  for (const EntityRef& entry : b) {
    if (!namesEntity(entry)) continue;
    if (haveSet && host.acedSSMemb(entry.name, ofA) == RTNORM) continue;
    joined.push_back(asWholeEntry(entry));
  }
  if (haveSet) host.acedSSFree(ofA);
  return joined;
}

int selectionSetFromList(Host& host, const EntityRefList& list, SelectionSet& out) {
  SelectionSet set;
  if (host.acedSSAdd(nullptr, SelectionSet{}, set) != RTNORM) return RTERROR;
  for (const EntityRef& entry : list) {
    if (namesEntity(entry)) host.acedSSAdd(&entry.name, set, set);
  }
  out = set;
  return RTNORM;
}

LineRec extents(Host& host, const EntityRef& ref) {
  EntityRecord record;
  Point3 lo, hi;
  if (host.acdbEntGet(ref.name, record) != RTNORM || host.getGeomExtents(record, lo, hi) != RTNORM) {
    return LineRec{};
  }
  return makeLine(toPointRec(lo), toPointRec(hi));
}

LineRec extents(Host& host, const EntityRefList& list) {
  LineRec box;
  for (const EntityRef& entry : list) {
    LineRec one = extents(host, entry);
    if (!one.valid) continue;
    if (!box.valid) {
      box = one;
      continue;
    }
    box.start = makePoint(std::min(box.start.x, one.start.x), std::min(box.start.y, one.start.y),
                          std::min(box.start.z, one.start.z));
    box.end = makePoint(std::max(box.end.x, one.end.x), std::max(box.end.y, one.end.y),
                        std::max(box.end.z, one.end.z));
  }
  return box;
}

}  // namespace optgrind
