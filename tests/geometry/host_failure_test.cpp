// Each operation against a host that refuses one step: the drawing is left
// as it was and the operation reports the failure.
#include <gtest/gtest.h>

#include "geometry/drawing_fixture.h"
#include "geometry/entity_copy.h"
#include "geometry/entity_data.h"
#include "geometry/entity_lists.h"
#include "geometry/layers.h"
#include "geometry/profile_break.h"
#include "geometry/profile_join.h"
#include "geometry/tags.h"

namespace optgrind::testing {
namespace {

enum class Refusal { Nothing, AnyMake, AnyModify, SourceModify, SourceDelete, Command, LayerChange };

// The standalone host, refusing what `refusal` names: every call of that
// kind, or only those on the entity `source`.
class RefusingHost : public HostWrapper {
 public:
  explicit RefusingHost(Host* target) : HostWrapper(target) {}
  Refusal refusal = Refusal::Nothing;
  EntityName source;

  int acdbEntMake(const EntityRecord& entity, EntityName& out) override {
    if (refusal == Refusal::AnyMake) return RTERROR;
    return HostWrapper::acdbEntMake(entity, out);
  }
  int acdbEntMod(const EntityName& name, const EntityRecord& entity) override {
    if (refusal == Refusal::AnyModify || (refusal == Refusal::SourceModify && name == source)) return RTERROR;
    return HostWrapper::acdbEntMod(name, entity);
  }
  int acdbEntDel(const EntityName& name) override {
    if (refusal == Refusal::SourceDelete && name == source) return RTERROR;
    return HostWrapper::acdbEntDel(name);
  }
  int acedCommand(const ResBufList& args) override {
    if (refusal == Refusal::Command) return RTERROR;
    return HostWrapper::acedCommand(args);
  }
  int addLayer(const LayerRecord& layer, int& id) override {
    if (refusal == Refusal::LayerChange) return RTERROR;
    return HostWrapper::addLayer(layer, id);
  }
  int setLayer(const LayerRecord& layer) override {
    if (refusal == Refusal::LayerChange) return RTERROR;
    return HostWrapper::setLayer(layer);
  }
};

// The drawing as the host saves it, but for the next handle: a refused step
// may have used one up.
std::string savedDrawing(HostWithRoot& env) {
  std::string path = env.root.path() + "/state.dxf";
  EXPECT_TRUE(standalone::saveDxf(env.host.drawing(), path).ok);
  std::string text = readFile(path);
  size_t seed = text.find("$HANDSEED\n  5\n");
  if (seed != std::string::npos) text.erase(seed, text.find('\n', seed + 14) - seed);
  return text;
}

struct HostFailureTest : DrawingTest {
  RefusingHost refusing{&env.host};

  void SetUp() override { addLayer("CUT"); }
  // Runs the operation with the host refusing as told; the drawing must
  // read the same before and after.
  template <class Operation>
  void expectUnchanged(Refusal refusal, const EntityRef& source, Operation operation) {
    std::string before = savedDrawing(env);
    refusing.refusal = refusal;
    refusing.source = source.name;
    operation();
    refusing.refusal = Refusal::Nothing;
    EXPECT_EQ(savedDrawing(env), before);
  }
};

TEST_F(HostFailureTest, BreakAtPointLeavesEveryEntityWhole) {
  std::vector<EntityRef> entities = {
      addLine(0, 0, 10, 0, "CUT"),
      add(ArcGeom{{0, 0, 0}, 5, 0, kPi, 0}, "CUT"),
      add(CircleGeom{{0, 0, 0}, 5, 0}, "CUT"),
      addPolyline({{0, 0, 0}, {10, 0, 0.5}, {20, 0, 0}}, false, "CUT"),
      addPolyline({{0, 0, 0}, {10, 0, 0}, {10, 10, 0}}, true, "CUT"),
  };
  // A point inside each entity, and for the polylines a vertex.
  std::vector<std::vector<PointRec>> points = {
      {makePoint(4, 0)},
      {makePoint(0, 5)},
      {makePoint(0, -5)},
      {makePoint(5, 0), makePoint(10, 0)},
      {makePoint(5, 0), makePoint(10, 0)},
  };
  // Which refusals stop a split of which entity: the closed polyline is
  // opened in place and makes nothing; a circle is deleted, not changed.
  struct Case {
    Refusal refusal;
    std::vector<size_t> entities;
  };
  std::vector<Case> cases = {{Refusal::AnyMake, {0, 1, 2, 3}},
                             {Refusal::AnyModify, {0, 1, 2, 3, 4}},
                             {Refusal::SourceModify, {0, 1, 3, 4}},
                             {Refusal::SourceDelete, {2}}};
  for (const Case& c : cases) {
    for (size_t i : c.entities) {
      for (const PointRec& p : points[i]) {
        SCOPED_TRACE("refusal " + std::to_string(static_cast<int>(c.refusal)) + ", entity " +
                     std::to_string(i) + " at " + std::to_string(p.x));
        EntityRef piece;
        expectUnchanged(c.refusal, entities[i], [&] { piece = breakAtPoint(refusing, entities[i], p); });
        EXPECT_EQ(piece.valid, 0);
      }
    }
  }
}

TEST_F(HostFailureTest, JoinReverseAndCopy) {
  EntityRef picked = addLine(0, 0, 10, 0);
  EntityRef other = addLine(10, 0, 10, 10);
  EntityRef poly = addPolyline({{0, 0, 0.5}, {10, 0, 0}, {20, 5, 0}}, false);
  picked.kind = kKindLine;
  expectUnchanged(Refusal::Command, picked, [&] { EXPECT_EQ(join(refusing, picked, {other}).valid, 0); });
  expectUnchanged(Refusal::AnyModify, poly, [&] { EXPECT_EQ(reverse(refusing, poly), poly); });
  expectUnchanged(Refusal::AnyMake, poly, [&] {
    EXPECT_EQ(copy(refusing, poly).valid, 0);
    EXPECT_EQ(copy(refusing, segmentRef(poly, 0, kKindArc)).valid, 0);
    EXPECT_TRUE(copyAll(refusing, {picked, other}).empty());
  });
}

TEST_F(HostFailureTest, TagsAndEntityData) {
  EntityRef line = addLine(0, 0, 10, 0, "CUT");
  EntityRef tag = addTag(host, line, "KEY", "value");
  ASSERT_EQ(tag.valid, 1);
  expectUnchanged(Refusal::AnyModify, line, [&] {
    EXPECT_EQ(addTag(refusing, line, "OTHER", "x").valid, 0);
    EntityRef listed = tag;
    EXPECT_EQ(erase(refusing, listed), 0);
    EntityData data = readEntityData(refusing, wholeEntityRef(line.name, kKindLine));
    data.endPoint.x = 20;
    EXPECT_NE(writeEntityData(refusing, wholeEntityRef(line.name, kKindLine), data), RTNORM);
  });
  expectUnchanged(Refusal::SourceDelete, line, [&] {
    EntityRefList list = {line};
    EXPECT_EQ(eraseAll(refusing, list), 0);
  });
}

TEST_F(HostFailureTest, LayerOperations) {
  expectUnchanged(Refusal::LayerChange, EntityRef{}, [&] {
    LayerInfo made = makeLayer(refusing, "NEW", "", 3, 0, 999);
    EXPECT_EQ(made.name, "0");
    makeLayer(refusing, "CUT", "", 4, 1, 999);
    openUpLayers(refusing, "CUT", 1);
  });
}

}  // namespace
}  // namespace optgrind::testing
