// StandaloneHost: selection sets and filter lists.
#include <algorithm>
#include <cctype>
#include "host/utf8.h"

#include "standalone/host/standalone_host.h"
#include "standalone/model/filter_list.h"
#include "standalone/model/geom.h"

namespace optgrind::standalone {
namespace {

enum class WindowKind { Inside, Crossing };

std::vector<long long> liveIdsPassing(const Drawing& d, const CompiledFilter& filter) {
  std::vector<long long> ids;
  for (const auto& e : d.entities) {
    if (!e.erased && filterAccepts(filter, e.record)) ids.push_back(e.id);
  }
  return ids;
}

// Window and crossing selection see only what is shown: entities on layers
// that are off or frozen stay out.
std::vector<long long> idsInWindow(const Drawing& d, const CompiledFilter& filter, WindowKind kind,
                                   const Point3& p1, const Point3& p2) {
  Point3 lo{std::min(p1.x, p2.x), std::min(p1.y, p2.y), std::min(p1.z, p2.z)};
  Point3 hi{std::max(p1.x, p2.x), std::max(p1.y, p2.y), std::max(p1.z, p2.z)};
  std::vector<long long> ids;
  for (const auto& e : d.entities) {
    if (e.erased || !layerShown(d, e.record.layer) || !filterAccepts(filter, e.record)) continue;
    bool in =
        kind == WindowKind::Inside ? insideWindow(d, e.record, lo, hi) : crossesWindow(d, e.record, lo, hi);
    if (in) ids.push_back(e.id);
  }
  return ids;
}

}  // namespace

int StandaloneHost::makeSelectionSet(std::vector<long long> ids, SelectionSet& out) {
  if (ids.empty()) return RTERROR;
  long long id = nextSelectionSet_++;
  selectionSets_[id] = std::move(ids);
  out = SelectionSet{id};
  return RTNORM;
}

const std::vector<long long>* StandaloneHost::selectionIds(const SelectionSet& ss) const {
  auto it = selectionSets_.find(ss.id);
  return it == selectionSets_.end() ? nullptr : &it->second;
}

int StandaloneHost::acedSSGet(const std::string& mode, const Point3* p1, const Point3* p2,
                              const ResBufList* filter, SelectionSet& out) {
  CompiledFilter compiled = compileFilter(filter ? *filter : ResBufList{});
  if (!compiled.valid) return RTERROR;
  std::string m = upperAscii(mode);
  if (!m.empty() && m[0] == '_') m.erase(0, 1);  // the host's language-neutral form
  SelectionSet made;
  int rc = RTERROR;
  if (m.empty()) {
    rc = selectInteractively(filter, made);
  } else if (m == "X") {
    rc = makeSelectionSet(liveIdsPassing(drawing_, compiled), made);
  } else if ((m == "W" || m == "C") && p1 && p2) {
    WindowKind kind = m == "W" ? WindowKind::Inside : WindowKind::Crossing;
    rc = makeSelectionSet(idsInWindow(drawing_, compiled, kind, *p1, *p2), made);
  } else if (m == "P") {
    std::vector<long long> ids;
    for (long long id : previousSelection_) {
      const DrawingEntity* e = findEntity(drawing_, id);
      if (e && filterAccepts(compiled, e->record)) ids.push_back(id);
    }
    rc = makeSelectionSet(std::move(ids), made);
  }
  if (rc != RTNORM) return rc;
  if (const auto* ids = selectionIds(made)) previousSelection_ = *ids;
  out = made;
  return RTNORM;
}

int StandaloneHost::acedSSLength(const SelectionSet& ss, long& length) {
  const auto* ids = selectionIds(ss);
  if (!ids) return RTERROR;
  length = static_cast<long>(ids->size());
  return RTNORM;
}

int StandaloneHost::acedSSName(const SelectionSet& ss, long i, EntityName& out) {
  const auto* ids = selectionIds(ss);
  if (!ids || i < 0 || static_cast<size_t>(i) >= ids->size()) return RTERROR;
  long long id = (*ids)[static_cast<size_t>(i)];
  if (!findEntity(drawing_, id)) return RTERROR;
  out = nameOf(id);
  return RTNORM;
}

int StandaloneHost::acedSSAdd(const EntityName* name, const SelectionSet& ss, SelectionSet& out) {
  if (name && !entityOf(*name)) return RTERROR;
  if (ss.id != 0 && !selectionIds(ss)) return RTERROR;
  if (ss.id == 0 || !name) {
    long long id = nextSelectionSet_++;
    selectionSets_[id] = name ? std::vector<long long>{name->a} : std::vector<long long>{};
    out = SelectionSet{id};
    return RTNORM;
  }
  auto& ids = selectionSets_[ss.id];
  if (std::find(ids.begin(), ids.end(), name->a) == ids.end()) ids.push_back(name->a);
  out = ss;
  return RTNORM;
}

int StandaloneHost::acedSSMemb(const EntityName& name, const SelectionSet& ss) {
  const auto* ids = selectionIds(ss);
  if (!ids || name.b != drawing_.serial) return RTERROR;
  return std::find(ids->begin(), ids->end(), name.a) != ids->end() ? RTNORM : RTERROR;
}

int StandaloneHost::acedSSFree(const SelectionSet& ss) {
  return selectionSets_.erase(ss.id) ? RTNORM : RTERROR;
}

}  // namespace optgrind::standalone
