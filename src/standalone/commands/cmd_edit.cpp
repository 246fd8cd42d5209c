// ERASE, MOVE and SELECT.
#include "standalone/commands/cmd_commands.h"
#include "standalone/commands/cmd_support.h"

namespace optgrind::standalone {
namespace {

void shift(Point3& p, const Point3& d) {
  p.x += d.x;
  p.y += d.y;
  p.z += d.z;
}

void shift(std::vector<PolyVertex>& vertices, const Point3& d) {
  for (auto& v : vertices) {
    v.x += d.x;
    v.y += d.y;
  }
}

// Moves an entity by d. A 3D solid's modeler data cannot be moved here; it
// is left where it is (false).
bool translateEntity(EntityRecord& e, const Point3& d) {
  if (auto* g = e.as<LineGeom>()) {
    shift(g->start, d);
    shift(g->end, d);
  } else if (auto* g = e.as<ArcGeom>()) {
    shift(g->center, d);
  } else if (auto* g = e.as<CircleGeom>()) {
    shift(g->center, d);
  } else if (auto* g = e.as<PointGeom>()) {
    shift(g->position, d);
  } else if (auto* g = e.as<PolylineGeom>()) {
    shift(g->vertices.edit(), d);
    g->elevation += d.z;
  } else if (auto* g = e.as<TextGeom>()) {
    shift(g->position, d);
    shift(g->alignPoint, d);
  } else if (auto* g = e.as<MTextGeom>()) {
    shift(g->location, d);
  } else if (auto* g = e.as<InsertGeom>()) {
    shift(g->position, d);
  } else if (auto* g = e.as<DimensionGeom>()) {
    for (Point3* p : {&g->definition, &g->textPosition, &g->blockPosition, &g->defPoint2, &g->defPoint3,
                      &g->defPoint4, &g->arcPoint}) {
      shift(*p, d);
    }
  } else if (auto* g = e.as<HatchGeom>()) {
    for (auto& loop : g->loops) shift(loop.vertices, d);
  } else if (auto* g = e.as<LeaderGeom>()) {
    for (auto& p : g->vertices) shift(p, d);
  } else if (auto* g = e.as<SplineGeom>()) {
    for (auto& p : g->controlPoints) shift(p, d);
    for (auto& p : g->fitPoints) shift(p, d);
  } else if (auto* g = e.as<EllipseGeom>()) {
    shift(g->center, d);
  } else {
    return false;
  }
  return true;
}

}  // namespace

int runErase(Session& session, Answers& in) {
  std::vector<long long> ids;
  int rc = in.objects(ids);
  if (rc != RTNORM) return rc;
  for (long long id : unlockedIds(session, in, ids)) eraseEntity(session.drawing, id);
  return RTNORM;
}

int runMove(Session& session, Answers& in) {
  std::vector<long long> selected;
  int rc = in.objects(selected);
  if (rc != RTNORM) return rc;
  std::vector<long long> ids = unlockedIds(session, in, selected);
  if (ids.empty()) return RTNORM;
  Point3 base, second;
  std::string kw;
  rc = in.point("Specify base point or [Displacement] <Displacement>: ", "Displacement", nullptr, base, kw);
  Point3 displacement;
  if (rc == RTKWORD || rc == RTNONE) {
    rc = in.point("Specify displacement <0.0000,0.0000,0.0000>: ", "", nullptr, displacement, kw);
    if (rc == RTNONE) return RTNORM;
    if (rc != RTNORM) return rc;
  } else if (rc != RTNORM) {
    return rc;
  } else {
    rc = in.point("Specify second point or <use first point as displacement>: ", "", &base, second, kw);
    if (rc == RTNONE) {
      displacement = base;
    } else if (rc != RTNORM) {
      return rc;
    } else {
      displacement = Point3{second.x - base.x, second.y - base.y, second.z - base.z};
    }
  }
  size_t unmoved = 0;
  for (long long id : ids) {
    DrawingEntity* e = findEntity(session.drawing, id);
    if (e && !translateEntity(e->record, displacement)) ++unmoved;
  }
  if (unmoved > 0) in.message(std::to_string(unmoved) + " could not be moved.\n");
  rememberSelection(session, ids);
  return RTNORM;
}

int runSelect(Session& session, Answers& in) {
  std::vector<long long> ids;
  int rc = in.objects(ids);
  if (rc != RTNORM) return rc;
  rememberSelection(session, ids);
  return RTNORM;
}

}  // namespace optgrind::standalone
