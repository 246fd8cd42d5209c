#include "commands/drawing_commands.h"

#include "geometry/entity_make.h"
#include "geometry/quiet_command.h"

namespace optgrind {

int drawText(Host& host, const PointRec& at, double height, const std::string& text) {
  return runQuietCommand(
      host, {ResBuf::ofString(RTSTR, "TEXT"), ResBuf::ofPoint(RT3DPOINT, toPoint3(at)),
             ResBuf::ofReal(RTREAL, height), ResBuf::ofReal(RTREAL, 0.0), ResBuf::ofString(RTSTR, text)});
}

int moveByUser(Host& host, const EntityName& entity, const PointRec& base) {
  return runQuietCommand(
      host, {ResBuf::ofString(RTSTR, "MOVE"), ResBuf::ofName(entity), ResBuf::ofString(RTSTR, ""),
             ResBuf::ofPoint(RT3DPOINT, toPoint3(base)), ResBuf::ofString(RTSTR, PAUSE)});
}

int hatchSolid(Host& host, const EntityName& boundary) {
  return runQuietCommand(host, {ResBuf::ofString(RTSTR, "HATCH"), ResBuf::ofString(RTSTR, "S"),
                                ResBuf::ofName(boundary), ResBuf::ofString(RTSTR, "")});
}

std::string currentColor(Host& host) {
  ResBuf value;
  return host.acedGetVar("CECOLOR", value) == RTNORM ? value.asString() : std::string("BYLAYER");
}

void setCurrentColor(Host& host, int colorIndex) {
  host.acedSetVar("CECOLOR", ResBuf::ofString(RTSTR, std::to_string(colorIndex)));
}

void restoreCurrentColor(Host& host, const std::string& color) {
  host.acedSetVar("CECOLOR", ResBuf::ofString(RTSTR, color));
}

int shortVariable(Host& host, const std::string& name, int fallback) {
  ResBuf value;
  return host.acedGetVar(name, value) == RTNORM ? static_cast<int>(value.asInt()) : fallback;
}

void setShortVariable(Host& host, const std::string& name, int value) {
  host.acedSetVar(name, ResBuf::ofInt(RTSHORT, value));
}

EntityRef makeRectangle(Host& host, const PointRec& corner, const PointRec& opposite) {
  std::vector<PolyVertex> vertices = {
      {corner.x, corner.y}, {opposite.x, corner.y}, {opposite.x, opposite.y}, {corner.x, opposite.y}};
  return makePolylineEntity(host, vertices, true);
}

}  // namespace optgrind
