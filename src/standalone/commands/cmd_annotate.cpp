// TEXT and HATCH.
#include <cmath>
#include <utility>

#include "standalone/commands/cmd_commands.h"
#include "standalone/commands/cmd_join.h"
#include "standalone/commands/cmd_support.h"
#include "standalone/model/geom_curves.h"

namespace optgrind::standalone {
namespace {

// A number given at a prompt with a default: Enter takes the default.
int realOrDefault(Answers& in, const std::string& prompt, double fallback, double& out) {
  int rc = in.real(prompt + "<" + formatReal(fallback) + ">: ", out);
  if (rc == RTNONE) out = fallback;
  return rc == RTNONE ? RTNORM : rc;
}

// The boundary loop of a closed polyline (or an open one whose ends meet)
// or a circle; false for anything else.
bool boundaryLoop(const EntityRecord& e, HatchLoop& out) {
  if (const auto* c = e.as<CircleGeom>()) {
    if (c->radius <= 0.0) return false;
    // Two half circles.
    out.vertices = {PolyVertex{c->center.x + c->radius, c->center.y, 1.0},
                    PolyVertex{c->center.x - c->radius, c->center.y, 1.0}};
    return true;
  }
  const auto* pl = e.as<PolylineGeom>();
  if (!pl || pl->vertices.size() < 2) return false;
  std::vector<PolyVertex> v = pl->vertices;
  if (!pl->closed) {
    const PolyVertex& a = v.front();
    const PolyVertex& b = v.back();
    if (v.size() < 3 || distanceXY({a.x, a.y, 0.0}, {b.x, b.y, 0.0}) > kJoinFuzz) return false;
    v.pop_back();
  }
  for (auto& vertex : v) vertex.startWidth = vertex.endWidth = 0.0;
  out.vertices = std::move(v);
  return true;
}

}  // namespace

int runText(Session& session, Answers& in) {
  TextGeom text;
  std::string kw;
  int rc = in.point("Specify start point of text: ", "", nullptr, text.position, kw);
  if (rc != RTNORM) return rc == RTNONE ? RTNORM : rc;
  text.alignPoint = text.position;
  ResBuf size, style;
  double fallback = session.host.acedGetVar("TEXTSIZE", size) == RTNORM ? size.asReal() : text.height;
  while (true) {
    rc = realOrDefault(in, "Specify height ", fallback, text.height);
    if (rc != RTNORM) return rc;
    if (std::isfinite(text.height) && text.height > 0.0) break;
    in.message("Value must be positive and nonzero.\n");
  }
  double rotation = 0.0;
  rc = realOrDefault(in, "Specify rotation angle of text ", 0.0, rotation);
  if (rc != RTNORM) return rc;
  if (!std::isfinite(rotation)) return RTERROR;
  text.rotation = normalizeAngle(rotation * kPi / 180.0);
  rc = in.text("Enter text: ", text.text);
  if (rc != RTNORM) return rc == RTNONE ? RTNORM : rc;
  if (session.host.acedGetVar("TEXTSTYLE", style) == RTNORM && !style.asString().empty())
    text.style = style.asString();
  addEntity(session, text);
  session.host.acedSetVar("TEXTSIZE", ResBuf::ofReal(RTREAL, text.height));
  return RTNORM;
}

int runHatch(Session& session, Answers& in) {
  HatchGeom hatch;
  std::string pattern;
  int rc = in.text("Enter a pattern name or [Solid] <SOLID>: ", pattern);
  if (rc != RTNORM && rc != RTNONE) return rc;
  if (rc == RTNORM && !equalIgnoringCase(pattern, "S") && !equalIgnoringCase(pattern, "SOLID")) {
    hatch.pattern = upperAscii(pattern);
    hatch.solid = false;
    rc = realOrDefault(in, "Specify a scale for the pattern ", 1.0, hatch.patternScale);
    if (rc != RTNORM) return rc;
    double angle = 0.0;
    rc = realOrDefault(in, "Specify an angle for the pattern ", 0.0, angle);
    if (rc != RTNORM) return rc;
    hatch.patternAngle = angle * kPi / 180.0;
  }
  in.message("Select objects to define hatch boundary\n");
  std::vector<long long> ids;
  rc = in.objects(ids);
  if (rc != RTNORM) return rc;
  size_t refused = 0;
  for (long long id : ids) {
    HatchLoop loop;
    const DrawingEntity* e = findEntity(std::as_const(session.drawing), id);
    if (e && boundaryLoop(e->record, loop)) {
      hatch.loops.push_back(std::move(loop));
    } else {
      ++refused;
    }
  }
  if (refused > 0) in.message(std::to_string(refused) + " selected objects are not closed boundaries.\n");
  if (hatch.loops.empty()) {
    in.message("No valid hatch boundary found.\n");
    return RTERROR;
  }
  addEntity(session, hatch);
  return RTNORM;
}

}  // namespace optgrind::standalone
