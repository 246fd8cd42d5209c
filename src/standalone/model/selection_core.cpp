#include "standalone/model/selection_core.h"

#include "standalone/model/geom.h"

namespace optgrind::standalone {

std::vector<long long> selectEntities(const Drawing& d, const CompiledFilter& filter, SelectRegion region,
                                      const Point3& a, const Point3& b) {
  std::vector<long long> ids;
  forEachLiveEntity(d, [&](const DrawingEntity& e) {
    if (!filterAccepts(filter, e)) return;
    bool taken = true;
    // A window sees only what is shown.
    if (region != SelectRegion::All) {
      taken = layerShown(d, e.record.layer) &&
              (region == SelectRegion::Window ? insideWindow(d, e.record, a, b)
                                              : crossesWindow(d, e.record, a, b));
    }
    if (taken) ids.push_back(e.id);
  });
  return ids;
}

std::vector<long long> stillSelected(const Drawing& d, const CompiledFilter& filter,
                                     const std::vector<long long>& ids) {
  std::vector<long long> kept;
  for (long long id : ids) {
    const DrawingEntity* e = findEntity(d, id);
    if (e && filterAccepts(filter, *e)) kept.push_back(id);
  }
  return kept;
}

}  // namespace optgrind::standalone
