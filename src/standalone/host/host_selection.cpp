// StandaloneHost: selection sets and filter lists.
#include <algorithm>
#include <cctype>
#include <utility>
#include "host/utf8.h"

#include "standalone/host/standalone_host.h"
#include "standalone/model/filter_list.h"
#include "standalone/model/selection_core.h"

namespace optgrind::standalone {
int StandaloneHost::makeSelectionSet(std::vector<long long> ids, SelectionSet& out) {
  if (ids.empty()) return RTERROR;
  long long id = session_.nextSelectionSet++;
  session_.selectionSets[id] = std::move(ids);
  out = SelectionSet{id};
  return RTNORM;
}

const std::vector<long long>* StandaloneHost::selectionIds(const SelectionSet& ss) const {
  auto it = session_.selectionSets.find(ss.id);
  return it == session_.selectionSets.end() ? nullptr : &it->second;
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
    rc = makeSelectionSet(selectEntities(session_.drawing, compiled, SelectRegion::All), made);
  } else if ((m == "W" || m == "C") && p1 && p2) {
    SelectRegion region = m == "W" ? SelectRegion::Window : SelectRegion::Crossing;
    rc = makeSelectionSet(selectEntities(session_.drawing, compiled, region, *p1, *p2), made);
  } else if (m == "P") {
    rc = makeSelectionSet(stillSelected(session_.drawing, compiled, session_.previousSelection), made);
  }
  if (rc != RTNORM) return rc;
  if (const auto* ids = selectionIds(made)) session_.previousSelection = *ids;
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
  if (!findEntity(std::as_const(session_.drawing), id)) return RTERROR;
  out = nameOf(id);
  return RTNORM;
}

int StandaloneHost::acedSSAdd(const EntityName* name, const SelectionSet& ss, SelectionSet& out) {
  if (name && !entityOf(*name)) return RTERROR;
  if (ss.id != 0 && !selectionIds(ss)) return RTERROR;
  if (ss.id == 0 || !name) {
    long long id = session_.nextSelectionSet++;
    session_.selectionSets[id] = name ? std::vector<long long>{name->a} : std::vector<long long>{};
    out = SelectionSet{id};
    return RTNORM;
  }
  auto& ids = session_.selectionSets[ss.id];
  auto& members = setMembers_[ss.id];
  if (members.size() != ids.size()) members = std::unordered_set<long long>(ids.begin(), ids.end());
  if (members.insert(name->a).second) ids.push_back(name->a);
  out = ss;
  return RTNORM;
}

int StandaloneHost::acedSSMemb(const EntityName& name, const SelectionSet& ss) {
  const auto* ids = selectionIds(ss);
  if (!ids || name.b != session_.drawing.serial) return RTERROR;
  return std::find(ids->begin(), ids->end(), name.a) != ids->end() ? RTNORM : RTERROR;
}

int StandaloneHost::acedSSFree(const SelectionSet& ss) {
  setMembers_.erase(ss.id);
  return session_.selectionSets.erase(ss.id) ? RTNORM : RTERROR;
}

}  // namespace optgrind::standalone
