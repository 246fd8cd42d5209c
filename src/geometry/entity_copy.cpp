#include "geometry/entity_copy.h"

#include "geometry/drawing_vars.h"
#include "geometry/entity_data.h"
#include "geometry/entity_make.h"
#include "geometry/entity_refs.h"

namespace optgrind {

EntityRef copy(Host& host, const EntityRef& ref) {
  EntityRecord source;
  if (host.acdbEntGet(ref.name, source) != RTNORM) return EntityRef{};
  EntityRecord made = source;
  if (ref.segment != kWholeEntity && !segmentAsCurve(source, ref.segment, made)) return EntityRef{};
  int useEmode = 0;
  if (getDrawingVar(host, kUseEmodeVar, useEmode) && useEmode != 0) {
    EntityRecord current = currentProperties(host);
    made.layer = current.layer;
    made.color = current.color;
    made.linetype = current.linetype;
  }
  EntityName name;
  if (host.acdbEntMake(made, name) != RTNORM) return EntityRef{};
  EntityRef copied = wholeEntityRef(name);
  copied.kind = classifyEntity(host, copied);
  return copied;
}

EntityRefList copyAll(Host& host, const EntityRefList& list) {
  EntityRefList copies;
  for (const EntityRef& entry : list) {
    if (!entityExists(host, entry)) continue;
    EntityRef copied = copy(host, entry);
    if (copied.valid == 1) copies.push_back(copied);
  }
  return copies;
}

}  // namespace optgrind
