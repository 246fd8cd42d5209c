// LAYER: make, set current, turn on and off, lock and unlock, list.
#include <cstdio>

#include "host/wildcard.h"
#include "standalone/commands/cmd_commands.h"
#include "standalone/commands/cmd_support.h"

namespace optgrind::standalone {
namespace {

std::string currentLayer(Session& session) {
  ResBuf value;
  return session.host.acedGetVar("CLAYER", value) == RTNORM ? value.asString() : std::string("0");
}

void listLayers(Session& session, Answers& in) {
  std::string text = "Layer name                       State      Color  Linetype\n";
  for (const LayerRecord& l : session.host.layers()) {
    char row[512];
    std::string state = std::string(l.off ? "Off" : "On") + (l.frozen ? " F" : "") + (l.locked ? " L" : "");
    std::snprintf(row, sizeof row, "%-32s %-10s %5d  %s\n", l.name.c_str(), state.c_str(), l.color,
                  l.linetype.c_str());
    text += row;
  }
  in.message(text + "Current layer: \"" + currentLayer(session) + "\"\n");
}

int makeLayer(Session& session, Answers& in) {
  std::string name;
  int rc =
      in.text("Enter name for new layer (becomes the current layer) <" + currentLayer(session) + ">: ", name);
  if (rc != RTNORM) return rc == RTNONE ? RTNORM : rc;
  if (!findLayer(session.drawing, name)) {
    LayerRecord layer;
    layer.name = name;
    int id = 0;
    if (session.host.addLayer(layer, id) != RTNORM) {
      in.message("Invalid layer name \"" + name + "\".\n");
      return RTERROR;
    }
  }
  if (session.host.acedSetVar("CLAYER", ResBuf::ofString(RTSTR, name)) != RTNORM) {
    in.message("Cannot set layer \"" + name + "\" current.\n");
    return RTERROR;
  }
  return RTNORM;
}

int setCurrentLayer(Session& session, Answers& in) {
  std::string name;
  int rc = in.text("Enter layer name to make current <" + currentLayer(session) + ">: ", name);
  if (rc != RTNORM) return rc == RTNONE ? RTNORM : rc;
  if (!findLayer(session.drawing, name)) {
    in.message("Cannot find layer \"" + name + "\".\n");
    return RTERROR;
  }
  if (session.host.acedSetVar("CLAYER", ResBuf::ofString(RTSTR, name)) != RTNORM) {
    in.message("Cannot set a frozen layer current.\n");
    return RTERROR;
  }
  return RTNORM;
}

// ON, OFF, LOck and Unlock on the layers a name list (wildcards allowed)
// names.
int changeLayers(Session& session, Answers& in, const std::string& option) {
  std::string verb = option == "ON"     ? "turn on"
                     : option == "OFF"  ? "turn off"
                     : option == "LOck" ? "lock"
                                        : "unlock";
  std::string names;
  int rc = in.text("Enter name list of layer(s) to " + verb + ": ", names);
  if (rc != RTNORM) return rc == RTNONE ? RTNORM : rc;
  int matched = 0;
  for (LayerRecord layer : session.host.layers()) {
    if (!wildcardMatch(layer.name, names, WildcardCase::Insensitive)) continue;
    ++matched;
    if (option == "ON" || option == "OFF") {
      layer.off = option == "OFF";
    } else {
      layer.locked = option == "LOck";
    }
    session.host.setLayer(layer);
  }
  if (matched == 0) {
    in.message("No matching layer names found.\n");
    return RTERROR;
  }
  return RTNORM;
}

}  // namespace

int runLayer(Session& session, Answers& in) {
  bool failed = false;  // a name that did not fit; the option prompt comes again
  while (true) {
    std::string option;
    int rc = in.keyword("Enter an option [?/Make/Set/ON/OFF/LOck/Unlock]: ", "? Make Set ON OFF LOck Unlock",
                        option);
    if (rc == RTNONE) return failed ? RTERROR : RTNORM;
    if (rc != RTNORM) return rc;
    if (option == "?") {
      listLayers(session, in);
      continue;
    }
    rc = option == "Make"  ? makeLayer(session, in)
         : option == "Set" ? setCurrentLayer(session, in)
                           : changeLayers(session, in, option);
    if (rc == RTCAN) return rc;
    failed = failed || rc == RTERROR;
  }
}

}  // namespace optgrind::standalone
