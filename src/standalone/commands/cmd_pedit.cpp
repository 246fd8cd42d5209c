// PEDIT: turning lines, arcs, splines and ellipses into polylines, closing, opening, joining
// and reversing polylines.
#include <utility>

#include "standalone/commands/cmd_commands.h"
#include "standalone/commands/cmd_join.h"
#include "standalone/commands/cmd_support.h"

namespace optgrind::standalone {
namespace {

const char* const kEditOptions = "Close Join Reverse eXit";
const char* const kClosedEditOptions = "Open Join Reverse eXit";

// ARCFITTOL: how far the arcs of a turned spline or ellipse may stray.
double arcFitTolerance(Session& session) {
  ResBuf value;
  if (session.host.acedGetVar("ARCFITTOL", value) != RTNORM || !(value.asReal() > 0.0)) {
    return kDefaultArcFitTolerance;
  }
  return value.asReal();
}

int joinSelected(Session& session, Answers& in, long long id) {
  std::vector<long long> ids;
  int rc = in.objects(ids);
  if (rc != RTNORM) return rc;
  int added = joinToPolyline(session.drawing, id, unlockedIds(session, in, ids), arcFitTolerance(session));
  in.message(std::to_string(added) + (added == 1 ? " segment" : " segments") + " added to polyline\n");
  return RTNORM;
}

// Asks whether a line or arc becomes a polyline. As when the host accepts
// such objects without asking, an edit option given instead is taken as a
// yes and kept in `pending` for the option prompt.
int askTurnIntoPolyline(Answers& in, bool& turn, std::string& pending) {
  in.message("Object selected is not a polyline\n");
  std::string answer;
  int rc = in.keyword("Do you want to turn it into one? <Y> ", std::string("Yes No ") + kEditOptions, answer);
  if (rc == RTCAN || rc == RTERROR) return rc;
  turn = answer != "No";
  if (rc == RTNORM && answer != "Yes" && answer != "No") pending = answer;
  return RTNORM;
}

// The polyline of that id, for changing it; the caller has found it live.
PolylineGeom& editedPolyline(Drawing& d, long long id) {
  return *findEntity(d, id)->record.as<PolylineGeom>();
}

// PEDITACCEPT 1: a line or arc is turned into a polyline without the question.
bool acceptsWithoutAsking(Session& session) {
  ResBuf value;
  return session.host.acedGetVar("PEDITACCEPT", value) == RTNORM && value.isInt() && value.asInt() == 1;
}

}  // namespace

int runPedit(Session& session, Answers& in) {
  EntityName name;
  int rc = in.entity("Select polyline: ", name);
  if (rc != RTNORM) return rc == RTNONE ? RTNORM : rc;
  Drawing& d = session.drawing;
  const DrawingEntity* picked = name.b == d.serial ? findEntity(std::as_const(d), name.a) : nullptr;
  if (!picked) return RTERROR;
  const LayerRecord* layer = findLayer(d, picked->record.layer);
  if (layer && layer->locked) {
    in.message("Object is on a locked layer.\n");
    return RTERROR;
  }
  long long id = name.a;
  std::string pending;
  if (!picked->record.as<PolylineGeom>()) {
    PolylineGeom probe;
    const double fitTolerance = arcFitTolerance(session);
    if (!polylineOfCurve(picked->record, probe, fitTolerance)) {
      in.message("Object selected cannot be turned into a polyline.\n");
      return RTERROR;
    }
    bool turn = true;
    if (!acceptsWithoutAsking(session)) {
      rc = askTurnIntoPolyline(in, turn, pending);
      if (rc != RTNORM || !turn) return rc;
    }
    id = turnIntoPolyline(d, id, fitTolerance);
  }
  while (true) {
    const DrawingEntity* e = findEntity(std::as_const(d), id);
    const PolylineGeom* pl = e ? e->record.as<PolylineGeom>() : nullptr;
    if (!pl) return RTERROR;
    std::string option = pending;
    pending.clear();
    if (option.empty()) {
      rc = in.keyword(pl->closed ? "Enter an option [Open/Join/Reverse/eXit] <eXit>: "
                                 : "Enter an option [Close/Join/Reverse/eXit] <eXit>: ",
                      pl->closed ? kClosedEditOptions : kEditOptions, option);
      if (rc == RTNONE) return RTNORM;
      if (rc != RTNORM) return rc;
    }
    if (option == "eXit") return RTNORM;
    if (option == "Close" || option == "Open") {
      editedPolyline(d, id).closed = option == "Close" && pl->vertices.size() >= 2;
    } else if (option == "Reverse") {
      reversePolyline(editedPolyline(d, id));
    } else if (option == "Join") {
      rc = joinSelected(session, in, id);
      if (rc != RTNORM) return rc;
    }
  }
}

}  // namespace optgrind::standalone
