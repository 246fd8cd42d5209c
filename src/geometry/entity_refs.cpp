#include "geometry/entity_refs.h"

namespace optgrind {

EntityRef wholeEntity(const EntityRef& ref) {
  EntityRef whole = ref;
  if (ref.segment != kWholeEntity || ref.tagIndex != kNoTag) {
    whole.segment = kWholeEntity;
    whole.tagIndex = kNoTag;
    whole.valid = 1;
  } else {
    whole.valid = 0;
  }
  return whole;
}

EntityRef lastEntity(Host& host) {
  EntityName name;
  if (host.acdbEntLast(name) != RTNORM) return EntityRef{};
  return wholeEntityRef(name);
}

EntityRef nextEntity(Host& host, const EntityName& after) {
  EntityName name;
  if (host.acdbEntNext(&after, name) != RTNORM) return EntityRef{};
  return wholeEntityRef(name);
}

bool entityExists(Host& host, const EntityRef& ref) {
  if (ref.name.a <= 0 || ref.name.b <= 0 || ref.valid <= 0) return false;
  EntityRecord record;
  return host.acdbEntGet(ref.name, record) == RTNORM;
}

int compact(EntityRefList& list) {
  size_t kept = 0;
  for (size_t i = 0; i < list.size(); ++i) {
    const EntityRef& entry = list[i];
    if (entry.name.a < 0 || entry.name.b < 0 || entry.valid != 1) continue;
    if (i != kept) {
      EntityRef moved = emptyListEntry();
      moved.name = entry.name;
      moved.kind = entry.kind;
      moved.valid = 1;
      list[kept] = moved;
    }
    ++kept;
  }
  for (size_t i = kept; i < list.size(); ++i) list[i] = emptyListEntry();
  return static_cast<int>(kept);
}

}  // namespace optgrind
