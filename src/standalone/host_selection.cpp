// StandaloneHost: selection sets and filter lists.
#include "standalone/standalone_host.h"

namespace optgrind::standalone {

int StandaloneHost::acedSSGet(const std::string&, const Point3*, const Point3*, const ResBufList*, SelectionSet&) {
  return RTERROR;
}
int StandaloneHost::acedSSLength(const SelectionSet&, long&) { return RTERROR; }
int StandaloneHost::acedSSName(const SelectionSet&, long, EntityName&) { return RTERROR; }
int StandaloneHost::acedSSAdd(const EntityName*, const SelectionSet&, SelectionSet&) { return RTERROR; }
int StandaloneHost::acedSSMemb(const EntityName&, const SelectionSet&) { return RTERROR; }
int StandaloneHost::acedSSFree(const SelectionSet&) { return RTERROR; }

}  // namespace optgrind::standalone
