#include "geometry/drawing_vars.h"

#include "geometry/tables.h"

namespace optgrind {

bool getDrawingVar(Host& host, const std::string& name, int& out) {
  ResBufList data;
  if (host.dictGetXRecord(kDrawingVarDict, upperAscii(name), data) != RTNORM) return false;
  for (const ResBuf& item : data) {
    if (item.code == kDrawingVarValueCode) {
      out = static_cast<int>(item.asInt());
      return true;
    }
  }
  return false;
}

bool drawingVarExists(Host& host, const std::string& name) {
  ResBufList data;
  return host.dictGetXRecord(kDrawingVarDict, upperAscii(name), data) == RTNORM;
}

int addDrawingVarIfAbsent(Host& host, const std::string& name, int value) {
  if (drawingVarExists(host, name)) return RTNORM;
  return setDrawingVar(host, name, value);
}

int setDrawingVar(Host& host, const std::string& name, int value) {
  return host.dictSetXRecord(kDrawingVarDict, upperAscii(name), {ResBuf::ofInt(kDrawingVarValueCode, value)});
}

int removeDrawingVar(Host& host, const std::string& name) {
  return host.dictRemove(kDrawingVarDict, upperAscii(name));
}

}  // namespace optgrind
